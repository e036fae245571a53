#include "platform/sim/user/window_lifecycle.h"

#include "platform/sim/desktop.h"
#include "platform/sim/gdi/gdi_link.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/sim/user/activation.h"
#include "platform/sim/user/freezes.h"
#include "platform/sim/user/input_state.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/nonclient.h"
#include "platform/sim/user/painting.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/timers.h"
#include "platform/sim/user/window_class.h"
#include "platform/sim/user/window_styles.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>

namespace sim {

namespace {

constexpr int default_width = 640;
constexpr int default_height = 480;
// Where Windows parks a minimised top-level window, and the size it gives it.
constexpr int minimised_position = -32000;
constexpr int minimised_width = 160;
constexpr int minimised_height = 28;

LPARAM size_parameter(const Window& window)
{
    RECT client = client_rect_in_window(window);
    return MAKELPARAM(client.right - client.left, client.bottom - client.top);
}

LPARAM move_parameter(const Window& window)
{
    POINT origin = client_origin_on_screen(window);
    if (window.parent && !is_desktop(window.parent)) {
        POINT parent_origin = client_origin_on_screen(parent_of(const_cast<Window&>(window)));
        origin.x -= parent_origin.x;
        origin.y -= parent_origin.y;
    }
    return MAKELPARAM(origin.x, origin.y);
}

WPARAM size_kind(const Window& window)
{
    if (window.is_minimised())
        return SIZE_MINIMIZED;
    if (window.is_maximised())
        return SIZE_MAXIMIZED;
    return SIZE_RESTORED;
}

void send_size_and_move(HWND hwnd)
{
    if (Window* window = find_window(hwnd))
        deliver(hwnd, WM_SIZE, size_kind(*window), size_parameter(*window));
    if (Window* window = find_window(hwnd))
        deliver(hwnd, WM_MOVE, 0, move_parameter(*window));
}

// Hides or shows without touching the placement; returns whether it was visible.
bool set_visible(HWND hwnd, bool is_visible)
{
    Window* window = find_window(hwnd);
    bool was_visible = window->is_visible_style();
    if (was_visible == is_visible)
        return was_visible;
    deliver(hwnd, WM_SHOWWINDOW, is_visible, 0);
    window = find_window(hwnd);
    if (!window)
        return was_visible;
    if (is_visible) {
        window->style |= WS_VISIBLE;
        invalidate_with_children(*window);
        return was_visible;
    }
    window->style &= ~WS_VISIBLE;
    invalidate_parent_under(*window, window->rect);
    InputState& input = input_state();
    if (input.focus && (input.focus == hwnd || is_ancestor(hwnd, input.focus)))
        input.focus = nullptr;
    if (input.active == hwnd)
        activate_next(hwnd);
    return was_visible;
}

// A maximised window fills its parent's client area, or the work area with its frame hanging
// over the edges, so that its client area is what fills the work area's width.
RECT maximised_rect(Window& window)
{
    if (window.parent && !is_desktop(window.parent)) {
        RECT client = client_rect_in_window(parent_of(window));
        return RECT {0, 0, client.right - client.left, client.bottom - client.top};
    }
    RECT area = work_area();
    RECT insets = frame_insets(window.style | WS_MAXIMIZE, window.ex_style);
    int frame_top = has_caption(window.style) ? insets.top - caption_height : insets.top;
    return RECT {area.left - insets.left, area.top - frame_top, area.right + insets.right, area.bottom + insets.bottom};
}

RECT minimised_rect(const Window& window)
{
    if (window.parent)
        return RECT {0, 0, minimised_width, minimised_height};
    return RECT {minimised_position, minimised_position, minimised_position + minimised_width,
        minimised_position + minimised_height};
}

void apply_rect(HWND hwnd, RECT rect)
{
    Window* window = find_window(hwnd);
    rect = clamped_window_rect(rect);
    bool is_resized = rect.right - rect.left != window->width() || rect.bottom - rect.top != window->height();
    const RECT& old_rect = window->rect;
    bool is_changed = rect.left != old_rect.left || rect.top != old_rect.top || rect.right != old_rect.right
        || rect.bottom != old_rect.bottom;
    if (is_changed && window->is_visible_style())
        invalidate_parent_under(*window, old_rect);
    window->rect = rect;
    if (is_resized) {
        resize_surface(*window);
        invalidate(*window, nullptr, true);
        request_frame(*window);
    }
}

void change_placement(HWND hwnd, DWORD state, RECT rect)
{
    Window* window = find_window(hwnd);
    if (!window->is_minimised() && !window->is_maximised())
        window->normal_rect = window->rect;
    window->style = (window->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | state;
    recalculate_frame(*window);
    apply_rect(hwnd, rect);
    send_size_and_move(hwnd);
}

// Moves a window into a placement (WS_MINIMIZE, WS_MAXIMIZE, or 0 for the normal one) unless it is
// in it already, then shows it. Returns false when a message handler destroyed the window meanwhile.
bool show_in_placement(HWND hwnd, bool is_placed, DWORD placement, RECT rect)
{
    if (!is_placed)
        change_placement(hwnd, placement, rect);
    if (!find_window(hwnd))
        return false;
    set_visible(hwnd, true);
    return true;
}

void apply_z_order(Window& window, HWND after)
{
    bool is_top_level = !window.parent;
    if (after == HWND_TOPMOST && is_top_level) {
        window.ex_style |= WS_EX_TOPMOST;
        link_at_front(window);
        return;
    }
    if (after == HWND_NOTOPMOST && is_top_level) {
        // A topmost window that stops being one goes to the front of the others.
        bool was_topmost = window.is_topmost();
        window.ex_style &= ~WS_EX_TOPMOST;
        if (was_topmost)
            link_at_front(window);
        return;
    }
    if (after == HWND_TOP) {
        link_at_front(window);
        return;
    }
    if (after == HWND_BOTTOM) {
        link_at_back(window);
        return;
    }
    if (find_window(after))
        link_after(window, after);
}

void destroy_children_and_owned(HWND hwnd)
{
    std::vector<HWND> owned;
    for (HWND top : desktop_window().children)
        if (Window* window = find_window(top); window && window->owner == hwnd)
            owned.push_back(top);
    for (HWND top : owned)
        destroy_window(top);
    Window* window = find_window(hwnd);
    if (!window)
        return;
    auto children = window->children;
    for (HWND child : children)
        destroy_window(child);
}

}

HWND create_window(const CreateRequest& request)
{
    auto window_class = find_class(request.class_name.c_str());
    if (!window_class)
        return nullptr;
    HWND parent = request.parent;
    HWND owner = nullptr;
    if (request.style & WS_CHILD) {
        if (!find_window(parent))
            return nullptr;
    } else {
        if (parent && !find_window(parent))
            return nullptr;
        owner = parent && !is_desktop(parent) ? root_of(parent) : nullptr;
        parent = nullptr;
    }
    if (parent && is_desktop(parent))
        parent = nullptr;

    auto object = std::make_unique<Window>();
    Window* window = object.get();
    window->window_class = window_class;
    window->procedure = window_class->procedure;
    window->text = request.title;
    window->style = style_at_creation(request.style) & ~WS_VISIBLE;
    window->ex_style = ex_style_following_frame(window->style, request.ex_style);
    recalculate_frame(*window);
    window->menu = (request.style & WS_CHILD) ? nullptr : request.menu;
    window->parent = parent;
    window->owner = owner;
    window->process_id = current_process_id();
    window->instance = request.instance;
    window->id = (request.style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(request.menu) : 0;
    window->extra.assign(std::max(window_class->window_extra, 0), 0);
    int x = request.x;
    int y = request.y;
    int width = request.width;
    int height = request.height;
    if (x == CW_USEDEFAULT) {
        // Default positions cascade with the number of windows already on the desktop.
        int step = static_cast<int>(desktop_window().children.size() % 10);
        x = 40 + 24 * step;
        y = 40 + 24 * step;
    }
    if (width == CW_USEDEFAULT) {
        width = default_width;
        height = default_height;
    }
    window->rect = clamped_window_rect(x, y, width, height);
    x = window->rect.left;
    y = window->rect.top;
    width = window->width();
    height = window->height();
    window->normal_rect = window->rect;
    window->surface->fill(0xFFFFFFFF);
    resize_surface(*window);
    HWND hwnd = reinterpret_cast<HWND>(handles().add_at(request.handle, std::move(object)));
    window->handle = hwnd;
    // A new child goes behind its siblings, a new top-level window in front of the others, as on
    // Windows: the controls of a dialog so lie in the order they were made.
    if (window->parent)
        link_at_back(*window);
    else
        link_at_front(*window);

    CREATESTRUCTA create {};
    create.lpCreateParams = request.parameter;
    create.hInstance = request.instance;
    create.hMenu = request.menu;
    create.hwndParent = request.parent;
    create.cx = width;
    create.cy = height;
    create.x = x;
    create.y = y;
    create.style = static_cast<LONG>(request.style);
    create.lpszName = request.title.c_str();
    create.lpszClass = request.class_name.c_str();
    create.dwExStyle = request.ex_style;
    if (!deliver(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        destroy_window(hwnd);
        return nullptr;
    }
    if (!find_window(hwnd) || deliver(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        destroy_window(hwnd);
        return nullptr;
    }
    if (!find_window(hwnd))
        return nullptr;
    send_size_and_move(hwnd);
    if (!find_window(hwnd))
        return nullptr;
    if (DWORD state = request.style & (WS_MAXIMIZE | WS_MINIMIZE)) {
        Window* created = find_window(hwnd);
        created->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
        RECT rect = (state & WS_MAXIMIZE) ? maximised_rect(*created) : minimised_rect(*created);
        change_placement(hwnd, (state & WS_MAXIMIZE) ? WS_MAXIMIZE : WS_MINIMIZE, rect);
    }
    if ((request.style & WS_VISIBLE) && find_window(hwnd))
        show_window(hwnd, (request.style & WS_MINIMIZE) ? SW_SHOWMINNOACTIVE : SW_SHOW);
    if (Window* created = find_window(hwnd))
        invalidate_with_children(*created);
    return find_window(hwnd) ? hwnd : nullptr;
}

bool destroy_window(HWND hwnd)
{
    Window* window = find_window(hwnd);
    if (!window || is_desktop(hwnd))
        return false;
    if (window->is_destroying)
        return true;
    window->is_destroying = true;
    BlockingCall call;
    if (window->is_visible_style())
        set_visible(hwnd, false);
    forget_input_for(hwnd);
    deliver(hwnd, WM_DESTROY, 0, 0);
    destroy_children_and_owned(hwnd);
    deliver(hwnd, WM_NCDESTROY, 0, 0);
    window = find_window(hwnd);
    if (!window)
        return true;
    forget_input_for(hwnd);
    kill_window_timers(hwnd);
    drop_window_messages(hwnd);
    release_own_dc(hwnd);
    unlink_from_parent(*window);
    handles().remove(hwnd);
    return true;
}

HWND set_parent(HWND hwnd, HWND new_parent)
{
    Window* window = find_window(hwnd);
    if (!window || is_desktop(hwnd))
        return nullptr;
    if (!new_parent)
        new_parent = desktop_handle();
    // A window cannot go inside itself or one of its descendants; owners do not count, as on Windows.
    if (!find_window(new_parent) || new_parent == hwnd || is_ancestor(hwnd, new_parent))
        return nullptr;
    BlockingCall call;
    HWND previous = window->parent ? window->parent : desktop_handle();
    bool was_visible = window->is_visible_style();
    if (was_visible)
        set_visible(hwnd, false);
    window = find_window(hwnd);
    if (!window)
        return nullptr;
    unlink_from_parent(*window);
    // The owner stays, also inside another window: destroying the owner then leaves the window,
    // which is no longer top-level, in place.
    window->parent = is_desktop(new_parent) ? nullptr : new_parent;
    link_at_front(*window);
    if (was_visible)
        set_visible(hwnd, true);
    if (Window* moved = find_window(hwnd))
        invalidate_with_children(*moved);
    // Windows brings the window to the top as it places it, without keeping activation off: a
    // hidden pop-up made top-level becomes the active window and takes the focus.
    Window* moved = find_window(hwnd);
    if (moved && !moved->parent && !was_visible && (moved->style & (WS_POPUP | WS_CHILD)) == WS_POPUP)
        activate_window(hwnd);
    return previous;
}

bool show_window(HWND hwnd, int command)
{
    Window* window = find_window(hwnd);
    if (!window)
        return false;
    BlockingCall call;
    bool was_visible = window->is_visible_style();
    // Showing a child never activates anything, as on Windows; nor do the commands that say so.
    bool activates = !(window->style & WS_CHILD) && command != SW_SHOWNOACTIVATE && command != SW_SHOWNA;
    auto activate_if_shown = [&](bool is_shown) {
        if (is_shown && activates)
            activate_window(hwnd);
        return was_visible;
    };
    switch (command) {
    case SW_HIDE:
        set_visible(hwnd, false);
        return was_visible;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        if (!window->is_minimised())
            window->restores_maximised = window->is_maximised();
        if (show_in_placement(hwnd, window->is_minimised(), WS_MINIMIZE, minimised_rect(*window))
            && input_state().active == hwnd)
            activate_next(hwnd);
        return was_visible;
    case SW_SHOWMAXIMIZED:
        return activate_if_shown(show_in_placement(hwnd, window->is_maximised(), WS_MAXIMIZE, maximised_rect(*window)));
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWNOACTIVATE:
    case SW_SHOWDEFAULT: {
        if (window->is_minimised() && window->restores_maximised) {
            // A window minimised from maximised comes back maximised; the next restore makes it
            // normal. The placement keeps the flag until the window is minimised again.
            return activate_if_shown(show_in_placement(hwnd, false, WS_MAXIMIZE, maximised_rect(*window)));
        }
        bool is_normal = !window->is_minimised() && !window->is_maximised();
        return activate_if_shown(show_in_placement(hwnd, is_normal, 0, window->normal_rect));
    }
    case SW_SHOW:
    case SW_SHOWNA:
        set_visible(hwnd, true);
        return activate_if_shown(find_window(hwnd) != nullptr);
    default:
        return was_visible;
    }
}

bool set_window_pos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags)
{
    Window* window = find_window(hwnd);
    if (!window || is_desktop(hwnd))
        return false;
    BlockingCall call;
    // Showing or hiding through SetWindowPos neither moves nor sizes the window, as on Windows.
    if (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
        flags |= SWP_NOMOVE | SWP_NOSIZE;
    x = clamped_position(x);
    y = clamped_position(y);
    width = clamped_extent(width);
    height = clamped_extent(height);
    // A minimised window keeps its place, its size and the rectangle it takes when restored, as on
    // Windows: only SetWindowPlacement changes where it comes back.
    if (window->is_minimised())
        flags |= SWP_NOMOVE | SWP_NOSIZE;
    WINDOWPOS position {hwnd, insert_after, x, y, width, height, flags};
    if (flags & SWP_NOMOVE) {
        position.x = window->rect.left;
        position.y = window->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        position.cx = window->width();
        position.cy = window->height();
    }
    if (!(flags & SWP_NOSENDCHANGING))
        deliver(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    window = find_window(hwnd);
    if (!window)
        return false;
    RECT old_rect = window->rect;
    RECT new_rect = clamped_window_rect(position.x, position.y, position.cx, position.cy);
    bool is_moved = new_rect.left != old_rect.left || new_rect.top != old_rect.top;
    bool is_resized = new_rect.right - new_rect.left != window->width() || new_rect.bottom - new_rect.top != window->height();
    // A size that is the window's own counts as no size, as on Windows.
    bool is_frame_worked_out = is_resized || (position.flags & SWP_FRAMECHANGED);
    if (is_frame_worked_out && (recalculate_frame(*window) || (position.flags & SWP_FRAMECHANGED))) {
        invalidate(*window, nullptr, true);
        window->needs_frame = true;
    }
    apply_rect(hwnd, new_rect);
    if (!window->is_minimised() && !window->is_maximised())
        window->normal_rect = new_rect;
    if (!(position.flags & SWP_NOZORDER))
        apply_z_order(*window, position.hwndInsertAfter);
    if (position.flags & SWP_SHOWWINDOW)
        set_visible(hwnd, true);
    if (position.flags & SWP_HIDEWINDOW)
        set_visible(hwnd, false);
    window = find_window(hwnd);
    if (!window)
        return true;
    if (!(position.flags & SWP_NOACTIVATE) && !window->parent && window->is_visible_style()
        && !(position.flags & SWP_HIDEWINDOW))
        activate_window(hwnd);
    deliver(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    if (is_resized && find_window(hwnd))
        deliver(hwnd, WM_SIZE, size_kind(*find_window(hwnd)), size_parameter(*find_window(hwnd)));
    if (is_moved && find_window(hwnd))
        deliver(hwnd, WM_MOVE, 0, move_parameter(*find_window(hwnd)));
    return true;
}

DWORD set_style(HWND hwnd, int index, DWORD value)
{
    Window* window = find_window(hwnd);
    if (!window)
        return 0;
    BlockingCall call;
    DWORD& field = index == GWL_STYLE ? window->style : window->ex_style;
    DWORD old_value = field;
    STYLESTRUCT change {old_value, value};
    deliver(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    window = find_window(hwnd);
    if (!window)
        return old_value;
    if (index == GWL_STYLE)
        window->style = style_kept(change.styleNew, !window->parent);
    else
        window->ex_style = change.styleNew;
    window->ex_style = ex_style_following_frame(window->style, window->ex_style);
    if (index == GWL_EXSTYLE && (old_value & WS_EX_LAYERED) && !(change.styleNew & WS_EX_LAYERED))
        window->layered = LayeredState {};
    if (index == GWL_STYLE && (old_value & WS_VISIBLE) != (change.styleNew & WS_VISIBLE)
        && !(change.styleNew & WS_VISIBLE)) {
        invalidate_parent_under(*window, window->rect);
        forget_input_for(hwnd);
    }
    invalidate_with_children(*window);
    deliver(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    return old_value;
}

}
