#include "platform/sim/user/window_styles.h"

#include "platform/api/user.h"

#include <algorithm>
#include <cstdint>

namespace sim {

namespace {

// A modal dialog frame is always raised; a dialog or thick frame is, unless a static edge is asked
// for instead.
bool has_raised_frame(DWORD style, DWORD ex_style)
{
    if (ex_style & WS_EX_DLGMODALFRAME)
        return true;
    return !(ex_style & WS_EX_STATICEDGE) && (style & (WS_DLGFRAME | WS_THICKFRAME));
}

int clamped(int64_t value, int64_t low, int64_t high)
{
    return static_cast<int>(std::clamp(value, low, high));
}

}

DWORD style_at_creation(DWORD style)
{
    if (style & WS_CHILD)
        return style;
    style |= WS_CLIPSIBLINGS;
    if (!(style & WS_POPUP))
        style |= WS_CAPTION;
    return style;
}

DWORD style_kept(DWORD style, bool is_top_level)
{
    return is_top_level ? style | WS_CLIPSIBLINGS : style;
}

DWORD ex_style_following_frame(DWORD style, DWORD ex_style)
{
    if (has_raised_frame(style, ex_style))
        return ex_style | WS_EX_WINDOWEDGE;
    return ex_style & ~static_cast<DWORD>(WS_EX_WINDOWEDGE);
}

int clamped_position(int coordinate)
{
    return clamped(coordinate, min_window_coordinate, max_window_coordinate);
}

int clamped_extent(int extent)
{
    return clamped(extent, 0, max_window_coordinate);
}

RECT clamped_window_rect(int x, int y, int width, int height)
{
    int left = clamped_position(x);
    int top = clamped_position(y);
    return RECT {left, top, left + clamped_extent(width), top + clamped_extent(height)};
}

RECT clamped_window_rect(const RECT& rect)
{
    int64_t width = int64_t(rect.right) - rect.left;
    int64_t height = int64_t(rect.bottom) - rect.top;
    return clamped_window_rect(rect.left, rect.top, clamped(width, 0, max_window_coordinate),
        clamped(height, 0, max_window_coordinate));
}

}
