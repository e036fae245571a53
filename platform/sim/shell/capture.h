// Video capture: capture windows and the synthetic camera behind the first capture driver.
#pragma once

#include "platform/api/types.h"
#include "platform/sim/gdi/bitmap.h"

#include <cstdint>
#include <vector>

namespace sim {

// The camera's frame size; 320 x 240 on a fresh desktop. A size the camera cannot deliver (not
// 1 to 4096 pixels each way) is refused and changes nothing.
SIZE camera_frame_size();
bool set_camera_frame_size(int width, int height);

// The camera's picture at a moment of the virtual clock, in its frame size: colour bars that
// scroll, a grey ramp from dark on the left to bright on the right below them, and a ball that
// moves, so that consecutive frames differ, a mirrored frame shows, and a run repeats exactly.
Bitmap camera_picture(uint64_t time_ms);
// The same drawn into a picture of any size, for a frame that is reused.
void draw_camera_picture(Bitmap& picture, uint64_t time_ms);

// A camera that is unplugged cannot be connected; unplugging it disconnects every capture window.
bool is_camera_plugged();
void set_camera_plugged(bool is_plugged);

// The camera's video format: BI_RGB frames of 24 bits (a fresh desktop) or 32 bits per pixel,
// YUY2 frames (16 bits, top-down rows), or any other compression code with its bits per pixel,
// whose frames are packed 2 bytes a pixel of plain grey. Its driver takes WM_CAP_SET_VIDEOFORMAT
// for 24- or 32-bit RGB as well, unless `is_only_format`: then it refuses every other format.
void set_camera_format(WORD bits_per_pixel, DWORD compression, bool is_only_format = false);

// The capture windows that exist, in the order they were made, and whether each is connected.
struct CaptureWindowState {
    HWND window = nullptr;
    bool is_connected = false;
};
std::vector<CaptureWindowState> capture_windows();

void reset_capture();

}
