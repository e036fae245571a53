// The driver of the simulated desktop, for tests and kelmor-sim: processes and application
// windows, scripted input and modal answers, the virtual clock, and a read-back of the whole state.
#pragma once

#include "platform/api/types.h"
#include "platform/sim/gdi/bitmap.h"
#include "platform/sim/user/freezes.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sim::driver {

// The desktop.
void reset();
void set_screen_size(int width, int height);
// Restarts the shell: a new taskbar with an empty notification area, and "TaskbarCreated" told to
// every top-level window, whose programs then add their icons again.
void restart_shell();

// Processes. A fresh desktop has two: the shell ("C:\Windows\explorer.exe", which owns the desktop
// window) and the program ("C:\Program Files\Kelmor\Kelmor 2.exe"), which is the current process:
// the one whose code runs, and whose windows the program's CreateWindowExA makes.
uint32_t create_process(const std::string& executable_path);
uint32_t shell_process();
uint32_t program_process();
uint32_t current_process();
// The user starts the program's executable again after its process ended: a new process of the
// same executable becomes the program's process.
uint32_t start_program_again();
void set_current_process(uint32_t process_id);
bool is_process_alive(uint32_t process_id);
// Ends a process: its windows are destroyed (children of its windows that belong to other
// processes go with them) and its kernel handles closed.
void end_process(uint32_t process_id);
// The system ends a program as its task list does: WM_CLOSE posted to each of its top-level
// windows that no other window owns, hidden ones included.
void end_task(uint32_t process_id);
// The user's session ends: every top-level window is asked WM_QUERYENDSESSION, then told
// WM_ENDSESSION.
void end_session();

// A hung process answers no message: SendMessageTimeoutA to its windows returns after its time-out
// and the clock moves by it; posted messages wait until it answers again.
// It counts as hung for IsHungAppWindow and SMTO_ABORTIFHUNG only after it has answered nothing for
// 5 s; until then a send with a time-out waits the whole time-out, and the message is taken back.
// A message sent to it without a time-out is handled once it answers again.
void set_hung(uint32_t process_id, bool is_hung);
// A busy process: hung as above until `milliseconds` of virtual time have passed, then it answers
// again by itself, also while another program's code runs.
void set_busy(uint32_t process_id, uint64_t milliseconds);
// A slow process answers, but takes `milliseconds` over each message another process sends it: the
// sender waits that long, or its time-out, after which the message is still handled.
void set_answer_delay(uint32_t process_id, uint32_t milliseconds);
// A process of higher integrity (started as administrator): other processes may not re-parent its
// windows, change their styles, or send or post them more than a few harmless queries.
void set_elevated(uint32_t process_id, bool is_elevated);

// Sends that would have frozen their sender on Windows: a message sent without a time-out (by
// SendMessageA, or inside SetWindowTextA, SetParent, SetWindowPos, ShowWindow...) from one process's
// code to a window of another process that does not answer. One call freezes once.
const std::vector<Freeze>& freezes();
// The longest time the process's thread waited inside one call (a send, Sleep, a download), in
// virtual milliseconds; waiting for a message with nothing to do does not count.
uint64_t longest_wait(uint32_t process_id);

// Makes the next Windows call that the process's own code makes fail at its start, as an access
// violation would: the process's unhandled-exception filter runs, then the process ends. With
// `calls_before`, that many calls go well first. A call that only releases something (which a
// program makes in destructors) does its work, and the fault comes with the next call.
void fault_next_call(uint32_t process_id, uint32_t calls_before = 0);
// How many Windows calls the process's own code has made (calls the simulation makes inside one
// are not counted): the positions fault_next_call can take.
uint64_t calls_made(uint32_t process_id);

// Runs program code as the program's process. A call of ExitProcess inside ends the process and
// unwinds to here; returns false then.
bool run_program(const std::function<void()>& code);

// Windows of fake applications. The window procedure behaves as an ordinary application:
// answers WM_GETTEXT, WM_GETTEXTLENGTH, WM_GETICON and WM_QUERYDRAGICON, paints a plain client
// with its title, and closes on Alt+F4 or WM_CLOSE unless it keeps open.
struct AppWindow {
    std::string class_name = "SimAppWindow";
    std::string title;
    DWORD style = 0x10CF0000;  // WS_OVERLAPPEDWINDOW | WS_VISIBLE
    DWORD ex_style = 0x00000100;  // WS_EX_WINDOWEDGE
    RECT rect {100, 100, 740, 580};
    bool has_icon = true;
    // Answers WM_GETICON with its icons; without it only the class icons and WM_QUERYDRAGICON remain.
    bool answers_get_icon = true;
    // Stays open when asked to close (WM_CLOSE, and so SC_CLOSE and Alt+F4), as an application
    // whose user cancels "save changes?".
    bool keeps_open = false;
    // The window's handle, when a test needs that exact value; the next free one when 0 or taken.
    uintptr_t handle = 0;
};
HWND open_app_window(uint32_t process_id, const AppWindow& window);
// A child control (class "Edit", "Static", "Button" or the application's own) at a rectangle
// of the parent's client area; it belongs to the parent's process.
HWND add_child_control(HWND parent, const std::string& class_name, const std::string& text, RECT rect,
    DWORD style = 0x50000000);  // WS_CHILD | WS_VISIBLE
void set_title(HWND window, const std::string& title);
void show(HWND window);
void hide(HWND window);
void minimise(HWND window);
void maximise(HWND window);
void restore(HWND window);
// Asks the window to close (WM_CLOSE), as its close button does, and delivers what follows.
void close(HWND window);
// The application brings a window it opened to the front (SetForegroundWindow in its own
// process): at once, or after `after_milliseconds` of virtual time through a timer of its own, so
// that it happens also while the program waits in a loop of its own, as a window that pops up by
// itself does.
void activate(HWND window, uint32_t after_milliseconds = 0);
void move(HWND window, RECT rect);

// Input at screen points. Each call delivers what it causes before it returns, unless input is
// held: then its messages wait in the input queue, behind the input before them, as the input of
// a user's quick hand waits while a program is busy, until release_input delivers them all (or
// the clock runs). A program that pumps messages while handling one of them takes the next there.
enum class Button { Left, Right, Middle };
void hold_input();
void release_input();
void mouse_move(int x, int y);
void mouse_down(Button button = Button::Left);
void mouse_up(Button button = Button::Left);
void click(int x, int y, Button button = Button::Left);
void double_click(int x, int y, Button button = Button::Left);
// Presses at `from`, moves in `steps` even steps to `to` and releases there.
void drag(POINT from, POINT to, int steps = 4, Button button = Button::Left);
// Moves the mouse to a point and turns the wheel by `notches` (positive away from the user).
void wheel(int x, int y, int notches);
void key_down(BYTE virtual_key);
void key_up(BYTE virtual_key);
// Presses the modifiers in order, taps the key, releases the modifiers in reverse order.
void press_key(BYTE virtual_key, const std::vector<BYTE>& modifiers = {});
POINT cursor();
// The shape the cursor shows: the id of the stock cursor it is (32512 for IDC_ARROW), or 0 for a
// cursor of a program's own or none.
int cursor_shape();

// Answers for the modal loops (menus, message boxes, the colour and save dialogs), taken in order.
// A modal loop first runs the waits at the head of the script, then takes the next answer if it
// is of its kind and cancels otherwise (or when the script is empty), so nothing hangs.
void choose_menu_item(const std::string& text);
void choose_menu_position(int position);
void answer_message_box(int button_id);
void answer_color_dialog(COLORREF color);
void cancel_color_dialog();
void answer_save_dialog(const std::string& file_path);
void cancel_save_dialog();
void wait_in_modal(uint32_t milliseconds);
size_t pending_modal_answers();
void clear_modal_answers();

// What the modal loops showed, for tests: the caption and text of message boxes and the items of
// menus, in order.
struct ModalRecord {
    std::string kind;  // "menu", "message box", "color dialog" or "save dialog"
    std::string text;
    std::string result;
};
const std::vector<ModalRecord>& modal_history();

// The clock. run_for delivers every posted message, paint and timer of every window in virtual
// time until the clock has moved by `milliseconds`; pump delivers what is due now.
void run_for(uint64_t milliseconds);
void pump();
uint64_t now();

// The whole state of the window system.
struct WindowState {
    HWND handle = nullptr;
    HWND parent = nullptr;
    HWND owner = nullptr;
    uint32_t process_id = 0;
    std::string executable;
    std::string class_name;
    std::string title;
    DWORD style = 0;
    DWORD ex_style = 0;
    RECT rect {};  // screen coordinates
    RECT client {};  // screen coordinates
    RECT restored {};  // screen coordinates: where a top-level window comes back when restored
    bool is_visible = false;  // as IsWindowVisible answers
    bool is_layered = false;
    std::optional<BYTE> layered_alpha;  // constant alpha, when set
    bool is_per_pixel = false;  // contents come from UpdateLayeredWindow
    std::optional<RECT> region_bounds;  // window coordinates
    int z_order = 0;  // 0 for the front-most among its siblings
    std::vector<WindowState> children;  // front to back
};
// The top-level windows, front to back, each with its children.
std::vector<WindowState> window_tree();
std::optional<WindowState> window_state(HWND window);
HWND foreground_window();
HWND focus_window();
HWND capture_window();

// The screen as the user sees it.
Bitmap screenshot();

// What a process holds of the window system's objects, for leak checks.
struct ResourceUsage {
    int gdi_objects = 0;  // as GetGuiResources(GR_GDIOBJECTS) answers
    int64_t bitmap_bytes = 0;  // the pixel memory of the bitmaps among them
    int user_objects = 0;  // as GetGuiResources(GR_USEROBJECTS) answers
    // Window and screen DCs taken (GetDC, GetWindowDC) and not released; the DC of a window whose
    // class has CS_OWNDC is the window's own and not counted.
    int screen_dcs = 0;
    int gdiplus_startups = 0;  // GdiplusStartup without its GdiplusShutdown
    int double_frees = 0;  // DeleteObject or DeleteDC of a handle already freed
};
ResourceUsage resource_usage(uint32_t process_id);

}
