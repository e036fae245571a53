// user32: window rectangles, moving and placing windows, mapping points between windows.
#include "platform/api/user.h"

#include "platform/sim/shell/shell_windows.h"
#include "platform/sim/user/nonclient.h"
#include "platform/sim/user/posted_window_requests.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_styles.h"
#include "platform/sim/user/window_tree.h"

using namespace sim;

namespace {

// The screen position of a window's client origin; the screen's for no window or the desktop.
bool client_origin(HWND hwnd, POINT& origin)
{
    if (!hwnd || is_desktop(hwnd)) {
        origin = POINT {0, 0};
        return true;
    }
    Window* window = find_window(hwnd);
    if (!window)
        return false;
    origin = client_origin_on_screen(*window);
    return true;
}

// The origin of the coordinates a window's placement is given in: the work area's for a top-level
// window that is no tool window (the taskbar at the top or left moves it), the parent's client
// area's, which is where the rectangle already is, for a child.
POINT placement_origin(const Window& window)
{
    if (window.parent || (window.ex_style & WS_EX_TOOLWINDOW))
        return POINT {0, 0};
    RECT area = work_area();
    return POINT {area.left, area.top};
}

RECT moved_by(RECT rect, LONG dx, LONG dy)
{
    return RECT {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

UINT show_command_of(const Window& window)
{
    if (window.is_minimised())
        return SW_SHOWMINIMIZED;
    if (window.is_maximised())
        return SW_SHOWMAXIMIZED;
    return SW_SHOWNORMAL;
}

}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window || !lpRect)
        return FALSE;
    *lpRect = window_rect_on_screen(*window);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window || !lpRect)
        return FALSE;
    RECT client = client_rect_in_window(*window);
    *lpRect = RECT {0, 0, client.right - client.left, client.bottom - client.top};
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    sim::ApiCall api_call;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW);
    return set_window_pos(hWnd, nullptr, X, Y, nWidth, nHeight, flags);
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags)
{
    sim::ApiCall api_call;
    if ((uFlags & SWP_ASYNCWINDOWPOS) && is_for_other_process(hWnd)) {
        post_window_pos(hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags);
        return TRUE;
    }
    return set_window_pos(hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags);
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    sim::ApiCall api_call;
    POINT origin;
    if (!lpPoint || !client_origin(hWnd, origin))
        return FALSE;
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    sim::ApiCall api_call;
    POINT origin;
    if (!lpPoint || !client_origin(hWnd, origin))
        return FALSE;
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    sim::ApiCall api_call;
    POINT from;
    POINT to;
    if (!client_origin(hWndFrom, from) || !client_origin(hWndTo, to))
        return 0;
    int dx = from.x - to.x;
    int dy = from.y - to.y;
    for (UINT i = 0; lpPoints && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL WINAPI GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window || !lpwndpl)
        return FALSE;
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    lpwndpl->flags = window->restores_maximised ? WPF_RESTORETOMAXIMIZED : 0;
    lpwndpl->showCmd = show_command_of(*window);
    lpwndpl->ptMinPosition = window->min_position;
    lpwndpl->ptMaxPosition = window->max_position;
    RECT normal = window->is_minimised() || window->is_maximised() ? window->normal_rect : window->rect;
    POINT origin = placement_origin(*window);
    lpwndpl->rcNormalPosition = moved_by(normal, -origin.x, -origin.y);
    return TRUE;
}

BOOL WINAPI SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window || !lpwndpl || lpwndpl->length != sizeof(WINDOWPLACEMENT))
        return FALSE;
    POINT origin = placement_origin(*window);
    RECT normal = clamped_window_rect(moved_by(lpwndpl->rcNormalPosition, origin.x, origin.y));
    window->normal_rect = normal;
    if (!window->is_minimised() && !window->is_maximised())
        set_window_pos(hWnd, nullptr, normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top,
            SWP_NOZORDER | SWP_NOACTIVATE);
    if (!find_window(hWnd))
        return FALSE;
    show_window(hWnd, static_cast<int>(lpwndpl->showCmd));
    // A minimised window restores to maximised when the placement says so, whatever it was before.
    if (Window* placed = find_window(hWnd); placed && placed->is_minimised())
        placed->restores_maximised = (lpwndpl->flags & WPF_RESTORETOMAXIMIZED) != 0;
    return TRUE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL, DWORD dwExStyle)
{
    sim::ApiCall api_call;
    if (!lpRect)
        return FALSE;
    RECT insets = frame_insets(dwStyle, dwExStyle);
    lpRect->left -= insets.left;
    lpRect->top -= insets.top;
    lpRect->right += insets.right;
    lpRect->bottom += insets.bottom;
    return TRUE;
}
