// Horizontal and vertical scroll bars: a whole-number Value between Min and Max. Assigning Value
// raises Change at once and only when it changes; a value outside Min..Max is refused with an
// error and changes nothing. Dragging the thumb raises Scroll, releasing it Change.
#pragma once

#include "runtime/control.h"
#include "runtime/scroll_bar_layout.h"

namespace runtime {

class ScrollBar : public Control {
public:
    int Min() const { return m_min; }
    void Min(int minimum);
    int Max() const { return m_max; }
    void Max(int maximum);
    int Value() const { return m_value; }
    void Value(int value);
    int SmallChange() const { return m_small_change; }
    void SmallChange(int change);
    int LargeChange() const { return m_large_change; }
    void LargeChange(int change);

    EventHandler on_change;
    EventHandler on_scroll;

protected:
    bool takes_double_click() const override { return false; }
    ScrollBar(Container& container, std::string name, int index, bool is_horizontal);

    void paint(HDC dc) override;
    void mouse_down(int button, int shift, POINT point) override;
    void mouse_move(int buttons, int shift, POINT point) override;
    void mouse_up(int button, int shift, POINT point) override;

private:
    ScrollBarLayout layout() const;
    // A value moved by a step and kept inside the range.
    int stepped(int step) const;
    void set_value_from_thumb(int thumb_position);
    bool is_in_range(int value) const;

    int m_min = 0;
    int m_max = 32767;
    int m_value = 0;
    int m_small_change = 1;
    int m_large_change = 1;
    bool m_is_horizontal = true;
    ScrollPart m_pressed_part = ScrollPart::None;
    bool m_is_dragging_thumb = false;
    int m_drag_offset = 0;
    int m_value_at_drag_start = 0;
};

class HScrollBar : public ScrollBar {
public:
    HScrollBar(Container& container, std::string name, int index = -1)
        : ScrollBar(container, std::move(name), index, true)
    {
    }
};

class VScrollBar : public ScrollBar {
public:
    VScrollBar(Container& container, std::string name, int index = -1)
        : ScrollBar(container, std::move(name), index, false)
    {
    }
};

}
