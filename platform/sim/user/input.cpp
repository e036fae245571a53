#include "platform/sim/user/input.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/activation.h"
#include "platform/sim/user/input_state.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace sim {

namespace {

bool contains(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// The mouse passes through a layered window wherever it shows nothing: fully transparent pixels
// and colour-keyed ones.
bool is_layered_opaque_at(const Window& window, int x, int y)
{
    const LayeredState& layered = window.layered;
    if (window.ex_style & WS_EX_TRANSPARENT)
        return false;
    if (layered.per_pixel) {
        auto& picture = *layered.per_pixel;
        return layered.per_pixel_alpha != 0 && picture.contains(x, y) && (picture.pixel(x, y) >> 24) != 0;
    }
    if (!layered.has_attributes)
        return false;
    if ((layered.flags & LWA_ALPHA) && layered.alpha == 0)
        return false;
    if ((layered.flags & LWA_COLORKEY) && window.surface->contains(x, y)) {
        uint32_t key = (GetRValue(layered.key) << 16) | (GetGValue(layered.key) << 8) | GetBValue(layered.key);
        return (window.surface->pixel(x, y) & 0xFFFFFF) != key;
    }
    return true;
}

bool is_hit_by(const Window& window, POINT point)
{
    RECT screen = window_rect_on_screen(window);
    if (!contains(screen, point))
        return false;
    int x = point.x - screen.left;
    int y = point.y - screen.top;
    if (window.region && !window.region->contains(x, y))
        return false;
    if (!window.parent && window.is_layered())
        return is_layered_opaque_at(window, x, y);
    return true;
}

// The deepest visible window under the point among `list` (front to back), skipping `excluded`.
HWND deepest_at(const std::vector<HWND>& list, POINT point, const std::vector<HWND>& excluded)
{
    for (HWND hwnd : list) {
        Window* window = find_window(hwnd);
        if (!window || !window->is_visible_style() || !is_hit_by(*window, point))
            continue;
        if (std::find(excluded.begin(), excluded.end(), hwnd) != excluded.end())
            continue;
        if (contains(client_rect_on_screen(*window), point)) {
            HWND child = deepest_at(window->children, point, excluded);
            if (child) {
                Window* found = find_window(child);
                if (found && !(found->style & WS_DISABLED))
                    return child;
            }
        }
        return hwnd;
    }
    return nullptr;
}

// Asks a window at once, as the system does for input; a hung window cannot answer, and the
// system answers for it what DefWindowProcA would.
LRESULT ask(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    Window* window = find_window(hwnd);
    if (window && is_process_hung(window->process_id))
        return DefWindowProcA(hwnd, message, wparam, lparam);
    return deliver(hwnd, message, wparam, lparam);
}

WPARAM mouse_key_flags()
{
    WPARAM flags = 0;
    if (is_key_down(VK_LBUTTON))
        flags |= MK_LBUTTON;
    if (is_key_down(VK_RBUTTON))
        flags |= MK_RBUTTON;
    if (is_key_down(VK_MBUTTON))
        flags |= MK_MBUTTON;
    if (is_key_down(VK_SHIFT))
        flags |= MK_SHIFT;
    if (is_key_down(VK_CONTROL))
        flags |= MK_CONTROL;
    return flags;
}

LPARAM client_point(HWND hwnd, POINT screen_point)
{
    Window* window = find_window(hwnd);
    POINT origin = client_origin_on_screen(*window);
    return MAKELPARAM(screen_point.x - origin.x, screen_point.y - origin.y);
}

struct Target {
    HWND hwnd = nullptr;
    LRESULT hit = HTNOWHERE;
};

Target mouse_target(POINT point)
{
    InputState& input = input_state();
    if (input.capture && find_window(input.capture))
        return Target {input.capture, HTCLIENT};
    Target target;
    target.hwnd = window_at(point, &target.hit);
    return target;
}

void set_cursor_for(const Target& target, UINT mouse_message)
{
    if (input_state().capture || !target.hwnd)
        return;
    ask(target.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(target.hwnd),
        MAKELPARAM(static_cast<WORD>(target.hit), mouse_message));
}

// Client-area messages: WM_MOUSEMOVE, WM_LBUTTONDOWN...; the non-client ones lie WM_NCMOUSEMOVE -
// WM_MOUSEMOVE away from them.
void post_mouse_message(const Target& target, UINT client_message, POINT point)
{
    if (target.hit == HTCLIENT) {
        queue_input(target.hwnd, client_message, mouse_key_flags(), client_point(target.hwnd, point));
        return;
    }
    UINT message = client_message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    queue_input(target.hwnd, message, static_cast<WPARAM>(target.hit), MAKELPARAM(point.x, point.y));
}

BYTE button_key(MouseButton button)
{
    switch (button) {
    case MouseButton::Right:
        return VK_RBUTTON;
    case MouseButton::Middle:
        return VK_MBUTTON;
    default:
        return VK_LBUTTON;
    }
}

UINT button_message(MouseButton button, bool is_down)
{
    switch (button) {
    case MouseButton::Right:
        return is_down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case MouseButton::Middle:
        return is_down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
        return is_down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    }
}

// A press activates the top-level window under it unless the window declines.
bool activate_for_press(const Target& target, UINT message)
{
    HWND root = root_of(target.hwnd);
    if (!root || root == input_state().active)
        return true;
    LRESULT answer = ask(target.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root),
        MAKELPARAM(static_cast<WORD>(target.hit), message));
    if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT || answer == 0)
        activate_window(root);
    return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

BYTE generic_key(BYTE key)
{
    switch (key) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return key;
    }
}

bool is_press(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

// Inside a window's client area only a class with CS_DBLCLKS gets double clicks; its frame and
// caption always do.
bool wants_double_clicks(const Window& window, UINT press)
{
    bool is_client = press >= WM_MOUSEFIRST;
    return !is_client || (window.window_class && (window.window_class->style & CS_DBLCLKS));
}

void set_key(BYTE key, bool is_down)
{
    BYTE& state = input_state().keys[key];
    if (is_down && !(state & 0x80))
        state ^= 0x01;
    state = is_down ? (state | 0x80) : (state & ~0x80);
}

}

bool completes_double_click(const MSG& press)
{
    if (!is_press(press.message))
        return false;
    const Window* window = find_window(press.hwnd);
    if (!window || !wants_double_clicks(*window, press.message))
        return false;
    const InputState& input = input_state();
    return input.last_press_window == press.hwnd && input.last_press_message == press.message
        && press.time - input.last_press_time <= double_click_time
        && std::abs(press.pt.x - input.last_press_point.x) <= double_click_size / 2
        && std::abs(press.pt.y - input.last_press_point.y) <= double_click_size / 2;
}

void note_press_taken(const MSG& press, bool was_double)
{
    if (!is_press(press.message))
        return;
    InputState& input = input_state();
    // The press that completes a double click starts no new one: a third press is a single one.
    input.last_press_window = was_double ? nullptr : press.hwnd;
    input.last_press_message = press.message;
    input.last_press_time = press.time;
    input.last_press_point = press.pt;
}

HWND window_at(POINT point, LRESULT* hit)
{
    std::vector<HWND> passed;
    for (;;) {
        HWND hwnd = deepest_at(desktop_window().children, point, passed);
        if (!hwnd) {
            if (hit)
                *hit = HTNOWHERE;
            return nullptr;
        }
        LRESULT code = ask(hwnd, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
        if (code != HTTRANSPARENT || !find_window(hwnd)) {
            if (hit)
                *hit = code;
            return find_window(hwnd) ? hwnd : nullptr;
        }
        passed.push_back(hwnd);
    }
}

void inject_mouse_move(POINT point)
{
    input_state().cursor = point;
    Target target = mouse_target(point);
    if (!target.hwnd)
        return;
    set_cursor_for(target, WM_MOUSEMOVE);
    if (find_window(target.hwnd))
        post_mouse_message(target, WM_MOUSEMOVE, point);
}

void inject_mouse_button(MouseButton button, bool is_down)
{
    POINT point = input_state().cursor;
    set_key(button_key(button), is_down);
    UINT message = button_message(button, is_down);
    Target target = mouse_target(point);
    if (!target.hwnd)
        return;
    if (is_down) {
        set_cursor_for(target, message);
        if (!find_window(target.hwnd) || !activate_for_press(target, message) || !find_window(target.hwnd))
            return;
    }
    post_mouse_message(target, message, point);
}

void inject_mouse_wheel(int delta)
{
    POINT point = input_state().cursor;
    Target target = mouse_target(point);
    if (!target.hwnd)
        return;
    WPARAM wparam = MAKEWPARAM(static_cast<WORD>(mouse_key_flags()), static_cast<WORD>(static_cast<short>(delta)));
    post_message(target.hwnd, WM_MOUSEWHEEL, wparam, MAKELPARAM(point.x, point.y));
}

void inject_key(BYTE key, bool is_down)
{
    set_key(key, is_down);
    BYTE generic = generic_key(key);
    if (generic != key)
        set_key(generic, is_down);
    InputState& input = input_state();
    HWND target = input.focus && find_window(input.focus) ? input.focus : input.active;
    if (!target || !find_window(target))
        return;
    bool is_alt = is_key_down(VK_MENU) && !is_key_down(VK_CONTROL);
    bool is_system = is_alt || generic == VK_MENU || generic == VK_F10 || !input.focus;
    UINT message = is_system ? (is_down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (is_down ? WM_KEYDOWN : WM_KEYUP);
    LPARAM lparam = 1;
    if (is_alt)
        lparam |= 1 << 29;
    if (!is_down)
        lparam |= static_cast<LPARAM>(0xC0000000u);
    queue_input(target, message, generic, lparam);
}

}
