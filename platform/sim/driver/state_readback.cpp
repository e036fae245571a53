// The driver's read-back of the window system's state and of the screen.
#include "platform/sim/driver.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/input_state.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_surface.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>

namespace sim::driver {

namespace {

WindowState state_of(const Window& window, int z_order)
{
    WindowState state;
    state.handle = window.handle;
    state.parent = window.parent;
    state.owner = window.owner;
    state.process_id = window.process_id;
    state.executable = process_executable(window.process_id);
    state.class_name = window.window_class ? window.window_class->name : std::string();
    state.title = window.text;
    state.style = window.style;
    state.ex_style = window.ex_style;
    state.rect = window_rect_on_screen(window);
    state.client = client_rect_on_screen(window);
    // A top-level window's normal rectangle is kept in screen coordinates.
    state.restored = window.is_minimised() || window.is_maximised() ? window.normal_rect : window.rect;
    if (window.parent)
        state.restored = state.rect;
    state.is_visible = is_shown(window);
    state.is_layered = window.is_layered();
    if (window.layered.has_attributes && (window.layered.flags & LWA_ALPHA))
        state.layered_alpha = window.layered.alpha;
    state.is_per_pixel = window.layered.per_pixel != nullptr;
    if (window.layered.per_pixel)
        state.layered_alpha = window.layered.per_pixel_alpha;
    if (window.region)
        state.region_bounds = window.region->bounds();
    state.z_order = z_order;
    int child_order = 0;
    for (HWND hwnd : window.children)
        if (Window* child = find_window(hwnd))
            state.children.push_back(state_of(*child, child_order++));
    return state;
}

}

std::vector<WindowState> window_tree()
{
    std::vector<WindowState> tree;
    int order = 0;
    for (HWND hwnd : desktop_window().children)
        if (Window* window = find_window(hwnd))
            tree.push_back(state_of(*window, order++));
    return tree;
}

std::optional<WindowState> window_state(HWND hwnd)
{
    Window* window = find_window(hwnd);
    if (!window)
        return std::nullopt;
    auto& siblings = sibling_list(*window);
    int order = static_cast<int>(std::find(siblings.begin(), siblings.end(), hwnd) - siblings.begin());
    return state_of(*window, order);
}

HWND foreground_window()
{
    return input_state().active;
}

HWND focus_window()
{
    return input_state().focus;
}

HWND capture_window()
{
    return input_state().capture;
}

Bitmap screenshot()
{
    SIZE screen = screen_size();
    return compose_screen(RECT {0, 0, screen.cx, screen.cy}, true);
}

}
