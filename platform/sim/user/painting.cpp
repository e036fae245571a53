#include "platform/sim/user/painting.h"

#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_surface.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>
#include <cstring>

namespace sim {

namespace {

HWND first_needing_paint(Window& parent, HWND filter)
{
    for (HWND hwnd : parent.children) {
        Window* window = find_window(hwnd);
        if (!window || !window->is_visible_style() || is_process_hung(window->process_id))
            continue;
        if ((!window->update.is_empty() || window->needs_frame) && matches_filter(hwnd, filter))
            return hwnd;
        if (HWND child = first_needing_paint(*window, filter))
            return child;
    }
    return nullptr;
}

}

void invalidate(Window& window, const RECT* client_rect, bool erase)
{
    RECT client = client_rect_in_window(window);
    RECT whole {0, 0, client.right - client.left, client.bottom - client.top};
    RECT rect = client_rect ? *client_rect : whole;
    Region area = Region::rectangle(rect).intersected(whole);
    if (area.is_empty())
        return;
    window.update = window.update.united(area);
    window.needs_erase = window.needs_erase || erase;
}

void invalidate_with_children(Window& window)
{
    invalidate(window, nullptr, true);
    window.needs_frame = true;
    for (HWND hwnd : window.children)
        if (Window* child = find_window(hwnd))
            invalidate_with_children(*child);
}

void validate(Window& window, const RECT* client_rect)
{
    if (!client_rect) {
        window.update = Region();
        window.needs_erase = false;
        return;
    }
    window.update = window.update.subtracted(Region::rectangle(*client_rect));
}

HWND window_needing_paint(HWND filter)
{
    Window& desktop = desktop_window();
    if (!desktop.update.is_empty() && matches_filter(desktop.handle, filter))
        return desktop.handle;
    return first_needing_paint(desktop, filter);
}

void validate_after_paint(HWND hwnd)
{
    if (Window* window = find_window(hwnd)) {
        validate(*window, nullptr);
        window->needs_frame = false;
    }
}

void resize_surface(Window& window)
{
    SIZE size = surface_size_for(window.width(), window.height());
    int width = size.cx;
    int height = size.cy;
    Bitmap& surface = *window.surface;
    if (surface.width() == width && surface.height() == height)
        return;
    Bitmap resized(width, height);
    resized.fill(0xFFFFFFFF);
    int shared_width = std::min(width, surface.width());
    int shared_height = shared_width > 0 ? std::min(height, surface.height()) : 0;
    for (int y = 0; y < shared_height; ++y)
        std::memcpy(resized.row(y), surface.row(y), sizeof(uint32_t) * shared_width);
    surface = std::move(resized);
}

}
