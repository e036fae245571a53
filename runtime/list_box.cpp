#include "runtime/list_box.h"

#include "runtime/colour.h"
#include "runtime/error.h"
#include "runtime/gdi_helpers.h"
#include "runtime/font.h"

#include <algorithm>

namespace runtime {

ListBox::ListBox(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
}

void ListBox::AddItem(std::string item, int index)
{
    if (index < -1 || index > ListCount())
        raise(ErrInvalidProcedureCall, "Invalid procedure call or argument");
    if (index == -1) {
        m_items.push_back(std::move(item));
    } else {
        m_items.insert(m_items.begin() + index, std::move(item));
        if (m_list_index >= index)
            ++m_list_index;
    }
    invalidate();
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        raise(ErrInvalidProcedureCall, "Invalid procedure call or argument");
    m_items.erase(m_items.begin() + index);
    if (m_list_index == index)
        m_list_index = -1;
    else if (m_list_index > index)
        --m_list_index;
    m_top_index = std::clamp(m_top_index, 0, std::max(0, ListCount() - 1));
    invalidate();
}

void ListBox::Clear()
{
    m_items.clear();
    m_list_index = -1;
    m_top_index = 0;
    invalidate();
}

void ListBox::set_items(std::vector<std::string> items)
{
    m_items = std::move(items);
    m_list_index = -1;
    m_top_index = 0;
    invalidate();
}

std::string ListBox::List(int index) const
{
    if (index < -1)
        raise(ErrInvalidProcedureCall, "Invalid procedure call or argument");
    if (index == -1)
        return Text();
    if (index >= ListCount())
        return {};
    return m_items[index];
}

void ListBox::List(int index, std::string item)
{
    if (index < 0 || index >= ListCount())
        raise(ErrInvalidProcedureCall, "Invalid procedure call or argument");
    m_items[index] = std::move(item);
    invalidate();
}

void ListBox::ListIndex(int index)
{
    if (index < -1 || index >= ListCount())
        raise(ErrInvalidPropertyValue, "Invalid property value");
    if (index == m_list_index)
        return;
    m_list_index = index;
    keep_selection_visible();
    invalidate();
    raise_event(on_click);
}

std::string ListBox::Text() const
{
    return m_list_index >= 0 ? m_items[m_list_index] : std::string();
}

void ListBox::TopIndex(int index)
{
    if (index < 0 || (index >= ListCount() && index != 0))
        raise(ErrInvalidPropertyValue, "Invalid property value");
    m_top_index = index;
    invalidate();
}

void ListBox::BackColor(long colour)
{
    m_back_color = colour;
    invalidate();
}

void ListBox::ForeColor(long colour)
{
    m_fore_color = colour;
    invalidate();
}

int ListBox::row_height() const
{
    return font_pixel_height(m_font.Size) + 2;
}

int ListBox::visible_rows() const
{
    return std::max(1, (pixel_height() - 4) / row_height());
}

void ListBox::keep_selection_visible()
{
    if (m_list_index < 0)
        return;
    if (m_list_index < m_top_index)
        m_top_index = m_list_index;
    else if (m_list_index >= m_top_index + visible_rows())
        m_top_index = m_list_index - visible_rows() + 1;
}

void ListBox::row_clicked(int row)
{
    ListIndex(row);
}

void ListBox::mouse_down(int button, int shift, POINT point)
{
    Control::mouse_down(button, shift, point);
    if (!m_is_enabled || button != vbLeftButton)
        return;
    int row = m_top_index + (point.y - 2) / row_height();
    if (row >= 0 && row < ListCount())
        row_clicked(row);
}

void ListBox::paint(HDC dc)
{
    RECT rect { 0, 0, pixel_width(), pixel_height() };
    fill_rect(dc, rect, to_colorref(m_back_color));
    HGDIOBJ previous_font = SelectObject(dc, m_font_handle.get(m_font));
    SetBkMode(dc, TRANSPARENT);
    int height = row_height();
    for (int row = m_top_index; row < ListCount() && row < m_top_index + visible_rows() + 1; ++row) {
        int top = 2 + (row - m_top_index) * height;
        RECT row_rect { 2, top, rect.right - 2, top + height };
        bool is_selected = row == m_list_index;
        if (is_selected)
            fill_rect(dc, row_rect, to_colorref(static_cast<long>(0x8000000D)));
        SetTextColor(dc, is_selected ? RGB(255, 255, 255) : to_colorref(m_fore_color));
        DrawTextA(dc, m_items[row].c_str(), -1, &row_rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    }
    SelectObject(dc, previous_font);
    DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
}

}
