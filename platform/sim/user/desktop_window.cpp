#include "platform/sim/user/desktop_window.h"

#include "platform/api/gdi.h"
#include "platform/sim/user/self_painted_window.h"

namespace sim {

namespace {

constexpr COLORREF desktop_colour = RGB(0x3A, 0x6E, 0xA5);

DesktopPainter& painter()
{
    static DesktopPainter current;
    return current;
}

}

void set_desktop_painter(DesktopPainter desktop_painter)
{
    painter() = std::move(desktop_painter);
}

LRESULT CALLBACK desktop_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message != WM_ERASEBKGND)
        return DefWindowProcA(hwnd, message, wparam, lparam);
    auto hdc = reinterpret_cast<HDC>(wparam);
    RECT area;
    GetClientRect(hwnd, &area);
    if (painter()) {
        painter()(hdc, area);
        return 1;
    }
    fill_with_colour(hdc, area, desktop_colour);
    return 1;
}

}
