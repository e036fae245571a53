// user32: window classes, creating and destroying windows, their state.
#include "platform/api/user.h"

#include "platform/sim/user/posted_window_requests.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_class.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_tree.h"

using namespace sim;

namespace {

WindowClass class_from(UINT style, WNDPROC procedure, int class_extra, int window_extra, HINSTANCE instance,
    HICON icon, HCURSOR cursor, HBRUSH background, LPCSTR name)
{
    WindowClass window_class;
    window_class.name = class_name_text(name);
    if (window_class.name.empty() && name && !IS_INTRESOURCE(name))
        window_class.name = name;
    window_class.style = style;
    window_class.procedure = procedure;
    window_class.class_extra = class_extra;
    window_class.window_extra = window_extra;
    window_class.instance = instance;
    window_class.icon = icon;
    window_class.cursor = cursor;
    window_class.background = background;
    window_class.process_id = current_process_id();
    return window_class;
}

}

ATOM WINAPI RegisterClassA(const WNDCLASSA* c)
{
    sim::ApiCall api_call;
    if (!c || !c->lpszClassName || IS_INTRESOURCE(c->lpszClassName))
        return 0;
    return register_class(class_from(c->style, c->lpfnWndProc, c->cbClsExtra, c->cbWndExtra, c->hInstance, c->hIcon,
        c->hCursor, c->hbrBackground, c->lpszClassName));
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* c)
{
    sim::ApiCall api_call;
    if (!c || c->cbSize != sizeof(WNDCLASSEXA) || !c->lpszClassName || IS_INTRESOURCE(c->lpszClassName))
        return 0;
    WindowClass window_class = class_from(c->style, c->lpfnWndProc, c->cbClsExtra, c->cbWndExtra, c->hInstance,
        c->hIcon, c->hCursor, c->hbrBackground, c->lpszClassName);
    window_class.small_icon = c->hIconSm;
    return register_class(window_class);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE)
{
    sim::ApiCall api_call{sim::CallKind::release};
    return unregister_class(lpClassName);
}

BOOL WINAPI GetClassInfoA(HINSTANCE, LPCSTR lpClassName, LPWNDCLASSA lpWndClass)
{
    sim::ApiCall api_call;
    auto window_class = find_class(lpClassName);
    if (!window_class || !lpWndClass)
        return FALSE;
    lpWndClass->style = window_class->style;
    lpWndClass->lpfnWndProc = window_class->procedure;
    lpWndClass->cbClsExtra = window_class->class_extra;
    lpWndClass->cbWndExtra = window_class->window_extra;
    lpWndClass->hInstance = window_class->instance;
    lpWndClass->hIcon = window_class->icon;
    lpWndClass->hCursor = window_class->cursor;
    lpWndClass->hbrBackground = window_class->background;
    lpWndClass->lpszMenuName = nullptr;
    lpWndClass->lpszClassName = lpClassName;
    return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    sim::ApiCall api_call;
    CreateRequest request;
    request.ex_style = dwExStyle;
    request.class_name = class_name_text(lpClassName);
    request.title = lpWindowName ? lpWindowName : "";
    request.style = dwStyle;
    request.x = X;
    request.y = Y;
    request.width = nWidth;
    request.height = nHeight;
    request.parent = hWndParent;
    request.menu = hMenu;
    request.instance = hInstance;
    request.parameter = lpParam;
    return create_window(request);
}

BOOL WINAPI DestroyWindow(HWND hWnd)
{
    sim::ApiCall api_call{sim::CallKind::release};
    return destroy_window(hWnd);
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    sim::ApiCall api_call;
    if (!lpPrevWndFunc)
        return 0;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow)
{
    sim::ApiCall api_call;
    return show_window(hWnd, nCmdShow);
}

BOOL WINAPI ShowWindowAsync(HWND hWnd, int nCmdShow)
{
    sim::ApiCall api_call;
    if (!find_window(hWnd))
        return FALSE;
    if (!is_for_other_process(hWnd))
        return show_window(hWnd, nCmdShow);
    post_show_window(hWnd, nCmdShow);
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window)
        return FALSE;
    if (!window->update.is_empty() && window->is_visible_style())
        SendMessageA(hWnd, WM_PAINT, 0, 0);
    if (Window* painted = find_window(hWnd))
        painted->update = Region();
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd)
{
    sim::ApiCall api_call;
    return find_window(hWnd) != nullptr;
}

BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    return window && is_shown(*window);
}

BOOL WINAPI IsWindowEnabled(HWND hWnd)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    return window && !(window->style & WS_DISABLED);
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window)
        return FALSE;
    BOOL was_disabled = (window->style & WS_DISABLED) != 0;
    if (bEnable)
        window->style &= ~WS_DISABLED;
    else
        window->style |= WS_DISABLED;
    if (was_disabled == !bEnable)
        return was_disabled;
    SendMessageA(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return was_disabled;
}

BOOL WINAPI IsIconic(HWND hWnd)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    return window && window->is_minimised();
}

HMENU WINAPI GetMenu(HWND hWnd)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    return window ? window->menu : nullptr;
}

BOOL WINAPI IsZoomed(HWND hWnd)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    return window && window->is_maximised();
}
