#include "runtime/option_button.h"

#include "runtime/container.h"
#include "runtime/gdi_helpers.h"

namespace runtime {

OptionButton::OptionButton(Container& container, std::string name, int index)
    : CaptionedControl(container, std::move(name), index)
{
}

void OptionButton::Value(bool value)
{
    if (value == m_value)
        return;
    m_value = value;
    invalidate();
    if (!value)
        return;
    for (Control* sibling : container()->children()) {
        auto* option = dynamic_cast<OptionButton*>(sibling);
        if (option && option != this && option->m_value) {
            option->m_value = false;
            option->invalidate();
        }
    }
    raise_event(on_click);
}

void OptionButton::fire_click()
{
    Value(true);
}

void OptionButton::paint(HDC dc)
{
    int height = pixel_height();
    paint_background(dc);
    int top = (height - 12) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
    HGDIOBJ previous_pen = SelectObject(dc, pen);
    HGDIOBJ previous_brush = SelectObject(dc, brush);
    Ellipse(dc, 0, top, 12, top + 12);
    if (m_value) {
        HBRUSH dot = CreateSolidBrush(RGB(0, 0, 0));
        SelectObject(dc, dot);
        Ellipse(dc, 4, top + 4, 8, top + 8);
        SelectObject(dc, brush);
        DeleteObject(dot);
    }
    SelectObject(dc, previous_pen);
    SelectObject(dc, previous_brush);
    DeleteObject(pen);
    DeleteObject(brush);
    paint_caption(dc, 16);
}

}
