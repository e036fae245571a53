#include "runtime/captioned_control.h"

#include "runtime/colour.h"
#include "runtime/gdi_helpers.h"

namespace runtime {

CaptionedControl::CaptionedControl(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
}

void CaptionedControl::Caption(std::string caption)
{
    m_caption = std::move(caption);
    invalidate();
}

void CaptionedControl::BackColor(long colour)
{
    m_back_color = colour;
    invalidate();
}

void CaptionedControl::ForeColor(long colour)
{
    m_fore_color = colour;
    invalidate();
}

void CaptionedControl::paint_background(HDC dc)
{
    fill_rect(dc, RECT { 0, 0, pixel_width(), pixel_height() }, to_colorref(m_back_color));
}

void CaptionedControl::paint_caption(HDC dc, int left)
{
    HGDIOBJ previous_font = SelectObject(dc, m_font_handle.get(m_font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_is_enabled ? to_colorref(m_fore_color) : RGB(128, 128, 128));
    RECT text { left, 0, pixel_width(), pixel_height() };
    DrawTextA(dc, m_caption.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous_font);
}

}
