// DriveListBox: the drives of the machine in a one-line box ("c:", "d: [Data]") whose button
// drops down the list of them; choosing one, in the list or with Up and Down, raises Change.
#pragma once

#include "runtime/list_box.h"
#include "runtime/popup_window.h"

namespace runtime {

class DriveListBox : public ListBox {
public:
    DriveListBox(Container& container, std::string name, int index = -1);

    // The chosen drive as the box shows it ("d: [Data]").
    std::string Drive() const { return Text(); }
    // Chooses a drive by its letter ("d", "d:", "d: [Data]"); a drive the machine does not have
    // is refused (ErrDeviceUnavailable).
    void Drive(std::string drive);
    bool is_dropped_down() const { return m_drop_down.is_visible(); }

    EventHandler on_change;

protected:
    void paint(HDC dc) override;
    void measure_content(Scroller& scroller) override;
    void content_pressed(POINT point) override;
    void key_pressed(int virtual_key) override;
    void row_clicked(int row) override;

private:
    void drop_down();
    void close_up();
    void choose(int row);
    std::optional<LRESULT> handle_drop_down(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void paint_drop_down(HWND window);
    int drop_down_row_at(LPARAM lparam) const;

    PopupWindow m_drop_down;
    // The row under the pointer or chosen with the keys while the list is down.
    int m_hot_row = -1;
};

}
