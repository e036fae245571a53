#include "runtime/control.h"

#include "runtime/container.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/numeric.h"
#include "runtime/tool_tip.h"
#include "runtime/window_classes.h"

#include <algorithm>

namespace runtime {

namespace {

int shift_state(WPARAM wparam)
{
    int shift = 0;
    if (wparam & MK_SHIFT)
        shift |= vbShiftMask;
    if (wparam & MK_CONTROL)
        shift |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0)
        shift |= vbAltMask;
    return shift;
}

int held_buttons(WPARAM wparam)
{
    int buttons = 0;
    if (wparam & MK_LBUTTON)
        buttons |= vbLeftButton;
    if (wparam & MK_RBUTTON)
        buttons |= vbRightButton;
    if (wparam & MK_MBUTTON)
        buttons |= vbMiddleButton;
    return buttons;
}

// The mouse position packed into a message's lParam, signed as the screen can be left of a window.
POINT point_from_lparam(LPARAM lparam)
{
    return POINT { static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)) };
}

int pixels(double twips)
{
    return static_cast<int>(round_half_even(twips / TwipsPerPixel));
}

}

Control::Control(Container& container, std::string name, int index)
    : m_name(std::move(name))
    , m_index(index)
    , m_form(&container.form())
    , m_container(&container)
{
    container.add_child(*this);
    m_form->register_control(*this);
}

Control::Control(Form& form, std::string name)
    : m_name(std::move(name))
    , m_form(&form)
{
}

Control::~Control()
{
    // A window that outlives its control must not reach it any more.
    if (m_window)
        SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
    if (m_container) {
        m_container->remove_child(*this);
        m_form->unregister_control(*this);
    }
}

Program& Control::program() const
{
    return m_form->program();
}

float Control::Left() const
{
    return static_cast<float>(m_container ? m_container->from_twips(m_left) : m_left);
}

float Control::Top() const
{
    return static_cast<float>(m_container ? m_container->from_twips(m_top) : m_top);
}

float Control::Width() const
{
    return static_cast<float>(m_container ? m_container->from_twips(m_width) : m_width);
}

float Control::Height() const
{
    return static_cast<float>(m_container ? m_container->from_twips(m_height) : m_height);
}

double Control::twips_from_scale(float value) const
{
    return m_container ? m_container->to_twips(value) : static_cast<double>(value);
}

void Control::Left(float left)
{
    set_geometry_twips(twips_from_scale(left), m_top, m_width, m_height);
}

void Control::Top(float top)
{
    set_geometry_twips(m_left, twips_from_scale(top), m_width, m_height);
}

void Control::Width(float width)
{
    if (width < 0)
        raise(ErrInvalidPropertyValue, "Invalid property value");
    set_geometry_twips(m_left, m_top, twips_from_scale(width), m_height);
}

void Control::Height(float height)
{
    if (height < 0)
        raise(ErrInvalidPropertyValue, "Invalid property value");
    set_geometry_twips(m_left, m_top, m_width, twips_from_scale(height));
}

void Control::Move(float left, float top)
{
    set_geometry_twips(twips_from_scale(left), twips_from_scale(top), m_width, m_height);
}

void Control::Move(float left, float top, float width, float height)
{
    if (width < 0 || height < 0)
        raise(ErrInvalidPropertyValue, "Invalid property value");
    set_geometry_twips(twips_from_scale(left), twips_from_scale(top), twips_from_scale(width), twips_from_scale(height));
}

void Control::set_geometry_twips(double left, double top, double width, double height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    RECT before = pixel_rect();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (!is_windowed() && m_container && m_is_visible)
        m_container->invalidate_area(before);
    geometry_changed();
}

RECT Control::pixel_rect() const
{
    int left = pixels(m_left);
    int top = pixels(m_top);
    return RECT { left, top, left + pixels(m_width), top + pixels(m_height) };
}

int Control::pixel_width() const
{
    return pixels(m_width);
}

int Control::pixel_height() const
{
    return pixels(m_height);
}

void Control::geometry_changed()
{
    if (!is_windowed()) {
        invalidate();
        return;
    }
    if (!m_window)
        return;
    RECT rect = pixel_rect();
    MoveWindow(m_window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void Control::Visible(bool visible)
{
    if (visible == m_is_visible)
        return;
    m_is_visible = visible;
    if (!is_windowed()) {
        if (m_container)
            m_container->invalidate_area(pixel_rect());
        return;
    }
    if (m_window)
        ShowWindow(m_window, visible ? SW_SHOWNA : SW_HIDE);
}

void Control::Enabled(bool enabled)
{
    m_is_enabled = enabled;
    if (m_window)
        EnableWindow(m_window, enabled ? TRUE : FALSE);
    invalidate();
}

void Control::MousePointer(int pointer)
{
    m_mouse_pointer = pointer;
    // The pointer changes at once when the mouse is over the control, not only at its next move.
    POINT cursor_position;
    if (!m_window || !GetCursorPos(&cursor_position) || WindowFromPoint(cursor_position) != m_window)
        return;
    if (HCURSOR shape = cursor())
        SetCursor(shape);
}

HCURSOR Control::cursor() const
{
    const char* shape = nullptr;
    switch (m_mouse_pointer) {
    case 1:
        shape = IDC_ARROW;
        break;
    case 2:
        shape = IDC_CROSS;
        break;
    case 3:
        shape = IDC_IBEAM;
        break;
    case 5:
        shape = IDC_SIZEALL;
        break;
    case 6:
        shape = IDC_SIZENESW;
        break;
    case 7:
        shape = IDC_SIZENS;
        break;
    case 8:
        shape = IDC_SIZENWSE;
        break;
    case 9:
        shape = IDC_SIZEWE;
        break;
    case 11:
        shape = IDC_WAIT;
        break;
    case 99:
        return m_mouse_icon.icon();
    default:
        return nullptr;
    }
    return LoadCursorA(nullptr, shape);
}

void Control::Font(const StdFont& font)
{
    m_font = font;
    font_changed();
}

void Control::FontName(std::string name)
{
    m_font.Name = std::move(name);
    font_changed();
}

void Control::FontSize(float size)
{
    m_font.Size = size;
    font_changed();
}

void Control::FontBold(bool bold)
{
    m_font.Bold = bold;
    font_changed();
}

void Control::FontItalic(bool italic)
{
    m_font.Italic = italic;
    font_changed();
}

void Control::FontUnderline(bool underline)
{
    m_font.Underline = underline;
    font_changed();
}

void Control::font_changed()
{
    text_layout_changed();
    invalidate();
}

void Control::SetFocus()
{
    if (m_window)
        ::SetFocus(m_window);
}

void Control::Refresh()
{
    invalidate();
    HWND window = is_windowed() ? m_window : (m_container ? m_container->hWnd() : nullptr);
    if (window)
        UpdateWindow(window);
}

void Control::invalidate()
{
    if (!is_windowed()) {
        if (m_container && m_is_visible)
            m_container->invalidate_area(pixel_rect());
        return;
    }
    if (m_window)
        InvalidateRect(m_window, nullptr, FALSE);
}

HWND Control::parent_window() const
{
    return m_container ? m_container->hWnd() : nullptr;
}

const char* Control::window_class() const
{
    return ControlWindowClass;
}

DWORD Control::window_style() const
{
    return WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
}

void Control::create_window()
{
    if (!is_windowed() || m_window)
        return;
    register_window_classes();
    HWND parent = parent_window();
    if (m_container && !parent)
        return;
    RECT rect = pixel_rect();
    DWORD style = window_style();
    if (m_is_visible && m_container)
        style |= WS_VISIBLE;
    if (!m_is_enabled)
        style |= WS_DISABLED;
    std::string text = window_text();
    CreateWindowExA(window_ex_style(), window_class(), text.c_str(), style, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, program_instance(), this);
    if (!m_window)
        return;
    // Controls lie in the order the form declares them, each over the ones before it, as windowless
    // controls are painted; Windows itself puts a new child behind its siblings.
    if (m_container)
        SetWindowPos(m_window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after_window_created();
}

void Control::destroy_window()
{
    if (m_window)
        DestroyWindow(m_window);
}

LRESULT Control::handle_message(UINT message, WPARAM wparam, LPARAM lparam)
{
    if (handle_mouse_message(message, wparam, point_from_lparam(lparam)))
        return 0;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint_info;
        HDC dc = BeginPaint(m_window, &paint_info);
        paint(dc);
        EndPaint(m_window, &paint_info);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        if (LOWORD(lparam) == HTCLIENT) {
            if (HCURSOR shape = cursor()) {
                SetCursor(shape);
                return TRUE;
            }
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(m_window, message, wparam, lparam);
}

bool Control::handle_mouse_message(UINT message, WPARAM wparam, POINT point)
{
    switch (message) {
    case WM_MOUSEMOVE:
        mouse_move(held_buttons(wparam), shift_state(wparam), point);
        return true;
    case WM_LBUTTONDOWN:
        mouse_down(vbLeftButton, shift_state(wparam), point);
        return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        mouse_down(vbRightButton, shift_state(wparam), point);
        return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        mouse_down(vbMiddleButton, shift_state(wparam), point);
        return true;
    case WM_LBUTTONUP:
        mouse_up(vbLeftButton, shift_state(wparam), point);
        return true;
    case WM_RBUTTONUP:
        mouse_up(vbRightButton, shift_state(wparam), point);
        return true;
    case WM_MBUTTONUP:
        mouse_up(vbMiddleButton, shift_state(wparam), point);
        return true;
    case WM_LBUTTONDBLCLK:
        if (takes_double_click())
            mouse_double_click(vbLeftButton, shift_state(wparam), point);
        else
            mouse_down(vbLeftButton, shift_state(wparam), point);
        return true;
    default:
        return false;
    }
}

void Control::mouse_down(int button, int shift, POINT point)
{
    if (!m_is_enabled)
        return;
    m_pressed_buttons |= button;
    if (m_window)
        SetCapture(m_window);
    if (button == vbLeftButton)
        m_is_click_pending = true;
    program().module<ToolTip>().pressed();
    fire_mouse_down(button, shift, mouse_x_from_pixels(point.x), mouse_y_from_pixels(point.y));
}

void Control::mouse_move(int buttons, int shift, POINT point)
{
    if (!m_is_enabled)
        return;
    pointer_over_control();
    fire_mouse_move(buttons, shift, mouse_x_from_pixels(point.x), mouse_y_from_pixels(point.y));
}

void Control::pointer_over_control()
{
    HWND window = is_windowed() ? m_window : (m_container ? m_container->hWnd() : nullptr);
    if (!window)
        return;
    RECT rect;
    if (is_windowed()) {
        GetWindowRect(window, &rect);
    } else {
        rect = pixel_rect();
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    }
    program().module<ToolTip>().pointer_moved(window, rect, m_tool_tip_text);
}

void Control::mouse_up(int button, int shift, POINT point)
{
    if (!m_is_enabled)
        return;
    bool was_pressed = (m_pressed_buttons & button) != 0;
    m_pressed_buttons &= ~button;
    if (m_window && m_pressed_buttons == 0 && GetCapture() == m_window)
        ReleaseCapture();
    if (!was_pressed)
        return;
    fire_mouse_up(button, shift, mouse_x_from_pixels(point.x), mouse_y_from_pixels(point.y));
    bool is_inside = point.x >= 0 && point.y >= 0 && point.x < pixel_width() && point.y < pixel_height();
    if (button == vbLeftButton && m_is_click_pending && is_inside) {
        m_is_click_pending = false;
        fire_click();
    }
}

void Control::mouse_double_click(int button, int, POINT)
{
    if (!m_is_enabled)
        return;
    m_pressed_buttons |= button;
    if (m_window)
        SetCapture(m_window);
    // The second press of a double-click raises DblClick instead of MouseDown, and its release no Click.
    m_is_click_pending = false;
    fire_dbl_click();
}

float Control::mouse_x_from_pixels(int x) const
{
    return static_cast<float>(m_container ? m_container->from_pixels(x) : pixels_to_twips(x));
}

float Control::mouse_y_from_pixels(int y) const
{
    return static_cast<float>(m_container ? m_container->from_pixels(y) : pixels_to_twips(y));
}

}
