// user32: invalidation, painting and the device contexts of windows and of the screen.
#include "platform/api/gdi.h"
#include "platform/api/user.h"

#include "platform/sim/gdi/gdi_link.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/painting.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/window_tree.h"

using namespace sim;

namespace {

void invalidate_all(Window& window, bool erase)
{
    invalidate(window, nullptr, erase);
    request_frame(window);
    for (HWND hwnd : window.children)
        if (Window* child = find_window(hwnd))
            invalidate_all(*child, erase);
}

void update_now(HWND hwnd, bool with_children)
{
    UpdateWindow(hwnd);
    Window* window = find_window(hwnd);
    if (!window || !with_children)
        return;
    auto children = window->children;
    for (HWND child : children)
        update_now(child, true);
}

RECT bounds_of(HRGN region)
{
    const Region* shape = region_of(region);
    return shape ? shape->bounds() : RECT {};
}

// No window, or the desktop window, draws on the whole screen.
HDC window_or_screen_dc(HWND hwnd, bool whole_window)
{
    if (!hwnd || is_desktop(hwnd))
        return create_screen_dc();
    if (!find_window(hwnd))
        return nullptr;
    return create_window_dc(hwnd, whole_window);
}

}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    sim::ApiCall api_call;
    if (!hWnd) {
        invalidate_all(desktop_window(), bErase);
        return TRUE;
    }
    Window* window = find_window(hWnd);
    if (!window)
        return FALSE;
    invalidate(*window, lpRect, bErase);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window)
        return FALSE;
    validate(*window, lpRect);
    return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags)
{
    sim::ApiCall api_call;
    Window* window = hWnd ? find_window(hWnd) : &desktop_window();
    if (!window)
        return FALSE;
    RECT area {};
    const RECT* rect = lprcUpdate;
    if (!rect && hrgnUpdate) {
        area = bounds_of(hrgnUpdate);
        rect = &area;
    }
    if (flags & RDW_INVALIDATE) {
        if (flags & RDW_ALLCHILDREN)
            invalidate_all(*window, flags & RDW_ERASE);
        else
            invalidate(*window, rect, flags & RDW_ERASE);
    }
    if (flags & RDW_FRAME)
        request_frame(*window);
    if (flags & RDW_VALIDATE)
        validate(*window, rect);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        update_now(window->handle, flags & RDW_ALLCHILDREN);
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window)
        return FALSE;
    RECT bounds = window->update.is_empty() ? RECT {} : window->update.bounds();
    if (lpRect)
        *lpRect = bounds;
    return !window->update.is_empty();
}

HDC WINAPI GetDC(HWND hWnd)
{
    sim::ApiCall api_call;
    return window_or_screen_dc(hWnd, false);
}

HDC WINAPI GetWindowDC(HWND hWnd)
{
    sim::ApiCall api_call;
    return window_or_screen_dc(hWnd, true);
}

int WINAPI ReleaseDC(HWND, HDC hDC)
{
    sim::ApiCall api_call{sim::CallKind::release};
    return release_window_dc(hDC) ? 1 : 0;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window || !lpPaint)
        return nullptr;
    if (window->needs_frame) {
        deliver(hWnd, WM_NCPAINT, 1, 0);
        window = find_window(hWnd);
        if (!window)
            return nullptr;
        window->needs_frame = false;
    }
    *lpPaint = PAINTSTRUCT {};
    lpPaint->rcPaint = window->update.is_empty() ? RECT {} : window->update.bounds();
    bool needs_erase = window->needs_erase;
    Region update = std::move(window->update);
    window->update = Region();
    window->needs_erase = false;
    // The DC reaches only what waited to be painted, the erase included, as on Windows.
    HDC hdc = create_window_dc(hWnd, false);
    set_paint_area(hdc, std::move(update));
    lpPaint->hdc = hdc;
    lpPaint->fErase = needs_erase ? TRUE : FALSE;
    if (needs_erase && deliver(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0))
        lpPaint->fErase = FALSE;
    return hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* lpPaint)
{
    sim::ApiCall api_call;
    if (!lpPaint)
        return FALSE;
    set_paint_area(lpPaint->hdc, std::nullopt);
    release_window_dc(lpPaint->hdc);
    return TRUE;
}
