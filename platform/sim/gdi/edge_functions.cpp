// DrawEdge: the raised and sunken three-dimensional edges of controls, in the system colours.
#include "platform/api/gdi.h"

#include "platform/api/user.h"
#include "platform/sim/gdi/color.h"
#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/painter.h"
#include "platform/sim/user/process_faults.h"

using namespace sim;

namespace {

constexpr int face_color = 15;
constexpr int shadow_color = 16;
constexpr int highlight_color = 20;
constexpr int dark_shadow_color = 21;
constexpr int light_color = 22;

struct EdgeColors {
    int top_left = 0;
    int bottom_right = 0;
};

EdgeColors outer_colors(UINT edge)
{
    if (edge & BDR_RAISEDOUTER)
        return { light_color, dark_shadow_color };
    return { shadow_color, highlight_color };
}

EdgeColors inner_colors(UINT edge)
{
    if (edge & BDR_RAISEDINNER)
        return { highlight_color, shadow_color };
    return { dark_shadow_color, light_color };
}

// One ring of lines along the rectangle's sides: the bottom and right lines run the full length,
// the top and left lines stop short of them.
void draw_ring(const DrawTarget& target, const RECT& rect, UINT sides, EdgeColors colors)
{
    uint32_t top_left = gdi_pixel(GetSysColor(colors.top_left));
    uint32_t bottom_right = gdi_pixel(GetSysColor(colors.bottom_right));
    auto fill = [&](RECT area, uint32_t color) { paint_rect(target, area, [&](uint32_t& pixel) { pixel = color; }); };
    if (sides & BF_BOTTOM)
        fill({ rect.left, rect.bottom - 1, rect.right, rect.bottom }, bottom_right);
    if (sides & BF_RIGHT)
        fill({ rect.right - 1, rect.top, rect.right, rect.bottom }, bottom_right);
    LONG right = sides & BF_RIGHT ? rect.right - 1 : rect.right;
    LONG bottom = sides & BF_BOTTOM ? rect.bottom - 1 : rect.bottom;
    if (sides & BF_TOP)
        fill({ rect.left, rect.top, right, rect.top + 1 }, top_left);
    if (sides & BF_LEFT)
        fill({ rect.left, rect.top, rect.left + 1, bottom }, top_left);
}

RECT shrink(RECT rect, UINT sides)
{
    if (sides & BF_LEFT)
        ++rect.left;
    if (sides & BF_TOP)
        ++rect.top;
    if (sides & BF_RIGHT)
        --rect.right;
    if (sides & BF_BOTTOM)
        --rect.bottom;
    return rect;
}

}

BOOL WINAPI DrawEdge(HDC handle, LPRECT rect, UINT edge, UINT flags)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc || !rect)
        return FALSE;
    auto target = draw_target(*dc);
    RECT area = normalised(*rect);
    UINT sides = flags & BF_RECT;
    // FIXME: diagonal edges (BF_DIAGONAL) are not drawn; no part of the system asks for them.
    if (edge & BDR_OUTER) {
        if (target)
            draw_ring(target, area, sides, outer_colors(edge));
        area = shrink(area, sides);
    }
    if (edge & BDR_INNER) {
        if (target)
            draw_ring(target, area, sides, inner_colors(edge));
        area = shrink(area, sides);
    }
    if ((flags & BF_MIDDLE) && target) {
        uint32_t face = gdi_pixel(GetSysColor(face_color));
        paint_rect(target, area, [&](uint32_t& pixel) { pixel = face; });
    }
    if (flags & BF_ADJUST)
        *rect = area;
    return TRUE;
}
