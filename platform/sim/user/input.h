// Input from the devices: where the mouse is over, and the messages a mouse or key event causes.
#pragma once

#include "platform/api/user.h"

namespace sim {

enum class MouseButton { Left, Right, Middle };

// A second press completes a double click within this time (GetDoubleClickTime, ms) and within
// a rectangle this wide and high around the first (SM_CXDOUBLECLK, SM_CYDOUBLECLK, pixels).
inline constexpr UINT double_click_time = 500;
inline constexpr int double_click_size = 4;

// The window under a screen point as WindowFromPoint finds it: front to back through z-order,
// regions and per-pixel transparency, asking each candidate WM_NCHITTEST and passing through
// those that answer HTTRANSPARENT. Sets the hit-test code when asked.
HWND window_at(POINT screen_point, LRESULT* hit = nullptr);

// Each puts the messages the event causes into the input queue (message_queue.h); the caller
// delivers them.
void inject_mouse_move(POINT screen_point);
void inject_mouse_button(MouseButton button, bool is_down);
void inject_key(BYTE virtual_key, bool is_down);
// A turn of the mouse wheel (120 a notch, positive away from the user): WM_MOUSEWHEEL to the
// window under the mouse, which passes it on to its parent when it does not scroll itself.
void inject_mouse_wheel(int delta);

// Double clicks are formed as a loop takes a button press from the input queue, as on Windows: a
// press completes one when it follows the press taken before it on the same window within the
// double-click time and rectangle (GetDoubleClickTime, SM_CXDOUBLECLK, SM_CYDOUBLECLK), on the
// window's frame or caption, or in the client area of a window whose class has CS_DBLCLKS. Only
// taking a press changes what the next one completes: a look that leaves it in the queue, or a
// filter that passes it by, changes nothing.
bool completes_double_click(const MSG& press);
void note_press_taken(const MSG& press, bool was_double);

}
