// The non-client area Windows draws around a window: frame and caption sizes, hit testing, painting.
#pragma once

#include "platform/sim/user/window.h"

namespace sim {

constexpr int caption_height = 22;
constexpr int thick_frame_width = 4;
constexpr int fixed_frame_width = 3;
constexpr int border_width = 1;
constexpr int client_edge_width = 2;

// How far the client area lies inside the window rectangle on each side, for these styles.
RECT frame_insets(DWORD style, DWORD ex_style);
// The insets of the window's frame as it was last worked out: Windows keeps a window's frame, and
// with it its client area, until it sends WM_NCCALCSIZE: when SetWindowPos changes the window's
// size or is given SWP_FRAMECHANGED, and when the window is minimised, maximised or restored.
RECT frame_insets(const Window& window);
// Works the frame out again from the window's present styles, as WM_NCCALCSIZE does; returns
// whether it changed.
bool recalculate_frame(Window& window);
bool has_caption(DWORD style);

// What DefWindowProcA answers to WM_NCHITTEST for a point in screen coordinates.
LRESULT default_hit_test(const Window& window, POINT screen_point);

// Draws the frame and the caption into the window's surface.
void paint_frame(Window& window);

}
