// The blur kernel: one gentle softening step, meant to be repeated for a stronger blur.
#pragma once

#include "effects/kernels/kernel_path.h"
#include "effects/kernels/pixel_view.h"

namespace norvex {

// Softens the picture in place with the kernel [1 2 1] / 4 across and down (a 3 x 3 binomial),
// repeating the outermost pixels beyond the edges. The result is rounded once per step, halves
// to even, so that repeated steps neither darken nor brighten the picture nor move it; a uniform
// picture stays exactly as it was. Alpha bytes are kept.
void blur_once(PixelView picture, KernelPath path = default_path());

}
