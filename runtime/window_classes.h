// The window classes of the runtime's forms and controls, registered once per process, and
// the one window procedure that hands every message to the object behind the window.
#pragma once

#include "platform/win32.h"

namespace runtime {

inline constexpr const char* FormWindowClass = "KelmorForm";
inline constexpr const char* ControlWindowClass = "KelmorControl";
inline constexpr const char* OwnerWindowClass = "KelmorOwner";

// Registers both classes unless they already are.
void register_window_classes();
HINSTANCE program_instance();

LRESULT CALLBACK control_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// The program's hidden owner window: the one window the system addresses when it ends the whole
// program (the task list's close, the end of the session).
LRESULT CALLBACK owner_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}
