#include "platform/sim/gdi/alpha_rows.h"

#include "platform/sim/gdi/color.h"

#include <algorithm>

namespace sim {

namespace {

// (source * constant + destination * (255 - constant) + 127) / 255 in 16-bit steps: the sum is at
// most 65152, and below 65535 (x + 1 + (x >> 8)) >> 8 is x / 255.
inline uint8_t mix_byte(uint8_t source, uint8_t destination, uint16_t take, uint16_t keep)
{
    auto sum = static_cast<uint16_t>(source * take + destination * keep + 127);
    return static_cast<uint8_t>((sum + 1 + (sum >> 8)) >> 8);
}

}

void mix_row_by_constant(const uint32_t* __restrict source, uint32_t* __restrict destination, int count,
    uint32_t constant)
{
    // The channels are blended alike, so the row is worked as bytes.
    const auto* from = reinterpret_cast<const uint8_t*>(source);
    auto* to = reinterpret_cast<uint8_t*>(destination);
    auto take = static_cast<uint16_t>(constant);
    auto keep = static_cast<uint16_t>(255 - constant);
    for (int i = 0; i < count * 4; ++i)
        to[i] = mix_byte(from[i], to[i], take, keep);
}

void lay_premultiplied_row(const uint32_t* __restrict source, uint32_t* __restrict destination, int count,
    uint32_t constant)
{
    for (int i = 0; i < count; ++i) {
        uint32_t pixel = source[i];
        uint32_t below = destination[i];
        uint32_t keep = 255 - scale_byte(alpha_of(pixel), constant);
        uint32_t result = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            uint32_t s = scale_byte((pixel >> shift) & 0xFF, constant);
            uint32_t d = (below >> shift) & 0xFF;
            result |= std::min<uint32_t>(255, s + scale_byte(d, keep)) << shift;
        }
        destination[i] = result;
    }
}

}
