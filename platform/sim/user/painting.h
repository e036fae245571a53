// Invalidation and WM_PAINT: which windows wait to be painted.
#pragma once

#include "platform/sim/user/window.h"

namespace sim {

// Adds a rectangle of the client area (the whole client area for nullptr) to the update region.
void invalidate(Window& window, const RECT* client_rect, bool erase);
void invalidate_with_children(Window& window);
void validate(Window& window, const RECT* client_rect);

// The first shown window, parents before children and front to back, that waits for WM_PAINT.
HWND window_needing_paint(HWND filter);
// A window procedure that answered WM_PAINT without painting would get it forever; Windows keeps
// sending it, the simulation validates the window instead so that loops end.
void validate_after_paint(HWND hwnd);

// Makes the surface match the window's size, keeping what it showed in the part both sizes share.
void resize_surface(Window& window);

}
