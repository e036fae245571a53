// user32: mouse capture, focus, activation, the cursor, key states and synthesised input.
#include "platform/api/user.h"

#include "platform/api/kernel.h"
#include "platform/sim/user/activation.h"
#include "platform/sim/user/input.h"
#include "platform/sim/user/input_state.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_tree.h"

using namespace sim;

namespace {

void send_mouse_input(const MOUSEINPUT& input)
{
    if (input.dwFlags & MOUSEEVENTF_MOVE) {
        POINT point = cursor_position();
        if (input.dwFlags & MOUSEEVENTF_ABSOLUTE) {
            // Absolute coordinates run from 0 to 65535 across the screen.
            RECT screen = window_rect_on_screen(desktop_window());
            point.x = static_cast<LONG>((static_cast<int64_t>(input.dx) * screen.right) / 65536);
            point.y = static_cast<LONG>((static_cast<int64_t>(input.dy) * screen.bottom) / 65536);
        } else {
            point.x += input.dx;
            point.y += input.dy;
        }
        inject_mouse_move(point);
    }
    if (input.dwFlags & MOUSEEVENTF_LEFTDOWN)
        inject_mouse_button(MouseButton::Left, true);
    if (input.dwFlags & MOUSEEVENTF_LEFTUP)
        inject_mouse_button(MouseButton::Left, false);
    if (input.dwFlags & MOUSEEVENTF_RIGHTDOWN)
        inject_mouse_button(MouseButton::Right, true);
    if (input.dwFlags & MOUSEEVENTF_RIGHTUP)
        inject_mouse_button(MouseButton::Right, false);
    if (input.dwFlags & MOUSEEVENTF_MIDDLEDOWN)
        inject_mouse_button(MouseButton::Middle, true);
    if (input.dwFlags & MOUSEEVENTF_MIDDLEUP)
        inject_mouse_button(MouseButton::Middle, false);
}

}

HWND WINAPI SetCapture(HWND hWnd)
{
    sim::ApiCall api_call;
    InputState& input = input_state();
    HWND previous = input.capture;
    if (!find_window(hWnd))
        return previous;
    input.capture = hWnd;
    if (previous && previous != hWnd && find_window(previous))
        deliver(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return previous;
}

BOOL WINAPI ReleaseCapture(void)
{
    sim::ApiCall api_call{sim::CallKind::release};
    InputState& input = input_state();
    HWND previous = input.capture;
    input.capture = nullptr;
    if (previous && find_window(previous))
        deliver(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void)
{
    sim::ApiCall api_call;
    return input_state().capture;
}

HWND WINAPI SetFocus(HWND hWnd)
{
    sim::ApiCall api_call;
    return set_focus(hWnd);
}

HWND WINAPI GetFocus(void)
{
    sim::ApiCall api_call;
    return input_state().focus;
}

HWND WINAPI SetActiveWindow(HWND hWnd)
{
    sim::ApiCall api_call;
    HWND previous = input_state().active;
    if (!activate_window(hWnd))
        return nullptr;
    return previous;
}

HWND WINAPI GetActiveWindow(void)
{
    sim::ApiCall api_call;
    return input_state().active;
}

BOOL WINAPI SetForegroundWindow(HWND hWnd)
{
    sim::ApiCall api_call;
    return activate_window(hWnd);
}

HWND WINAPI GetForegroundWindow(void)
{
    sim::ApiCall api_call;
    return input_state().active;
}

BOOL WINAPI BringWindowToTop(HWND hWnd)
{
    sim::ApiCall api_call;
    return set_window_pos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// The simulation keeps one focus, one active window and one key state for every thread, as if
// all threads shared their input already; attaching checks the threads as Windows does and
// changes nothing.
BOOL WINAPI AttachThreadInput(DWORD idAttach, DWORD idAttachTo, BOOL)
{
    sim::ApiCall api_call;
    bool are_threads = is_process_alive(process_of_thread(idAttach)) && is_process_alive(process_of_thread(idAttachTo));
    if (!are_threads || idAttach == idAttachTo) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI GetCursorPos(LPPOINT lpPoint)
{
    sim::ApiCall api_call;
    if (!lpPoint)
        return FALSE;
    *lpPoint = cursor_position();
    return TRUE;
}

BOOL WINAPI SetCursorPos(int X, int Y)
{
    sim::ApiCall api_call;
    inject_mouse_move(POINT {X, Y});
    return TRUE;
}

SHORT WINAPI GetAsyncKeyState(int vKey)
{
    sim::ApiCall api_call;
    return is_key_down(vKey) ? static_cast<SHORT>(0x8000) : 0;
}

SHORT WINAPI GetKeyState(int nVirtKey)
{
    sim::ApiCall api_call;
    // The keys as the input being handled saw them: later input waiting in the queue has not
    // happened yet for the program.
    const InputState& input = input_state();
    const BYTE* keys = is_input_waiting() ? input.keys_of_taken_input : input.keys;
    BYTE state = keys[nVirtKey & 0xFF];
    return static_cast<SHORT>(((state & 0x80) ? 0xFF80 : 0) | (state & 0x01));
}

UINT WINAPI SendInput(UINT cInputs, LPINPUT pInputs, int cbSize)
{
    sim::ApiCall api_call;
    if (!pInputs || cbSize != static_cast<int>(sizeof(INPUT)))
        return 0;
    for (UINT i = 0; i < cInputs; ++i) {
        const INPUT& input = pInputs[i];
        if (input.type == INPUT_KEYBOARD)
            inject_key(static_cast<BYTE>(input.ki.wVk), !(input.ki.dwFlags & KEYEVENTF_KEYUP));
        else if (input.type == INPUT_MOUSE)
            send_mouse_input(input.mi);
    }
    return cInputs;
}

VOID WINAPI keybd_event(BYTE bVk, BYTE, DWORD dwFlags, ULONG_PTR)
{
    sim::ApiCall api_call;
    inject_key(bVk, !(dwFlags & KEYEVENTF_KEYUP));
}

VOID WINAPI mouse_event(DWORD dwFlags, DWORD dx, DWORD dy, DWORD, ULONG_PTR)
{
    sim::ApiCall api_call;
    MOUSEINPUT input {};
    input.dx = static_cast<LONG>(dx);
    input.dy = static_cast<LONG>(dy);
    input.dwFlags = dwFlags;
    send_mouse_input(input);
}

UINT WINAPI GetDoubleClickTime(void)
{
    sim::ApiCall api_call;
    return double_click_time;
}
