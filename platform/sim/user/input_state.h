// The state of the input devices and of activation: cursor, keys, capture, focus, foreground.
#pragma once

#include "platform/api/user.h"

#include <cstdint>

namespace sim {

struct InputState {
    POINT cursor {0, 0};
    BYTE keys[256] {};  // bit 0x80 down, bit 0x01 toggled
    HWND capture = nullptr;
    HWND focus = nullptr;
    HWND active = nullptr;
    HCURSOR shape = nullptr;
    // The last button press, for double clicks.
    HWND last_press_window = nullptr;
    UINT last_press_message = 0;
    uint64_t last_press_time = 0;
    POINT last_press_point {};
    bool last_press_was_double = false;
};

InputState& input_state();
POINT cursor_position();
bool is_key_down(int virtual_key);
void reset_input_state();

}
