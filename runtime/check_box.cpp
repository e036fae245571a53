#include "runtime/check_box.h"

#include "runtime/error.h"
#include "runtime/gdi_helpers.h"

namespace runtime {

CheckBox::CheckBox(Container& container, std::string name, int index)
    : CaptionedControl(container, std::move(name), index)
{
}

void CheckBox::Value(int value)
{
    if (value < vbUnchecked || value > vbGrayed)
        raise(ErrInvalidPropertyValue, "Invalid property value");
    if (value == m_value)
        return;
    m_value = value;
    invalidate();
    raise_event(on_click);
}

void CheckBox::fire_click()
{
    Value(m_value == vbChecked ? vbUnchecked : vbChecked);
}

void CheckBox::paint(HDC dc)
{
    int height = pixel_height();
    paint_background(dc);
    int box_top = (height - 13) / 2;
    RECT box { 0, box_top, 13, box_top + 13 };
    fill_rect(dc, box, m_value == vbGrayed || !m_is_enabled ? RGB(212, 208, 200) : RGB(255, 255, 255));
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
    if (m_value != vbUnchecked) {
        // The tick: two strokes, three pixels thick.
        HPEN pen = CreatePen(PS_SOLID, 1, m_value == vbGrayed ? RGB(128, 128, 128) : RGB(0, 0, 0));
        HGDIOBJ previous = SelectObject(dc, pen);
        for (int offset = 0; offset < 3; ++offset) {
            MoveToEx(dc, 3, box_top + 5 + offset, nullptr);
            LineTo(dc, 5, box_top + 7 + offset);
            LineTo(dc, 10, box_top + 2 + offset);
        }
        SelectObject(dc, previous);
        DeleteObject(pen);
    }
    paint_caption(dc, 17);
}

}
