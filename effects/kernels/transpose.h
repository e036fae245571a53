// Turning a picture's rows into columns, for kernels that run faster along long rows.
#pragma once

#include "effects/kernels/pixel_view.h"

namespace norvex {

// Writes the pixel at (x, y) of `from` to (y, x) of `to`, which is `from`'s height wide and its
// width high.
void transpose(PixelView from, PixelView to);

}
