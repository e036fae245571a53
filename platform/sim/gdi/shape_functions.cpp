// Lines, rectangles, ellipses, rounded rectangles and polygons drawn with the DC's pen and brush.
#include "platform/api/gdi.h"

#include "platform/sim/gdi/color.h"
#include "platform/sim/gdi/coordinate_space.h"
#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/line_shape.h"
#include "platform/sim/gdi/painter.h"
#include "platform/sim/user/process_faults.h"

#include <vector>

using namespace sim;

namespace {

RasterOperation mix_of(const DeviceContext& dc)
{
    return RasterOperation::from_mix_mode(dc.state.mix_mode);
}

// Draws the interior with the brush and the outline with the pen; the two never share a pixel, so
// a mix mode such as R2_NOT touches each pixel once.
void draw_shape(const DeviceContext& dc, const Region& outline, const Region& interior)
{
    auto target = draw_target(dc);
    if (!target)
        return;
    if (auto brush = selected_brush_pixel(dc))
        paint_region(target, interior, ColorPaint { *brush, mix_of(dc) });
    if (auto pen = selected_pen_pixel(dc))
        paint_region(target, outline, ColorPaint { *pen, mix_of(dc) });
}

// What a target lets drawing reach, in DC coordinates.
RECT visible_area(const DrawTarget& target)
{
    POINT origin = target.origin();
    return offset_rect(target.clip().bounds(), { -origin.x, -origin.y });
}

bool are_in_coordinate_space(std::span<const POINT> points)
{
    return std::all_of(points.begin(), points.end(),
        [](const POINT& point) { return is_rect_in_coordinate_space(point.x, point.y, 0, 0); });
}

// A plain line touches each of its pixels once as it walks them, so it needs no region.
void draw_plain_line(const DrawTarget& target, POINT from, POINT to, const ColorPaint& paint)
{
    POINT origin = target.origin();
    const Region& clip = target.clip();
    RECT bounds = clip.bounds();
    bool is_rectangle = clip.is_rectangle();
    Bitmap& bitmap = target.bitmap();
    for_each_line_pixel(from, to, [&](int x, int y) {
        x += origin.x;
        y += origin.y;
        if (x < bounds.left || x >= bounds.right || y < bounds.top || y >= bounds.bottom)
            return;
        if (!is_rectangle && !clip.contains(x, y))
            return;
        paint(bitmap.row(y)[x]);
    });
}

void draw_lines(const DeviceContext& dc, std::span<const POINT> points)
{
    auto pen = selected_pen_pixel(dc);
    if (!pen)
        return;
    auto target = draw_target(dc);
    if (!target)
        return;
    if (points.size() == 2 && is_plain_pen(selected_pen_width(dc), selected_pen_style(dc))) {
        draw_plain_line(target, points[0], points[1], ColorPaint { *pen, mix_of(dc) });
        return;
    }
    auto shape = line_shape(points, selected_pen_width(dc), selected_pen_style(dc), visible_area(target));
    paint_region(target, shape.dashes, ColorPaint { *pen, mix_of(dc) });
    if (dc.state.background_mode == OPAQUE && !shape.gaps.is_empty())
        paint_region(target, shape.gaps, ColorPaint { gdi_pixel(dc.state.background_color), mix_of(dc) });
}

// Outline and interior of a closed shape made by `make(left, top, right, bottom, inset)`. Without
// a pen the filled shape is one pixel smaller to the right and bottom, as on Windows.
template<typename Make>
BOOL draw_closed_shape(HDC handle, RECT bounds, Make make)
{
    auto* dc = find_dc(handle);
    if (!dc || !is_rect_in_coordinate_space(bounds.left, bounds.top, 0, 0)
        || !is_rect_in_coordinate_space(bounds.right, bounds.bottom, 0, 0))
        return FALSE;
    bounds = normalised(bounds);
    if (!selected_pen_pixel(*dc)) {
        draw_shape(*dc, {}, make(bounds.left, bounds.top, bounds.right - 1, bounds.bottom - 1, 0));
        return TRUE;
    }
    int width = selected_pen_width(*dc);
    Region outer = make(bounds.left, bounds.top, bounds.right, bounds.bottom, 0);
    Region inner = make(bounds.left + width, bounds.top + width, bounds.right - width, bounds.bottom - width, width);
    if (bounds.right - bounds.left <= 2 * width || bounds.bottom - bounds.top <= 2 * width)
        inner = {};
    draw_shape(*dc, outer.subtracted(inner), inner);
    return TRUE;
}


// Calls paint(target, fill) to lay a brush's colour on a rectangle; 0 for a handle that names no
// DC, no rectangle or a brush that paints nothing.
template<typename Paint>
int paint_with_brush(HDC handle, const RECT* rect, HBRUSH brush, Paint paint)
{
    auto* dc = find_dc(handle);
    if (!dc || !rect)
        return 0;
    auto color = brush_pixel(*dc, brush);
    if (!color)
        return 0;
    // The colour is held by value: a pixel written through a reference cannot be taken for it, so
    // the fill stays a plain store loop.
    uint32_t fill = *color;
    if (auto target = draw_target(*dc))
        paint(target, [fill](uint32_t& pixel) { pixel = fill; });
    return 1;
}

}

BOOL WINAPI LineTo(HDC handle, int x, int y)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc)
        return FALSE;
    POINT points[] = { dc->state.position, { x, y } };
    if (!are_in_coordinate_space(points))
        return FALSE;
    draw_lines(*dc, points);
    dc->state.position = { x, y };
    return TRUE;
}

BOOL WINAPI Polyline(HDC handle, const POINT* points, int count)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc || !points || count < 2 || !are_in_coordinate_space(std::span(points, count)))
        return FALSE;
    draw_lines(*dc, std::span(points, count));
    return TRUE;
}

BOOL WINAPI Rectangle(HDC dc, int left, int top, int right, int bottom)
{
    sim::ApiCall api_call;
    return draw_closed_shape(dc, { left, top, right, bottom }, [](int l, int t, int r, int b, int) {
        return Region::rectangle(l, t, r, b);
    });
}

BOOL WINAPI Ellipse(HDC dc, int left, int top, int right, int bottom)
{
    sim::ApiCall api_call;
    if (!is_possible_shape({ left, top, right, bottom }))
        return FALSE;
    return draw_closed_shape(dc, { left, top, right, bottom }, [](int l, int t, int r, int b, int) {
        return Region::ellipse(l, t, r, b);
    });
}

BOOL WINAPI RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height)
{
    sim::ApiCall api_call;
    if (!is_possible_shape({ left, top, right, bottom }))
        return FALSE;
    return draw_closed_shape(dc, { left, top, right, bottom }, [&](int l, int t, int r, int b, int inset) {
        return Region::rounded_rectangle(l, t, r, b, width - 2 * inset, height - 2 * inset);
    });
}

BOOL WINAPI Polygon(HDC handle, const POINT* points, int count)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc || !points || count < 2 || !is_possible_shape(bounds_of(std::span(points, count))))
        return FALSE;
    std::vector<POINT> closed(points, points + count);
    closed.push_back(points[0]);
    Region outline;
    auto target = draw_target(*dc);
    if (selected_pen_pixel(*dc) && target)
        outline = line_shape(closed, selected_pen_width(*dc), PS_SOLID, visible_area(target)).dashes;
    Region interior = Region::polygon(std::span(points, count), dc->state.polygon_fill_mode == WINDING);
    draw_shape(*dc, outline, interior.subtracted(outline));
    return TRUE;
}

int WINAPI FillRect(HDC handle, const RECT* rect, HBRUSH brush)
{
    sim::ApiCall api_call;
    return paint_with_brush(handle, rect, brush, [&](const DrawTarget& target, auto fill) {
        paint_rect(target, *rect, fill);
    });
}

int WINAPI FrameRect(HDC handle, const RECT* rect, HBRUSH brush)
{
    sim::ApiCall api_call;
    return paint_with_brush(handle, rect, brush, [&](const DrawTarget& target, auto fill) {
        RECT r = normalised(*rect);
        Region inside = Region::rectangle(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
        paint_region(target, Region::rectangle(r).subtracted(inside), fill);
    });
}

BOOL WINAPI InvertRect(HDC handle, const RECT* rect)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc || !rect)
        return FALSE;
    auto target = draw_target(*dc);
    if (target)
        paint_rect(target, *rect, [](uint32_t& pixel) { pixel ^= 0x00FFFFFF; });
    return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC handle, const RECT* rect)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc || !rect)
        return FALSE;
    auto target = draw_target(*dc);
    if (!target)
        return TRUE;
    // Every other pixel of the frame is inverted, so a second call takes the frame away again.
    RECT r = normalised(*rect);
    RegionBuilder builder;
    for (int y = r.top; y < r.bottom; ++y) {
        std::vector<Region::Span> spans;
        bool is_edge_row = y == r.top || y == r.bottom - 1;
        for (int x = r.left; x < r.right; ++x) {
            bool is_edge = is_edge_row || x == r.left || x == r.right - 1;
            if (is_edge && (x + y) % 2 == 0)
                spans.push_back({ x, x + 1 });
        }
        builder.add_row(y, std::move(spans));
    }
    paint_region(target, builder.finish(), [](uint32_t& pixel) { pixel ^= 0x00FFFFFF; });
    return TRUE;
}
