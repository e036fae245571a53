// The system's own control classes, kept to what other applications' windows need here: they hold
// and paint their text.
#pragma once

#include "platform/api/user.h"

namespace sim {

LRESULT CALLBACK system_control_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

}
