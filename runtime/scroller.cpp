#include "runtime/scroller.h"

#include "runtime/rect_contains.h"

#include <algorithm>

namespace runtime {

namespace {

// Lines the view moves for one notch of the wheel, as Windows sets it out of the box.
constexpr int wheel_lines = 3;
constexpr int wheel_notch = 120;

int bar_width()
{
    return GetSystemMetrics(SM_CXVSCROLL);
}

}

void Scroller::set_extent(int total, int page)
{
    m_total = std::max(total, 0);
    m_page = std::max(page, 1);
    m_position = std::clamp(m_position, 0, last_position());
}

int Scroller::last_position() const
{
    return std::max(m_total - m_page, 0);
}

bool Scroller::scroll_to(int position)
{
    position = std::clamp(position, 0, last_position());
    if (position == m_position)
        return false;
    m_position = position;
    return true;
}

bool Scroller::bring_into_view(int start, int extent)
{
    if (start < m_position)
        return scroll_to(start);
    if (start + extent > m_position + m_page)
        return scroll_to(std::min(start, start + extent - m_page));
    return false;
}

RECT Scroller::content_rect(const RECT& box) const
{
    RECT content = box;
    if (is_needed())
        content.right = std::max(content.left, content.right - bar_width());
    return content;
}

RECT Scroller::bar_rect(const RECT& box) const
{
    if (!is_needed())
        return RECT { box.right, box.top, box.right, box.bottom };
    return RECT { std::max(box.left, box.right - bar_width()), box.top, box.right, box.bottom };
}

ScrollBarLayout Scroller::layout(const RECT& box) const
{
    ScrollBarLayout bar;
    bar.rect = bar_rect(box);
    bar.min = 0;
    bar.max = last_position();
    bar.value = m_position;
    bar.page = m_page;
    return bar;
}

void Scroller::paint(HDC dc, const RECT& box) const
{
    if (!is_needed())
        return;
    ScrollPart shown = m_pressed_part == ScrollPart::LessArrow || m_pressed_part == ScrollPart::MoreArrow ? m_pressed_part : ScrollPart::None;
    layout(box).paint(dc, shown);
}

bool Scroller::mouse_down(POINT point, const RECT& box)
{
    if (!is_needed())
        return false;
    ScrollBarLayout bar = layout(box);
    ScrollPart part = bar.part_at(point);
    if (part == ScrollPart::None)
        return rect_contains(bar.rect, point);
    m_pressed_part = part;
    switch (part) {
    case ScrollPart::LessArrow:
        scroll_to(m_position - m_line_step);
        break;
    case ScrollPart::MoreArrow:
        scroll_to(m_position + m_line_step);
        break;
    case ScrollPart::LessTrack:
        scroll_to(m_position - m_page);
        break;
    case ScrollPart::MoreTrack:
        scroll_to(m_position + m_page);
        break;
    case ScrollPart::Thumb:
        m_is_dragging = true;
        m_drag_offset = bar.along(point) - bar.thumb_start();
        break;
    case ScrollPart::None:
        break;
    }
    return true;
}

bool Scroller::mouse_move(POINT point, const RECT& box)
{
    if (!m_is_dragging)
        return false;
    ScrollBarLayout bar = layout(box);
    scroll_to(bar.value_at_thumb(bar.along(point) - m_drag_offset));
    return true;
}

bool Scroller::mouse_up()
{
    bool was_pressed = m_pressed_part != ScrollPart::None;
    m_pressed_part = ScrollPart::None;
    m_is_dragging = false;
    return was_pressed;
}

bool Scroller::wheel(int delta)
{
    int lines = -delta * wheel_lines / wheel_notch;
    if (lines == 0)
        lines = delta > 0 ? -1 : 1;
    return scroll_to(m_position + lines * m_line_step);
}

bool Scroller::key(int virtual_key)
{
    switch (virtual_key) {
    case VK_UP:
        scroll_to(m_position - m_line_step);
        return true;
    case VK_DOWN:
        scroll_to(m_position + m_line_step);
        return true;
    case VK_PRIOR:
        scroll_to(m_position - m_page);
        return true;
    case VK_NEXT:
        scroll_to(m_position + m_page);
        return true;
    case VK_HOME:
        scroll_to(0);
        return true;
    case VK_END:
        scroll_to(last_position());
        return true;
    default:
        return false;
    }
}

}
