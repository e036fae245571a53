// A window of the simulated desktop and the class it was made from.
#pragma once

#include "platform/api/user.h"
#include "platform/sim/gdi/bitmap.h"
#include "platform/sim/gdi/region.h"
#include "platform/sim/handle_table.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    int class_extra = 0;
    int window_extra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON small_icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    uint32_t process_id = 0;
};

// How a layered window is blended: a constant alpha and colour key (SetLayeredWindowAttributes),
// or per-pixel contents of its own (UpdateLayeredWindow, premultiplied B, G, R, A).
struct LayeredState {
    bool has_attributes = false;
    DWORD flags = 0;
    BYTE alpha = 255;
    COLORREF key = 0;
    std::shared_ptr<Bitmap> per_pixel;
    BYTE per_pixel_alpha = 255;
};

struct Window : Object {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> window_class;
    WNDPROC procedure = nullptr;
    std::string text;
    DWORD style = 0;
    DWORD ex_style = 0;
    // The styles the frame was last worked out from (see recalculate_frame).
    DWORD frame_style = 0;
    DWORD frame_ex_style = 0;
    // nullptr for a top-level window, whose parent is the desktop window.
    HWND parent = nullptr;
    HWND owner = nullptr;
    // Front to back.
    std::vector<HWND> children;
    // Where the window stands in its parent's `children`, so that a step to a sibling costs the
    // same however many siblings there are; the tree's linking functions keep it.
    size_t sibling_position = 0;
    // Relative to the parent's client area; screen coordinates for a top-level window.
    RECT rect {};
    // The rectangle the window takes when restored from minimised or maximised.
    RECT normal_rect {};
    // Set when the window was minimised from maximised: a restore maximises it again.
    bool restores_maximised = false;
    POINT min_position {-1, -1};
    POINT max_position {-1, -1};
    uint32_t process_id = 0;
    LONG_PTR user_data = 0;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    // The menu bar of a window that is not a child.
    HMENU menu = nullptr;
    std::vector<uint8_t> extra;
    HICON small_icon = nullptr;
    HICON big_icon = nullptr;
    std::shared_ptr<Bitmap> surface = std::make_shared<Bitmap>(0, 0);
    // The client DC of a window whose class gives each window one of its own: made at its first
    // GetDC, returned by every later one, freed with the window.
    HDC own_dc = nullptr;
    // In window coordinates.
    std::optional<Region> region;
    LayeredState layered;
    // The part of the client area that waits for WM_PAINT, in client coordinates.
    Region update;
    bool needs_erase = false;
    bool needs_frame = false;
    bool is_destroying = false;

    bool is_visible_style() const { return (style & WS_VISIBLE) != 0; }
    bool is_layered() const { return (ex_style & WS_EX_LAYERED) != 0; }
    bool is_topmost() const { return (ex_style & WS_EX_TOPMOST) != 0; }
    bool is_minimised() const { return (style & WS_MINIMIZE) != 0; }
    bool is_maximised() const { return (style & WS_MAXIMIZE) != 0; }
    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
};

// Copies a window text into a caller's buffer of `size` characters, cut to fit and ended by a NUL,
// as WM_GETTEXT and GetWindowTextA do; returns the number of characters copied.
inline int copy_text_out(const std::string& text, char* buffer, size_t size)
{
    if (!buffer || size == 0)
        return 0;
    size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

}
