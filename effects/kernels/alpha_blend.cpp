#include "effects/kernels/alpha_blend.h"

#include "effects/kernels/blend_rows.h"
#include "effects/kernels/simd_rows.h"

namespace norvex {

// x / 255 rounded to nearest for 0 <= x <= 65025, without a division.
static uint32_t divide_by_255(uint32_t x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

static uint32_t blend_pixel(uint32_t source, uint32_t destination, uint32_t alpha, uint32_t key_colour)
{
    if ((source & colour_mask) == key_colour)
        return destination;
    uint32_t result = destination & alpha_mask;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t top = (source >> shift) & 0xFF;
        uint32_t bottom = (destination >> shift) & 0xFF;
        result |= divide_by_255(top * alpha + bottom * (255 - alpha)) << shift;
    }
    return result;
}

void blend_row_scalar(uint32_t* destination, const uint32_t* source, int count, uint32_t alpha, uint32_t key_colour)
{
    for (int x = 0; x < count; ++x)
        destination[x] = blend_pixel(source[x], destination[x], alpha, key_colour);
}

void blend_over(PixelView destination, PixelView source, uint8_t alpha, uint32_t key_colour, KernelPath path)
{
    if (destination.is_empty())
        return;
    key_colour &= colour_mask;
    auto* blend_row = implementation_for(
        path, blend_row_scalar, NORVEX_SSE2(sse2_rows.blend_row), NORVEX_AVX2(avx2_rows.blend_row));
    for (int y = 0; y < destination.height; ++y)
        blend_row(destination.row(y), source.row(y), destination.width, alpha, key_colour);
}

}
