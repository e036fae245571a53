#include "runtime/window_placement.h"

namespace runtime {

namespace {

// Tool windows and child windows have their placement where their rectangle is.
POINT placement_origin(HWND window)
{
    if ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) || GetAncestor(window, GA_PARENT) != GetDesktopWindow())
        return POINT {0, 0};
    RECT area {};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        return POINT {0, 0};
    return POINT {area.left, area.top};
}

RECT moved_by(RECT rect, POINT offset)
{
    return RECT {rect.left + offset.x, rect.top + offset.y, rect.right + offset.x, rect.bottom + offset.y};
}

}

RECT restored_rectangle(HWND window)
{
    RECT rect {};
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) {
        GetWindowRect(window, &rect);
        return rect;
    }
    return moved_by(placement.rcNormalPosition, placement_origin(window));
}

bool set_restored_rectangle(HWND window, RECT rect)
{
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement))
        return false;
    POINT origin = placement_origin(window);
    placement.rcNormalPosition = moved_by(rect, POINT {-origin.x, -origin.y});
    // The state stays: a hidden window stays hidden, a minimised one is not activated.
    if (!IsWindowVisible(window))
        placement.showCmd = SW_HIDE;
    else if (placement.showCmd == SW_SHOWMINIMIZED)
        placement.showCmd = SW_SHOWMINNOACTIVE;
    return SetWindowPlacement(window, &placement) != FALSE;
}

}
