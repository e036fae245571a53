// How kelmor-sim names a send that would have frozen its sender, in messages and in the dump.
#pragma once

#include "platform/sim/driver.h"

#include <string>
#include <vector>

namespace kelmor_sim {

// The message's name where it is one the program sends ("WM_GETTEXT"), its number otherwise.
std::string message_name(UINT message);

// "WM_SETTEXT to 65552 (C:\Apps\editor.exe) at 1200 ms".
std::string freeze_text(const sim::Freeze& freeze);

// The freezes of Kelmor's process, in the order they happened.
std::vector<sim::Freeze> kelmor_freezes();

}
