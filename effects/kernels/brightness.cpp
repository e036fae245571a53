#include "effects/kernels/brightness.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace norvex {

static uint32_t shift_pixel(uint32_t source, uint32_t destination, int amount)
{
    uint32_t result = destination & alpha_mask;
    for (int shift = 0; shift < 24; shift += 8) {
        int channel = static_cast<int>((source >> shift) & 0xFF) + amount;
        result |= static_cast<uint32_t>(std::clamp(channel, 0, 255)) << shift;
    }
    return result;
}

static void shift_row_scalar(uint32_t* destination, const uint32_t* source, int count, int amount)
{
    for (int x = 0; x < count; ++x)
        destination[x] = shift_pixel(source[x], destination[x], amount);
}

#if defined(__SSE2__)
// Saturating byte arithmetic does the clamping; the alpha lanes get a zero step and are then
// replaced by the destination's own alpha.
static void shift_row_simd(uint32_t* destination, const uint32_t* source, int count, int amount)
{
    auto step_byte = static_cast<char>(std::min(amount < 0 ? -amount : amount, 255));
    __m128i step = _mm_and_si128(_mm_set1_epi8(step_byte), _mm_set1_epi32(static_cast<int>(colour_mask)));
    __m128i alpha = _mm_set1_epi32(static_cast<int>(alpha_mask));
    bool is_brighter = amount > 0;
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        __m128i old_alpha = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(destination + x)), alpha);
        __m128i shifted = is_brighter ? _mm_adds_epu8(pixels, step) : _mm_subs_epu8(pixels, step);
        __m128i result = _mm_or_si128(_mm_andnot_si128(alpha, shifted), old_alpha);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + x), result);
    }
    shift_row_scalar(destination + x, source + x, count - x, amount);
}
#endif

void shift_brightness(PixelView destination, PixelView source, int amount, KernelPath path)
{
    if (destination.is_empty())
        return;
    amount = std::clamp(amount, -255, 255);
    auto* shift_row = implementation_for(path, shift_row_scalar, NORVEX_SSE2(shift_row_simd));
    for (int y = 0; y < destination.height; ++y)
        shift_row(destination.row(y), source.row(y), destination.width, amount);
}

}
