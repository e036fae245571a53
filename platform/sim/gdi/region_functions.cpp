// Region objects, their combinations, and the clip region of a device context.
#include "platform/api/gdi.h"

#include "platform/sim/gdi/coordinate_space.h"
#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/gdi_accounting.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/gdi/painter.h"
#include "platform/sim/user/process_faults.h"

#include <optional>
#include <span>

using namespace sim;

namespace {

HRGN add_region(Region region)
{
    auto object = std::make_unique<RegionObject>();
    object->region = std::move(region);
    return reinterpret_cast<HRGN>(add_counted_object(std::move(object)));
}

Region* find_region(HRGN handle)
{
    auto* object = find_object<RegionObject>(handle);
    return object ? &object->region : nullptr;
}

int region_type(const Region& region)
{
    if (region.is_empty())
        return NULLREGION;
    return region.is_rectangle() ? SIMPLEREGION : COMPLEXREGION;
}

// How a combining mode other than RGN_COPY combines two regions; none for an unknown mode.
std::optional<Region::Operation> operation_of(int mode)
{
    switch (mode) {
    case RGN_AND:
        return Region::Operation::Intersection;
    case RGN_OR:
        return Region::Operation::Union;
    case RGN_XOR:
        return Region::Operation::Xor;
    case RGN_DIFF:
        return Region::Operation::Difference;
    }
    return std::nullopt;
}

// The clip of a DC in DC coordinates: its selected region, or everything it draws on.
Region effective_clip(const DeviceContext& dc)
{
    if (dc.state.clip)
        return *dc.state.clip;
    SIZE size = surface_size(dc);
    return Region::rectangle(0, 0, size.cx, size.cy);
}

// Replaces the DC's clip with its combination with `region`, and answers the new clip's type.
int combine_clip(DeviceContext& dc, const Region& region, Region::Operation operation)
{
    dc.state.clip = effective_clip(dc).combined(region, operation);
    return region_type(*dc.state.clip);
}

}

// A rectangle beyond the coordinate space is cut back to it, as Windows does.
Region rectangle_in_coordinate_space(int left, int top, int right, int bottom)
{
    return Region::rectangle(clamped_to_coordinate_space(left), clamped_to_coordinate_space(top),
        clamped_to_coordinate_space(right), clamped_to_coordinate_space(bottom));
}

HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom)
{
    sim::ApiCall api_call;
    return add_region(rectangle_in_coordinate_space(left, top, right, bottom));
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* rect)
{
    sim::ApiCall api_call;
    if (!rect)
        return nullptr;
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

// Rounded and elliptic regions leave out the right column and the bottom row of their bounding
// rectangle, as Windows makes them; programs add one to cover a whole window.
HRGN WINAPI CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height)
{
    sim::ApiCall api_call;
    RECT bounds = normalised({ left, top, right, bottom });
    if (!is_possible_shape(bounds))
        return nullptr;
    return add_region(Region::rounded_rectangle(bounds.left, bounds.top, bounds.right - 1, bounds.bottom - 1, width, height));
}

HRGN WINAPI CreateEllipticRgn(int left, int top, int right, int bottom)
{
    sim::ApiCall api_call;
    RECT bounds = normalised({ left, top, right, bottom });
    if (!is_possible_shape(bounds))
        return nullptr;
    // The rounded rectangle whose corner ellipse spans the whole rectangle given.
    return add_region(Region::rounded_rectangle(bounds.left, bounds.top, bounds.right - 1, bounds.bottom - 1,
        bounds.right - bounds.left, bounds.bottom - bounds.top));
}

HRGN WINAPI CreatePolygonRgn(const POINT* points, int count, int mode)
{
    sim::ApiCall api_call;
    if (!points || count < 0)
        return nullptr;
    if (count > 0 && !is_possible_shape(bounds_of(std::span(points, count))))
        return nullptr;
    return add_region(Region::polygon(std::span(points, count), mode == WINDING));
}

int WINAPI CombineRgn(HRGN destination, HRGN first, HRGN second, int mode)
{
    sim::ApiCall api_call;
    Region* target = find_region(destination);
    Region* one = find_region(first);
    if (!target || !one)
        return ERROR;
    if (mode == RGN_COPY) {
        *target = *one;
        return region_type(*target);
    }
    Region* other = find_region(second);
    if (!other)
        return ERROR;
    auto operation = operation_of(mode);
    if (!operation)
        return ERROR;
    // Combining into the first source, as shapes are built step by step, works in place.
    if (target == one)
        target->combine(*other, *operation);
    else
        *target = one->combined(*other, *operation);
    return region_type(*target);
}

int WINAPI OffsetRgn(HRGN handle, int dx, int dy)
{
    sim::ApiCall api_call;
    Region* region = find_region(handle);
    if (!region)
        return ERROR;
    // A region moved beyond the coordinate space stays where it was.
    RECT box = region->bounds();
    if (!region->is_empty() && !is_rect_in_coordinate_space(int64_t(box.left) + dx, int64_t(box.top) + dy,
            int64_t(box.right) - box.left, int64_t(box.bottom) - box.top))
        return ERROR;
    region->offset(dx, dy);
    return region_type(*region);
}

int WINAPI GetRgnBox(HRGN handle, LPRECT rect)
{
    sim::ApiCall api_call;
    Region* region = find_region(handle);
    if (!region || !rect)
        return ERROR;
    *rect = region->bounds();
    return region_type(*region);
}

BOOL WINAPI SetRectRgn(HRGN handle, int left, int top, int right, int bottom)
{
    sim::ApiCall api_call;
    Region* region = find_region(handle);
    if (!region)
        return FALSE;
    *region = rectangle_in_coordinate_space(left, top, right, bottom);
    return TRUE;
}

BOOL WINAPI PtInRegion(HRGN handle, int x, int y)
{
    sim::ApiCall api_call;
    Region* region = find_region(handle);
    return region && region->contains(x, y);
}

BOOL WINAPI RectInRegion(HRGN handle, const RECT* rect)
{
    sim::ApiCall api_call;
    Region* region = find_region(handle);
    return region && rect && region->intersects(normalised(*rect));
}

BOOL WINAPI EqualRgn(HRGN first, HRGN second)
{
    sim::ApiCall api_call;
    Region* one = find_region(first);
    Region* other = find_region(second);
    if (!one || !other)
        return ERROR;
    return *one == *other;
}

BOOL WINAPI FillRgn(HDC handle, HRGN region_handle, HBRUSH brush)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    Region* region = find_region(region_handle);
    if (!dc || !region)
        return FALSE;
    auto color = brush_pixel(*dc, brush);
    if (!color)
        return FALSE;
    auto target = draw_target(*dc);
    if (!target)
        return TRUE;
    paint_region(target, *region, [&](uint32_t& pixel) { pixel = *color; });
    return TRUE;
}

BOOL WINAPI FrameRgn(HDC handle, HRGN region_handle, HBRUSH brush, int width, int height)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    Region* region = find_region(region_handle);
    if (!dc || !region || width <= 0 || height <= 0)
        return FALSE;
    auto color = brush_pixel(*dc, brush);
    if (!color)
        return FALSE;
    // The frame is what lies within width or height of the region's outside.
    Region inside = region->intersected(region->offsetted(width, 0))
                        .intersected(region->offsetted(-width, 0))
                        .intersected(region->offsetted(0, height))
                        .intersected(region->offsetted(0, -height));
    auto target = draw_target(*dc);
    if (!target)
        return TRUE;
    paint_region(target, region->subtracted(inside), [&](uint32_t& pixel) { pixel = *color; });
    return TRUE;
}

int WINAPI ExtSelectClipRgn(HDC handle, HRGN region_handle, int mode)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc)
        return ERROR;
    Region* region = find_region(region_handle);
    if (!region) {
        if (mode != RGN_COPY)
            return ERROR;
        dc->state.clip.reset();
        return SIMPLEREGION;
    }
    if (mode == RGN_COPY) {
        dc->state.clip = *region;
        return region_type(*dc->state.clip);
    }
    auto operation = operation_of(mode);
    if (!operation)
        return ERROR;
    return combine_clip(*dc, *region, *operation);
}

int WINAPI SelectClipRgn(HDC handle, HRGN region)
{
    sim::ApiCall api_call;
    return ExtSelectClipRgn(handle, region, RGN_COPY);
}

int WINAPI GetClipRgn(HDC handle, HRGN region_handle)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    Region* region = find_region(region_handle);
    if (!dc || !region)
        return -1;
    if (!dc->state.clip)
        return 0;
    *region = *dc->state.clip;
    return 1;
}

int WINAPI GetClipBox(HDC handle, LPRECT rect)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc || !rect)
        return ERROR;
    SIZE size = surface_size(*dc);
    Region visible = effective_clip(*dc).intersected(Region::rectangle(0, 0, size.cx, size.cy));
    if (dc->paint_area)
        visible = visible.intersected(*dc->paint_area);
    *rect = visible.bounds();
    return region_type(visible);
}

int WINAPI IntersectClipRect(HDC handle, int left, int top, int right, int bottom)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc)
        return ERROR;
    return combine_clip(*dc, Region::rectangle(left, top, right, bottom), Region::Operation::Intersection);
}

int WINAPI ExcludeClipRect(HDC handle, int left, int top, int right, int bottom)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc)
        return ERROR;
    return combine_clip(*dc, Region::rectangle(left, top, right, bottom), Region::Operation::Difference);
}
