#include "settings/frmColDialog.h"

#include "settings/frmSettings.h"

// FIXME: the scheme swatches, their names, the hover frame and OK/Cancel are not here yet.
frmColDialog::frmColDialog(runtime::Program& program)
    : Form(program, "frmColDialog")
{
    Caption("Window Color and Appereance");
    BorderStyle(runtime::vbFixedSingle);
    StartUpPosition(runtime::vbStartUpScreen);
    BackColor(16777215);
    Move(0, 0, 9975, 5775);

    HScroll1.Move(1680, 4320, 4335, 255);
    HScroll1.Min(-2550);
    HScroll1.Max(0);
    HScroll1.Value(0);
    HScroll1.SmallChange(1);
    HScroll1.LargeChange(1);

    HScroll1.on_change = [this] { HScroll1_Change(); };
    HScroll1.on_scroll = [this] { HScroll1_Scroll(); };
}

void frmColDialog::HScroll1_Change()
{
    runtime::DoEvents();
    program().form<frmSettings>().UpdateWindows();
}

void frmColDialog::HScroll1_Scroll()
{
    HScroll1_Change();
}
