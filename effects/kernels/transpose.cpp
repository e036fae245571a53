#include "effects/kernels/transpose.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace norvex {

namespace {

void transpose_pixels(PixelView from, PixelView to, int x, int y, int width, int height)
{
    for (int row = y; row < y + height; ++row) {
        const uint32_t* pixels = from.row(row);
        for (int column = x; column < x + width; ++column)
            to.row(column)[row] = pixels[column];
    }
}

}

void transpose(PixelView from, PixelView to)
{
    int full_width = from.width & ~3;
    int full_height = from.height & ~3;
#if defined(__SSE2__)
    // Blocks of 4 x 4 pixels, turned in registers.
    for (int y = 0; y < full_height; y += 4) {
        for (int x = 0; x < full_width; x += 4) {
            auto load = [&](int row) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(from.row(y + row) + x)); };
            __m128i row0 = load(0);
            __m128i row1 = load(1);
            __m128i row2 = load(2);
            __m128i row3 = load(3);
            __m128i low01 = _mm_unpacklo_epi32(row0, row1);
            __m128i low23 = _mm_unpacklo_epi32(row2, row3);
            __m128i high01 = _mm_unpackhi_epi32(row0, row1);
            __m128i high23 = _mm_unpackhi_epi32(row2, row3);
            auto store = [&](int column, __m128i pixels) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(to.row(x + column) + y), pixels);
            };
            store(0, _mm_unpacklo_epi64(low01, low23));
            store(1, _mm_unpackhi_epi64(low01, low23));
            store(2, _mm_unpacklo_epi64(high01, high23));
            store(3, _mm_unpackhi_epi64(high01, high23));
        }
    }
#else
    transpose_pixels(from, to, 0, 0, full_width, full_height);
#endif
    // The columns right of the blocks, then the rows below them.
    transpose_pixels(from, to, full_width, 0, from.width - full_width, full_height);
    transpose_pixels(from, to, 0, full_height, from.width, from.height - full_height);
}

}
