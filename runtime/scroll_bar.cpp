#include "runtime/scroll_bar.h"

#include "runtime/error.h"

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

ScrollBarLayout ScrollBar::layout() const
{
    ScrollBarLayout bar;
    bar.rect = RECT { 0, 0, pixel_width(), pixel_height() };
    bar.is_horizontal = m_is_horizontal;
    bar.min = m_min;
    bar.max = m_max;
    bar.value = m_value;
    bar.is_enabled = m_is_enabled;
    return bar;
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
    int value = layout().value_at_thumb(thumb_position);
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
    ScrollBarLayout bar = layout();
    m_pressed_part = bar.part_at(point);
    switch (m_pressed_part) {
    case ScrollPart::LessArrow:
        invalidate();
        return Value(stepped(-m_small_change));
    case ScrollPart::MoreArrow:
        invalidate();
        return Value(stepped(m_small_change));
    case ScrollPart::LessTrack:
        return Value(stepped(-m_large_change));
    case ScrollPart::MoreTrack:
        return Value(stepped(m_large_change));
    case ScrollPart::Thumb:
        m_is_dragging_thumb = true;
        m_drag_offset = bar.along(point) - bar.thumb_start();
        m_value_at_drag_start = m_value;
        return;
    case ScrollPart::None:
        return;
    }
}

void ScrollBar::mouse_move(int buttons, int shift, POINT point)
{
    Control::mouse_move(buttons, shift, point);
    if (m_is_dragging_thumb)
        set_value_from_thumb(layout().along(point) - m_drag_offset);
}

void ScrollBar::mouse_up(int button, int shift, POINT point)
{
    bool was_dragging = m_is_dragging_thumb && button == vbLeftButton;
    if (button == vbLeftButton && m_pressed_part != ScrollPart::None) {
        m_pressed_part = ScrollPart::None;
        invalidate();
    }
    if (was_dragging)
        m_is_dragging_thumb = false;
    Control::mouse_up(button, shift, point);
    if (was_dragging && m_value != m_value_at_drag_start)
        raise_event(on_change);
}

void ScrollBar::paint(HDC dc)
{
    ScrollPart shown = m_pressed_part == ScrollPart::LessArrow || m_pressed_part == ScrollPart::MoreArrow ? m_pressed_part : ScrollPart::None;
    layout().paint(dc, shown);
}

}
