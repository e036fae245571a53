// Moves and show commands handed to another process: SetWindowPos with SWP_ASYNCWINDOWPOS and
// ShowWindowAsync on a window of another process post the request to that process and return at
// once; the window takes it, in the order given, when its process next takes its messages. A
// process that has stopped answering holds up nobody but itself.
#pragma once

#include "platform/api/user.h"

namespace sim {

// Whether a call of the current process on this window goes to the window's process instead.
bool is_for_other_process(HWND hwnd);
void post_window_pos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags);
void post_show_window(HWND hwnd, int command);
// Carries out a posted request as the window's process; false for any other message.
bool apply_posted_window_request(const MSG& msg);

}
