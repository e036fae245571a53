// Slider: a whole-number Value between Min and Max with a track and a thumb; Change when it changes.
#pragma once

#include "runtime/control.h"

namespace runtime {

class Slider : public Control {
public:
    Slider(Container& container, std::string name, int index = -1);

    long Min() const { return m_min; }
    void Min(long minimum);
    long Max() const { return m_max; }
    void Max(long maximum);
    long Value() const { return m_value; }
    // A value outside Min..Max is refused with an error and changes nothing.
    void Value(long value);

    EventHandler on_change;

protected:
    void paint(HDC dc) override;

private:
    long m_min = 0;
    long m_max = 10;
    long m_value = 0;
};

}
