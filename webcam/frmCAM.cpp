#include "webcam/frmCAM.h"

frmCAM::frmCAM(runtime::Program& program)
    : Form(program, "frmCAM")
{
    ShowInTaskbar(false);
    tmrMain.Enabled(false);
    tmrMain.Interval(1);
    for (auto* box : { &picDestination, &picSource }) {
        box->AutoRedraw(true);
        box->AutoSize(true);
        box->BackColor(0);
        box->Move(0, 0, 4845, 3600);
    }
    picSource.Visible(false);
}

void frmCAM::Command2_Click()
{
    // FIXME: the capture driver arrives with the webcam reflection; without a capture running,
    // stopping it only pauses the loop.
    tmrMain.Enabled(false);
}
