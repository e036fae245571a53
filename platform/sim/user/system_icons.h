// The system's stock icons and cursors (LoadIconA and LoadCursorA with no module), and icons drawn
// for the windows of simulated applications.
#pragma once

#include "platform/api/user.h"

#include <cstdint>

namespace sim {

HICON system_icon(int id);
HCURSOR system_cursor(int id);
// The id a stock cursor was loaded by (32512 for IDC_ARROW); 0 for any other cursor.
int system_cursor_id(HCURSOR cursor);
// A square icon of the given size and colour (0xRRGGBB) with a dark outline.
HICON make_plain_icon(int size, uint32_t colour, bool is_icon = true);
void reset_system_icons();

}
