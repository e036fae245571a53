// The window procedure of simulated applications: an ordinary application window that answers
// the usual questions, paints its title and closes when asked.
#pragma once

#include "platform/sim/driver.h"

namespace sim {

HWND open_fake_window(uint32_t process_id, const driver::AppWindow& window);
// Starts a timer of the window's application that brings the window to the front when it fires.
void activate_later(HWND hwnd, uint32_t milliseconds);
// Makes sure a class of that name exists, registering it with the fake application's procedure.
void ensure_fake_class(const std::string& class_name, uint32_t process_id, bool has_icon);

}
