// Sizing a form by its client area, as the designer gives it, whatever frame the window system
// draws around it.
#pragma once

#include "platform/win32.h"
#include "runtime/form.h"

// Gives the form the outer size whose client area is width x height pixels for a window of this
// style and extended style; the form keeps its place.
void SizeFormForClient(runtime::Form& form, int width, int height, DWORD style, DWORD ex_style);
