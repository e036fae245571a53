#include "runtime/command_button.h"

#include "runtime/colour.h"
#include "runtime/gdi_helpers.h"

namespace runtime {

CommandButton::CommandButton(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
}

void CommandButton::Caption(std::string caption)
{
    m_caption = std::move(caption);
    invalidate();
}

void CommandButton::mouse_down(int button, int shift, POINT point)
{
    Control::mouse_down(button, shift, point);
    invalidate();
}

void CommandButton::mouse_up(int button, int shift, POINT point)
{
    Control::mouse_up(button, shift, point);
    invalidate();
}

void CommandButton::paint(HDC dc)
{
    RECT rect { 0, 0, pixel_width(), pixel_height() };
    fill_rect(dc, rect, to_colorref(static_cast<long>(0x8000000F)));
    bool is_pressed = (m_pressed_buttons & 1) != 0;
    DrawEdge(dc, &rect, is_pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    HGDIOBJ previous_font = SelectObject(dc, m_font_handle.get(m_font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_is_enabled ? RGB(0, 0, 0) : RGB(128, 128, 128));
    if (is_pressed)
        rect = RECT { rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1 };
    // An "&" marks the access key, shown underlined ("O&K" reads "OK"); "&&" shows one "&".
    DrawTextA(dc, m_caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previous_font);
}

}
