// Scroller: the vertical scrolling of a control whose content is taller than its box (the lists,
// the rich text box). It keeps the first unit shown (a row, a pixel: the control chooses), shows a
// scroll bar at the right edge of the box while the content does not fit, and moves the view for
// the bar's arrows, track and thumb, the mouse wheel and the scrolling keys, one way for every control.
#pragma once

#include "runtime/scroll_bar_layout.h"

namespace runtime {

class Scroller {
public:
    // The content's size and how much of it one view shows; the position stays within reach.
    void set_extent(int total, int page);
    // How far an arrow, a wheel line or the Up and Down keys move the view.
    void set_line_step(int step) { m_line_step = step > 0 ? step : 1; }
    int position() const { return m_position; }
    int last_position() const;
    // Moves the view to a position, kept within reach; true when it moved.
    bool scroll_to(int position);
    // Moves the view the least that shows the span from `start`, `extent` long; true when it moved.
    bool bring_into_view(int start, int extent);
    bool is_needed() const { return m_total > m_page; }
    bool is_dragging() const { return m_is_dragging; }

    // The box without the bar, and the bar, in a control whose inner area is `box`.
    RECT content_rect(const RECT& box) const;
    RECT bar_rect(const RECT& box) const;
    void paint(HDC dc, const RECT& box) const;

    // Mouse input at a point of the control (pixels). A press on the bar is the scroller's: true.
    bool mouse_down(POINT point, const RECT& box);
    // True while the thumb is dragged (the move is the scroller's).
    bool mouse_move(POINT point, const RECT& box);
    // True when the release ends a press the scroller took.
    bool mouse_up();
    // A turn of the wheel, in the wheel's units (120 a notch, positive away from the user).
    bool wheel(int delta);
    // Up, Down, Page Up, Page Down, Home and End move the view; true for a key it took.
    bool key(int virtual_key);

private:
    ScrollBarLayout layout(const RECT& box) const;

    int m_total = 0;
    int m_page = 0;
    int m_position = 0;
    int m_line_step = 1;
    ScrollPart m_pressed_part = ScrollPart::None;
    bool m_is_dragging = false;
    int m_drag_offset = 0;
};

}
