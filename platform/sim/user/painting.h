// Invalidation and WM_PAINT: which windows wait to be painted.
#pragma once

#include "platform/sim/user/window.h"

namespace sim {

// Adds a rectangle of the client area (the whole client area for nullptr) to the update region.
void invalidate(Window& window, const RECT* client_rect, bool erase);
// The window's frame waits for WM_NCPAINT.
void request_frame(Window& window);
void invalidate_with_children(Window& window);
// Adds what lies in `area` (the window's own coordinates, its frame included) to the update region
// of every shown descendant it reaches.
void invalidate_descendants_in(Window& window, const Region& area);
void validate(Window& window, const RECT* client_rect);
// A child that hid, moved or changed its shape uncovered part of its parent: the parent paints
// `rect` (in its client coordinates) again, as a parent that clips its children must.
void invalidate_parent_under(const Window& child, const RECT& rect);

// The first shown window, parents before children and front to back, that waits for WM_PAINT.
HWND window_needing_paint(HWND filter);
// A window procedure that answered WM_PAINT without painting would get it forever; Windows keeps
// sending it, the simulation validates the window instead so that loops end.
void validate_after_paint(HWND hwnd);

// Makes the surface match the window's size, keeping what it showed in the part both sizes share.
void resize_surface(Window& window);

}
