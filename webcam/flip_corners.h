// The destination corners of the frame transform: where the source's upper-left, upper-right and
// lower-left corners land for a rotation, two axis angles and a zoom angle, all in degrees.
#pragma once

#include "platform/win32.h"

#include <array>

struct FlipAngles {
    int rotation = 0;
    int horizontal_axis = 180;
    int vertical_axis = 0;
    int zoom = 45;
};

// The corners about the centre of an output of output_width x output_height pixels, for a source
// of source_width x source_height pixels. Computed in 32-bit numbers, so a frame of any size the
// camera delivers gives its true corners.
std::array<POINT, 3> flip_corners(float source_width, float source_height, int output_width, int output_height,
    const FlipAngles& angles);
