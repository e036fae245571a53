#include "platform/sim/user/self_painted_window.h"

#include "platform/api/gdi.h"

namespace sim {

void fill_with_colour(HDC hdc, const RECT& area, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(hdc, &area, brush);
    DeleteObject(brush);
}

LRESULT text_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, void (*paint)(HWND))
{
    switch (message) {
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(hwnd, WM_SETTEXT, wparam, lparam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
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
