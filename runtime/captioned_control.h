// CaptionedControl: what check boxes and option buttons share: a caption beside their mark,
// drawn in the control's font, and the back and fore colours.
#pragma once

#include "runtime/control.h"

#include <string>

namespace runtime {

class CaptionedControl : public Control {
public:
    CaptionedControl(Container& container, std::string name, int index);

    const std::string& Caption() const { return m_caption; }
    void Caption(std::string caption);
    long BackColor() const { return m_back_color; }
    void BackColor(long colour);
    long ForeColor() const { return m_fore_color; }
    void ForeColor(long colour);

protected:
    bool takes_double_click() const override { return false; }
    // Fills the control with its back colour.
    void paint_background(HDC dc);
    // Draws the caption from `left` to the right edge, centred vertically, grey while disabled.
    void paint_caption(HDC dc, int left);

private:
    std::string m_caption;
    long m_back_color = static_cast<long>(0x8000000F);
    long m_fore_color = static_cast<long>(0x80000012);
};

}
