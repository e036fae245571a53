#include "runtime/scrolling_control.h"

#include "runtime/rect_contains.h"

#include <algorithm>

namespace runtime {

RECT ScrollingControl::scroll_box() const
{
    return RECT { 2, 2, std::max(2, pixel_width() - 2), std::max(2, pixel_height() - 2) };
}

Scroller& ScrollingControl::scroller()
{
    measure_content(m_scroller);
    return m_scroller;
}

void ScrollingControl::key_pressed(int virtual_key)
{
    int before = scroller().position();
    if (m_scroller.key(virtual_key) && m_scroller.position() != before)
        scrolled();
}

LRESULT ScrollingControl::handle_message(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_MOUSEWHEEL:
        if (m_is_enabled && scroller().wheel(static_cast<short>(HIWORD(wparam))))
            scrolled();
        return 0;
    case WM_KEYDOWN:
        if (m_is_enabled)
            key_pressed(static_cast<int>(wparam));
        return 0;
    default:
        return Control::handle_message(message, wparam, lparam);
    }
}

void ScrollingControl::mouse_down(int button, int shift, POINT point)
{
    if (m_is_enabled && m_window && GetFocus() != m_window)
        ::SetFocus(m_window);
    Control::mouse_down(button, shift, point);
    if (!m_is_enabled || button != vbLeftButton)
        return;
    int before = scroller().position();
    if (m_scroller.mouse_down(point, scroll_box())) {
        // The pressed arrow shows pushed in even when the view is already at its end.
        if (m_scroller.position() == before)
            invalidate();
        else
            scrolled();
        return;
    }
    content_pressed(point);
}

void ScrollingControl::mouse_double_click(int button, int shift, POINT point)
{
    if (rect_contains(scroller().bar_rect(scroll_box()), point))
        return mouse_down(button, shift, point);
    // The second press picks the row under it too, as the first did, before the DblClick event.
    if (m_is_enabled && button == vbLeftButton)
        content_pressed(point);
    Control::mouse_double_click(button, shift, point);
}

void ScrollingControl::mouse_move(int buttons, int shift, POINT point)
{
    Control::mouse_move(buttons, shift, point);
    int before = m_scroller.position();
    if (m_scroller.mouse_move(point, scroll_box()) && m_scroller.position() != before)
        scrolled();
}

void ScrollingControl::mouse_up(int button, int shift, POINT point)
{
    if (button == vbLeftButton && m_scroller.mouse_up())
        invalidate();
    Control::mouse_up(button, shift, point);
}

}
