// DefWindowProcA: what Windows does with a message a window procedure leaves to it.
#include "platform/api/gdi.h"
#include "platform/api/user.h"

#include "platform/sim/gdi/gdi_link.h"
#include "platform/sim/user/activation.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/nonclient.h"
#include "platform/sim/user/painting.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>
#include <cstring>

using namespace sim;

namespace {

constexpr COLORREF caption_text_colour = RGB(0, 0, 0);

void draw_caption_text(HWND hwnd)
{
    Window* window = find_window(hwnd);
    if (!window || !has_caption(window->frame_style) || window->text.empty())
        return;
    RECT insets = frame_insets(*window);
    RECT area {insets.left + 6, insets.top - caption_height, window->width() - insets.right - 3 * caption_height,
        insets.top};
    HDC hdc = create_window_dc(hwnd, true);
    if (!hdc)
        return;
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, caption_text_colour);
    DrawTextA(hdc, window->text.c_str(), -1, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    release_window_dc(hdc);
}

LRESULT on_system_command(HWND hwnd, WPARAM command)
{
    // A disabled window takes no system command: it neither closes nor changes its placement.
    if (!IsWindowEnabled(hwnd))
        return 0;
    switch (command & 0xFFF0) {
    case SC_CLOSE:
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case SC_MINIMIZE:
        show_window(hwnd, SW_MINIMIZE);
        return 0;
    case SC_MAXIMIZE:
        show_window(hwnd, SW_MAXIMIZE);
        return 0;
    case SC_RESTORE:
        show_window(hwnd, SW_RESTORE);
        return 0;
    default:
        return 0;
    }
}

bool may_close(HWND root)
{
    Window* window = find_window(root);
    return window && !(window->window_class && (window->window_class->style & CS_NOCLOSE));
}

LRESULT on_caption_press(HWND hwnd, WPARAM hit)
{
    Window* window = find_window(hwnd);
    if (!window)
        return 0;
    switch (hit) {
    case HTCLOSE:
        post_message(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case HTMINBUTTON:
        post_message(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return 0;
    case HTMAXBUTTON:
        post_message(hwnd, WM_SYSCOMMAND, window->is_maximised() ? SC_RESTORE : SC_MAXIMIZE, 0);
        return 0;
    default:
        return 0;
    }
}

// The cursor over a part of the frame: the sizing arrows on the edges and corners.
LPCSTR frame_cursor(short hit)
{
    switch (hit) {
    case HTLEFT:
    case HTRIGHT:
        return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM:
        return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return IDC_SIZENESW;
    default:
        return IDC_ARROW;
    }
}

bool is_sizing_edge(short hit)
{
    return hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
}

// A child first lets its parent choose (except on its own sizing edges); a parent that answers
// TRUE decides. Otherwise the window sets its class cursor over its client area, the sizing arrows
// over its edges and the arrow elsewhere, and answers FALSE so that a child asking it still sets
// its own.
LRESULT on_set_cursor(HWND hwnd, WPARAM wparam, LPARAM lparam)
{
    Window* window = find_window(hwnd);
    if (!window)
        return FALSE;
    short hit = static_cast<short>(LOWORD(lparam));
    if (window->parent && (window->style & WS_CHILD) && !is_sizing_edge(hit)
        && SendMessageA(window->parent, WM_SETCURSOR, wparam, lparam))
        return TRUE;
    window = find_window(hwnd);
    if (!window)
        return FALSE;
    if (hit != HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, frame_cursor(hit)));
        return FALSE;
    }
    // Without a class cursor the window sets its own; the shape stays as it was until then.
    if (HCURSOR cursor = window->window_class ? window->window_class->cursor : nullptr)
        SetCursor(cursor);
    return FALSE;
}

LRESULT on_erase_background(HWND hwnd, WPARAM wparam)
{
    Window* window = find_window(hwnd);
    if (!window || !window->window_class || !window->window_class->background)
        return 0;
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(reinterpret_cast<HDC>(wparam), &client, window->window_class->background);
    return 1;
}

}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window)
        return 0;
    switch (Msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_GETTEXT:
        return copy_text_out(window->text, reinterpret_cast<char*>(lParam), wParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->text.size());
    case WM_SETTEXT:
        window->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        window->needs_frame = has_caption(window->style);
        return TRUE;
    case WM_GETICON:
        if (wParam == ICON_BIG)
            return reinterpret_cast<LRESULT>(window->big_icon);
        return reinterpret_cast<LRESULT>(window->small_icon);
    case WM_SETICON: {
        HICON& slot = wParam == ICON_BIG ? window->big_icon : window->small_icon;
        HICON previous = slot;
        slot = reinterpret_cast<HICON>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_QUERYDRAGICON:
        return window->window_class ? reinterpret_cast<LRESULT>(window->window_class->icon) : 0;
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        return on_system_command(hWnd, wParam);
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (1 << 29))) {
            HWND root = top_level_by_style(hWnd);
            if (may_close(root))
                post_message(root, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    case WM_NCHITTEST:
        return default_hit_test(*window, POINT {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT:
        paint_frame(*window);
        draw_caption_text(hWnd);
        return 0;
    case WM_NCACTIVATE:
        request_frame(*window);
        return TRUE;
    case WM_NCLBUTTONDOWN:
        return on_caption_press(hWnd, wParam);
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && (window->style & WS_MAXIMIZEBOX))
            post_message(hWnd, WM_SYSCOMMAND, window->is_maximised() ? SC_RESTORE : SC_MAXIMIZE, 0);
        return 0;
    case WM_ERASEBKGND:
        return on_erase_background(hWnd, wParam);
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hWnd, &paint);
        EndPaint(hWnd, &paint);
        return 0;
    }
    case WM_SETCURSOR:
        return on_set_cursor(hWnd, wParam, lParam);
    case WM_MOUSEACTIVATE:
        if (window->parent && (window->style & WS_CHILD))
            if (LRESULT answer = SendMessageA(window->parent, WM_MOUSEACTIVATE, wParam, lParam))
                return answer;
        return MA_ACTIVATE;
    case WM_MOUSEWHEEL:
        if (window->parent && (window->style & WS_CHILD))
            return SendMessageA(window->parent, WM_MOUSEWHEEL, wParam, lParam);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    default:
        return 0;
    }
}
