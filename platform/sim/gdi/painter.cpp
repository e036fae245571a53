#include "platform/sim/gdi/painter.h"

#include "platform/api/user.h"
#include "platform/sim/gdi/color.h"
#include "platform/sim/gdi/gdi_objects.h"

namespace sim {

std::optional<uint32_t> brush_pixel(const DeviceContext& dc, HBRUSH handle)
{
    if (is_system_color_brush(handle))
        return gdi_pixel(GetSysColor(static_cast<int>(reinterpret_cast<uintptr_t>(handle)) - 1));
    auto* brush = find_object<Brush>(handle);
    if (!brush || brush->is_null())
        return std::nullopt;
    return gdi_pixel(brush->uses_dc_color ? dc.state.dc_brush_color : brush->color);
}

std::optional<uint32_t> selected_brush_pixel(const DeviceContext& dc)
{
    if (!find_object<Brush>(dc.state.brush))
        return brush_pixel(dc, static_cast<HBRUSH>(stock_object(WHITE_BRUSH)));
    return brush_pixel(dc, dc.state.brush);
}

namespace {

const Pen& selected_pen(const DeviceContext& dc)
{
    auto* pen = find_object<Pen>(dc.state.pen);
    return pen ? *pen : default_pen();
}

}

std::optional<uint32_t> selected_pen_pixel(const DeviceContext& dc)
{
    auto& pen = selected_pen(dc);
    if (pen.is_null())
        return std::nullopt;
    return gdi_pixel(pen.uses_dc_color ? dc.state.dc_pen_color : pen.color);
}

int selected_pen_width(const DeviceContext& dc)
{
    return std::max(selected_pen(dc).width, 1);
}

int selected_pen_style(const DeviceContext& dc)
{
    return selected_pen(dc).style & PS_STYLE_MASK;
}

}
