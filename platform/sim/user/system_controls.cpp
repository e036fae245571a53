#include "platform/sim/user/system_controls.h"

#include "platform/api/gdi.h"

#include <cstring>
#include <strings.h>

namespace sim {

namespace {

void paint(HWND hwnd)
{
    PAINTSTRUCT paint_info;
    HDC hdc = BeginPaint(hwnd, &paint_info);
    RECT client;
    GetClientRect(hwnd, &client);
    char class_name[16] = "";
    GetClassNameA(hwnd, class_name, sizeof class_name);
    bool is_edit = strcasecmp(class_name, "Edit") == 0;
    HBRUSH brush = CreateSolidBrush(GetSysColor(is_edit ? COLOR_WINDOW : COLOR_BTNFACE));
    FillRect(hdc, &client, brush);
    DeleteObject(brush);
    char text[512] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    RECT area {client.left + 2, client.top, client.right - 2, client.bottom};
    UINT format = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | (is_edit ? DT_LEFT : DT_CENTER);
    DrawTextA(hdc, text, static_cast<int>(std::strlen(text)), &area, format);
    EndPaint(hwnd, &paint_info);
}

}

LRESULT set_text_and_repaint(HWND hwnd, WPARAM wparam, LPARAM lparam)
{
    LRESULT result = DefWindowProcA(hwnd, WM_SETTEXT, wparam, lparam);
    InvalidateRect(hwnd, nullptr, TRUE);
    return result;
}

LRESULT CALLBACK system_control_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_SETTEXT:
        return set_text_and_repaint(hwnd, wparam, lparam);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint(hwnd);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

}
