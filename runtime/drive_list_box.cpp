#include "runtime/drive_list_box.h"

#include "runtime/colour.h"
#include "runtime/error.h"
#include "runtime/gdi_helpers.h"
#include "runtime/scroll_bar_layout.h"

#include <algorithm>
#include <cctype>

namespace runtime {

namespace {

// The name a drive shows: its letter in small type, and for a fixed disk with a label the label.
std::string drive_name(const std::string& root)
{
    std::string name;
    name += static_cast<char>(std::tolower(static_cast<unsigned char>(root[0])));
    name += ':';
    if (GetDriveTypeA(root.c_str()) != DRIVE_FIXED)
        return name;
    char label[MAX_PATH + 1] = {};
    if (GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) && label[0])
        name += std::string(" [") + label + "]";
    return name;
}

char drive_letter(const std::string& drive)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(drive[0])));
}

int button_width()
{
    return GetSystemMetrics(SM_CXVSCROLL);
}

}

DriveListBox::DriveListBox(Container& container, std::string name, int index)
    : ListBox(container, std::move(name), index)
    , m_drop_down([this](HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        return handle_drop_down(window, message, wparam, lparam);
    })
{
    char buffer[256] = {};
    DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
    std::vector<std::string> drives;
    for (DWORD position = 0; position < length && position < sizeof buffer && buffer[position];) {
        std::string root = buffer + position;
        position += static_cast<DWORD>(root.size()) + 1;
        drives.push_back(drive_name(root));
    }
    set_items(std::move(drives));
    if (ListCount() > 0)
        ListBox::ListIndex(0);
}

void DriveListBox::Drive(std::string drive)
{
    if (drive.empty())
        raise(ErrDeviceUnavailable, "Device unavailable");
    for (int row = 0; row < ListCount(); ++row) {
        if (drive_letter(List(row)) == drive_letter(drive))
            return choose(row);
    }
    raise(ErrDeviceUnavailable, "Device unavailable");
}

void DriveListBox::choose(int row)
{
    if (row == ListIndex())
        return;
    ListBox::ListIndex(row);
    raise_event(on_change);
}

void DriveListBox::row_clicked(int row)
{
    choose(row);
}

// The closed box shows one row and never scrolls.
void DriveListBox::measure_content(Scroller& scroller)
{
    scroller.set_extent(0, 1);
}

void DriveListBox::content_pressed(POINT)
{
    if (is_dropped_down())
        close_up();
    else
        drop_down();
}

void DriveListBox::key_pressed(int virtual_key)
{
    bool is_alt = GetKeyState(VK_MENU) < 0;
    if (virtual_key == VK_F4 || (is_alt && (virtual_key == VK_DOWN || virtual_key == VK_UP)))
        return is_dropped_down() ? close_up() : drop_down();
    if (is_dropped_down()) {
        switch (virtual_key) {
        case VK_UP:
            m_hot_row = std::max(0, m_hot_row - 1);
            InvalidateRect(m_drop_down.hWnd(), nullptr, FALSE);
            return;
        case VK_DOWN:
            m_hot_row = std::min(ListCount() - 1, m_hot_row + 1);
            InvalidateRect(m_drop_down.hWnd(), nullptr, FALSE);
            return;
        case VK_RETURN: {
            int row = m_hot_row;
            close_up();
            if (row >= 0)
                choose(row);
            return;
        }
        case VK_ESCAPE:
            return close_up();
        default:
            return;
        }
    }
    // In the closed box the keys choose the next or previous drive at once.
    ListBox::key_pressed(virtual_key);
}

void DriveListBox::drop_down()
{
    if (!m_window || ListCount() == 0)
        return;
    RECT box;
    GetWindowRect(m_window, &box);
    int height = ListCount() * row_height() + 2;
    int top = box.bottom;
    // Where the screen ends below the box, the list opens above it.
    if (top + height > GetSystemMetrics(SM_CYSCREEN))
        top = box.top - height;
    m_hot_row = ListIndex();
    m_drop_down.show_at(RECT { box.left, top, box.right, top + height });
    if (HWND window = m_drop_down.hWnd())
        SetCapture(window);
    invalidate();
}

void DriveListBox::close_up()
{
    if (GetCapture() == m_drop_down.hWnd())
        ReleaseCapture();
    m_drop_down.hide();
    m_hot_row = -1;
    invalidate();
}

int DriveListBox::drop_down_row_at(LPARAM lparam) const
{
    int x = static_cast<short>(LOWORD(lparam));
    int y = static_cast<short>(HIWORD(lparam));
    RECT client;
    GetClientRect(const_cast<PopupWindow&>(m_drop_down).hWnd(), &client);
    if (x < client.left || x >= client.right || y < 1 || y >= client.bottom - 1)
        return -1;
    int row = (y - 1) / row_height();
    return row < ListCount() ? row : -1;
}

std::optional<LRESULT> DriveListBox::handle_drop_down(HWND window, UINT message, WPARAM, LPARAM lparam)
{
    switch (message) {
    case WM_PAINT:
        paint_drop_down(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE: {
        int row = drop_down_row_at(lparam);
        if (row >= 0 && row != m_hot_row) {
            m_hot_row = row;
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        // A press outside the list closes it and does nothing else.
        if (drop_down_row_at(lparam) < 0)
            close_up();
        return 0;
    case WM_LBUTTONUP: {
        int row = drop_down_row_at(lparam);
        if (row < 0)
            return 0;
        close_up();
        choose(row);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lparam) != window && m_drop_down.is_visible()) {
            m_drop_down.hide();
            invalidate();
        }
        return 0;
    default:
        return std::nullopt;
    }
}

void DriveListBox::paint_drop_down(HWND window)
{
    PAINTSTRUCT paint_info;
    HDC dc = BeginPaint(window, &paint_info);
    RECT rect;
    GetClientRect(window, &rect);
    fill_rect(dc, rect, RGB(0, 0, 0));
    RECT inside { rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1 };
    fill_rect(dc, inside, to_colorref(BackColor()));
    paint_rows(dc, inside, 0, m_hot_row);
    EndPaint(window, &paint_info);
}

void DriveListBox::paint(HDC dc)
{
    RECT rect { 0, 0, pixel_width(), pixel_height() };
    fill_rect(dc, rect, to_colorref(BackColor()));
    RECT box = scroll_box();
    RECT text { box.left, box.top, box.right - button_width(), box.bottom };
    bool has_focus = m_window && GetFocus() == m_window && !is_dropped_down();
    // The chosen drive, centred in the box; highlighted while the box has the focus.
    int height = row_height();
    int top = text.top + std::max(0, static_cast<int>(text.bottom - text.top) - height) / 2;
    RECT row { text.left, top, text.right, std::min<int>(top + height, text.bottom) };
    if (ListIndex() >= 0)
        paint_rows(dc, row, ListIndex(), has_focus ? ListIndex() : -1);
    RECT button { box.right - button_width(), box.top, box.right, box.bottom };
    paint_arrow_button(dc, button, ArrowDirection::Down, is_dropped_down(), m_is_enabled);
    DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
}

}
