// CheckBox: Value 0 unchecked, 1 checked, 2 grayed. Assigning Value raises Click at once, and only
// when the value changes; any other value is refused with an error and changes nothing.
#pragma once

#include "runtime/control.h"

namespace runtime {

enum CheckValue : int {
    vbUnchecked = 0,
    vbChecked = 1,
    vbGrayed = 2,
};

class CheckBox : public Control {
public:
    CheckBox(Container& container, std::string name, int index = -1);

    int Value() const { return m_value; }
    void Value(int value);
    const std::string& Caption() const { return m_caption; }
    void Caption(std::string caption);
    long BackColor() const { return m_back_color; }
    void BackColor(long colour);
    long ForeColor() const { return m_fore_color; }
    void ForeColor(long colour);

protected:
    bool takes_double_click() const override { return false; }
    void paint(HDC dc) override;
    // A click with the mouse toggles the box (a grayed box becomes unchecked).
    void fire_click() override;

private:
    std::string m_caption;
    long m_back_color = static_cast<long>(0x8000000F);
    long m_fore_color = static_cast<long>(0x80000012);
    int m_value = vbUnchecked;
};

}
