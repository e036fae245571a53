#include "shellskin/frmTaskbar.h"

frmTaskbar::frmTaskbar(runtime::Program& program)
    : Form(program, "frmTaskbar")
{
    BorderStyle(runtime::vbBSNone);
    ShowInTaskbar(false);
}
