// Encodes bitmaps as BMP files, for pictures a scenario puts on the simulated drive.
#pragma once

#include "platform/sim/gdi/bitmap.h"

#include <cstdint>
#include <vector>

namespace sim {

// The bitmap as a 24-bit bottom-up BMP; the same pixels always give the same bytes.
std::vector<uint8_t> encode_bmp(const Bitmap&);

}
