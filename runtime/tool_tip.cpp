#include "runtime/tool_tip.h"

#include "runtime/font.h"
#include "runtime/gdi_helpers.h"
#include "runtime/rect_contains.h"

#include <algorithm>
#include <cstring>

namespace runtime {

namespace {

constexpr UINT_PTR tick_timer = 1;
constexpr UINT tick_period = 50;
// The tip appears after the double-click time, as on Windows, and goes ten times that later.
DWORD initial_delay()
{
    return GetDoubleClickTime();
}

DWORD shown_time()
{
    return 10 * GetDoubleClickTime();
}

// Below the pointer, clear of the arrow's image.
constexpr int offset_below_pointer = 20;
constexpr int padding_x = 4;
constexpr int padding_y = 2;
constexpr COLORREF background_colour = RGB(255, 255, 225);
constexpr COLORREF frame_colour = RGB(0, 0, 0);

// The tip's text shows in the system's status font.
StdFont tip_font()
{
    StdFont font;
    font.Name = "Segoe UI";
    font.Size = 9;
    return font;
}

}

ToolTip::ToolTip()
    : m_popup([this](HWND window, UINT message, WPARAM wparam, LPARAM lparam) { return handle(window, message, wparam, lparam); })
{
}

void ToolTip::pointer_moved(HWND window, const RECT& screen_rect, const std::string& text)
{
    bool is_same_tool = window == m_tool_window && std::memcmp(&screen_rect, &m_tool_rect, sizeof screen_rect) == 0 && text == m_text;
    if (is_same_tool) {
        // The pointer must rest before the tip shows.
        if (m_state == State::Waiting)
            m_since = GetTickCount();
        return;
    }
    stop();
    if (text.empty())
        return;
    m_tool_window = window;
    m_tool_rect = screen_rect;
    m_text = text;
    m_state = State::Waiting;
    m_since = GetTickCount();
    if (HWND popup = m_popup.hWnd())
        SetTimer(popup, tick_timer, tick_period, nullptr);
}

void ToolTip::pressed()
{
    if (m_state == State::Idle)
        return;
    m_popup.hide();
    m_state = State::Done;
}

void ToolTip::stop()
{
    m_popup.hide();
    if (m_state != State::Idle && m_popup.hWnd())
        KillTimer(m_popup.hWnd(), tick_timer);
    m_state = State::Idle;
    m_tool_window = nullptr;
    m_text.clear();
}

bool ToolTip::is_pointer_on_tool() const
{
    POINT pointer;
    if (!GetCursorPos(&pointer) || !rect_contains(m_tool_rect, pointer))
        return false;
    return WindowFromPoint(pointer) == m_tool_window;
}

void ToolTip::tick()
{
    if (m_state == State::Idle)
        return;
    if (!IsWindow(m_tool_window) || !is_pointer_on_tool())
        return stop();
    DWORD elapsed = GetTickCount() - m_since;
    if (m_state == State::Waiting && elapsed >= initial_delay())
        return show();
    if (m_state == State::Shown && elapsed >= shown_time()) {
        m_popup.hide();
        m_state = State::Done;
    }
}

void ToolTip::show()
{
    HWND window = m_popup.hWnd();
    if (!window)
        return;
    SelectedBitmap measure(nullptr);
    HGDIOBJ previous = SelectObject(measure.dc(), font());
    SIZE extent { 0, 0 };
    GetTextExtentPoint32A(measure.dc(), m_text.c_str(), static_cast<int>(m_text.size()), &extent);
    SelectObject(measure.dc(), previous);
    int width = extent.cx + 2 * padding_x + 2;
    int height = extent.cy + 2 * padding_y + 2;
    POINT pointer { 0, 0 };
    GetCursorPos(&pointer);
    int screen_width = GetSystemMetrics(SM_CXSCREEN);
    int screen_height = GetSystemMetrics(SM_CYSCREEN);
    int left = std::clamp(static_cast<int>(pointer.x), 0, std::max(0, screen_width - width));
    int top = pointer.y + offset_below_pointer;
    // Near the bottom of the screen the tip goes above the pointer.
    if (top + height > screen_height)
        top = std::max(0, static_cast<int>(pointer.y) - height);
    m_popup.show_at(RECT { left, top, left + width, top + height });
    m_state = State::Shown;
    m_since = GetTickCount();
}

HFONT ToolTip::font()
{
    return m_font.get(tip_font());
}

void ToolTip::paint(HWND window)
{
    PAINTSTRUCT paint_info;
    HDC dc = BeginPaint(window, &paint_info);
    RECT rect;
    GetClientRect(window, &rect);
    fill_rect(dc, rect, frame_colour);
    RECT inside { rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1 };
    fill_rect(dc, inside, background_colour);
    HGDIOBJ previous = SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, inside.left + padding_x, inside.top + padding_y, m_text.c_str(), static_cast<int>(m_text.size()));
    SelectObject(dc, previous);
    EndPaint(window, &paint_info);
}

std::optional<LRESULT> ToolTip::handle(HWND window, UINT message, WPARAM wparam, LPARAM)
{
    switch (message) {
    case WM_TIMER:
        if (wparam == tick_timer)
            tick();
        return 0;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    default:
        return std::nullopt;
    }
}

}
