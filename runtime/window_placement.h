// Where a window comes back when restored from minimised or maximised, in screen pixels.
// Windows gives that rectangle relative to the work area, which the taskbar at the top or left
// moves away from the screen's corner, for a top-level window that is no tool window.
#pragma once

#include "platform/win32.h"

namespace runtime {

// The rectangle the window takes when restored; its window rectangle when it fails to tell.
RECT restored_rectangle(HWND window);
// Makes `rect` the rectangle the window takes when restored, leaving its state as it is.
bool set_restored_rectangle(HWND window, RECT rect);

}
