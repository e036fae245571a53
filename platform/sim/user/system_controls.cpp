#include "platform/sim/user/system_controls.h"

#include "platform/api/gdi.h"
#include "platform/sim/desktop.h"
#include "platform/sim/user/self_painted_window.h"
#include "platform/sim/user/window.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <strings.h>

namespace sim {

namespace {

// An edit control keeps its text in a buffer of its own, filled from the creation text and by
// WM_SETTEXT; the text the system keeps for the window stays the creation text. Another process
// reading the window with GetWindowTextA therefore sees the creation text, as on Windows, while
// WM_GETTEXT answers with the current one.
std::map<HWND, std::string>& edit_buffers()
{
    static std::map<HWND, std::string> buffers;
    return buffers;
}

const bool forgets_edit_buffers_on_reset = (on_reset([] { edit_buffers().clear(); }), true);

bool is_edit(HWND hwnd)
{
    char class_name[16] = "";
    GetClassNameA(hwnd, class_name, sizeof class_name);
    return strcasecmp(class_name, "Edit") == 0;
}

// The text the control shows: an edit's own buffer, the window text for the others.
std::string shown_text(HWND hwnd)
{
    auto buffer = edit_buffers().find(hwnd);
    if (buffer != edit_buffers().end())
        return buffer->second;
    char text[512] = "";
    DefWindowProcA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void paint(HWND hwnd)
{
    PAINTSTRUCT paint_info;
    HDC hdc = BeginPaint(hwnd, &paint_info);
    RECT client;
    GetClientRect(hwnd, &client);
    bool is_edit_control = is_edit(hwnd);
    fill_with_colour(hdc, client, GetSysColor(is_edit_control ? COLOR_WINDOW : COLOR_BTNFACE));
    std::string text = shown_text(hwnd);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    RECT area {client.left + 2, client.top, client.right - 2, client.bottom};
    UINT format = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | (is_edit_control ? DT_LEFT : DT_CENTER);
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &area, format);
    EndPaint(hwnd, &paint_info);
}

// What every system control does: shows its text.
LRESULT control_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    return text_window_procedure(hwnd, message, wparam, lparam, paint);
}

LRESULT edit_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        edit_buffers()[hwnd] = create && create->lpszName ? create->lpszName : "";
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
    case WM_NCDESTROY:
        edit_buffers().erase(hwnd);
        return DefWindowProcA(hwnd, message, wparam, lparam);
    case WM_SETTEXT:
        edit_buffers()[hwnd] = lparam ? reinterpret_cast<const char*>(lparam) : "";
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case WM_GETTEXT:
        return copy_text_out(shown_text(hwnd), reinterpret_cast<char*>(lparam), wparam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(shown_text(hwnd).size());
    default:
        return control_procedure(hwnd, message, wparam, lparam);
    }
}

}

LRESULT CALLBACK system_control_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (is_edit(hwnd))
        return edit_procedure(hwnd, message, wparam, lparam);
    return control_procedure(hwnd, message, wparam, lparam);
}

}
