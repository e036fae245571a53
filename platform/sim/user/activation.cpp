#include "platform/sim/user/activation.h"

#include "platform/sim/user/freezes.h"
#include "platform/sim/user/input_state.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_tree.h"

#include <optional>

namespace sim {

namespace {

// A hidden window can be activated (and take the focus) when asked for by name, as on Windows; only
// the choice of the next window to activate passes over hidden ones.
bool can_activate(const Window& window)
{
    return !(window.style & WS_DISABLED) && !(window.ex_style & WS_EX_NOACTIVATE);
}

bool is_within(HWND hwnd, HWND container)
{
    return hwnd && (hwnd == container || is_ancestor(container, hwnd));
}

}

bool activate_window(HWND hwnd)
{
    HWND root = top_level_by_style(hwnd);
    Window* window = find_window(root);
    if (!window || is_desktop(root) || !can_activate(*window))
        return false;
    InputState& input = input_state();
    // Brought to the front as SetWindowPos does it, so that a window that keeps its place in the
    // z-order (the shell's desktop window stays at the bottom) can say so.
    set_window_pos(root, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!find_window(root))
        return false;
    if (input.active == root)
        return true;
    HWND previous = input.active;
    input.active = root;
    if (previous && find_window(previous)) {
        QueuedNotification queued;
        deliver(previous, WM_NCACTIVATE, FALSE, 0);
        deliver(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(root));
    }
    if (!find_window(root) || input.active != root)
        return input.active == root;
    deliver(root, WM_NCACTIVATE, TRUE, 0);
    deliver(root, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    if (input.active == root && !is_within(input.focus, root))
        set_focus(root);
    return true;
}

void activate_next(HWND leaving)
{
    InputState& input = input_state();
    for (HWND candidate : desktop_window().children) {
        Window* window = find_window(candidate);
        if (candidate == leaving || !window || !is_shown(*window) || !can_activate(*window) || window->is_minimised())
            continue;
        if (window->ex_style & WS_EX_TOOLWINDOW)
            continue;
        // The system hands the activation of another process's window to that window's thread
        // without waiting for it: one that does not answer holds up nobody.
        std::optional<QueuedNotification> queued;
        if (window->process_id != current_process_id())
            queued.emplace();
        activate_window(candidate);
        return;
    }
    if (input.active == leaving || is_within(input.active, leaving)) {
        input.active = nullptr;
        input.focus = nullptr;
    }
}

HWND set_focus(HWND hwnd)
{
    InputState& input = input_state();
    HWND original = input.focus;
    if (hwnd && !find_window(hwnd))
        return nullptr;
    if (hwnd && top_level_by_style(hwnd) != input.active && !activate_window(hwnd))
        return nullptr;
    HWND previous = input.focus;
    if (hwnd == previous)
        return original;
    input.focus = hwnd;
    if (previous && find_window(previous)) {
        QueuedNotification queued;
        deliver(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (hwnd && input.focus == hwnd)
        deliver(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return original;
}

void forget_input_for(HWND hwnd)
{
    InputState& input = input_state();
    if (is_within(input.capture, hwnd)) {
        HWND capture = input.capture;
        input.capture = nullptr;
        deliver(capture, WM_CAPTURECHANGED, 0, 0);
    }
    if (is_within(input.focus, hwnd))
        input.focus = nullptr;
    if (is_within(input.active, hwnd))
        activate_next(input.active);
    if (input.last_press_window == hwnd)
        input.last_press_window = nullptr;
}

}
