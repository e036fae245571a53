// The window procedure of the desktop window, and how another area paints its background.
#pragma once

#include "platform/api/user.h"

#include <functional>

namespace sim {

LRESULT CALLBACK desktop_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// The shell paints the wallpaper through this; without a painter the desktop is one colour.
using DesktopPainter = std::function<void(HDC hdc, const RECT& area)>;
void set_desktop_painter(DesktopPainter painter);

}
