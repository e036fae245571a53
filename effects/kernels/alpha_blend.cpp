#include "effects/kernels/alpha_blend.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

static void blend_row_scalar(
    uint32_t* destination, const uint32_t* source, int count, uint32_t alpha, uint32_t key_colour)
{
    for (int x = 0; x < count; ++x)
        destination[x] = blend_pixel(source[x], destination[x], alpha, key_colour);
}

#if defined(__SSE2__)
// The same arithmetic on eight 16-bit channels at once; every intermediate stays below 65536, so
// the wrapping 16-bit adds and the logical shifts give the scalar results exactly.
static __m128i blend_channels(__m128i top, __m128i bottom, __m128i alpha, __m128i inverse_alpha)
{
    __m128i sum = _mm_add_epi16(_mm_mullo_epi16(top, alpha), _mm_mullo_epi16(bottom, inverse_alpha));
    sum = _mm_add_epi16(sum, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(sum, _mm_srli_epi16(sum, 8)), 8);
}

static void blend_row_simd(
    uint32_t* destination, const uint32_t* source, int count, uint32_t alpha, uint32_t key_colour)
{
    __m128i zero = _mm_setzero_si128();
    __m128i alpha_lanes = _mm_set1_epi16(static_cast<short>(alpha));
    __m128i inverse_lanes = _mm_set1_epi16(static_cast<short>(255 - alpha));
    __m128i colour = _mm_set1_epi32(static_cast<int>(colour_mask));
    __m128i key = _mm_set1_epi32(static_cast<int>(key_colour));
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        __m128i top = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        __m128i bottom = _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination + x));
        __m128i low
            = blend_channels(_mm_unpacklo_epi8(top, zero), _mm_unpacklo_epi8(bottom, zero), alpha_lanes, inverse_lanes);
        __m128i high
            = blend_channels(_mm_unpackhi_epi8(top, zero), _mm_unpackhi_epi8(bottom, zero), alpha_lanes, inverse_lanes);
        __m128i blended
            = _mm_or_si128(_mm_and_si128(_mm_packus_epi16(low, high), colour), _mm_andnot_si128(colour, bottom));
        __m128i is_key = _mm_cmpeq_epi32(_mm_and_si128(top, colour), key);
        __m128i result = _mm_or_si128(_mm_and_si128(is_key, bottom), _mm_andnot_si128(is_key, blended));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + x), result);
    }
    blend_row_scalar(destination + x, source + x, count - x, alpha, key_colour);
}
#endif

void blend_over(PixelView destination, PixelView source, uint8_t alpha, uint32_t key_colour, KernelPath path)
{
    if (destination.is_empty())
        return;
    key_colour &= colour_mask;
    auto* blend_row = implementation_for(path, blend_row_scalar, NORVEX_SSE2(blend_row_simd));
    for (int y = 0; y < destination.height; ++y)
        blend_row(destination.row(y), source.row(y), destination.width, alpha, key_colour);
}

}
