// The tree of windows: finding a window by handle, parents and children, z-order, screen geometry.
#pragma once

#include "platform/sim/user/window.h"

#include <functional>
#include <optional>
#include <vector>

namespace sim {

Window* find_window(HWND hwnd);
Window& desktop_window();
HWND desktop_handle();
bool is_desktop(HWND hwnd);

// The parent as the tree keeps it: the desktop window for a top-level window.
Window& parent_of(Window& window);
// The siblings of a window, front to back (the desktop's children for a top-level window).
std::vector<HWND>& sibling_list(Window& window);
HWND root_of(HWND hwnd);
// The root window, then its owner's root, and so on, to the last: GetAncestor's GA_ROOTOWNER.
HWND root_owner_of(HWND hwnd);
// The nearest window up the tree without WS_CHILD: what Windows treats as a top-level window when
// it activates a window or closes it on Alt+F4, also for a window another one adopted.
HWND top_level_by_style(HWND hwnd);

// Where a window stands among its siblings (0 at the front); none when it is not linked in.
std::optional<size_t> position_among_siblings(Window& window);
// Z-order among siblings. Topmost top-level windows stay in front of the others.
void unlink_from_parent(Window& window);
void link_at_front(Window& window);
void link_at_back(Window& window);
void link_after(Window& window, HWND insert_after);

// Screen geometry.
RECT window_rect_on_screen(const Window& window);
RECT client_rect_in_window(const Window& window);
RECT client_rect_on_screen(const Window& window);
POINT client_origin_on_screen(const Window& window);

// A window and its ancestors all carry WS_VISIBLE.
bool is_shown(const Window& window);
bool is_ancestor(HWND ancestor, HWND hwnd);

// Visits every window below `parent` (children first-level front to back, each followed by its
// own descendants) as handles taken in advance, so the visit may destroy windows.
std::vector<HWND> descendants(HWND parent);

// Creates the desktop window for a fresh window system and forgets every other window.
void reset_window_tree();

}
