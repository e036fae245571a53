// The state of the input devices and of activation: cursor, keys, capture, focus, foreground.
#pragma once

#include "platform/api/user.h"

#include <cstdint>

namespace sim {

struct InputState {
    POINT cursor {0, 0};
    BYTE keys[256] {};  // bit 0x80 down, bit 0x01 toggled
    // The keys as they were when the input message taken last was made: what GetKeyState
    // answers while more input waits in the queue.
    BYTE keys_of_taken_input[256] {};
    HWND capture = nullptr;
    HWND focus = nullptr;
    HWND active = nullptr;
    HCURSOR shape = nullptr;
    // The button press taken last from the input queue, for double clicks.
    HWND last_press_window = nullptr;
    UINT last_press_message = 0;
    uint64_t last_press_time = 0;
    POINT last_press_point {};
};

InputState& input_state();
POINT cursor_position();
bool is_key_down(int virtual_key);
void reset_input_state();

}
