// Handing a region built by the program to a window.
#pragma once

#include "platform/win32.h"

// Sets the window's region and redraws it. The window system owns the region from then on; when
// the window refuses it (a window that is gone), the region is deleted here instead of leaking, and
// the window keeps its previous shape. Returns whether the window took it.
bool give_region_to_window(HWND window, HRGN region);
