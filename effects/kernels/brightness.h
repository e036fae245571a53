// The brightness kernel: every colour channel moved up or down by one amount.
#pragma once

#include "effects/kernels/kernel_path.h"
#include "effects/kernels/pixel_view.h"

namespace norvex {

// Writes the source's pixels into the destination with each colour channel shifted by amount
// and clamped to 0..255; the destination keeps its own alpha bytes. Amounts beyond +-255 act as
// +-255. Both views have the same size; they may be the same pixels (in place).
void shift_brightness(PixelView destination, PixelView source, int amount, KernelPath path = default_path());

}
