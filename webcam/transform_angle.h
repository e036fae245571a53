// TransformAngle: one parameter of the frame transform, a whole number of degrees within its range.
#pragma once

#include "runtime/error.h"

#include <functional>

class TransformAngle {
public:
    TransformAngle(int minimum, int maximum, int start)
        : m_min(minimum)
        , m_max(maximum)
        , m_value(start)
    {
    }

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Value() const { return m_value; }
    // A value outside Min..Max is refused with an error and changes nothing; a new value runs
    // on_change, the same value nothing.
    void Value(int degrees)
    {
        if (degrees < m_min || degrees > m_max)
            runtime::raise(runtime::ErrInvalidPropertyValue, "Invalid property value");
        if (degrees == m_value)
            return;
        m_value = degrees;
        if (on_change)
            on_change();
    }

    std::function<void()> on_change;

private:
    int m_min;
    int m_max;
    int m_value;
};
