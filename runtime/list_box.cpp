#include "runtime/list_box.h"

#include "runtime/colour.h"
#include "runtime/error.h"
#include "runtime/gdi_helpers.h"
#include "runtime/font.h"

#include <algorithm>

namespace runtime {

ListBox::ListBox(Container& container, std::string name, int index)
    : ScrollingControl(container, std::move(name), index)
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
    invalidate();
}

void ListBox::Clear()
{
    m_items.clear();
    m_list_index = -1;
    scroller().scroll_to(0);
    invalidate();
}

void ListBox::set_items(std::vector<std::string> items)
{
    m_items = std::move(items);
    m_list_index = -1;
    scroller().scroll_to(0);
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

int ListBox::TopIndex() const
{
    return const_cast<ListBox*>(this)->scroller().position();
}

// The list scrolls as far as it can towards the row; the last rows fill the box.
void ListBox::TopIndex(int index)
{
    if (index < 0 || (index >= ListCount() && index != 0))
        raise(ErrInvalidPropertyValue, "Invalid property value");
    if (scroller().scroll_to(index))
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
    RECT box = scroll_box();
    return std::max(1, static_cast<int>(box.bottom - box.top) / row_height());
}

void ListBox::measure_content(Scroller& scroller)
{
    scroller.set_extent(ListCount(), visible_rows());
}

void ListBox::keep_selection_visible()
{
    if (m_list_index >= 0)
        scroller().bring_into_view(m_list_index, 1);
}

void ListBox::row_clicked(int row)
{
    ListIndex(row);
}

void ListBox::content_pressed(POINT point)
{
    int row = TopIndex() + (point.y - scroll_box().top) / row_height();
    if (row >= 0 && row < ListCount())
        row_clicked(row);
}

void ListBox::key_pressed(int virtual_key)
{
    if (ListCount() == 0)
        return;
    int last = ListCount() - 1;
    int page = std::max(1, visible_rows() - 1);
    int row = m_list_index;
    switch (virtual_key) {
    case VK_UP:
        row = std::max(0, row - 1);
        break;
    case VK_DOWN:
        row = std::min(last, row + 1);
        break;
    case VK_PRIOR:
        row = std::max(0, row - page);
        break;
    case VK_NEXT:
        row = row < 0 ? std::min(last, page) : std::min(last, row + page);
        break;
    case VK_HOME:
        row = 0;
        break;
    case VK_END:
        row = last;
        break;
    default:
        return;
    }
    if (row == m_list_index)
        return;
    row_clicked(row);
    keep_selection_visible();
    invalidate();
}

void ListBox::paint(HDC dc)
{
    RECT rect { 0, 0, pixel_width(), pixel_height() };
    fill_rect(dc, rect, to_colorref(m_back_color));
    RECT box = scroll_box();
    paint_rows(dc, scroller().content_rect(box), TopIndex(), m_list_index);
    scroller().paint(dc, box);
    DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
}

void ListBox::paint_rows(HDC dc, const RECT& area, int top, int selected)
{
    HGDIOBJ previous_font = SelectObject(dc, m_font_handle.get(m_font));
    SetBkMode(dc, TRANSPARENT);
    int height = row_height();
    for (int row = top; row < ListCount() && area.top + (row - top) * height < area.bottom; ++row) {
        int row_top = area.top + (row - top) * height;
        RECT row_rect { area.left, row_top, area.right, std::min<int>(row_top + height, area.bottom) };
        bool is_selected = row == selected;
        if (is_selected)
            fill_rect(dc, row_rect, to_colorref(static_cast<long>(0x8000000D)));
        SetTextColor(dc, is_selected ? RGB(255, 255, 255) : to_colorref(m_fore_color));
        RECT text_rect { row_rect.left + 1, row_rect.top, row_rect.right, row_top + height };
        DrawTextA(dc, m_items[row].c_str(), -1, &text_rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    }
    SelectObject(dc, previous_font);
}

}
