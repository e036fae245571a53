// user32: window text, window and class longs, and the process that owns a window.
#include "platform/api/kernel.h"
#include "platform/api/user.h"

#include "platform/sim/user/integrity.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>
#include <cstring>
#include "platform/sim/user/process_faults.h"

using namespace sim;

namespace {

bool is_own(const Window& window)
{
    return window.process_id == current_process_id();
}

bool is_within_extra(const Window& window, int index, size_t size)
{
    return index >= 0 && static_cast<size_t>(index) + size <= window.extra.size();
}

LONG_PTR read_extra(const Window& window, int index, size_t size)
{
    if (!is_within_extra(window, index, size))
        return 0;
    LONG_PTR value = 0;
    std::memcpy(&value, window.extra.data() + index, size);
    return value;
}

LONG_PTR write_extra(Window& window, int index, LONG_PTR value, size_t size)
{
    if (!is_within_extra(window, index, size))
        return 0;
    LONG_PTR old_value = read_extra(window, index, size);
    std::memcpy(window.extra.data() + index, &value, size);
    return old_value;
}

LONG_PTR get_long(HWND hwnd, int index, size_t size)
{
    Window* window = find_window(hwnd);
    if (!window)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG>(window->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(window->ex_style);
    case GWLP_USERDATA:
        return window->user_data;
    case GWLP_ID:
        return window->id;
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->procedure);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(window->owner);
    default:
        return read_extra(*window, index, size);
    }
}

LONG_PTR set_long(HWND hwnd, int index, LONG_PTR value, size_t size)
{
    Window* window = find_window(hwnd);
    if (!window)
        return 0;
    if (is_above_caller(*window)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    LONG_PTR old_value = get_long(hwnd, index, size);
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE:
        return static_cast<LONG>(set_style(hwnd, index, static_cast<DWORD>(value)));
    case GWLP_USERDATA:
        window->user_data = value;
        return old_value;
    case GWLP_ID:
        window->id = value;
        return old_value;
    case GWLP_HINSTANCE:
        window->instance = reinterpret_cast<HINSTANCE>(value);
        return old_value;
    case GWLP_WNDPROC:
        window->procedure = reinterpret_cast<WNDPROC>(value);
        return old_value;
    case GWLP_HWNDPARENT:
        window->owner = reinterpret_cast<HWND>(value);
        return old_value;
    default:
        return write_extra(*window, index, value, size);
    }
}

ULONG_PTR class_long(HWND hwnd, int index)
{
    Window* window = find_window(hwnd);
    if (!window || !window->window_class)
        return 0;
    const WindowClass& window_class = *window->window_class;
    switch (index) {
    case GCL_HICON:
        return reinterpret_cast<ULONG_PTR>(window_class.icon);
    case GCL_HICONSM:
        return reinterpret_cast<ULONG_PTR>(window_class.small_icon);
    case GCL_HCURSOR:
        return reinterpret_cast<ULONG_PTR>(window_class.cursor);
    case GCL_HBRBACKGROUND:
        return reinterpret_cast<ULONG_PTR>(window_class.background);
    case GCL_STYLE:
        return window_class.style;
    case GCL_WNDPROC:
        return reinterpret_cast<ULONG_PTR>(window_class.procedure);
    case GCL_CBWNDEXTRA:
        return static_cast<ULONG_PTR>(window_class.window_extra);
    case GCL_CBCLSEXTRA:
        return static_cast<ULONG_PTR>(window_class.class_extra);
    case GCL_HMODULE:
        return reinterpret_cast<ULONG_PTR>(window_class.instance);
    default:
        return 0;
    }
}

}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window || !lpString || nMaxCount <= 0)
        return 0;
    // Windows asks a window of the calling process; another process's window text is read
    // from what the system keeps, so a hung application cannot block the caller.
    if (is_own(*window))
        return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
            reinterpret_cast<LPARAM>(lpString)));
    return copy_text_out(window->text, lpString, static_cast<size_t>(nMaxCount));
}

int WINAPI GetWindowTextLengthA(HWND hWnd)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window)
        return 0;
    if (is_own(*window))
        return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
    return static_cast<int>(window->text.size());
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString)
{
    sim::ApiCall api_call;
    if (!find_window(hWnd))
        return FALSE;
    return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString ? lpString : "")) ? TRUE : FALSE;
}

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex)
{
    sim::ApiCall api_call;
    return static_cast<LONG>(get_long(hWnd, nIndex, sizeof(LONG)));
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong)
{
    sim::ApiCall api_call;
    // A window procedure cut to 32 bits would be called at a wrong address in the 64-bit native
    // build; the pointer forms carry it whole.
    if (nIndex == GWL_WNDPROC && sizeof(LONG_PTR) > sizeof(LONG))
        return 0;
    LONG_PTR value = dwNewLong;
    if (nIndex == GWL_STYLE || nIndex == GWL_EXSTYLE)
        value = static_cast<LONG_PTR>(static_cast<DWORD>(dwNewLong));
    return static_cast<LONG>(set_long(hWnd, nIndex, value, sizeof(LONG)));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex)
{
    sim::ApiCall api_call;
    return get_long(hWnd, nIndex, sizeof(LONG_PTR));
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    sim::ApiCall api_call{sim::CallKind::release};
    return set_long(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR));
}

DWORD WINAPI GetClassLongA(HWND hWnd, int nIndex)
{
    sim::ApiCall api_call;
    return static_cast<DWORD>(class_long(hWnd, nIndex));
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hWnd, int nIndex)
{
    sim::ApiCall api_call;
    return class_long(hWnd, nIndex);
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window)
        return 0;
    if (lpdwProcessId)
        *lpdwProcessId = window->process_id;
    return thread_of_process(window->process_id);
}
