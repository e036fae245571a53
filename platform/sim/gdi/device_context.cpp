#include "platform/sim/gdi/device_context.h"

#include "platform/sim/desktop.h"
#include "platform/sim/gdi/gdi_accounting.h"
#include "platform/sim/gdi/gdi_link.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/user/window_surface.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>

namespace sim {

DeviceContext* find_dc(HDC dc)
{
    return handles().find<DeviceContext>(dc);
}

DrawTarget::~DrawTarget()
{
    if (m_bitmap)
        m_bitmap->push_client_bits();
}

namespace {

Bitmap* selected_bitmap(const DeviceContext& dc)
{
    if (auto* bitmap = find_bitmap(dc.state.bitmap))
        return bitmap;
    return &default_bitmap();
}

}

DrawTarget draw_target(const DeviceContext& dc)
{
    DrawTarget target;
    switch (dc.kind) {
    case DeviceContext::Kind::Memory: {
        target.m_bitmap = selected_bitmap(dc);
        target.m_clip = Region::rectangle(0, 0, target.m_bitmap->width(), target.m_bitmap->height());
        break;
    }
    case DeviceContext::Kind::Window: {
        auto surface = window_surface(dc.window, dc.is_whole_window);
        if (!surface.bitmap)
            return target;
        target.m_keep_alive = surface.bitmap;
        target.m_bitmap = surface.bitmap.get();
        target.m_origin = surface.origin;
        target.m_clip = std::move(surface.clip);
        break;
    }
    case DeviceContext::Kind::Screen:
        // FIXME: drawing on the screen DC is dropped; nothing in the system draws there.
        return target;
    }
    if (dc.paint_area)
        target.m_clip = target.m_clip.intersected(dc.paint_area->offsetted(target.m_origin.x, target.m_origin.y));
    if (dc.state.clip)
        target.m_clip = target.m_clip.intersected(dc.state.clip->offsetted(target.m_origin.x, target.m_origin.y));
    target.m_bitmap->pull_client_bits();
    return target;
}

ReadSource read_source(const DeviceContext& dc, const RECT& area)
{
    ReadSource source;
    switch (dc.kind) {
    case DeviceContext::Kind::Memory: {
        Bitmap* bitmap = selected_bitmap(dc);
        bitmap->pull_client_bits();
        source.bitmap = bitmap;
        return source;
    }
    case DeviceContext::Kind::Window: {
        auto surface = window_surface(dc.window, dc.is_whole_window);
        if (!surface.bitmap)
            return source;
        source.keep_alive = surface.bitmap;
        source.bitmap = surface.bitmap.get();
        source.origin = surface.origin;
        return source;
    }
    case DeviceContext::Kind::Screen: {
        // Only the area asked for is composed, clipped to the screen; the composed pixel (0, 0)
        // is the clipped area's corner.
        source.keep_alive = std::make_shared<Bitmap>(compose_screen(area, false));
        source.bitmap = source.keep_alive.get();
        source.origin = { -std::max<LONG>(area.left, 0), -std::max<LONG>(area.top, 0) };
        return source;
    }
    }
    return source;
}

SIZE surface_size(const DeviceContext& dc)
{
    if (dc.kind == DeviceContext::Kind::Memory) {
        Bitmap* bitmap = selected_bitmap(dc);
        return { bitmap->width(), bitmap->height() };
    }
    if (dc.kind == DeviceContext::Kind::Screen)
        return screen_size();
    auto surface = window_surface(dc.window, dc.is_whole_window);
    RECT bounds = surface.clip.bounds();
    return { bounds.right - bounds.left, bounds.bottom - bounds.top };
}

namespace {

// A window whose class asks for a DC of its own keeps it for its life; such a DC does not come
// from the shared cache of window DCs, so holding it is no leak of one.
bool has_own_dc(HWND hwnd)
{
    Window* window = find_window(hwnd);
    return window && window->window_class && (window->window_class->style & (CS_OWNDC | CS_CLASSDC));
}

HDC add_dc(DeviceContext::Kind kind, HWND window, bool whole_window)
{
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = kind;
    dc->window = window;
    dc->is_whole_window = whole_window;
    dc->state.pen = static_cast<HPEN>(stock_object(BLACK_PEN));
    dc->state.brush = static_cast<HBRUSH>(stock_object(WHITE_BRUSH));
    dc->state.font = static_cast<HFONT>(stock_object(SYSTEM_FONT));
    bool is_cached = kind == DeviceContext::Kind::Screen
        || (kind == DeviceContext::Kind::Window && (whole_window || !has_own_dc(window)));
    auto holding = is_cached ? Holding::WindowDc : Holding::GdiObject;
    return reinterpret_cast<HDC>(add_counted_object(std::move(dc), holding));
}

}

HDC create_memory_dc()
{
    HDC dc = add_dc(DeviceContext::Kind::Memory, nullptr, false);
    if (auto* memory = find_dc(dc))
        memory->state.bitmap = default_bitmap_handle();
    return dc;
}

HDC create_window_dc(HWND window, bool whole_window)
{
    if (whole_window || !has_own_dc(window))
        return add_dc(DeviceContext::Kind::Window, window, whole_window);
    Window* owner = find_window(window);
    if (!owner->own_dc)
        owner->own_dc = add_dc(DeviceContext::Kind::Window, window, false);
    return owner->own_dc;
}

void release_own_dc(HWND hwnd)
{
    Window* window = find_window(hwnd);
    if (!window || !window->own_dc)
        return;
    remove_counted_object(window->own_dc);
    window->own_dc = nullptr;
}

void set_paint_area(HDC handle, std::optional<Region> area)
{
    if (auto* dc = find_dc(handle))
        dc->paint_area = std::move(area);
}

HDC create_screen_dc()
{
    return add_dc(DeviceContext::Kind::Screen, nullptr, true);
}

bool release_window_dc(HDC handle)
{
    auto* dc = find_dc(handle);
    if (!dc || dc->is_memory())
        return false;
    Window* window = find_window(dc->window);
    if (window && window->own_dc == handle)
        return true;
    remove_counted_object(handle);
    return true;
}

const Bitmap* dc_bitmap(HDC handle)
{
    auto* dc = find_dc(handle);
    if (!dc || !dc->is_memory())
        return nullptr;
    Bitmap* bitmap = selected_bitmap(*dc);
    bitmap->pull_client_bits();
    return bitmap;
}

POINT dc_origin(HDC handle)
{
    auto* dc = find_dc(handle);
    if (!dc || dc->kind != DeviceContext::Kind::Window)
        return {};
    return window_surface(dc->window, dc->is_whole_window).origin;
}

const Region* region_of(HRGN handle)
{
    auto* object = handles().find<RegionObject>(handle);
    return object ? &object->region : nullptr;
}

bool set_region(HRGN handle, const Region& region)
{
    auto* object = handles().find<RegionObject>(handle);
    if (!object)
        return false;
    object->region = region;
    return true;
}

}
