#include "runtime/container.h"

#include "runtime/numeric.h"

#include <algorithm>

namespace runtime {

namespace {

bool is_mouse_message(UINT message)
{
    return message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK;
}

bool contains(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

}

void Container::ScaleMode(int mode)
{
    m_scale_mode = mode;
}

float Container::ScaleWidth() const
{
    return static_cast<float>(from_pixels(client_pixel_size().cx));
}

float Container::ScaleHeight() const
{
    return static_cast<float>(from_pixels(client_pixel_size().cy));
}

double Container::to_twips(double value) const
{
    switch (m_scale_mode) {
    case vbPixels:
        return value * TwipsPerPixel;
    case vbPoints:
        return value * 20;
    default:
        return value;
    }
}

double Container::from_twips(double twips) const
{
    switch (m_scale_mode) {
    case vbPixels:
        return twips / TwipsPerPixel;
    case vbPoints:
        return twips / 20;
    default:
        return twips;
    }
}

double Container::to_pixels(double value) const
{
    return to_twips(value) / TwipsPerPixel;
}

double Container::from_pixels(double pixels) const
{
    return from_twips(pixels * TwipsPerPixel);
}

SIZE Container::client_pixel_size() const
{
    RECT client;
    if (m_window && GetClientRect(m_window, &client))
        return SIZE { client.right - client.left, client.bottom - client.top };
    return SIZE { pixel_width(), pixel_height() };
}

void Container::invalidate_area(const RECT& area)
{
    if (m_window)
        InvalidateRect(m_window, &area, FALSE);
}

void Container::remove_child(Control& child)
{
    std::erase(m_children, &child);
    if (m_captured_child == &child)
        m_captured_child = nullptr;
}

void Container::paint_windowless_children(HDC dc)
{
    for (Control* child : m_children) {
        if (!child->is_windowed() && child->Visible())
            child->paint(dc);
    }
}

Control* Container::windowless_child_at(POINT point) const
{
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        Control* child = *it;
        if (child->is_windowed() || !child->Visible() || !child->Enabled())
            continue;
        RECT rect = child->pixel_rect();
        if (contains(rect, point) && child->is_hit(POINT { point.x - rect.left, point.y - rect.top }))
            return child;
    }
    return nullptr;
}

bool Container::route_mouse_to_windowless_child(UINT message, WPARAM wparam, LPARAM lparam)
{
    // While the container itself holds the mouse, its own events get it.
    if (!m_captured_child && m_pressed_buttons)
        return false;
    POINT point { static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)) };
    Control* child = m_captured_child ? m_captured_child : windowless_child_at(point);
    if (!child)
        return false;
    bool is_press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN
        || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
    if (is_press && !m_captured_child) {
        m_captured_child = child;
        SetCapture(m_window);
    }
    RECT rect = child->pixel_rect();
    child->handle_mouse_message(message, wparam, POINT { point.x - rect.left, point.y - rect.top });
    if (m_captured_child == child && child->m_pressed_buttons == 0) {
        m_captured_child = nullptr;
        if (GetCapture() == m_window)
            ReleaseCapture();
    }
    return true;
}

LRESULT Container::handle_message(UINT message, WPARAM wparam, LPARAM lparam)
{
    if (is_mouse_message(message) && route_mouse_to_windowless_child(message, wparam, lparam))
        return 0;
    if (message == WM_SETCURSOR && LOWORD(lparam) == HTCLIENT && reinterpret_cast<HWND>(wparam) == m_window) {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(m_window, &point);
        if (Control* child = windowless_child_at(point)) {
            if (HCURSOR shape = child->cursor()) {
                SetCursor(shape);
                return TRUE;
            }
        }
    }
    return Control::handle_message(message, wparam, lparam);
}

}
