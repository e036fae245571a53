// The window procedure of simulated applications: an ordinary application window that answers
// the usual questions, paints its title and closes when asked.
#pragma once

#include "platform/sim/driver.h"

namespace sim {

HWND open_fake_window(uint32_t process_id, const driver::AppWindow& window);
// Makes sure a class of that name exists, registering it with the fake application's procedure.
void ensure_fake_class(const std::string& class_name, uint32_t process_id, bool has_icon);

}
