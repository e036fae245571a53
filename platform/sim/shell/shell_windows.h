// The shell's own windows on the desktop: the taskbar ("Shell_TrayWnd") and "Program Manager"
// with the desktop's icon list view.
#pragma once

#include "platform/api/types.h"

namespace sim {

// The views of the desktop list view, as the low two bits of a list-view style select them.
enum class DesktopView { Icons = 0, Details = 1, SmallIcons = 2, List = 3 };

HWND taskbar_window();
HWND program_manager_window();
HWND desktop_list_view();
DesktopView desktop_view();
const char* desktop_view_name(DesktopView);

// The edge the taskbar is docked to (ABE_LEFT, ABE_TOP, ABE_RIGHT or ABE_BOTTOM).
UINT taskbar_edge();
void set_taskbar_edge(UINT edge);

// The screen less the taskbar's appbar rectangle on the edge it is docked to. The shell reserves
// that place whether or not the taskbar's window shows: hiding the window leaves the place empty,
// as on Windows. The whole screen when there is no taskbar.
RECT work_area();

// Lays the shell windows out for the current screen size; the driver calls it after resizing.
void layout_shell_windows();

// Creates the shell windows on a fresh desktop, as the shell process.
void create_shell_windows();

// Restarts the shell as after a crash of its process: the taskbar is made anew with an empty
// notification area, and the registered message "TaskbarCreated" is posted to every top-level
// window.
void restart_shell();

}
