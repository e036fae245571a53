// The row loops of AlphaBlend: a source row laid over a destination row of the same length.
#pragma once

#include <cstdint>

namespace sim {

// Every channel, alpha included, moves from the destination towards the source by constant / 255,
// rounded to the nearest.
void mix_row_by_constant(const uint32_t* source, uint32_t* destination, int count, uint32_t constant);

// The source is premultiplied by its alpha; the constant scales source and alpha first, and each
// channel of the sum is capped at 255.
void lay_premultiplied_row(const uint32_t* source, uint32_t* destination, int count, uint32_t constant);

}
