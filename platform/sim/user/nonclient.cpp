#include "platform/sim/user/nonclient.h"

#include "platform/sim/user/window_tree.h"

#include <algorithm>

namespace sim {

namespace {

constexpr uint32_t frame_colour = 0xFFB4B4B4;
constexpr uint32_t frame_line_colour = 0xFF646464;
constexpr uint32_t active_caption_colour = 0xFF99B4D1;

// The frame is built of an outer edge (a thick or dialog frame has one), the resize border of a
// thick frame, and a line for WS_BORDER or a dialog frame; so a thick frame without a border line
// is one pixel narrower than a sizable window's.
int frame_width(DWORD style, DWORD ex_style)
{
    bool is_modal_frame = (ex_style & WS_EX_DLGMODALFRAME) != 0;
    int width = 0;
    if (is_modal_frame || (style & (WS_THICKFRAME | WS_DLGFRAME)))
        width += fixed_frame_width - border_width;
    if (style & WS_THICKFRAME)
        width += thick_frame_width - fixed_frame_width;
    if (is_modal_frame || (style & (WS_BORDER | WS_DLGFRAME)))
        width += border_width;
    return width;
}

bool contains(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

void fill(Bitmap& bitmap, RECT rect, uint32_t colour)
{
    int left = std::max<int>(rect.left, 0);
    int right = std::min<int>(rect.right, bitmap.width());
    for (int y = std::max<int>(rect.top, 0); y < std::min<int>(rect.bottom, bitmap.height()); ++y) {
        uint32_t* row = bitmap.row(y);
        for (int x = left; x < right; ++x)
            row[x] = colour;
    }
}

}

bool has_caption(DWORD style)
{
    return (style & WS_CAPTION) == WS_CAPTION;
}

RECT frame_insets(DWORD style, DWORD ex_style)
{
    int frame = frame_width(style, ex_style);
    if (ex_style & WS_EX_CLIENTEDGE)
        frame += client_edge_width;
    int top = frame + (has_caption(style) ? caption_height : 0);
    return RECT {frame, top, frame, frame};
}

RECT frame_insets(const Window& window)
{
    return frame_insets(window.frame_style, window.frame_ex_style);
}

bool recalculate_frame(Window& window)
{
    bool is_changed = window.frame_style != window.style || window.frame_ex_style != window.ex_style;
    window.frame_style = window.style;
    window.frame_ex_style = window.ex_style;
    return is_changed;
}

LRESULT default_hit_test(const Window& window, POINT point)
{
    RECT outer = window_rect_on_screen(window);
    if (!contains(outer, point))
        return HTNOWHERE;
    RECT client = client_rect_on_screen(window);
    if (contains(client, point))
        return HTCLIENT;
    if (window.style & WS_THICKFRAME) {
        bool left = point.x < outer.left + thick_frame_width;
        bool right = point.x >= outer.right - thick_frame_width;
        bool top = point.y < outer.top + thick_frame_width;
        bool bottom = point.y >= outer.bottom - thick_frame_width;
        if (top && left)
            return HTTOPLEFT;
        if (top && right)
            return HTTOPRIGHT;
        if (bottom && left)
            return HTBOTTOMLEFT;
        if (bottom && right)
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    if (has_caption(window.style) && point.y < client.top) {
        int from_right = outer.right - frame_width(window.style, window.ex_style) - point.x;
        if ((window.style & WS_SYSMENU) && from_right < caption_height)
            return HTCLOSE;
        if ((window.style & WS_MAXIMIZEBOX) && from_right < 2 * caption_height)
            return HTMAXBUTTON;
        if ((window.style & WS_MINIMIZEBOX) && from_right < 3 * caption_height)
            return HTMINBUTTON;
        if ((window.style & WS_SYSMENU) && point.x < outer.left + frame_width(window.style, window.ex_style) + caption_height)
            return HTSYSMENU;
        return HTCAPTION;
    }
    return HTBORDER;
}

void paint_frame(Window& window)
{
    window.needs_frame = false;
    Bitmap& surface = *window.surface;
    RECT insets = frame_insets(window);
    if (insets.left == 0 && insets.top == 0)
        return;
    int width = surface.width();
    int height = surface.height();
    fill(surface, RECT {0, 0, width, insets.top}, frame_colour);
    fill(surface, RECT {0, height - insets.bottom, width, height}, frame_colour);
    fill(surface, RECT {0, 0, insets.left, height}, frame_colour);
    fill(surface, RECT {width - insets.right, 0, width, height}, frame_colour);
    if (has_caption(window.frame_style)) {
        int frame = frame_width(window.frame_style, window.frame_ex_style);
        fill(surface, RECT {frame, frame, width - frame, frame + caption_height}, active_caption_colour);
    }
    if (window.frame_style & (WS_BORDER | WS_THICKFRAME | WS_DLGFRAME)) {
        fill(surface, RECT {0, 0, width, 1}, frame_line_colour);
        fill(surface, RECT {0, height - 1, width, height}, frame_line_colour);
        fill(surface, RECT {0, 0, 1, height}, frame_line_colour);
        fill(surface, RECT {width - 1, 0, width, height}, frame_line_colour);
    }
}

}
