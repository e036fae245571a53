// ListBox: a list of text rows with one selected row (ListIndex, -1 for none). Selecting a row,
// with the mouse, the keys or by assigning ListIndex, raises Click. Rows that do not fit scroll.
#pragma once

#include "runtime/scrolling_control.h"

#include <string>
#include <vector>

namespace runtime {

class ListBox : public ScrollingControl {
public:
    ListBox(Container& container, std::string name, int index = -1);

    // Adds a row at the end, or before the row at `index`.
    void AddItem(std::string item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    // The text of a row; an index past the end gives an empty text.
    std::string List(int index) const;
    void List(int index, std::string item);
    int ListCount() const { return static_cast<int>(m_items.size()); }
    int ListIndex() const { return m_list_index; }
    void ListIndex(int index);
    // The selected row's text, empty when none is selected.
    std::string Text() const;
    int TopIndex() const;
    void TopIndex(int index);
    long BackColor() const { return m_back_color; }
    void BackColor(long colour);
    long ForeColor() const { return m_fore_color; }
    void ForeColor(long colour);

protected:
    void paint(HDC dc) override;
    void measure_content(Scroller& scroller) override;
    void content_pressed(POINT point) override;
    // Up, Down, Page Up, Page Down, Home and End move the selection, as in every list.
    void key_pressed(int virtual_key) override;
    // The list raises Click when its selection changes, not on every mouse release.
    void fire_click() override { }

    // Replaces every row at once, without events (the file, folder and drive lists).
    void set_items(std::vector<std::string> items);
    // Selection changed by a click on a row; the lists override this to act on the row.
    virtual void row_clicked(int row);
    int row_height() const;
    int visible_rows() const;
    void keep_selection_visible();
    // Draws the rows from `top` on into a rectangle, the selected one highlighted.
    void paint_rows(HDC dc, const RECT& area, int top, int selected);

private:
    std::vector<std::string> m_items;
    long m_back_color = static_cast<long>(0x80000005);
    long m_fore_color = static_cast<long>(0x80000008);
    int m_list_index = -1;
};

}
