// Single pixels: GetPixel, SetPixel, SetPixelV.
#include "platform/api/gdi.h"

#include "platform/sim/gdi/color.h"
#include "platform/sim/gdi/device_context.h"
#include "platform/sim/user/process_faults.h"

using namespace sim;

COLORREF WINAPI GetPixel(HDC handle, int x, int y)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc)
        return CLR_INVALID;
    if (dc->state.clip && !dc->state.clip->contains(x, y))
        return CLR_INVALID;
    auto source = read_source(*dc, { x, y, x + 1, y + 1 });
    if (!source)
        return CLR_INVALID;
    int column = x + source.origin.x;
    int row = y + source.origin.y;
    if (!source.bitmap->contains(column, row))
        return CLR_INVALID;
    return colorref_of(source.bitmap->pixel(column, row));
}

BOOL WINAPI SetPixelV(HDC handle, int x, int y, COLORREF color)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc)
        return FALSE;
    auto target = draw_target(*dc);
    if (!target)
        return FALSE;
    int column = x + target.origin().x;
    int row = y + target.origin().y;
    if (!target.clip().contains(column, row))
        return FALSE;
    uint32_t pixel = gdi_pixel(color);
    if (target.bitmap().is_monochrome())
        pixel = (color & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFFFF : 0xFF000000;
    target.bitmap().set_pixel(column, row, pixel);
    return TRUE;
}

COLORREF WINAPI SetPixel(HDC handle, int x, int y, COLORREF color)
{
    sim::ApiCall api_call;
    if (!SetPixelV(handle, x, y, color))
        return CLR_INVALID;
    return GetPixel(handle, x, y);
}
