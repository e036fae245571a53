// Video capture: capture windows and the synthetic camera behind the first capture driver.
#pragma once

#include "platform/sim/gdi/bitmap.h"

#include <cstdint>

namespace sim {

inline constexpr int camera_width = 320;
inline constexpr int camera_height = 240;

// The camera's picture at a moment of the virtual clock: colour bars that scroll and a ball that
// moves, so that consecutive frames differ and a run repeats exactly.
Bitmap camera_picture(uint64_t time_ms);

// A camera that is unplugged cannot be connected; unplugging it disconnects every capture window.
bool is_camera_plugged();
void set_camera_plugged(bool is_plugged);

void reset_capture();

}
