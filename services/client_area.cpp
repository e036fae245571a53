#include "services/client_area.h"

#include "runtime/numeric.h"

void SizeFormForClient(runtime::Form& form, int width, int height, DWORD style, DWORD ex_style)
{
    RECT outer { 0, 0, width, height };
    AdjustWindowRectEx(&outer, style, FALSE, ex_style);
    form.Width(static_cast<float>((outer.right - outer.left) * runtime::TwipsPerPixel));
    form.Height(static_cast<float>((outer.bottom - outer.top) * runtime::TwipsPerPixel));
}
