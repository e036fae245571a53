// The registered window classes, including the system's own ("Edit", "Static", "Button", "#32770").
#pragma once

#include "platform/sim/user/window.h"

#include <memory>
#include <string>

namespace sim {

// Class names compare without regard to case; a name may also be an atom (MAKEINTRESOURCEA).
std::shared_ptr<WindowClass> find_class(LPCSTR name);
ATOM register_class(const WindowClass& window_class);
bool unregister_class(LPCSTR name);
std::string class_name_text(LPCSTR name);
void reset_window_classes();

}
