#include "platform/sim/user/input_state.h"

namespace sim {

namespace {

InputState g_state;

}

InputState& input_state()
{
    return g_state;
}

POINT cursor_position()
{
    return g_state.cursor;
}

bool is_key_down(int virtual_key)
{
    return (g_state.keys[virtual_key & 0xFF] & 0x80) != 0;
}

void reset_input_state()
{
    g_state = InputState {};
}

}
