#include "runtime/scroll_bar_layout.h"

#include "runtime/gdi_helpers.h"
#include "runtime/rect_contains.h"
#include "runtime/numeric.h"

#include <algorithm>
#include <cstdlib>

namespace runtime {

namespace {

constexpr COLORREF track_colour = RGB(236, 233, 216);
constexpr COLORREF button_colour = RGB(212, 208, 200);
// The smallest thumb that can still be taken with the mouse.
constexpr int minimum_thumb_length = 8;

// A filled triangle pointing one way, centred in a button.
void paint_arrow(HDC dc, const RECT& button, ArrowDirection direction, COLORREF colour)
{
    int width = button.right - button.left;
    int height = button.bottom - button.top;
    int size = std::max(2, (std::min(width, height) - 4) / 4);
    int centre_x = button.left + width / 2;
    int centre_y = button.top + height / 2;
    POINT points[3];
    switch (direction) {
    case ArrowDirection::Up:
        points[0] = { centre_x - size, centre_y + size / 2 };
        points[1] = { centre_x + size, centre_y + size / 2 };
        points[2] = { centre_x, centre_y + size / 2 - size };
        break;
    case ArrowDirection::Down:
        points[0] = { centre_x - size, centre_y - size / 2 };
        points[1] = { centre_x + size, centre_y - size / 2 };
        points[2] = { centre_x, centre_y - size / 2 + size };
        break;
    case ArrowDirection::Left:
        points[0] = { centre_x + size / 2, centre_y - size };
        points[1] = { centre_x + size / 2, centre_y + size };
        points[2] = { centre_x + size / 2 - size, centre_y };
        break;
    case ArrowDirection::Right:
        points[0] = { centre_x - size / 2, centre_y - size };
        points[1] = { centre_x - size / 2, centre_y + size };
        points[2] = { centre_x - size / 2 + size, centre_y };
        break;
    }
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previous_brush = SelectObject(dc, brush);
    HGDIOBJ previous_pen = SelectObject(dc, pen);
    Polygon(dc, points, 3);
    SelectObject(dc, previous_pen);
    SelectObject(dc, previous_brush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void paint_button(HDC dc, RECT button, bool is_pressed)
{
    fill_rect(dc, button, button_colour);
    if (is_pressed)
        DrawEdge(dc, &button, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
    else
        DrawEdge(dc, &button, EDGE_RAISED, BF_RECT);
}

}

void paint_arrow_button(HDC dc, const RECT& button, ArrowDirection direction, bool is_pressed, bool is_active)
{
    paint_button(dc, button, is_pressed);
    RECT arrow = button;
    // A pushed-in button shows its arrow one pixel down and to the right.
    if (is_pressed) {
        ++arrow.left;
        ++arrow.top;
        ++arrow.right;
        ++arrow.bottom;
    }
    paint_arrow(dc, arrow, direction, is_active ? RGB(0, 0, 0) : RGB(160, 160, 160));
}

int ScrollBarLayout::length() const
{
    return is_horizontal ? rect.right - rect.left : rect.bottom - rect.top;
}

int ScrollBarLayout::thickness() const
{
    return is_horizontal ? rect.bottom - rect.top : rect.right - rect.left;
}

int ScrollBarLayout::arrow_length() const
{
    return std::clamp(thickness(), 0, std::max(length() / 2, 0));
}

int ScrollBarLayout::thumb_length() const
{
    int track = std::max(length() - 2 * arrow_length(), 0);
    int span = std::abs(max - min);
    int wanted = thickness();
    if (page > 0)
        wanted = std::max(minimum_thumb_length, static_cast<int>(static_cast<long long>(track) * page / (span + page)));
    // A track too short for a usable thumb shows none.
    if (wanted > track)
        return 0;
    return wanted;
}

int ScrollBarLayout::thumb_start() const
{
    int track = length() - 2 * arrow_length() - thumb_length();
    if (max == min || track <= 0)
        return arrow_length();
    double fraction = static_cast<double>(value - min) / (max - min);
    return arrow_length() + static_cast<int>(round_half_even(std::clamp(fraction, 0.0, 1.0) * track));
}

int ScrollBarLayout::along(POINT point) const
{
    return is_horizontal ? point.x - rect.left : point.y - rect.top;
}

ScrollPart ScrollBarLayout::part_at(POINT point) const
{
    if (!rect_contains(rect, point))
        return ScrollPart::None;
    int position = along(point);
    if (position < arrow_length())
        return ScrollPart::LessArrow;
    if (position >= length() - arrow_length())
        return ScrollPart::MoreArrow;
    if (thumb_length() == 0)
        return ScrollPart::None;
    if (position < thumb_start())
        return ScrollPart::LessTrack;
    if (position >= thumb_start() + thumb_length())
        return ScrollPart::MoreTrack;
    return ScrollPart::Thumb;
}

int ScrollBarLayout::value_at_thumb(int thumb_position) const
{
    int track = length() - 2 * arrow_length() - thumb_length();
    if (track <= 0)
        return value;
    double fraction = std::clamp(static_cast<double>(thumb_position - arrow_length()) / track, 0.0, 1.0);
    return static_cast<int>(round_half_even(min + fraction * (max - min)));
}

void ScrollBarLayout::paint(HDC dc, ScrollPart pressed) const
{
    fill_rect(dc, rect, track_colour);
    auto segment = [&](int start, int extent) {
        if (is_horizontal)
            return RECT { rect.left + start, rect.top, rect.left + start + extent, rect.bottom };
        return RECT { rect.left, rect.top + start, rect.right, rect.top + start + extent };
    };
    RECT less = segment(0, arrow_length());
    RECT more = segment(length() - arrow_length(), arrow_length());
    // Arrows show grey when the bar cannot move.
    bool is_active = is_enabled && max != min;
    paint_arrow_button(dc, less, is_horizontal ? ArrowDirection::Left : ArrowDirection::Up, pressed == ScrollPart::LessArrow, is_active);
    paint_arrow_button(dc, more, is_horizontal ? ArrowDirection::Right : ArrowDirection::Down, pressed == ScrollPart::MoreArrow, is_active);
    if (thumb_length() > 0 && is_enabled)
        paint_button(dc, segment(thumb_start(), thumb_length()), false);
}

}
