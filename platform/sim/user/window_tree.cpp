#include "platform/sim/user/window_tree.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/desktop_window.h"
#include "platform/sim/user/nonclient.h"
#include "platform/sim/user/process_table.h"

#include <algorithm>

namespace sim {

namespace {

HWND g_desktop = nullptr;

// Numbers the siblings from `first` on after the list changed there.
void renumber_from(std::vector<HWND>& list, size_t first)
{
    for (size_t position = first; position < list.size(); ++position) {
        if (Window* sibling = find_window(list[position]))
            sibling->sibling_position = position;
    }
}

void insert_at(std::vector<HWND>& list, size_t position, Window& window)
{
    list.insert(list.begin() + position, window.handle);
    renumber_from(list, position);
}

// Topmost windows stand at the front of a z-order list; this is where the others begin.
size_t end_of_topmost(const std::vector<HWND>& list)
{
    size_t position = 0;
    while (position < list.size()) {
        Window* sibling = find_window(list[position]);
        if (!sibling || !sibling->is_topmost())
            break;
        ++position;
    }
    return position;
}

// The first position a window may take among its siblings: behind every topmost window unless it
// is topmost itself.
size_t first_allowed_position(const Window& window, const std::vector<HWND>& list)
{
    if (window.parent || window.is_topmost())
        return 0;
    return end_of_topmost(list);
}

// The last position: in front of every non-topmost window when it is topmost itself.
size_t last_allowed_position(const Window& window, const std::vector<HWND>& list)
{
    if (window.parent || !window.is_topmost())
        return list.size();
    return end_of_topmost(list);
}

}

Window* find_window(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    return handles().find<Window>(hwnd);
}

Window& desktop_window()
{
    ensure_desktop();
    return *handles().find<Window>(g_desktop);
}

HWND desktop_handle()
{
    return desktop_window().handle;
}

bool is_desktop(HWND hwnd)
{
    return hwnd && hwnd == desktop_handle();
}

Window& parent_of(Window& window)
{
    if (window.parent)
        if (Window* parent = find_window(window.parent))
            return *parent;
    return desktop_window();
}

std::vector<HWND>& sibling_list(Window& window)
{
    return parent_of(window).children;
}

HWND root_of(HWND hwnd)
{
    Window* window = find_window(hwnd);
    while (window && window->parent && !is_desktop(window->parent))
        window = find_window(window->parent);
    return window ? window->handle : nullptr;
}

HWND root_owner_of(HWND hwnd)
{
    HWND root = root_of(hwnd);
    // A window moved into one it owns makes the walk come round again; a bound keeps it finite.
    for (size_t steps = 0; steps < handles().size(); ++steps) {
        Window* top = find_window(root);
        if (!top || !top->owner || !find_window(top->owner))
            break;
        root = root_of(top->owner);
    }
    return root;
}

HWND top_level_by_style(HWND hwnd)
{
    Window* window = find_window(hwnd);
    while (window && (window->style & WS_CHILD) && window->parent && !is_desktop(window->parent))
        window = find_window(window->parent);
    return window ? window->handle : nullptr;
}

std::optional<size_t> position_among_siblings(Window& window)
{
    auto& list = sibling_list(window);
    if (window.sibling_position < list.size() && list[window.sibling_position] == window.handle)
        return window.sibling_position;
    return std::nullopt;
}

void unlink_from_parent(Window& window)
{
    auto& list = sibling_list(window);
    auto position = position_among_siblings(window);
    if (!position)
        return;
    list.erase(list.begin() + *position);
    renumber_from(list, *position);
}

void link_at_front(Window& window)
{
    unlink_from_parent(window);
    auto& list = sibling_list(window);
    insert_at(list, first_allowed_position(window, list), window);
}

void link_at_back(Window& window)
{
    unlink_from_parent(window);
    auto& list = sibling_list(window);
    insert_at(list, last_allowed_position(window, list), window);
}

void link_after(Window& window, HWND insert_after)
{
    if (insert_after == window.handle)
        return;
    unlink_from_parent(window);
    auto& list = sibling_list(window);
    Window* after = find_window(insert_after);
    auto after_position = after && &parent_of(*after) == &parent_of(window) ? position_among_siblings(*after) : std::nullopt;
    if (!after_position) {
        insert_at(list, first_allowed_position(window, list), window);
        return;
    }
    size_t position = std::clamp(*after_position + 1, first_allowed_position(window, list),
        last_allowed_position(window, list));
    insert_at(list, position, window);
}

POINT client_origin_on_screen(const Window& window)
{
    RECT screen = window_rect_on_screen(window);
    RECT insets = frame_insets(window);
    return POINT {screen.left + insets.left, screen.top + insets.top};
}

RECT window_rect_on_screen(const Window& window)
{
    if (!window.parent || is_desktop(window.parent))
        return window.rect;
    Window* parent = find_window(window.parent);
    if (!parent)
        return window.rect;
    POINT origin = client_origin_on_screen(*parent);
    RECT rect = window.rect;
    rect.left += origin.x;
    rect.right += origin.x;
    rect.top += origin.y;
    rect.bottom += origin.y;
    return rect;
}

RECT client_rect_in_window(const Window& window)
{
    RECT insets = frame_insets(window);
    RECT client {insets.left, insets.top, window.width() - insets.right, window.height() - insets.bottom};
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

RECT client_rect_on_screen(const Window& window)
{
    RECT screen = window_rect_on_screen(window);
    RECT client = client_rect_in_window(window);
    return RECT {screen.left + client.left, screen.top + client.top, screen.left + client.right,
        screen.top + client.bottom};
}

bool is_shown(const Window& window)
{
    const Window* current = &window;
    while (current) {
        if (!current->is_visible_style())
            return false;
        if (!current->parent || is_desktop(current->parent))
            return true;
        current = find_window(current->parent);
    }
    return false;
}

bool is_ancestor(HWND ancestor, HWND hwnd)
{
    Window* window = find_window(hwnd);
    while (window && window->parent) {
        if (window->parent == ancestor)
            return true;
        window = find_window(window->parent);
    }
    return false;
}

std::vector<HWND> descendants(HWND parent)
{
    std::vector<HWND> result;
    Window* window = find_window(parent);
    if (!window)
        return result;
    for (HWND child : window->children) {
        result.push_back(child);
        auto below = descendants(child);
        result.insert(result.end(), below.begin(), below.end());
    }
    return result;
}

void reset_window_tree()
{
    auto desktop = std::make_unique<Window>();
    desktop->window_class = std::make_shared<WindowClass>();
    desktop->window_class->name = "#32769";
    desktop->procedure = desktop_procedure;
    desktop->text = "";
    desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    SIZE screen = screen_size();
    desktop->rect = RECT {0, 0, screen.cx, screen.cy};
    desktop->normal_rect = desktop->rect;
    desktop->process_id = shell_process_id();
    desktop->surface = std::make_shared<Bitmap>(screen.cx, screen.cy);
    desktop->surface->fill(0xFF3A6EA5);
    Window* raw = desktop.get();
    raw->handle = reinterpret_cast<HWND>(handles().add(std::move(desktop)));
    g_desktop = raw->handle;
}

}
