// Creating, destroying, re-parenting, showing and placing windows, with the messages Windows sends.
#pragma once

#include "platform/sim/user/window.h"

#include <string>

namespace sim {

struct CreateRequest {
    DWORD ex_style = 0;
    std::string class_name;
    std::string title;
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    HMENU menu = nullptr;
    HINSTANCE instance = nullptr;
    LPVOID parameter = nullptr;
    // The handle the window gets, when free; 0 for the next in order.
    uintptr_t handle = 0;
};

HWND create_window(const CreateRequest& request);
bool destroy_window(HWND hwnd);
// Returns the previous parent (the desktop window for a top-level window), or nullptr on failure.
HWND set_parent(HWND hwnd, HWND new_parent);
// Returns whether the window was visible before.
bool show_window(HWND hwnd, int command);
bool set_window_pos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags);
// Sets GWL_STYLE or GWL_EXSTYLE with WM_STYLECHANGING and WM_STYLECHANGED; returns the old value.
DWORD set_style(HWND hwnd, int index, DWORD value);

}
