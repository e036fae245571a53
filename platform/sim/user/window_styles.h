// The style bits Windows keeps for itself: what it adds at creation, what a window cannot lose,
// and the extended-style edge that follows the frame. Also the range a window's rectangle may take.
#pragma once

#include "platform/api/types.h"

namespace sim {

// Every window that is not a child clips its siblings; an overlapped window also gets a caption.
DWORD style_at_creation(DWORD style);
// What a new GWL_STYLE value becomes: a top-level window keeps WS_CLIPSIBLINGS.
DWORD style_kept(DWORD style, bool is_top_level);
// WS_EX_WINDOWEDGE is set for a raised frame (a modal dialog frame, or a dialog frame, which a
// caption includes, or a thick frame without a static edge) and cleared otherwise, whatever was asked.
DWORD ex_style_following_frame(DWORD style, DWORD ex_style);

// Positions and extents beyond these are cut to them, as SetWindowPos and CreateWindowExA do on
// Windows, so no rectangle overflows.
constexpr int min_window_coordinate = -32768;
constexpr int max_window_coordinate = 32767;
int clamped_position(int coordinate);
int clamped_extent(int extent);
// A window rectangle from its corner and extents, both cut to the range above.
RECT clamped_window_rect(int x, int y, int width, int height);
RECT clamped_window_rect(const RECT& rect);

}
