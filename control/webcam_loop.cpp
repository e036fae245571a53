#include "control/webcam_loop.h"

#include "runtime/statements.h"
#include "settings/frmSettings.h"
#include "webcam/frmCAM.h"

void PauseWebcamLoop(runtime::Program& program)
{
    runtime::skip_on_error([&] { program.form<frmCAM>().tmrMain.Enabled(false); });
}

void ResumeWebcamLoop(runtime::Program& program)
{
    runtime::skip_on_error([&] {
        if (program.form<frmSettings>().Check15.Value() == runtime::vbChecked)
            program.form<frmCAM>().tmrMain.Enabled(true);
    });
}
