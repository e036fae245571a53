// Encodes bitmaps as PNG files for screenshots.
#pragma once

#include "platform/sim/gdi/bitmap.h"

#include <cstdint>
#include <vector>

namespace sim {

// The bitmap as an RGBA PNG, alpha kept; the same pixels always give the same bytes.
std::vector<uint8_t> encode_png(const Bitmap&);

}
