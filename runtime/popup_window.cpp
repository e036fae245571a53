#include "runtime/popup_window.h"

#include "runtime/window_classes.h"

#include <cstring>

namespace runtime {

namespace {

constexpr const char* PopupWindowClass = "KelmorPopup";

void register_popup_class(WNDPROC procedure)
{
    // Registering again is refused harmlessly.
    WNDCLASSEXA window_class;
    std::memset(&window_class, 0, sizeof window_class);
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = program_instance();
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = PopupWindowClass;
    RegisterClassExA(&window_class);
}

}

PopupWindow::PopupWindow(Handler handler)
    : m_handler(std::move(handler))
{
}

PopupWindow::~PopupWindow()
{
    if (m_window && IsWindow(m_window)) {
        SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

HWND PopupWindow::hWnd()
{
    if (m_window && IsWindow(m_window))
        return m_window;
    register_popup_class(&PopupWindow::window_procedure);
    m_window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, PopupWindowClass, "", WS_POPUP, 0, 0, 0, 0,
        nullptr, nullptr, program_instance(), this);
    return m_window;
}

void PopupWindow::show_at(const RECT& rect)
{
    HWND window = hWnd();
    if (!window)
        return;
    // A call that shows a window neither moves nor sizes it: place it first, then show it.
    SetWindowPos(window, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, SWP_NOACTIVATE);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window, nullptr, FALSE);
}

void PopupWindow::hide()
{
    if (m_window && IsWindow(m_window))
        ShowWindow(m_window, SW_HIDE);
}

bool PopupWindow::is_visible() const
{
    return m_window && IsWindow(m_window) && IsWindowVisible(m_window);
}

LRESULT CALLBACK PopupWindow::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* popup = reinterpret_cast<PopupWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    if (popup && popup->m_handler) {
        if (auto answer = popup->m_handler(window, message, wparam, lparam))
            return *answer;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}
