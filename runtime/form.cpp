#include "runtime/form.h"

#include "runtime/error.h"
#include "runtime/numeric.h"
#include "runtime/timer.h"
#include "runtime/window_classes.h"
#include "runtime/window_placement.h"

#include <algorithm>
#include <cctype>

namespace runtime {

namespace {

bool is_same_name(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y)); });
}

}

Form::Form(Program& program, std::string name)
    : Canvas(*this, std::move(name))
    , m_program(program)
{
    m_is_visible = false;
    m_width = 4800;
    m_height = 3600;
}

Form::~Form()
{
    // The program destroys a form's windows before it frees the form; a window still there here
    // goes without reaching the form, whose controls are already gone.
    if (!m_window)
        return;
    SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
}

void Form::unregister_control(Control& control)
{
    std::erase(m_controls, &control);
    std::erase_if(m_timers, [&](Timer* timer) { return static_cast<Control*>(timer) == &control; });
}

int Form::register_timer(Timer& timer)
{
    m_timers.push_back(&timer);
    return ++m_last_timer_id;
}

HWND Form::parent_window() const
{
    return m_is_in_taskbar ? nullptr : m_program.owner_window();
}

const char* Form::window_class() const
{
    return FormWindowClass;
}

DWORD Form::window_style() const
{
    DWORD style = WS_CLIPCHILDREN;
    switch (m_border_style) {
    case vbBSNone:
        return style | WS_POPUP;
    case vbFixedSingle:
    case vbFixedToolWindow:
        style |= WS_CAPTION;
        break;
    case vbFixedDialog:
        style |= WS_POPUP | WS_CAPTION;
        break;
    default:
        style |= WS_CAPTION | WS_THICKFRAME;
        break;
    }
    if (m_has_control_box)
        style |= WS_SYSMENU;
    bool is_tool_window = m_border_style == vbFixedToolWindow || m_border_style == vbSizableToolWindow;
    if (m_has_control_box && !is_tool_window && m_border_style != vbFixedDialog) {
        if (m_has_min_button)
            style |= WS_MINIMIZEBOX;
        if (m_has_max_button)
            style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD Form::window_ex_style() const
{
    DWORD ex_style = 0;
    if (m_border_style == vbFixedToolWindow || m_border_style == vbSizableToolWindow)
        ex_style |= WS_EX_TOOLWINDOW;
    if (m_border_style == vbFixedDialog)
        ex_style |= WS_EX_DLGMODALFRAME;
    if (m_is_in_taskbar && m_border_style != vbBSNone)
        ex_style |= WS_EX_APPWINDOW;
    return ex_style;
}

void Form::create_windows()
{
    create_window();
    for (Control* control : m_controls)
        control->create_window();
    for (Timer* timer : m_timers)
        timer->update();
}

void Form::create_window()
{
    if (m_window)
        return;
    if (m_start_up_position == vbStartUpScreen || m_start_up_position == vbStartUpOwner) {
        m_left = std::max(0.0, (m_program.Screen().Width() - m_width) / 2);
        m_top = std::max(0.0, (m_program.Screen().Height() - m_height) / 2);
    }
    Canvas::create_window();
    if (!m_window)
        return;
    if (!m_icon.is_empty())
        Icon(m_icon);
    m_last_client_size = client_pixel_size();
}

void Form::destroy_windows()
{
    if (m_is_destroying)
        return;
    m_is_destroying = true;
    for (Timer* timer : m_timers)
        timer->stop();
    destroy_window();
    m_is_destroying = false;
}

void Form::Caption(std::string caption)
{
    // The border watchers set their caption on every tick; an unchanged one costs nothing.
    if (caption == m_caption)
        return;
    m_caption = std::move(caption);
    if (m_window)
        SetWindowTextA(m_window, m_caption.c_str());
}

void Form::Icon(const StdPicture& icon)
{
    m_icon = icon;
    if (!m_window)
        return;
    auto handle = reinterpret_cast<LPARAM>(icon.icon());
    SendMessageA(m_window, WM_SETICON, ICON_BIG, handle);
    SendMessageA(m_window, WM_SETICON, ICON_SMALL, handle);
}

int Form::WindowState() const
{
    if (!m_window || !IsWindowVisible(m_window))
        return m_window_state;
    if (IsIconic(m_window))
        return vbMinimized;
    if (IsZoomed(m_window))
        return vbMaximized;
    return vbNormal;
}

void Form::WindowState(int state)
{
    if (state < vbNormal || state > vbMaximized)
        raise(ErrInvalidPropertyValue, "Invalid property value");
    m_window_state = state;
    if (!m_window || !IsWindowVisible(m_window))
        return;
    if (state != vbNormal) {
        ShowWindow(m_window, state == vbMinimized ? SW_MINIMIZE : SW_MAXIMIZE);
        return;
    }
    // A window minimised from maximised comes back maximised from the first restore; the normal
    // state takes a second one.
    ShowWindow(m_window, SW_RESTORE);
    if (IsZoomed(m_window))
        ShowWindow(m_window, SW_RESTORE);
}

void Form::Show()
{
    if (!m_is_loaded || !m_window)
        return;
    m_is_visible = true;
    int command = m_window_state == vbMinimized ? SW_SHOWMINIMIZED : m_window_state == vbMaximized ? SW_SHOWMAXIMIZED : SW_SHOW;
    if (!IsWindowVisible(m_window))
        ShowWindow(m_window, command);
    if (m_has_been_shown)
        return;
    m_has_been_shown = true;
    fire_resize();
}

bool Form::Visible() const
{
    return m_window ? IsWindowVisible(m_window) != FALSE : false;
}

void Form::Hide()
{
    m_is_visible = false;
    if (m_window)
        ShowWindow(m_window, SW_HIDE);
}

void Form::Visible(bool visible)
{
    if (visible)
        Show();
    else
        Hide();
}

void Form::geometry_changed()
{
    if (!m_window)
        return;
    RECT rect = pixel_rect();
    // A minimised window stays where it is: the new rectangle is where it comes back.
    if (IsIconic(m_window)) {
        set_restored_rectangle(m_window, rect);
        return;
    }
    SetWindowPos(m_window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::fire_resize()
{
    m_program.dispatch([&] { Form_Resize(); });
}

LRESULT Form::handle_message(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_TIMER:
        for (Timer* timer : m_timers) {
            if (static_cast<WPARAM>(timer->m_id) == wparam) {
                timer->tick();
                return 0;
            }
        }
        break;
    case WM_CLOSE:
        m_program.unload(*this, vbFormControlMenu);
        return 0;
    case WM_MOVE:
    case WM_SIZE: {
        LRESULT result = Canvas::handle_message(message, wparam, lparam);
        // A change made by the window system (the user, a maximise) becomes the form's geometry.
        RECT rect;
        if (!IsIconic(m_window) && GetWindowRect(m_window, &rect)) {
            RECT stored = pixel_rect();
            if (rect.left != stored.left || rect.top != stored.top) {
                m_left = rect.left * TwipsPerPixel;
                m_top = rect.top * TwipsPerPixel;
            }
            if (rect.right - rect.left != stored.right - stored.left || rect.bottom - rect.top != stored.bottom - stored.top) {
                m_width = (rect.right - rect.left) * TwipsPerPixel;
                m_height = (rect.bottom - rect.top) * TwipsPerPixel;
            }
        }
        if (message == WM_SIZE) {
            // A state the window system gave the window (a restore from outside) is the form's
            // state from now on, so that hiding and showing the form again keeps it.
            if (IsWindowVisible(m_window) && wparam <= SIZE_MAXIMIZED)
                m_window_state = wparam == SIZE_MINIMIZED ? vbMinimized : wparam == SIZE_MAXIMIZED ? vbMaximized : vbNormal;
            SIZE client = client_pixel_size();
            bool has_changed = client.cx != m_last_client_size.cx || client.cy != m_last_client_size.cy || wparam == SIZE_MINIMIZED;
            m_last_client_size = client;
            if (m_is_loaded && has_changed)
                fire_resize();
        }
        return result;
    }
    default:
        break;
    }
    return Canvas::handle_message(message, wparam, lparam);
}

void Form::fire_mouse_down(int button, int shift, float x, float y)
{
    m_program.dispatch([&] { Form_MouseDown(button, shift, x, y); });
}

void Form::fire_mouse_move(int button, int shift, float x, float y)
{
    m_program.dispatch([&] { Form_MouseMove(button, shift, x, y); });
}

void Form::fire_mouse_up(int button, int shift, float x, float y)
{
    m_program.dispatch([&] { Form_MouseUp(button, shift, x, y); });
}

void Form::fire_click()
{
    m_program.dispatch([&] { Form_Click(); });
}

void Form::fire_dbl_click()
{
    m_program.dispatch([&] { Form_DblClick(); });
}

Control& Form::control_by_name(std::string_view name, int index) const
{
    for (Control* control : m_controls) {
        if (control->Index() == index && is_same_name(control->Name(), name))
            return *control;
    }
    raise(ErrObjectDoesNotSupport, "Object doesn't support this property or method");
}

Variant Form::call_by_name(std::string_view name)
{
    if (is_same_name(name, "Show")) {
        Show();
        return {};
    }
    if (is_same_name(name, "Hide")) {
        Hide();
        return {};
    }
    if (is_same_name(name, "Hwnd"))
        return static_cast<int32_t>(reinterpret_cast<uintptr_t>(m_window));
    if (is_same_name(name, "Caption"))
        return m_caption;
    if (is_same_name(name, "Name"))
        return Name();
    if (is_same_name(name, "Left"))
        return static_cast<double>(Left());
    if (is_same_name(name, "Top"))
        return static_cast<double>(Top());
    if (is_same_name(name, "Width"))
        return static_cast<double>(Width());
    if (is_same_name(name, "Height"))
        return static_cast<double>(Height());
    if (is_same_name(name, "Visible"))
        return Visible();
    if (is_same_name(name, "ScaleMode"))
        return ScaleMode();
    if (is_same_name(name, "ScaleWidth"))
        return static_cast<double>(ScaleWidth());
    if (is_same_name(name, "ScaleHeight"))
        return static_cast<double>(ScaleHeight());
    if (is_same_name(name, "AutoRedraw"))
        return AutoRedraw();
    if (is_same_name(name, "BackColor"))
        return BackColor();
    if (is_same_name(name, "hDC"))
        return static_cast<int32_t>(reinterpret_cast<uintptr_t>(hDC()));
    raise(ErrObjectDoesNotSupport, "Object doesn't support this property or method");
}

void Form::let_by_name(std::string_view name, const Variant& value)
{
    if (is_same_name(name, "Caption"))
        return Caption(value.to_string());
    if (is_same_name(name, "Left"))
        return Left(static_cast<float>(value.to_double()));
    if (is_same_name(name, "Top"))
        return Top(static_cast<float>(value.to_double()));
    if (is_same_name(name, "Width"))
        return Width(static_cast<float>(value.to_double()));
    if (is_same_name(name, "Height"))
        return Height(static_cast<float>(value.to_double()));
    if (is_same_name(name, "Visible"))
        return Visible(value.to_bool());
    if (is_same_name(name, "ScaleMode"))
        return ScaleMode(value.to_long());
    if (is_same_name(name, "AutoRedraw"))
        return AutoRedraw(value.to_bool());
    if (is_same_name(name, "BackColor"))
        return BackColor(value.to_long());
    raise(ErrObjectDoesNotSupport, "Object doesn't support this property or method");
}

}
