// user32: the one monitor of the simulated desktop, its rectangle and its work area.
#include "platform/api/user.h"

#include "platform/sim/desktop.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/window_tree.h"

using namespace sim;

namespace {

// The handle of the only monitor, the primary one.
HMONITOR const primary_monitor = reinterpret_cast<HMONITOR>(0x00010001);

RECT screen_rect()
{
    SIZE screen = screen_size();
    return RECT {0, 0, screen.cx, screen.cy};
}

bool overlaps(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A minimised window counts where it is restored to, as Windows reckons it.
RECT rect_for_monitor(const Window& window)
{
    if (window.is_minimised() && !window.parent)
        return window.normal_rect;
    return window_rect_on_screen(window);
}

}

HMONITOR WINAPI MonitorFromWindow(HWND hwnd, DWORD dwFlags)
{
    sim::ApiCall api_call;
    Window* window = find_window(hwnd);
    if (window && overlaps(rect_for_monitor(*window), screen_rect()))
        return primary_monitor;
    // A window off the monitor or no window at all: the nearest monitor and the primary one are the
    // same here.
    return dwFlags == MONITOR_DEFAULTTONULL ? nullptr : primary_monitor;
}

BOOL WINAPI GetMonitorInfoA(HMONITOR hMonitor, LPMONITORINFO lpmi)
{
    sim::ApiCall api_call;
    if (hMonitor != primary_monitor || !lpmi || lpmi->cbSize != sizeof(MONITORINFO))
        return FALSE;
    lpmi->rcMonitor = screen_rect();
    lpmi->rcWork = work_area();
    lpmi->dwFlags = MONITORINFOF_PRIMARY;
    return TRUE;
}
