#include "runtime/frame.h"

#include "runtime/colour.h"
#include "runtime/gdi_helpers.h"
#include "runtime/font.h"

namespace runtime {

Frame::Frame(Container& container, std::string name, int index)
    : Container(container, std::move(name), index)
{
}

void Frame::Caption(std::string caption)
{
    m_caption = std::move(caption);
    invalidate();
}

void Frame::BorderStyle(int style)
{
    m_border_style = style;
    invalidate();
}

void Frame::BackColor(long colour)
{
    m_back_color = colour;
    invalidate();
}

void Frame::ForeColor(long colour)
{
    m_fore_color = colour;
    invalidate();
}

void Frame::paint(HDC dc)
{
    RECT rect { 0, 0, pixel_width(), pixel_height() };
    fill_rect(dc, rect, to_colorref(m_back_color));
    int caption_height = font_pixel_height(m_font.Size);
    if (m_border_style == 1) {
        RECT border { 0, m_caption.empty() ? 0 : caption_height / 2, rect.right, rect.bottom };
        DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    }
    if (!m_caption.empty()) {
        HGDIOBJ previous = SelectObject(dc, m_font_handle.get(m_font));
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, to_colorref(m_back_color));
        SetTextColor(dc, to_colorref(m_fore_color));
        std::string text = " " + m_caption + " ";
        TextOutA(dc, 6, 0, text.c_str(), static_cast<int>(text.size()));
        SelectObject(dc, previous);
    }
    paint_windowless_children(dc);
}

}
