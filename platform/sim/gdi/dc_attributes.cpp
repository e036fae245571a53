// The drawing attributes of a device context: colours, modes, alignment and current position.
#include "platform/api/gdi.h"

#include "platform/sim/gdi/device_context.h"
#include "platform/sim/user/process_faults.h"

#include <utility>

using namespace sim;

namespace {

// Sets one attribute and returns the old value, or `failure` for a handle that names no DC.
template<typename Value>
Value exchange_attribute(HDC handle, Value DcState::*attribute, Value value, Value failure)
{
    auto* dc = find_dc(handle);
    if (!dc)
        return failure;
    return std::exchange(dc->state.*attribute, value);
}

// Sets a mode attribute whose values run from `first` to `last`; 0 for a value out of that range.
int exchange_mode(HDC handle, int DcState::*attribute, int mode, int first, int last)
{
    if (mode < first || mode > last)
        return 0;
    return exchange_attribute(handle, attribute, mode, 0);
}

template<typename Value>
Value read_attribute(HDC handle, Value DcState::*attribute, Value failure)
{
    auto* dc = find_dc(handle);
    return dc ? dc->state.*attribute : failure;
}

}

COLORREF WINAPI SetTextColor(HDC dc, COLORREF color)
{
    sim::ApiCall api_call;
    return exchange_attribute(dc, &DcState::text_color, color & 0xFFFFFF, COLORREF(CLR_INVALID));
}

COLORREF WINAPI GetTextColor(HDC dc)
{
    sim::ApiCall api_call;
    return read_attribute(dc, &DcState::text_color, COLORREF(CLR_INVALID));
}

COLORREF WINAPI SetBkColor(HDC dc, COLORREF color)
{
    sim::ApiCall api_call;
    return exchange_attribute(dc, &DcState::background_color, color & 0xFFFFFF, COLORREF(CLR_INVALID));
}

COLORREF WINAPI GetBkColor(HDC dc)
{
    sim::ApiCall api_call;
    return read_attribute(dc, &DcState::background_color, COLORREF(CLR_INVALID));
}

COLORREF WINAPI SetDCBrushColor(HDC dc, COLORREF color)
{
    sim::ApiCall api_call;
    return exchange_attribute(dc, &DcState::dc_brush_color, color & 0xFFFFFF, COLORREF(CLR_INVALID));
}

COLORREF WINAPI SetDCPenColor(HDC dc, COLORREF color)
{
    sim::ApiCall api_call;
    return exchange_attribute(dc, &DcState::dc_pen_color, color & 0xFFFFFF, COLORREF(CLR_INVALID));
}

int WINAPI SetBkMode(HDC dc, int mode)
{
    sim::ApiCall api_call;
    return exchange_mode(dc, &DcState::background_mode, mode, TRANSPARENT, OPAQUE);
}

int WINAPI GetBkMode(HDC dc)
{
    sim::ApiCall api_call;
    return read_attribute(dc, &DcState::background_mode, 0);
}

UINT WINAPI SetTextAlign(HDC dc, UINT align)
{
    sim::ApiCall api_call;
    return exchange_attribute(dc, &DcState::text_align, align, UINT(GDI_ERROR));
}

UINT WINAPI GetTextAlign(HDC dc)
{
    sim::ApiCall api_call;
    return read_attribute(dc, &DcState::text_align, UINT(GDI_ERROR));
}

int WINAPI SetROP2(HDC dc, int mode)
{
    sim::ApiCall api_call;
    return exchange_mode(dc, &DcState::mix_mode, mode, R2_BLACK, R2_WHITE);
}

int WINAPI GetROP2(HDC dc)
{
    sim::ApiCall api_call;
    return read_attribute(dc, &DcState::mix_mode, 0);
}

int WINAPI SetStretchBltMode(HDC dc, int mode)
{
    sim::ApiCall api_call;
    return exchange_mode(dc, &DcState::stretch_mode, mode, BLACKONWHITE, HALFTONE);
}

int WINAPI GetStretchBltMode(HDC dc)
{
    sim::ApiCall api_call;
    return read_attribute(dc, &DcState::stretch_mode, 0);
}

int WINAPI SetPolyFillMode(HDC dc, int mode)
{
    sim::ApiCall api_call;
    return exchange_mode(dc, &DcState::polygon_fill_mode, mode, ALTERNATE, WINDING);
}

BOOL WINAPI MoveToEx(HDC handle, int x, int y, LPPOINT previous)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->state.position;
    dc->state.position = { x, y };
    return TRUE;
}

BOOL WINAPI GetCurrentPositionEx(HDC handle, LPPOINT position)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc || !position)
        return FALSE;
    *position = dc->state.position;
    return TRUE;
}
