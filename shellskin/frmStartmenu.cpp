#include "shellskin/frmStartmenu.h"

frmStartmenu::frmStartmenu(runtime::Program& program)
    : Form(program, "frmStartmenu")
{
    BorderStyle(runtime::vbBSNone);
    ShowInTaskbar(false);
}
