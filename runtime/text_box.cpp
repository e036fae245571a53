#include "runtime/text_box.h"

#include "runtime/colour.h"
#include "runtime/gdi_helpers.h"

#include <algorithm>

namespace runtime {

TextBox::TextBox(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
}

void TextBox::Text(std::string text)
{
    if (text == m_text)
        return;
    m_text = std::move(text);
    m_selection_start = std::min<int>(m_selection_start, static_cast<int>(m_text.size()));
    m_selection_length = 0;
    invalidate();
    raise_event(on_change);
}

void TextBox::SelStart(int start)
{
    if (start < 0)
        raise(ErrInvalidPropertyValue, "Invalid property value");
    m_selection_start = std::min<int>(start, static_cast<int>(m_text.size()));
    m_selection_length = 0;
    invalidate();
}

void TextBox::SelLength(int length)
{
    if (length < 0)
        raise(ErrInvalidPropertyValue, "Invalid property value");
    m_selection_length = std::min<int>(length, static_cast<int>(m_text.size()) - m_selection_start);
    invalidate();
}

std::string TextBox::SelText() const
{
    return m_text.substr(m_selection_start, m_selection_length);
}

void TextBox::SelText(const std::string& text)
{
    replace_selection(text);
}

void TextBox::BackColor(long colour)
{
    m_back_color = colour;
    invalidate();
}

void TextBox::ForeColor(long colour)
{
    m_fore_color = colour;
    invalidate();
}

void TextBox::replace_selection(const std::string& text)
{
    std::string changed = m_text;
    changed.replace(m_selection_start, m_selection_length, text);
    int caret = m_selection_start + static_cast<int>(text.size());
    m_selection_length = 0;
    Text(std::move(changed));
    m_selection_start = caret;
    invalidate();
}

int TextBox::shift_state() const
{
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= vbShiftMask;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0)
        shift |= vbAltMask;
    return shift;
}

void TextBox::key_down(int key)
{
    int length = static_cast<int>(m_text.size());
    switch (key) {
    case VK_LEFT:
        m_selection_start = std::max(0, m_selection_start - 1);
        m_selection_length = 0;
        break;
    case VK_RIGHT:
        m_selection_start = std::min(length, m_selection_start + m_selection_length + 1);
        m_selection_length = 0;
        break;
    case VK_HOME:
        m_selection_start = 0;
        m_selection_length = 0;
        break;
    case VK_END:
        m_selection_start = length;
        m_selection_length = 0;
        break;
    case VK_DELETE:
        if (m_is_locked)
            break;
        if (m_selection_length == 0 && m_selection_start < length)
            m_selection_length = 1;
        replace_selection({});
        break;
    default:
        return;
    }
    invalidate();
}

void TextBox::type_character(char character)
{
    if (m_is_locked)
        return;
    if (character == '\b') {
        if (m_selection_length == 0 && m_selection_start > 0) {
            --m_selection_start;
            m_selection_length = 1;
        }
        replace_selection({});
        return;
    }
    if (static_cast<unsigned char>(character) < ' ')
        return;
    replace_selection(std::string(1, character));
}

LRESULT TextBox::handle_message(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_KEYDOWN:
        key_down(static_cast<int>(wparam));
        return 0;
    case WM_KEYUP: {
        int key = static_cast<int>(wparam);
        raise_event(on_key_up, key, shift_state());
        return 0;
    }
    case WM_CHAR:
        type_character(static_cast<char>(wparam));
        return 0;
    case WM_SETFOCUS:
        m_has_focus = true;
        invalidate();
        return 0;
    case WM_KILLFOCUS:
        m_has_focus = false;
        invalidate();
        raise_event(on_lost_focus);
        return 0;
    default:
        return Control::handle_message(message, wparam, lparam);
    }
}

int TextBox::position_at(int x)
{
    SelectedBitmap measure(nullptr);
    HGDIOBJ previous = SelectObject(measure.dc(), m_font_handle.get(m_font));
    int position = 0;
    for (; position < static_cast<int>(m_text.size()); ++position) {
        SIZE extent { 0, 0 };
        GetTextExtentPoint32A(measure.dc(), m_text.c_str(), position + 1, &extent);
        if (extent.cx + 3 > x)
            break;
    }
    SelectObject(measure.dc(), previous);
    return position;
}

void TextBox::mouse_down(int button, int shift, POINT point)
{
    if (m_is_enabled && m_window && GetFocus() != m_window)
        ::SetFocus(m_window);
    if (m_is_enabled && button == vbLeftButton) {
        m_selection_start = position_at(point.x);
        m_selection_length = 0;
        invalidate();
    }
    Control::mouse_down(button, shift, point);
}

void TextBox::paint(HDC dc)
{
    RECT rect { 0, 0, pixel_width(), pixel_height() };
    fill_rect(dc, rect, to_colorref(m_back_color));
    HGDIOBJ previous = SelectObject(dc, m_font_handle.get(m_font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_is_enabled ? to_colorref(m_fore_color) : RGB(128, 128, 128));
    int top = 2;
    auto extent_to = [&](int count) {
        SIZE extent { 0, 0 };
        if (count > 0)
            GetTextExtentPoint32A(dc, m_text.c_str(), count, &extent);
        return extent.cx;
    };
    if (m_has_focus && m_selection_length > 0) {
        RECT selection { 2 + extent_to(m_selection_start), top, 2 + extent_to(m_selection_start + m_selection_length), rect.bottom - 2 };
        fill_rect(dc, selection, to_colorref(static_cast<long>(0x8000000D)));
    }
    TextOutA(dc, 2, top, m_text.c_str(), static_cast<int>(m_text.size()));
    if (m_has_focus && m_selection_length == 0) {
        int caret = 2 + extent_to(m_selection_start);
        fill_rect(dc, RECT { caret, top, caret + 1, rect.bottom - 2 }, RGB(0, 0, 0));
    }
    SelectObject(dc, previous);
    if (m_border_style == 1)
        DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
}

}
