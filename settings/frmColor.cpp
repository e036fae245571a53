#include "settings/frmColor.h"

frmColor::frmColor(runtime::Program& program)
    : Form(program, "frmColor")
{
    BorderStyle(runtime::vbFixedSingle);
}
