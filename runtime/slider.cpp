#include "runtime/slider.h"

#include "runtime/error.h"
#include "runtime/gdi_helpers.h"

#include <algorithm>

namespace runtime {

Slider::Slider(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
}

void Slider::Min(long minimum)
{
    m_min = minimum;
    if (m_value < m_min)
        Value(m_min);
    invalidate();
}

void Slider::Max(long maximum)
{
    m_max = maximum;
    if (m_value > m_max)
        Value(m_max);
    invalidate();
}

void Slider::Value(long value)
{
    if (value < std::min(m_min, m_max) || value > std::max(m_min, m_max))
        raise(ErrInvalidPropertyValue, "Invalid property value");
    if (value == m_value)
        return;
    m_value = value;
    invalidate();
    raise_event(on_change);
}

void Slider::paint(HDC dc)
{
    int width = pixel_width();
    int height = pixel_height();
    fill_rect(dc, RECT { 0, 0, width, height }, RGB(212, 208, 200));
    RECT track { 5, height / 2 - 2, width - 5, height / 2 + 2 };
    DrawEdge(dc, &track, EDGE_SUNKEN, BF_RECT);
    int span = std::max(1L, m_max - m_min);
    int thumb = 5 + static_cast<int>((m_value - m_min) * (width - 10) / span);
    RECT knob { thumb - 5, 2, thumb + 5, height - 2 };
    fill_rect(dc, knob, RGB(212, 208, 200));
    DrawEdge(dc, &knob, EDGE_RAISED, BF_RECT);
}

}
