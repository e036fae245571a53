// Form: a top-level window of the program with its controls. The system's forms derive from it,
// declare their controls as members and override the Form_ events they handle.
#pragma once

#include "runtime/canvas.h"
#include "runtime/variant.h"

#include <string_view>
#include <vector>

namespace runtime {

class Timer;

enum WindowStateKind : int {
    vbNormal = 0,
    vbMinimized = 1,
    vbMaximized = 2,
};

enum FormBorderStyle : int {
    vbBSNone = 0,
    vbFixedSingle = 1,
    vbSizable = 2,
    vbFixedDialog = 3,
    vbFixedToolWindow = 4,
    vbSizableToolWindow = 5,
};

enum StartUpPositionKind : int {
    vbStartUpManual = 0,
    vbStartUpOwner = 1,
    vbStartUpScreen = 2,
    vbStartUpWindowsDefault = 3,
};

class Form : public Canvas {
public:
    Form(Program& program, std::string name);
    ~Form() override;

    Program& program() const { return m_program; }
    bool is_loaded() const { return m_is_loaded; }

    const std::string& Caption() const { return m_caption; }
    void Caption(std::string caption);
    StdPicture Icon() const { return m_icon; }
    void Icon(const StdPicture& icon);
    int WindowState() const;
    void WindowState(int state);

    // Set by the form's constructor, before the window exists.
    int BorderStyle() const { return m_border_style; }
    void BorderStyle(int style) { m_border_style = style; }
    bool ShowInTaskbar() const { return m_is_in_taskbar; }
    void ShowInTaskbar(bool shown) { m_is_in_taskbar = shown; }
    int StartUpPosition() const { return m_start_up_position; }
    void StartUpPosition(int position) { m_start_up_position = position; }
    void ControlBox(bool has_control_box) { m_has_control_box = has_control_box; }
    void MinButton(bool has_button) { m_has_min_button = has_button; }
    void MaxButton(bool has_button) { m_has_max_button = has_button; }

    // Shows the form modeless, loading it first when needed; the first showing raises Resize.
    void Show();
    void Hide();
    // Whether the form's window shows; a form is hidden until Show.
    bool Visible() const;
    void Visible(bool visible) override;

    // The form's controls in declaration order, and a control found by its name (and index).
    const std::vector<Control*>& controls() const { return m_controls; }
    Control& control_by_name(std::string_view name, int index = -1) const;
    // The same, as the kind of control the caller expects ("Label2" as a Label); another kind
    // raises ErrTypeMismatch.
    template<typename T>
    T& control_by_name(std::string_view name, int index = -1) const
    {
        if (auto* control = dynamic_cast<T*>(&control_by_name(name, index)))
            return *control;
        raise(ErrTypeMismatch, "Type mismatch");
    }

    // Members the system reaches by name at run time. Forms override these for their own public
    // procedures and variables and hand everything else to the base, which knows "Show", "Hide",
    // "Hwnd", "Caption", "Left", "Top", "Width", "Height", "Visible", "ScaleMode", "ScaleWidth",
    // "ScaleHeight", "AutoRedraw", "BackColor" and "hDC".
    virtual Variant call_by_name(std::string_view name);
    virtual void let_by_name(std::string_view name, const Variant& value);

    // Events of the form.
    virtual void Form_Load() { }
    virtual void Form_Resize() { }
    virtual void Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) { }
    virtual void Form_Unload(int& /*Cancel*/) { }
    virtual void Form_MouseDown(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) { }
    virtual void Form_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) { }
    virtual void Form_MouseUp(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) { }
    virtual void Form_Click() { }
    virtual void Form_DblClick() { }

protected:
    friend class Program;
    friend class Control;
    friend class Timer;

    HWND parent_window() const override;
    const char* window_class() const override;
    DWORD window_style() const override;
    DWORD window_ex_style() const override;
    std::string window_text() const override { return m_caption; }
    void create_window() override;
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void geometry_changed() override;

    void fire_mouse_down(int button, int shift, float x, float y) override;
    void fire_mouse_move(int button, int shift, float x, float y) override;
    void fire_mouse_up(int button, int shift, float x, float y) override;
    void fire_click() override;
    void fire_dbl_click() override;

private:
    void register_control(Control& control) { m_controls.push_back(&control); }
    void unregister_control(Control& control);
    // Creates the form's window and then its controls' windows, parents first.
    void create_windows();
    void destroy_windows();
    void fire_resize();
    int register_timer(Timer& timer);

    Program& m_program;
    std::vector<Control*> m_controls;
    std::vector<Timer*> m_timers;
    std::string m_caption;
    StdPicture m_icon;
    SIZE m_last_client_size { -1, -1 };
    int m_last_timer_id = 0;
    int m_window_state = vbNormal;
    int m_border_style = vbSizable;
    int m_start_up_position = vbStartUpManual;
    bool m_is_in_taskbar = true;
    bool m_has_control_box = true;
    bool m_has_min_button = true;
    bool m_has_max_button = true;
    bool m_is_loaded = false;
    bool m_has_been_shown = false;
    bool m_is_destroying = false;
    bool m_is_unloading = false;
};

}
