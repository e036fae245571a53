#include "effects/kernels/blur.h"

#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(NORVEX_HAS_WIDE_PATH)
#include <immintrin.h>
#endif

namespace norvex {

// A horizontally filtered row keeps four 16-bit sums per pixel, in the byte order of the pixels
// (blue, green, red, alpha): left + 2 * centre + right, at most 1020.
using SumRow = uint16_t*;

static void sum_pixel(const uint32_t* row, int width, int x, SumRow sums)
{
    uint32_t left = row[x > 0 ? x - 1 : 0];
    uint32_t centre = row[x];
    uint32_t right = row[x + 1 < width ? x + 1 : width - 1];
    for (int channel = 0; channel < 4; ++channel) {
        int shift = channel * 8;
        sums[4 * x + channel] = static_cast<uint16_t>(
            ((left >> shift) & 0xFF) + 2 * ((centre >> shift) & 0xFF) + ((right >> shift) & 0xFF));
    }
}

// Divides a 3 x 3 weighted sum (at most 4080) by 16, rounding halves to the even neighbour.
static uint32_t divide_by_16_to_even(uint32_t sum)
{
    return (sum + 7 + ((sum >> 4) & 1)) >> 4;
}

static void sum_row_scalar(const uint32_t* row, int width, SumRow sums)
{
    for (int x = 0; x < width; ++x)
        sum_pixel(row, width, x, sums);
}

static void write_pixel(uint32_t* row, int x, const uint16_t* above, const uint16_t* centre, const uint16_t* below)
{
    uint32_t result = row[x] & alpha_mask;
    for (int channel = 0; channel < 3; ++channel) {
        int i = 4 * x + channel;
        uint32_t sum = above[i] + 2u * centre[i] + below[i];
        result |= divide_by_16_to_even(sum) << (channel * 8);
    }
    row[x] = result;
}

static void write_row_scalar(
    uint32_t* row, int width, const uint16_t* above, const uint16_t* centre, const uint16_t* below)
{
    for (int x = 0; x < width; ++x)
        write_pixel(row, x, above, centre, below);
}

#if defined(__SSE2__)
static void sum_row_simd(const uint32_t* row, int width, SumRow sums)
{
    __m128i zero = _mm_setzero_si128();
    sum_pixel(row, width, 0, sums);
    int x = 1;
    for (; x + 5 <= width; x += 4) {
        __m128i left = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x - 1));
        __m128i centre = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
        __m128i right = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + 1));
        __m128i low = _mm_add_epi16(_mm_add_epi16(_mm_unpacklo_epi8(left, zero), _mm_unpacklo_epi8(right, zero)),
            _mm_slli_epi16(_mm_unpacklo_epi8(centre, zero), 1));
        __m128i high = _mm_add_epi16(_mm_add_epi16(_mm_unpackhi_epi8(left, zero), _mm_unpackhi_epi8(right, zero)),
            _mm_slli_epi16(_mm_unpackhi_epi8(centre, zero), 1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + 4 * x), low);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + 4 * x + 8), high);
    }
    for (; x < width; ++x)
        sum_pixel(row, width, x, sums);
}

static __m128i divide_lanes_by_16_to_even(__m128i above, __m128i centre, __m128i below)
{
    __m128i sum = _mm_add_epi16(_mm_add_epi16(above, below), _mm_slli_epi16(centre, 1));
    __m128i odd = _mm_and_si128(_mm_srli_epi16(sum, 4), _mm_set1_epi16(1));
    sum = _mm_add_epi16(sum, _mm_add_epi16(odd, _mm_set1_epi16(7)));
    return _mm_srli_epi16(sum, 4);
}

static void write_row_simd(
    uint32_t* row, int width, const uint16_t* above, const uint16_t* centre, const uint16_t* below)
{
    __m128i alpha = _mm_set1_epi32(static_cast<int>(alpha_mask));
    auto lanes
        = [](const uint16_t* sums, int at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + at)); };
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        int at = 4 * x;
        __m128i low = divide_lanes_by_16_to_even(lanes(above, at), lanes(centre, at), lanes(below, at));
        __m128i high = divide_lanes_by_16_to_even(lanes(above, at + 8), lanes(centre, at + 8), lanes(below, at + 8));
        auto* target = reinterpret_cast<__m128i*>(row + x);
        __m128i old_alpha = _mm_and_si128(_mm_loadu_si128(target), alpha);
        _mm_storeu_si128(target, _mm_or_si128(_mm_andnot_si128(alpha, _mm_packus_epi16(low, high)), old_alpha));
    }
    for (; x < width; ++x)
        write_pixel(row, x, above, centre, below);
}
#endif

#if defined(NORVEX_HAS_WIDE_PATH)
// The SIMD path on 256-bit registers, for processors with AVX2; the same arithmetic as above.
// Each function clears the upper register halves before its scalar tail, as legacy SSE code
// after 256-bit code is slow otherwise.
__attribute__((target("avx2"))) static __m256i widened(const uint32_t* pixels)
{
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels)));
}

__attribute__((target("avx2"))) static __m256i wide_lanes(const uint16_t* sums)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(sums));
}

__attribute__((target("avx2"))) static void sum_row_wide(const uint32_t* row, int width, SumRow sums)
{
    sum_pixel(row, width, 0, sums);
    int x = 1;
    for (; x + 5 <= width; x += 4) {
        __m256i sum = _mm256_add_epi16(
            _mm256_add_epi16(widened(row + x - 1), widened(row + x + 1)), _mm256_slli_epi16(widened(row + x), 1));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(sums + 4 * x), sum);
    }
    _mm256_zeroupper();
    for (; x < width; ++x)
        sum_pixel(row, width, x, sums);
}

__attribute__((target("avx2"))) static __m256i divide_wide_lanes_by_16_to_even(
    const uint16_t* above, const uint16_t* centre, const uint16_t* below)
{
    __m256i sum = _mm256_add_epi16(
        _mm256_add_epi16(wide_lanes(above), wide_lanes(below)), _mm256_slli_epi16(wide_lanes(centre), 1));
    __m256i odd = _mm256_and_si256(_mm256_srli_epi16(sum, 4), _mm256_set1_epi16(1));
    sum = _mm256_add_epi16(sum, _mm256_add_epi16(odd, _mm256_set1_epi16(7)));
    return _mm256_srli_epi16(sum, 4);
}

__attribute__((target("avx2"))) static void write_row_wide(
    uint32_t* row, int width, const uint16_t* above, const uint16_t* centre, const uint16_t* below)
{
    __m256i alpha = _mm256_set1_epi32(static_cast<int>(alpha_mask));
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        int at = 4 * x;
        __m256i first = divide_wide_lanes_by_16_to_even(above + at, centre + at, below + at);
        __m256i second = divide_wide_lanes_by_16_to_even(above + at + 16, centre + at + 16, below + at + 16);
        // The pack works within 128-bit halves; the permutation puts the pixels back in order.
        __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi16(first, second), 0xD8);
        auto* target = reinterpret_cast<__m256i*>(row + x);
        __m256i old_alpha = _mm256_and_si256(_mm256_loadu_si256(target), alpha);
        _mm256_storeu_si256(target, _mm256_or_si256(_mm256_andnot_si256(alpha, packed), old_alpha));
    }
    _mm256_zeroupper();
    for (; x < width; ++x)
        write_pixel(row, x, above, centre, below);
}
#endif

void blur_once(PixelView picture, KernelPath path)
{
    if (picture.is_empty())
        return;
    auto* sum_row = sum_row_scalar;
    auto* write_row = write_row_scalar;
#if defined(__SSE2__)
    if (path != KernelPath::Scalar) {
        sum_row = sum_row_simd;
        write_row = write_row_simd;
    }
#endif
#if defined(NORVEX_HAS_WIDE_PATH)
    if (path == KernelPath::WideSimd && has_wide_simd_path()) {
        sum_row = sum_row_wide;
        write_row = write_row_wide;
    }
#endif
    (void)path;
    // Three filtered rows in turn: the one above, the current one and the one below. Row y is
    // overwritten only after the row below it has been filtered, so the step works in place.
    int width = picture.width;
    std::vector<uint16_t> ring(3 * 4 * static_cast<size_t>(width));
    auto slot = [&](int y) { return ring.data() + (y % 3) * 4 * width; };
    sum_row(picture.row(0), width, slot(0));
    uint16_t* above = slot(0);
    uint16_t* centre = slot(0);
    for (int y = 0; y < picture.height; ++y) {
        uint16_t* below = centre;
        if (y + 1 < picture.height) {
            below = slot(y + 1);
            sum_row(picture.row(y + 1), width, below);
        }
        write_row(picture.row(y), width, above, centre, below);
        above = centre;
        centre = below;
    }
}

}
