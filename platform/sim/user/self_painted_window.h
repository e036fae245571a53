// What the windows the simulation paints itself share: the system controls, the simulated
// applications' windows and the desktop.
#pragma once

#include "platform/api/user.h"

namespace sim {

void fill_with_colour(HDC hdc, const RECT& area, COLORREF colour);

// The messages of a window that shows its text and paints all of its client area: WM_SETTEXT
// stores the text as DefWindowProcA does and repaints, WM_PAINT calls paint, and erasing is left
// to it. Every other message goes to DefWindowProcA.
LRESULT text_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, void (*paint)(HWND));

}
