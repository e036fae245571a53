// The driver's processes, application windows, input, modal answers and clock.
#include "platform/sim/driver.h"

#include "platform/sim/desktop.h"
#include "platform/sim/driver/fake_application.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/sim/user/input.h"
#include "platform/sim/user/input_state.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/modal_script.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/system_icons.h"
#include "platform/sim/user/window_class.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>

namespace sim::driver {

namespace {

// While set, input calls leave their messages in the input queue for a later delivery.
bool g_is_input_held = false;

void deliver_input()
{
    if (!g_is_input_held)
        pump();
}

// Program code the driver calls into may end its process; that ends here, nowhere deeper.
template<typename Action>
void guarded(Action action)
{
    try {
        action();
    } catch (const ProcessExit&) {
    }
}

// Runs an action as the process that owns the window, then delivers what it caused.
template<typename Action>
void as_owner(HWND hwnd, Action action)
{
    Window* window = find_window(hwnd);
    if (!window)
        return;
    guarded([&] {
        ProcessScope scope(window->process_id);
        action();
    });
    pump();
}

MouseButton device_button(Button button)
{
    switch (button) {
    case Button::Right:
        return MouseButton::Right;
    case Button::Middle:
        return MouseButton::Middle;
    default:
        return MouseButton::Left;
    }
}

void push(ModalAnswer::Kind kind, std::string text = {}, int number = 0, COLORREF colour = 0, uint64_t ms = 0)
{
    ModalAnswer answer;
    answer.kind = kind;
    answer.text = std::move(text);
    answer.number = number;
    answer.colour = colour;
    answer.milliseconds = ms;
    push_modal_answer(std::move(answer));
}

}

void reset()
{
    g_is_input_held = false;
    reset_desktop();
}

void set_screen_size(int width, int height)
{
    guarded([&] { sim::set_screen_size(width, height); });
    pump();
}

void restart_shell()
{
    guarded([] { sim::restart_shell(); });
    pump();
}

uint32_t create_process(const std::string& executable_path)
{
    return sim::create_process(executable_path);
}

uint32_t shell_process()
{
    desktop_window();
    return shell_process_id();
}

uint32_t program_process()
{
    desktop_window();
    return program_process_id();
}

uint32_t current_process()
{
    desktop_window();
    return current_process_id();
}

uint32_t start_program_again()
{
    desktop_window();
    return sim::start_program_again();
}

void set_current_process(uint32_t process_id)
{
    sim::set_current_process(process_id);
}

bool is_process_alive(uint32_t process_id)
{
    return sim::is_process_alive(process_id);
}

void end_process(uint32_t process_id)
{
    guarded([&] { sim::end_process(process_id); });
    pump();
}

void set_hung(uint32_t process_id, bool is_hung)
{
    set_process_hung(process_id, is_hung);
}

void set_busy(uint32_t process_id, uint64_t milliseconds)
{
    set_process_busy(process_id, milliseconds);
}

void set_answer_delay(uint32_t process_id, uint32_t milliseconds)
{
    set_process_answer_delay(process_id, milliseconds);
}

void set_elevated(uint32_t process_id, bool is_elevated)
{
    set_process_elevated(process_id, is_elevated);
}

const std::vector<Freeze>& freezes()
{
    return sim::freezes();
}

uint64_t longest_wait(uint32_t process_id)
{
    return sim::longest_wait_ms(process_id);
}

void fault_next_call(uint32_t process_id, uint32_t calls_before)
{
    arm_access_violation(process_id, calls_before);
}

uint64_t calls_made(uint32_t process_id)
{
    return sim::calls_made(process_id);
}

bool run_program(const std::function<void()>& code)
{
    try {
        ProcessScope scope(program_process());
        code();
    } catch (const ProcessExit&) {
        return false;
    }
    return true;
}

HWND open_app_window(uint32_t process_id, const AppWindow& window)
{
    HWND hwnd = nullptr;
    guarded([&] { hwnd = open_fake_window(process_id, window); });
    pump();
    return hwnd;
}

HWND add_child_control(HWND parent, const std::string& class_name, const std::string& text, RECT rect, DWORD style)
{
    Window* owner = find_window(parent);
    if (!owner)
        return nullptr;
    HWND hwnd = nullptr;
    guarded([&] {
        ProcessScope scope(owner->process_id);
        ensure_fake_class(class_name, owner->process_id, false);
        CreateRequest request;
        request.class_name = class_name;
        request.title = text;
        request.style = style | WS_CHILD;
        request.x = rect.left;
        request.y = rect.top;
        request.width = rect.right - rect.left;
        request.height = rect.bottom - rect.top;
        request.parent = parent;
        hwnd = create_window(request);
    });
    pump();
    return hwnd;
}

void set_title(HWND window, const std::string& title)
{
    as_owner(window, [&] { SetWindowTextA(window, title.c_str()); });
}

void show(HWND window)
{
    as_owner(window, [&] { show_window(window, SW_SHOW); });
}

void hide(HWND window)
{
    as_owner(window, [&] { show_window(window, SW_HIDE); });
}

void minimise(HWND window)
{
    as_owner(window, [&] { show_window(window, SW_MINIMIZE); });
}

void maximise(HWND window)
{
    as_owner(window, [&] { show_window(window, SW_SHOWMAXIMIZED); });
}

void restore(HWND window)
{
    as_owner(window, [&] { show_window(window, SW_RESTORE); });
}

void close(HWND window)
{
    as_owner(window, [&] { post_message(window, WM_CLOSE, 0, 0); });
}

void activate(HWND window, uint32_t after_milliseconds)
{
    if (after_milliseconds == 0) {
        as_owner(window, [&] { SetForegroundWindow(window); });
        return;
    }
    as_owner(window, [&] { activate_later(window, after_milliseconds); });
}

void move(HWND window, RECT rect)
{
    as_owner(window, [&] {
        MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    });
}

void hold_input()
{
    g_is_input_held = true;
}

void release_input()
{
    g_is_input_held = false;
    pump();
}

void mouse_move(int x, int y)
{
    guarded([&] { inject_mouse_move(POINT {x, y}); });
    deliver_input();
}

void mouse_down(Button button)
{
    guarded([&] { inject_mouse_button(device_button(button), true); });
    deliver_input();
}

void mouse_up(Button button)
{
    guarded([&] { inject_mouse_button(device_button(button), false); });
    deliver_input();
}

void click(int x, int y, Button button)
{
    mouse_move(x, y);
    mouse_down(button);
    mouse_up(button);
}

void double_click(int x, int y, Button button)
{
    click(x, y, button);
    mouse_down(button);
    mouse_up(button);
}

void wheel(int x, int y, int notches)
{
    mouse_move(x, y);
    guarded([&] { inject_mouse_wheel(notches * 120); });
    pump();
}

void drag(POINT from, POINT to, int steps, Button button)
{
    mouse_move(from.x, from.y);
    mouse_down(button);
    steps = std::max(steps, 1);
    for (int step = 1; step <= steps; ++step)
        mouse_move(from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps);
    mouse_up(button);
}

void key_down(BYTE virtual_key)
{
    guarded([&] { inject_key(virtual_key, true); });
    deliver_input();
}

void key_up(BYTE virtual_key)
{
    guarded([&] { inject_key(virtual_key, false); });
    deliver_input();
}

void press_key(BYTE virtual_key, const std::vector<BYTE>& modifiers)
{
    for (BYTE modifier : modifiers)
        key_down(modifier);
    key_down(virtual_key);
    key_up(virtual_key);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        key_up(*it);
}

POINT cursor()
{
    return cursor_position();
}

int cursor_shape()
{
    return system_cursor_id(input_state().shape);
}

void choose_menu_item(const std::string& text)
{
    push(ModalAnswer::Kind::MenuText, text);
}

void choose_menu_position(int position)
{
    push(ModalAnswer::Kind::MenuPosition, {}, position);
}

void answer_message_box(int button_id)
{
    push(ModalAnswer::Kind::MessageBox, {}, button_id);
}

void answer_color_dialog(COLORREF color)
{
    push(ModalAnswer::Kind::ColorOk, {}, 0, color);
}

void cancel_color_dialog()
{
    push(ModalAnswer::Kind::ColorCancel);
}

void answer_save_dialog(const std::string& file_path)
{
    push(ModalAnswer::Kind::SaveOk, file_path);
}

void cancel_save_dialog()
{
    push(ModalAnswer::Kind::SaveCancel);
}

void wait_in_modal(uint32_t milliseconds)
{
    push(ModalAnswer::Kind::Wait, {}, 0, 0, milliseconds);
}

size_t pending_modal_answers()
{
    return pending_answer_count();
}

void clear_modal_answers()
{
    sim::clear_modal_answers();
}

const std::vector<ModalRecord>& modal_history()
{
    static std::vector<ModalRecord> history;
    history.clear();
    for (auto& entry : modal_records())
        history.push_back(ModalRecord {entry.kind, entry.text, entry.result});
    return history;
}

void run_for(uint64_t milliseconds)
{
    guarded([&] { run_messages_for(milliseconds); });
}

void pump()
{
    guarded([] { deliver_pending(); });
}

uint64_t now()
{
    return now_ms();
}

}
