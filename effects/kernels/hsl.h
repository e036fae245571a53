// The recolouring kernel: a hue rotation and a saturation factor in the HSL colour model.
#pragma once

#include "effects/kernels/kernel_path.h"
#include "effects/kernels/pixel_view.h"

namespace norvex {

// What a recolouring does, in the fixed-point steps the kernel works with: the hue turned by
// hue_turn / 4096 sectors of 60 degrees (0 <= hue_turn < 6 * 4096), and the saturation
// multiplied by saturation / 2048. Made from degrees and a factor by make_hsl_change.
struct HslChange {
    int hue_turn = 0;
    int saturation = 2048;

    bool is_identity() const { return hue_turn == 0 && saturation == 2048; }
};

// Any angle turns into its equivalent in [0, 360). Factors below 0 count as 0 and factors above
// 15 as 15. The values must be finite.
HslChange make_hsl_change(float hue_degrees, float saturation);

// Writes the source's pixels recoloured into the destination. Lightness is kept; the hue
// rotation keeps the saturation, and a factor that would push a colour out of range is limited
// so that its hue stays. No rotation with the factor 1 gives the picture back unchanged, and the
// factor 0 gives greys of the same lightness. The destination keeps its alpha bytes; both views
// have the same size and may be the same pixels.
void recolour(PixelView destination, PixelView source, HslChange change, KernelPath path = default_path());

}
