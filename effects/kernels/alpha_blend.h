// The blend kernel: one picture laid over another at a constant opacity, with a key colour left out.
#pragma once

#include "effects/kernels/kernel_path.h"
#include "effects/kernels/pixel_view.h"

namespace norvex {

// Each destination colour becomes (source * alpha + destination * (255 - alpha)) / 255, rounded
// to nearest; source pixels whose colour (alpha byte ignored) equals key_colour, given as a
// pixel value 0x00RRGGBB, leave the destination pixel as it was. The destination keeps its alpha
// bytes. Both views have the same size.
void blend_over(
    PixelView destination, PixelView source, uint8_t alpha, uint32_t key_colour, KernelPath path = default_path());

}
