// user32: the window tree: parents, siblings, searching and enumerating windows.
#include "platform/api/kernel.h"
#include "platform/api/user.h"

#include "platform/sim/user/input.h"
#include "platform/sim/user/integrity.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

using namespace sim;

namespace {

bool names_match(LPCSTR wanted, const std::string& actual)
{
    return !wanted || strcasecmp(wanted, actual.c_str()) == 0;
}

std::string class_of(const Window& window)
{
    return window.window_class ? window.window_class->name : std::string();
}

std::vector<HWND>& children_or_top_level(HWND parent)
{
    Window* window = parent ? find_window(parent) : nullptr;
    return window ? window->children : desktop_window().children;
}

// The last window of the chain GetParent walks: parents of child windows, owners of pop-ups.
HWND root_through_get_parent(HWND hwnd)
{
    // The chain never forms a ring, but a bound keeps the walk finite anyway.
    for (size_t steps = 0; steps < handles().size(); ++steps) {
        HWND next = GetParent(hwnd);
        if (!next)
            break;
        hwnd = next;
    }
    return hwnd;
}

}

HWND WINAPI GetParent(HWND hWnd)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window)
        return nullptr;
    if (window->style & WS_CHILD)
        return window->parent;
    if (window->style & WS_POPUP)
        return window->owner;
    return nullptr;
}

HWND WINAPI SetParent(HWND hWndChild, HWND hWndNewParent)
{
    sim::ApiCall api_call;
    Window* child = find_window(hWndChild);
    Window* parent = find_window(hWndNewParent);
    if (!child || (hWndNewParent && !parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    // A window of a process of higher integrity can be neither moved nor given a new child.
    if (is_above_caller(*child) || (parent && is_above_caller(*parent))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    HWND previous = set_parent(hWndChild, hWndNewParent);
    if (!previous)
        SetLastError(ERROR_INVALID_PARAMETER);
    return previous;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags)
{
    sim::ApiCall api_call;
    Window* window = find_window(hwnd);
    if (!window || is_desktop(hwnd))
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT:
        return window->parent ? window->parent : desktop_handle();
    case GA_ROOT:
        return root_of(hwnd);
    case GA_ROOTOWNER:
        return root_through_get_parent(hwnd);
    default:
        return nullptr;
    }
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd)
{
    sim::ApiCall api_call;
    // Only a chain of WS_CHILD windows counts: a window moved into another by SetParent without
    // taking WS_CHILD is not its child.
    if (!find_window(hWndParent))
        return FALSE;
    for (Window* window = find_window(hWnd); window && (window->style & WS_CHILD); window = find_window(window->parent)) {
        if (window->parent == hWndParent)
            return TRUE;
    }
    return FALSE;
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window)
        return nullptr;
    if (uCmd == GW_CHILD)
        return window->children.empty() ? nullptr : window->children.front();
    if (uCmd == GW_OWNER)
        return window->owner;
    if (is_desktop(hWnd))
        return nullptr;
    auto& siblings = sibling_list(*window);
    auto position = position_among_siblings(*window);
    switch (uCmd) {
    case GW_HWNDFIRST:
        return siblings.front();
    case GW_HWNDLAST:
        return siblings.back();
    case GW_HWNDNEXT:
        return !position || *position + 1 == siblings.size() ? nullptr : siblings[*position + 1];
    case GW_HWNDPREV:
        return !position || *position == 0 ? nullptr : siblings[*position - 1];
    default:
        return nullptr;
    }
}

HWND WINAPI GetTopWindow(HWND hWnd)
{
    sim::ApiCall api_call;
    auto& children = children_or_top_level(hWnd);
    return children.empty() ? nullptr : children.front();
}

HWND WINAPI GetDesktopWindow(void)
{
    sim::ApiCall api_call;
    return desktop_handle();
}

HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName)
{
    sim::ApiCall api_call;
    return FindWindowExA(nullptr, nullptr, lpClassName, lpWindowName);
}

HWND WINAPI FindWindowExA(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow)
{
    sim::ApiCall api_call;
    auto list = children_or_top_level(hWndParent);
    auto it = list.begin();
    if (hWndChildAfter) {
        it = std::find(list.begin(), list.end(), hWndChildAfter);
        if (it == list.end())
            return nullptr;
        ++it;
    }
    for (; it != list.end(); ++it) {
        Window* window = find_window(*it);
        if (window && names_match(lpszClass, class_of(*window)) && names_match(lpszWindow, window->text))
            return *it;
    }
    return nullptr;
}

BOOL WINAPI EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    sim::ApiCall api_call;
    auto list = desktop_window().children;
    for (HWND hwnd : list)
        if (find_window(hwnd) && !lpEnumFunc(hwnd, lParam))
            return FALSE;
    return TRUE;
}

BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    sim::ApiCall api_call;
    auto list = descendants(hWndParent ? hWndParent : desktop_handle());
    for (HWND hwnd : list)
        if (find_window(hwnd) && !lpEnumFunc(hwnd, lParam))
            return FALSE;
    return TRUE;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window || !lpClassName || nMaxCount <= 0)
        return 0;
    std::string name = class_of(*window);
    size_t count = std::min(name.size(), static_cast<size_t>(nMaxCount - 1));
    std::memcpy(lpClassName, name.data(), count);
    lpClassName[count] = '\0';
    return static_cast<int>(count);
}

HWND WINAPI WindowFromPoint(POINT Point)
{
    sim::ApiCall api_call;
    return window_at(Point);
}

HWND WINAPI ChildWindowFromPoint(HWND hWndParent, POINT Point)
{
    sim::ApiCall api_call;
    Window* parent = find_window(hWndParent);
    if (!parent)
        return nullptr;
    RECT client = client_rect_in_window(*parent);
    if (Point.x < 0 || Point.y < 0 || Point.x >= client.right - client.left || Point.y >= client.bottom - client.top)
        return nullptr;
    for (HWND hwnd : parent->children) {
        Window* child = find_window(hwnd);
        if (child && Point.x >= child->rect.left && Point.x < child->rect.right && Point.y >= child->rect.top
            && Point.y < child->rect.bottom)
            return hwnd;
    }
    return hWndParent;
}
