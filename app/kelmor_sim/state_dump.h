// The whole state of the simulated desktop as JSON: windows, notification area, registry,
// wallpaper, desktop view, clipboard, and what was opened or fetched.
#pragma once

#include <string>

namespace kelmor_sim {

std::string dump_state();

}
