#include "platform/sim/user/painting.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_surface.h"
#include "platform/sim/user/window_tree.h"

namespace sim {

namespace {

// Whether a window may wait for WM_PAINT: set by every invalidation, cleared when a look through
// all windows found none. A message loop that checks for messages over and over (a pause) then
// costs one look, not one walk of every window per check.
bool g_may_need_paint = true;
const bool forgets_on_reset = (on_reset([] { g_may_need_paint = true; }), true);

// `is_skipping` is set when a window of a hung process was passed over: it waits for its process.
HWND first_needing_paint(Window& parent, HWND filter, bool& is_skipping)
{
    for (HWND hwnd : parent.children) {
        Window* window = find_window(hwnd);
        if (!window || !window->is_visible_style())
            continue;
        if (is_process_hung(window->process_id)) {
            is_skipping = true;
            continue;
        }
        if ((!window->update.is_empty() || window->needs_frame) && matches_filter(hwnd, filter))
            return hwnd;
        if (HWND child = first_needing_paint(*window, filter, is_skipping))
            return child;
    }
    return nullptr;
}

void invalidate_area(Window& window, const Region& client_area, bool erase)
{
    RECT client = client_rect_in_window(window);
    Region area = client_area.intersected(RECT {0, 0, client.right - client.left, client.bottom - client.top});
    if (area.is_empty())
        return;
    window.update = window.update.united(area);
    window.needs_erase = window.needs_erase || erase;
    g_may_need_paint = true;
}

}

void invalidate(Window& window, const RECT* client_rect, bool erase)
{
    RECT client = client_rect_in_window(window);
    RECT rect = client_rect ? *client_rect : RECT {0, 0, client.right - client.left, client.bottom - client.top};
    invalidate_area(window, Region::rectangle(rect), erase);
}

void invalidate_descendants_in(Window& window, const Region& area)
{
    RECT client = client_rect_in_window(window);
    for (HWND hwnd : window.children) {
        Window* child = find_window(hwnd);
        if (!child || !child->is_visible_style())
            continue;
        Region in_child = area.offsetted(-(client.left + child->rect.left), -(client.top + child->rect.top))
                              .intersected(RECT {0, 0, child->width(), child->height()});
        if (in_child.is_empty())
            continue;
        RECT child_client = client_rect_in_window(*child);
        invalidate_area(*child, in_child.offsetted(-child_client.left, -child_client.top), true);
        request_frame(*child);
        invalidate_descendants_in(*child, in_child);
    }
}

void invalidate_parent_under(const Window& child, const RECT& rect)
{
    if (!child.parent || is_desktop(child.parent))
        return;
    if (Window* parent = find_window(child.parent))
        invalidate(*parent, &rect, true);
}

void request_frame(Window& window)
{
    window.needs_frame = true;
    g_may_need_paint = true;
}

void invalidate_with_children(Window& window)
{
    invalidate(window, nullptr, true);
    request_frame(window);
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
    if (!g_may_need_paint)
        return nullptr;
    Window& desktop = desktop_window();
    if (!desktop.update.is_empty() && matches_filter(desktop.handle, filter))
        return desktop.handle;
    bool is_skipping = false;
    HWND found = first_needing_paint(desktop, filter, is_skipping);
    if (!found && !filter && !is_skipping && desktop.update.is_empty())
        g_may_need_paint = false;
    return found;
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
    Bitmap& surface = *window.surface;
    if (surface.width() == size.cx && surface.height() == size.cy)
        return;
    surface.resize(size.cx, size.cy, 0xFFFFFFFF);
}

}
