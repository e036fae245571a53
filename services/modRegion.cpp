#include "services/modRegion.h"

#include "runtime/numeric.h"
#include "services/region_handover.h"

void SetFormRegion(runtime::Form& form, long /*KeyColor*/, int16_t Radius, bool /*ByColor*/)
{
    if (!form.hWnd())
        runtime::raise(runtime::ErrObjectVariableNotSet, "Object variable or With block variable not set");
    form.ScaleMode(runtime::vbPixels);
    int32_t width = runtime::CLng(form.ScaleWidth());
    int32_t height = runtime::CLng(form.ScaleHeight());
    // A round-rectangle region leaves out its right and bottom edges: one pixel more covers the client.
    HRGN region = CreateRoundRectRgn(0, 0, width + 1, height + 1, Radius, Radius);
    give_region_to_window(form.hWnd(), region);
    form.ScaleMode(runtime::vbTwips);
}
