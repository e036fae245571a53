// What the GDI part of the simulation draws on: the backing surface of every window, and the
// composed screen.
#pragma once

#include "platform/api/types.h"
#include "platform/sim/gdi/bitmap.h"
#include "platform/sim/gdi/region.h"

#include <memory>

namespace sim {

// Every window, child or top-level, has its own surface the size of its window rectangle; what the
// user sees is composed from these surfaces. A device context shares ownership of the bitmap, so
// one that outlives its window draws into a surface nobody shows instead of freed memory.
struct WindowSurface {
    std::shared_ptr<Bitmap> bitmap;
    // Where the device context's (0, 0) lies in the bitmap: the client area's offset, or (0, 0)
    // for the whole window.
    POINT origin {};
    // What drawing may touch, in bitmap coordinates: the client area or the whole window.
    Region clip;
};

// The size of the surface for a window of this size. A window may be as large as 32767 pixels a
// side; its surface keeps at most the screen's size or 4096 pixels a side (whichever is more), so
// an absurd window costs no absurd memory.
// FIXME: what lies beyond that part of such a window is neither drawn nor shown.
SIZE surface_size_for(int width, int height);

// The surface of a window; an empty surface (no bitmap) for a handle that names no window.
WindowSurface window_surface(HWND hwnd, bool whole_window);

// The screen inside `area` (screen coordinates, clipped to the screen): every visible window in
// z-order, clipped by its parent and its region, blended by its layered alpha. With
// include_layered false, layered windows are left out, as a copy from the screen's device
// context reads it on Windows.
Bitmap compose_screen(RECT area, bool include_layered);

}
