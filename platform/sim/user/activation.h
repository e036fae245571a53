// Activation, the foreground window and the keyboard focus.
#pragma once

#include "platform/api/user.h"

namespace sim {

// Makes the top-level window that holds `hwnd` the active (foreground) window and brings it to the
// front; returns false when it cannot be activated.
bool activate_window(HWND hwnd);
// After the active window was hidden or destroyed: activates the front-most visible top-level window.
void activate_next(HWND leaving);
HWND set_focus(HWND hwnd);
// Called before a window goes away: capture, focus and activation leave it and its children.
void forget_input_for(HWND hwnd);

}
