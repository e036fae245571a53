// Pixel loops over what a device context draws on, always inside its clip.
#pragma once

#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/raster_operation.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace sim {

// Saturates instead of overflowing, so that a rectangle near the ends of the int range still clips.
inline RECT offset_rect(RECT rect, POINT by)
{
    auto add = [](LONG value, LONG offset) {
        return static_cast<LONG>(std::clamp<int64_t>(int64_t(value) + offset, INT32_MIN, INT32_MAX));
    };
    return { add(rect.left, by.x), add(rect.top, by.y), add(rect.right, by.x), add(rect.bottom, by.y) };
}

inline RECT normalised(RECT rect)
{
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    return rect;
}

// Visits the parts of the region's spans that lie inside `area`: visit(y, left, right).
template<typename Visit>
void for_each_span(const Region& region, const RECT& area, Visit visit)
{
    for (auto& band : region.bands()) {
        if (band.bottom <= area.top)
            continue;
        if (band.top >= area.bottom)
            break;
        int top = std::max<int>(band.top, area.top);
        int bottom = std::min<int>(band.bottom, area.bottom);
        for (auto& span : band.spans) {
            int left = std::max<int>(span.left, area.left);
            int right = std::min<int>(span.right, area.right);
            if (left >= right)
                continue;
            for (int y = top; y < bottom; ++y)
                visit(y, left, right);
        }
    }
}

// Applies `apply(pixel&)` to every pixel of the DC rectangle that the target lets through.
template<typename Apply>
void paint_rect(const DrawTarget& target, const RECT& dc_rect, Apply apply)
{
    for_each_span(target.clip(), offset_rect(normalised(dc_rect), target.origin()), [&](int y, int left, int right) {
        uint32_t* row = target.bitmap().row(y);
        for (int x = left; x < right; ++x)
            apply(row[x]);
    });
}

// Applies `apply(pixel&)` to every pixel of a shape given in DC coordinates.
template<typename Apply>
void paint_region(const DrawTarget& target, const Region& dc_shape, Apply apply)
{
    POINT origin = target.origin();
    Region area = dc_shape.offsetted(origin.x, origin.y).intersected(target.clip());
    for (auto& band : area.bands()) {
        for (int y = band.top; y < band.bottom; ++y) {
            uint32_t* row = target.bitmap().row(y);
            for (auto& span : band.spans) {
                for (int x = span.left; x < span.right; ++x)
                    apply(row[x]);
            }
        }
    }
}

// The colour a brush lays down in a DC, or none for a null brush or a handle that names none.
std::optional<uint32_t> brush_pixel(const DeviceContext&, HBRUSH);
// The colour of the DC's selected brush and pen, none when they draw nothing.
std::optional<uint32_t> selected_brush_pixel(const DeviceContext&);
std::optional<uint32_t> selected_pen_pixel(const DeviceContext&);
int selected_pen_width(const DeviceContext&);
int selected_pen_style(const DeviceContext&);

// A solid colour laid down with a mix mode, as pens and brushes draw.
struct ColorPaint {
    uint32_t color = 0;
    RasterOperation operation = RasterOperation::from_mix_mode(R2_COPYPEN);
    void operator()(uint32_t& pixel) const { pixel = operation.apply(color, 0, pixel); }
};

}
