// Input from the devices: where the mouse is over, and the messages a mouse or key event causes.
#pragma once

#include "platform/api/user.h"

namespace sim {

enum class MouseButton { Left, Right, Middle };

// The window under a screen point as WindowFromPoint finds it: front to back through z-order,
// regions and per-pixel transparency, asking each candidate WM_NCHITTEST and passing through
// those that answer HTTRANSPARENT. Sets the hit-test code when asked.
HWND window_at(POINT screen_point, LRESULT* hit = nullptr);

// Each posts the messages the event causes; the caller delivers them.
void inject_mouse_move(POINT screen_point);
void inject_mouse_button(MouseButton button, bool is_down);
void inject_key(BYTE virtual_key, bool is_down);
// A turn of the mouse wheel (120 a notch, positive away from the user): WM_MOUSEWHEEL to the
// window under the mouse, which passes it on to its parent when it does not scroll itself.
void inject_mouse_wheel(int delta);

}
