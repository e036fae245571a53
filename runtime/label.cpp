#include "runtime/label.h"

#include "runtime/colour.h"
#include "runtime/container.h"
#include "runtime/gdi_helpers.h"
#include "runtime/numeric.h"

namespace runtime {

Label::Label(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
}

void Label::Caption(std::string caption)
{
    if (caption == m_caption)
        return;
    m_caption = std::move(caption);
    text_layout_changed();
    invalidate();
}

void Label::AutoSize(bool auto_size)
{
    m_is_auto_size = auto_size;
    text_layout_changed();
}

void Label::WordWrap(bool word_wrap)
{
    m_is_word_wrap = word_wrap;
    text_layout_changed();
}

void Label::BackStyle(int style)
{
    m_back_style = style;
    invalidate();
}

void Label::BackColor(long colour)
{
    m_back_color = colour;
    invalidate();
}

void Label::ForeColor(long colour)
{
    m_fore_color = colour;
    invalidate();
}

void Label::Alignment(int alignment)
{
    m_alignment = alignment;
    invalidate();
}

UINT Label::text_format() const
{
    UINT format = DT_NOPREFIX | DT_WORDBREAK;
    if (m_alignment == vbRightJustify)
        format |= DT_RIGHT;
    else if (m_alignment == vbCenter)
        format |= DT_CENTER;
    else
        format |= DT_LEFT;
    return format;
}

void Label::text_layout_changed()
{
    if (!m_is_auto_size)
        return;
    // The label takes the size of its text: one line per line break, or wrapped at its width.
    SelectedBitmap measure(nullptr);
    HGDIOBJ previous = SelectObject(measure.dc(), m_font_handle.get(m_font));
    RECT text_rect { 0, 0, m_is_word_wrap ? pixel_width() : 0x7FFF, 0 };
    UINT format = DT_CALCRECT | DT_NOPREFIX | (m_is_word_wrap ? DT_WORDBREAK : 0);
    const char* text = m_caption.empty() ? " " : m_caption.c_str();
    DrawTextA(measure.dc(), text, -1, &text_rect, format);
    SelectObject(measure.dc(), previous);
    int width = m_caption.empty() ? 0 : text_rect.right - text_rect.left;
    if (m_is_word_wrap)
        width = pixel_width();
    set_geometry_twips(m_left, m_top, pixels_to_twips(width), pixels_to_twips(text_rect.bottom - text_rect.top));
}

void Label::paint(HDC dc)
{
    RECT rect = pixel_rect();
    if (m_back_style == 1)
        fill_rect(dc, rect, to_colorref(m_back_color));
    if (m_caption.empty())
        return;
    HGDIOBJ previous = SelectObject(dc, m_font_handle.get(m_font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_is_enabled ? to_colorref(m_fore_color) : RGB(128, 128, 128));
    DrawTextA(dc, m_caption.c_str(), -1, &rect, text_format());
    SelectObject(dc, previous);
}

}
