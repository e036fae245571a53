#include "runtime/scroll_bar.h"

#include "runtime/error.h"
#include "runtime/gdi_helpers.h"
#include "runtime/numeric.h"

#include <algorithm>

namespace runtime {

namespace {

void check_integer(long value)
{
    if (value < -32768 || value > 32767)
        raise(ErrOverflow, "Overflow");
}

}

ScrollBar::ScrollBar(Container& container, std::string name, int index, bool is_horizontal)
    : Control(container, std::move(name), index)
    , m_is_horizontal(is_horizontal)
{
}

bool ScrollBar::is_in_range(int value) const
{
    return value >= std::min(m_min, m_max) && value <= std::max(m_min, m_max);
}

void ScrollBar::Value(int value)
{
    check_integer(value);
    if (!is_in_range(value))
        raise(ErrInvalidPropertyValue, "Invalid property value");
    if (value == m_value)
        return;
    m_value = value;
    invalidate();
    raise_event(on_change);
}

// A new range pulls the value inside it, which is a change like any other.
void ScrollBar::Min(int minimum)
{
    check_integer(minimum);
    m_min = minimum;
    invalidate();
    if (!is_in_range(m_value))
        Value(std::clamp(m_value, std::min(m_min, m_max), std::max(m_min, m_max)));
}

void ScrollBar::Max(int maximum)
{
    check_integer(maximum);
    m_max = maximum;
    invalidate();
    if (!is_in_range(m_value))
        Value(std::clamp(m_value, std::min(m_min, m_max), std::max(m_min, m_max)));
}

void ScrollBar::SmallChange(int change)
{
    if (change < 0 || change > 32767)
        raise(ErrInvalidPropertyValue, "Invalid property value");
    m_small_change = change;
}

void ScrollBar::LargeChange(int change)
{
    if (change < 0 || change > 32767)
        raise(ErrInvalidPropertyValue, "Invalid property value");
    m_large_change = change;
    invalidate();
}

int ScrollBar::length() const
{
    return m_is_horizontal ? pixel_width() : pixel_height();
}

int ScrollBar::thickness() const
{
    return m_is_horizontal ? pixel_height() : pixel_width();
}

int ScrollBar::thumb_length() const
{
    int track = length() - 2 * thickness();
    return std::clamp(thickness(), 0, std::max(track, 0));
}

int ScrollBar::thumb_start() const
{
    int track = length() - 2 * thickness() - thumb_length();
    if (m_max == m_min || track <= 0)
        return thickness();
    double fraction = static_cast<double>(m_value - m_min) / (m_max - m_min);
    return thickness() + static_cast<int>(round_half_even(fraction * track));
}

int ScrollBar::along(POINT point) const
{
    return m_is_horizontal ? point.x : point.y;
}

int ScrollBar::stepped(int step) const
{
    // Steps go towards Max, whichever way round Min and Max are.
    int direction = m_max >= m_min ? 1 : -1;
    long moved = static_cast<long>(m_value) + static_cast<long>(step) * direction;
    return static_cast<int>(std::clamp<long>(moved, std::min(m_min, m_max), std::max(m_min, m_max)));
}

void ScrollBar::set_value_from_thumb(int thumb_position)
{
    int track = length() - 2 * thickness() - thumb_length();
    if (track <= 0)
        return;
    double fraction = std::clamp(static_cast<double>(thumb_position - thickness()) / track, 0.0, 1.0);
    int value = static_cast<int>(round_half_even(m_min + fraction * (m_max - m_min)));
    if (value == m_value)
        return;
    m_value = value;
    invalidate();
    raise_event(on_scroll);
}

void ScrollBar::mouse_down(int button, int shift, POINT point)
{
    Control::mouse_down(button, shift, point);
    if (button != vbLeftButton || !m_is_enabled)
        return;
    int position = along(point);
    if (position < thickness())
        return Value(stepped(-m_small_change));
    if (position >= length() - thickness())
        return Value(stepped(m_small_change));
    if (position < thumb_start())
        return Value(stepped(-m_large_change));
    if (position >= thumb_start() + thumb_length())
        return Value(stepped(m_large_change));
    m_is_dragging_thumb = true;
    m_drag_offset = position - thumb_start();
    m_value_at_drag_start = m_value;
}

void ScrollBar::mouse_move(int buttons, int shift, POINT point)
{
    Control::mouse_move(buttons, shift, point);
    if (m_is_dragging_thumb)
        set_value_from_thumb(along(point) - m_drag_offset);
}

void ScrollBar::mouse_up(int button, int shift, POINT point)
{
    bool was_dragging = m_is_dragging_thumb && button == vbLeftButton;
    if (was_dragging)
        m_is_dragging_thumb = false;
    Control::mouse_up(button, shift, point);
    if (was_dragging && m_value != m_value_at_drag_start)
        raise_event(on_change);
}

void ScrollBar::paint(HDC dc)
{
    int width = pixel_width();
    int height = pixel_height();
    fill_rect(dc, RECT { 0, 0, width, height }, RGB(236, 233, 216));
    int size = thickness();
    auto segment = [&](int start, int extent) {
        return m_is_horizontal ? RECT { start, 0, start + extent, height } : RECT { 0, start, width, start + extent };
    };
    for (RECT button : { segment(0, size), segment(length() - size, size), segment(thumb_start(), thumb_length()) }) {
        fill_rect(dc, button, RGB(212, 208, 200));
        DrawEdge(dc, &button, EDGE_RAISED, BF_RECT);
    }
}

}
