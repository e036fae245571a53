// Control: what every form and control has: a name, geometry in its container's scale, visibility,
// a window (or a place on its container's surface for windowless controls) and mouse events.
#pragma once

#include "platform/win32.h"
#include "runtime/font.h"
#include "runtime/picture.h"

#include <functional>
#include <string>

namespace runtime {

class Container;
class Form;
class Program;

// Mouse buttons and shift keys as mouse events report them.
enum MouseButton : int {
    vbLeftButton = 1,
    vbRightButton = 2,
    vbMiddleButton = 4,
};
enum ShiftKey : int {
    vbShiftMask = 1,
    vbCtrlMask = 2,
    vbAltMask = 4,
};

using MouseHandler = std::function<void(int Button, int Shift, float X, float Y)>;
using EventHandler = std::function<void()>;

class Control {
public:
    Control(Container& container, std::string name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return m_name; }
    // The element's number in its control array, or -1 for a control of its own.
    int Index() const { return m_index; }
    Form& form() const { return *m_form; }
    Container* container() const { return m_container; }
    Program& program() const;

    // Geometry in the container's scale units (twips for forms).
    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void Left(float left);
    void Top(float top);
    void Width(float width);
    void Height(float height);
    void Move(float left, float top);
    void Move(float left, float top, float width, float height);

    bool Visible() const { return m_is_visible; }
    virtual void Visible(bool visible);
    bool Enabled() const { return m_is_enabled; }
    virtual void Enabled(bool enabled);

    // The mouse pointer over the control: 0 default, 1 arrow, 2 cross, 3 I-beam, 5 size all,
    // 6 size NE-SW, 7 size N-S, 8 size NW-SE, 9 size W-E, 11 hourglass, 99 the MouseIcon.
    int MousePointer() const { return m_mouse_pointer; }
    void MousePointer(int pointer);
    void MouseIcon(StdPicture cursor) { m_mouse_icon = std::move(cursor); }

    // The font of controls that show text.
    const StdFont& Font() const { return m_font; }
    void Font(const StdFont& font);
    void FontName(std::string name);
    void FontSize(float size);
    void FontBold(bool bold);
    void FontItalic(bool italic);
    void FontUnderline(bool underline);

    // The tip that shows when the pointer rests on the control; empty for none.
    const std::string& ToolTipText() const { return m_tool_tip_text; }
    void ToolTipText(std::string text) { m_tool_tip_text = std::move(text); }

    // The control's window; windowless controls (labels, shapes, lines, images, timers) have none.
    HWND hWnd() const { return m_window; }
    void SetFocus();
    // Repaints the control at once.
    void Refresh();

    MouseHandler on_mouse_down;
    MouseHandler on_mouse_move;
    MouseHandler on_mouse_up;
    EventHandler on_click;
    EventHandler on_dbl_click;

    // Runs one of the control's event handlers through the program's event dispatch.
    template<typename... Parameters, typename... Arguments>
    void raise_event(const std::function<void(Parameters...)>& handler, Arguments&&... arguments);

    // Geometry in pixels, relative to the container's client area (the screen for forms).
    RECT pixel_rect() const;
    double left_twips() const { return m_left; }
    double top_twips() const { return m_top; }
    double width_twips() const { return m_width; }
    double height_twips() const { return m_height; }

protected:
    friend class Container;
    friend class Form;
    friend LRESULT CALLBACK control_window_procedure(HWND, UINT, WPARAM, LPARAM);

    // Only the form itself is made this way: it is its own form and has no container.
    Control(Form& form, std::string name);

    virtual bool is_windowed() const { return true; }
    // The window's parent: the container's window, or for forms the owner (none for taskbar forms).
    virtual HWND parent_window() const;
    virtual const char* window_class() const;
    virtual DWORD window_style() const;
    virtual DWORD window_ex_style() const { return 0; }
    virtual std::string window_text() const { return {}; }
    virtual void create_window();
    virtual void after_window_created() { }
    void destroy_window();

    virtual LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
    // Turns a mouse message at a point of the control (pixels) into mouse input; false for other messages.
    bool handle_mouse_message(UINT message, WPARAM wparam, POINT point);
    // Windowed controls paint their client area; windowless ones paint their place on the container.
    virtual void paint(HDC) { }
    virtual void geometry_changed();
    // Whether the control takes mouse events at a point of its own (pixels from its top left).
    virtual bool is_hit(POINT) const { return true; }

    // Controls without a DblClick event take the second press of a double-click as a press.
    virtual bool takes_double_click() const { return true; }
    // Mouse input in pixels relative to the control; turned into events in scale units.
    virtual void mouse_down(int button, int shift, POINT point);
    virtual void mouse_move(int buttons, int shift, POINT point);
    virtual void mouse_up(int button, int shift, POINT point);
    virtual void mouse_double_click(int button, int shift, POINT point);
    // Scale conversion of mouse positions: the container's scale, or a canvas's own.
    virtual float mouse_x_from_pixels(int x) const;
    virtual float mouse_y_from_pixels(int y) const;

    virtual void fire_mouse_down(int button, int shift, float x, float y) { raise_event(on_mouse_down, button, shift, x, y); }
    virtual void fire_mouse_move(int button, int shift, float x, float y) { raise_event(on_mouse_move, button, shift, x, y); }
    virtual void fire_mouse_up(int button, int shift, float x, float y) { raise_event(on_mouse_up, button, shift, x, y); }
    virtual void fire_click() { raise_event(on_click); }
    virtual void fire_dbl_click() { raise_event(on_dbl_click); }

    void invalidate();
    void font_changed();
    // The text or font changed: controls that size themselves to their text do it here.
    virtual void text_layout_changed() { }
    HCURSOR cursor() const;
    // Tells the program's tool tip that the pointer is over this control.
    void pointer_over_control();
    // The control's size in pixels.
    int pixel_width() const;
    int pixel_height() const;
    void set_geometry_twips(double left, double top, double width, double height);
    double twips_from_scale(float value) const;

    HWND m_window = nullptr;
    StdFont m_font;
    FontHandle m_font_handle;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    bool m_is_visible = true;
    bool m_is_enabled = true;
    int m_pressed_buttons = 0;
    bool m_is_click_pending = false;

private:
    std::string m_name;
    int m_index = -1;
    Form* m_form = nullptr;
    Container* m_container = nullptr;
    int m_mouse_pointer = 0;
    StdPicture m_mouse_icon;
    std::string m_tool_tip_text;
};

}

#include "runtime/program.h"

namespace runtime {

template<typename... Parameters, typename... Arguments>
void Control::raise_event(const std::function<void(Parameters...)>& handler, Arguments&&... arguments)
{
    if (!handler)
        return;
    program().dispatch([&] { handler(std::forward<Arguments>(arguments)...); });
}

}
