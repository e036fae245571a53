// What the window system asks of the GDI: device contexts on window surfaces and the screen,
// and the pixels and regions behind handles.
#pragma once

#include "platform/api/gdi.h"
#include "platform/sim/gdi/bitmap.h"
#include "platform/sim/gdi/region.h"

#include <optional>

namespace sim {

// A DC drawing on the window's surface (client area, or the whole window), for GetDC,
// GetWindowDC and BeginPaint. The surface is looked up again for every drawing operation.
HDC create_window_dc(HWND, bool whole_window);
// A DC that reads the screen without layered windows, for GetDC(NULL) and the desktop window.
HDC create_screen_dc();
// Limits a window DC to an update region (client coordinates) from BeginPaint to EndPaint; none
// lifts the limit.
void set_paint_area(HDC, std::optional<Region>);
// Ends a DC made by one of the two above; false for any other handle. A window's own DC stays.
bool release_window_dc(HDC);
// Frees the window's own DC, as its destruction does.
void release_own_dc(HWND);

// The bitmap selected into a memory DC; null for other DCs.
const Bitmap* dc_bitmap(HDC);
// Where the DC's (0, 0) lies on what it draws on.
POINT dc_origin(HDC);

// The region behind a region handle; null when the handle names none.
const Region* region_of(HRGN);
bool set_region(HRGN, const Region&);

}
