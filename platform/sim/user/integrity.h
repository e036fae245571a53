// Integrity levels between processes: a process may not change the windows of a process of higher
// integrity, nor send or post them most messages (Windows' user-interface privilege isolation).
#pragma once

#include "platform/sim/user/window.h"

namespace sim {

// Whether the window belongs to a process of higher integrity than the one whose code runs now.
bool is_above_caller(const Window& window);
// Whether a message may cross from the caller to such a window: only a few harmless queries may.
bool is_message_allowed_upwards(UINT message);
// Whether the current process may not send or post this message to the window; sets
// ERROR_ACCESS_DENIED when so.
bool is_message_blocked(const Window& window, UINT message);

}
