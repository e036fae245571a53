// CheckBox: Value 0 unchecked, 1 checked, 2 grayed. Assigning Value raises Click at once, and only
// when the value changes; any other value is refused with an error and changes nothing.
#pragma once

#include "runtime/captioned_control.h"

namespace runtime {

enum CheckValue : int {
    vbUnchecked = 0,
    vbChecked = 1,
    vbGrayed = 2,
};

class CheckBox : public CaptionedControl {
public:
    CheckBox(Container& container, std::string name, int index = -1);

    int Value() const { return m_value; }
    void Value(int value);

protected:
    void paint(HDC dc) override;
    // A click with the mouse toggles the box (a grayed box becomes unchecked).
    void fire_click() override;

private:
    int m_value = vbUnchecked;
};

}
