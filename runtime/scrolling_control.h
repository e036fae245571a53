// ScrollingControl: a control whose content scrolls up and down inside its sunken border (the
// lists, the rich text box). Its Scroller's bar takes presses and drags, the wheel and the
// scrolling keys move the view, and a press gives the control the keyboard focus.
#pragma once

#include "runtime/control.h"
#include "runtime/scroller.h"

namespace runtime {

class ScrollingControl : public Control {
public:
    using Control::Control;

protected:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void mouse_down(int button, int shift, POINT point) override;
    void mouse_move(int buttons, int shift, POINT point) override;
    void mouse_up(int button, int shift, POINT point) override;
    // A quick second press on the bar is one more press there, not a double-click.
    void mouse_double_click(int button, int shift, POINT point) override;

    // The area inside the border that the content and the bar share.
    RECT scroll_box() const;
    // The scroller with the content's size as it is now.
    Scroller& scroller();
    // Tells the scroller how large the content is and how much of it the box shows.
    virtual void measure_content(Scroller& scroller) = 0;
    // A left press on the content, not on the bar (pixels of the control).
    virtual void content_pressed(POINT) { }
    // A key pressed while the control has the focus; by default the scrolling keys move the view.
    virtual void key_pressed(int virtual_key);
    // The view moved.
    virtual void scrolled() { invalidate(); }

private:
    Scroller m_scroller;
};

}
