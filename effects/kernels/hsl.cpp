#include "effects/kernels/hsl.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(NORVEX_HAS_WIDE_PATH)
#include <immintrin.h>
#endif

// The colour arithmetic is integer and fits 16 bits, so the SIMD paths work on eight or
// sixteen pixels at once. Channels are kept in sixteenths of a level. The hue is a position on
// the six-sector colour hexagon scaled by the chroma C, from 0 up to 96 * C (16 * C per sector),
// so that with no rotation every step is exact and the picture comes back unchanged. All paths
// perform the same operations and so give the same pixels.

namespace norvex {

constexpr float hue_turn_per_sector = 4096.0f;
constexpr float saturation_unit = 2048.0f;

HslChange make_hsl_change(float hue_degrees, float saturation)
{
    float sectors = hue_degrees / 60.0f;
    sectors -= 6.0f * std::floor(sectors / 6.0f);
    int turn = static_cast<int>(std::lround(sectors * hue_turn_per_sector));
    if (turn < 0 || turn >= 6 * 4096)
        turn = 0;
    float factor = std::clamp(saturation, 0.0f, 15.0f);
    return HslChange { turn, static_cast<int>(std::lround(factor * saturation_unit)) };
}

// The largest factor (in units of 1/2048) that keeps a colour of this chroma and doubled
// lightness in range, computed in floats as the SIMD path does and saturated to 16 bits.
static int saturation_limit(int twice_lightness, int chroma)
{
    int room = std::min(twice_lightness, 510 - twice_lightness);
    float limit = static_cast<float>(room) * saturation_unit / static_cast<float>(std::max(chroma, 1));
    return std::min(static_cast<int>(limit), 32767);
}

// A channel peaks (16 * C) within a third of the circle around its own hue and is lowest
// beyond two thirds, rising linearly in between.
static int channel_on_hexagon(int hue, int peak, int chroma16, int circle, int low16)
{
    int distance = std::abs(hue - peak);
    distance = std::min(distance, circle - distance);
    return low16 + std::min(std::max(2 * chroma16 - distance, 0), chroma16);
}

// Channels carry half a level (8) on top, so that dropping the fraction rounds to nearest.
static uint32_t to_level(int sixteenths)
{
    return static_cast<uint32_t>(std::clamp(sixteenths >> 4, 0, 255));
}

static uint32_t recolour_pixel(uint32_t source, uint32_t destination, HslChange change)
{
    int blue = static_cast<int>(source & 0xFF);
    int green = static_cast<int>((source >> 8) & 0xFF);
    int red = static_cast<int>((source >> 16) & 0xFF);
    int high = std::max(std::max(red, green), blue);
    int low = std::min(std::min(red, green), blue);
    int chroma = high - low;
    int chroma16 = chroma << 4;
    int circle = 6 * chroma16;

    int hue;
    if (high == red) {
        hue = (green - blue) << 4;
        if (hue < 0)
            hue += circle;
    } else if (high == green) {
        hue = ((blue - red) << 4) + 2 * chroma16;
    } else {
        hue = ((red - green) << 4) + 4 * chroma16;
    }
    int turn = ((chroma << 8) * change.hue_turn) >> 16;
    hue -= circle - turn;
    if (hue < 0)
        hue += circle;

    int low16 = (low << 4) + 8;
    int channels[3] = {
        channel_on_hexagon(hue, 0, chroma16, circle, low16),
        channel_on_hexagon(hue, 2 * chroma16, chroma16, circle, low16),
        channel_on_hexagon(hue, 4 * chroma16, chroma16, circle, low16),
    };
    if (change.saturation != 2048) {
        int factor = change.saturation;
        if (factor > 2048)
            factor = std::min(factor, saturation_limit(high + low, chroma));
        int lightness16 = ((high + low) << 3) + 8;
        for (int& channel : channels)
            channel = lightness16 + 2 * ((((channel - lightness16) << 4) * factor) >> 16);
    }
    return (destination & alpha_mask) | (to_level(channels[0]) << 16) | (to_level(channels[1]) << 8)
        | to_level(channels[2]);
}

static void recolour_row_scalar(uint32_t* destination, const uint32_t* source, int count, HslChange change)
{
    for (int x = 0; x < count; ++x)
        destination[x] = recolour_pixel(source[x], destination[x], change);
}

#if defined(__SSE2__)
static __m128i select(__m128i mask, __m128i when_set, __m128i otherwise)
{
    return _mm_or_si128(_mm_and_si128(mask, when_set), _mm_andnot_si128(mask, otherwise));
}

static __m128i wrap_negative(__m128i value, __m128i circle)
{
    return _mm_add_epi16(value, _mm_and_si128(_mm_cmplt_epi16(value, _mm_setzero_si128()), circle));
}

static __m128i channel_on_hexagon(__m128i distance, __m128i chroma16, __m128i chroma32, __m128i circle, __m128i low16)
{
    distance = _mm_min_epi16(distance, _mm_sub_epi16(circle, distance));
    return _mm_add_epi16(low16, _mm_min_epi16(_mm_subs_epu16(chroma32, distance), chroma16));
}

static __m128i distance_between(__m128i a, __m128i b)
{
    __m128i difference = _mm_sub_epi16(a, b);
    return _mm_max_epi16(difference, _mm_sub_epi16(_mm_setzero_si128(), difference));
}

// Splits eight pixels into their channels, eight 16-bit values each, by interleaving bytes.
struct Channels {
    __m128i blue;
    __m128i green;
    __m128i red;
    __m128i alpha;
};

static Channels split_channels(__m128i first, __m128i second)
{
    __m128i zero = _mm_setzero_si128();
    __m128i low = _mm_unpacklo_epi8(first, second);
    __m128i high = _mm_unpackhi_epi8(first, second);
    __m128i even = _mm_unpacklo_epi8(low, high);
    __m128i odd = _mm_unpackhi_epi8(low, high);
    __m128i blue_green = _mm_unpacklo_epi8(even, odd);
    __m128i red_alpha = _mm_unpackhi_epi8(even, odd);
    return Channels { _mm_unpacklo_epi8(blue_green, zero), _mm_unpackhi_epi8(blue_green, zero),
        _mm_unpacklo_epi8(red_alpha, zero), _mm_unpackhi_epi8(red_alpha, zero) };
}

// The reverse of split_channels, saturating each channel to a byte.
static void join_channels(const Channels& channels, __m128i& first, __m128i& second)
{
    __m128i blue_green = _mm_packus_epi16(channels.blue, channels.green);
    __m128i red_alpha = _mm_packus_epi16(channels.red, channels.alpha);
    __m128i blue_red = _mm_unpacklo_epi8(blue_green, red_alpha);
    __m128i green_alpha = _mm_unpackhi_epi8(blue_green, red_alpha);
    first = _mm_unpacklo_epi8(blue_red, green_alpha);
    second = _mm_unpackhi_epi8(blue_red, green_alpha);
}

static __m128i saturation_limit(__m128i twice_lightness, __m128i chroma)
{
    __m128i zero = _mm_setzero_si128();
    __m128i room = _mm_min_epi16(twice_lightness, _mm_sub_epi16(_mm_set1_epi16(510), twice_lightness));
    __m128i divisor = _mm_max_epi16(chroma, _mm_set1_epi16(1));
    auto limit = [](__m128i room32, __m128i divisor32) {
        __m128 scaled = _mm_mul_ps(_mm_cvtepi32_ps(room32), _mm_set1_ps(saturation_unit));
        return _mm_cvttps_epi32(_mm_div_ps(scaled, _mm_cvtepi32_ps(divisor32)));
    };
    return _mm_packs_epi32(limit(_mm_unpacklo_epi16(room, zero), _mm_unpacklo_epi16(divisor, zero)),
        limit(_mm_unpackhi_epi16(room, zero), _mm_unpackhi_epi16(divisor, zero)));
}

static __m128i scale_from_grey(__m128i channel, __m128i lightness16, __m128i factor)
{
    __m128i offset = _mm_slli_epi16(_mm_sub_epi16(channel, lightness16), 4);
    return _mm_add_epi16(lightness16, _mm_slli_epi16(_mm_mulhi_epi16(offset, factor), 1));
}

static __m128i to_levels(__m128i sixteenths)
{
    return _mm_srai_epi16(sixteenths, 4);
}

// In place the alpha bytes come back with the channels; otherwise the destination's are kept.
static void recolour_row_simd(uint32_t* destination, const uint32_t* source, int count, HslChange change)
{
    __m128i hue_turn = _mm_set1_epi16(static_cast<short>(change.hue_turn));
    __m128i saturation = _mm_set1_epi16(static_cast<short>(change.saturation));
    __m128i half_level = _mm_set1_epi16(8);
    bool changes_saturation = change.saturation != 2048;
    bool may_overflow = change.saturation > 2048;
    bool is_in_place = destination == source;
    __m128i alpha = _mm_set1_epi32(static_cast<int>(alpha_mask));
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        Channels pixels = split_channels(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x)),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x + 4)));
        __m128i high = _mm_max_epi16(_mm_max_epi16(pixels.red, pixels.green), pixels.blue);
        __m128i low = _mm_min_epi16(_mm_min_epi16(pixels.red, pixels.green), pixels.blue);
        __m128i chroma = _mm_sub_epi16(high, low);
        __m128i chroma16 = _mm_slli_epi16(chroma, 4);
        __m128i chroma32 = _mm_add_epi16(chroma16, chroma16);
        __m128i chroma64 = _mm_add_epi16(chroma32, chroma32);
        __m128i circle = _mm_add_epi16(chroma64, chroma32);

        __m128i hue_red = wrap_negative(_mm_slli_epi16(_mm_sub_epi16(pixels.green, pixels.blue), 4), circle);
        __m128i hue_green = _mm_add_epi16(_mm_slli_epi16(_mm_sub_epi16(pixels.blue, pixels.red), 4), chroma32);
        __m128i hue_blue = _mm_add_epi16(_mm_slli_epi16(_mm_sub_epi16(pixels.red, pixels.green), 4), chroma64);
        __m128i hue = select(_mm_cmpeq_epi16(high, pixels.red), hue_red,
            select(_mm_cmpeq_epi16(high, pixels.green), hue_green, hue_blue));
        __m128i turn = _mm_mulhi_epu16(_mm_slli_epi16(chroma, 8), hue_turn);
        hue = wrap_negative(_mm_sub_epi16(hue, _mm_sub_epi16(circle, turn)), circle);

        __m128i low16 = _mm_add_epi16(_mm_slli_epi16(low, 4), half_level);
        __m128i red = channel_on_hexagon(hue, chroma16, chroma32, circle, low16);
        __m128i green = channel_on_hexagon(distance_between(hue, chroma32), chroma16, chroma32, circle, low16);
        __m128i blue = channel_on_hexagon(distance_between(hue, chroma64), chroma16, chroma32, circle, low16);

        if (changes_saturation) {
            __m128i twice_lightness = _mm_add_epi16(high, low);
            __m128i factor = saturation;
            if (may_overflow)
                factor = _mm_min_epi16(factor, saturation_limit(twice_lightness, chroma));
            __m128i lightness16 = _mm_add_epi16(_mm_slli_epi16(twice_lightness, 3), half_level);
            red = scale_from_grey(red, lightness16, factor);
            green = scale_from_grey(green, lightness16, factor);
            blue = scale_from_grey(blue, lightness16, factor);
        }

        __m128i first;
        __m128i second;
        join_channels(Channels { to_levels(blue), to_levels(green), to_levels(red), pixels.alpha }, first, second);
        auto* target = reinterpret_cast<__m128i*>(destination + x);
        if (!is_in_place) {
            first = _mm_or_si128(_mm_andnot_si128(alpha, first), _mm_and_si128(_mm_loadu_si128(target), alpha));
            second = _mm_or_si128(_mm_andnot_si128(alpha, second), _mm_and_si128(_mm_loadu_si128(target + 1), alpha));
        }
        _mm_storeu_si128(target, first);
        _mm_storeu_si128(target + 1, second);
    }
    recolour_row_scalar(destination + x, source + x, count - x, change);
}
#endif

#if defined(NORVEX_HAS_WIDE_PATH)
// The SIMD path on 256-bit registers for processors with AVX2, sixteen pixels at a time: the
// same operations as the SSE2 path.
__attribute__((target("avx2"))) static __m256i wide_select(__m256i mask, __m256i when_set, __m256i otherwise)
{
    return _mm256_or_si256(_mm256_and_si256(mask, when_set), _mm256_andnot_si256(mask, otherwise));
}

__attribute__((target("avx2"))) static __m256i wide_wrap_negative(__m256i value, __m256i circle)
{
    return _mm256_add_epi16(value, _mm256_and_si256(_mm256_cmpgt_epi16(_mm256_setzero_si256(), value), circle));
}

__attribute__((target("avx2"))) static __m256i wide_channel_on_hexagon(
    __m256i distance, __m256i chroma16, __m256i chroma32, __m256i circle, __m256i low16)
{
    distance = _mm256_min_epi16(distance, _mm256_sub_epi16(circle, distance));
    return _mm256_add_epi16(low16, _mm256_min_epi16(_mm256_subs_epu16(chroma32, distance), chroma16));
}

__attribute__((target("avx2"))) static __m256i wide_distance_between(__m256i a, __m256i b)
{
    __m256i difference = _mm256_sub_epi16(a, b);
    return _mm256_max_epi16(difference, _mm256_sub_epi16(_mm256_setzero_si256(), difference));
}

// Splits sixteen pixels into their channels; each 128-bit half works as the SSE2 code does.
struct WideChannels {
    __m256i blue;
    __m256i green;
    __m256i red;
    __m256i alpha;
};

__attribute__((target("avx2"))) static WideChannels wide_split_channels(__m256i first, __m256i second)
{
    __m256i zero = _mm256_setzero_si256();
    __m256i low = _mm256_unpacklo_epi8(first, second);
    __m256i high = _mm256_unpackhi_epi8(first, second);
    __m256i even = _mm256_unpacklo_epi8(low, high);
    __m256i odd = _mm256_unpackhi_epi8(low, high);
    __m256i blue_green = _mm256_unpacklo_epi8(even, odd);
    __m256i red_alpha = _mm256_unpackhi_epi8(even, odd);
    return WideChannels { _mm256_unpacklo_epi8(blue_green, zero), _mm256_unpackhi_epi8(blue_green, zero),
        _mm256_unpacklo_epi8(red_alpha, zero), _mm256_unpackhi_epi8(red_alpha, zero) };
}

// The reverse of wide_split_channels, saturating each channel to a byte.
__attribute__((target("avx2"))) static void wide_join_channels(
    const WideChannels& channels, __m256i& first, __m256i& second)
{
    __m256i blue_green = _mm256_packus_epi16(channels.blue, channels.green);
    __m256i red_alpha = _mm256_packus_epi16(channels.red, channels.alpha);
    __m256i blue_red = _mm256_unpacklo_epi8(blue_green, red_alpha);
    __m256i green_alpha = _mm256_unpackhi_epi8(blue_green, red_alpha);
    first = _mm256_unpacklo_epi8(blue_red, green_alpha);
    second = _mm256_unpackhi_epi8(blue_red, green_alpha);
}

__attribute__((target("avx2"))) static __m256i wide_limit(__m256i room32, __m256i divisor32)
{
    __m256 scaled = _mm256_mul_ps(_mm256_cvtepi32_ps(room32), _mm256_set1_ps(saturation_unit));
    return _mm256_cvttps_epi32(_mm256_div_ps(scaled, _mm256_cvtepi32_ps(divisor32)));
}

__attribute__((target("avx2"))) static __m256i wide_saturation_limit(__m256i twice_lightness, __m256i chroma)
{
    __m256i zero = _mm256_setzero_si256();
    __m256i room = _mm256_min_epi16(twice_lightness, _mm256_sub_epi16(_mm256_set1_epi16(510), twice_lightness));
    __m256i divisor = _mm256_max_epi16(chroma, _mm256_set1_epi16(1));
    return _mm256_packs_epi32(wide_limit(_mm256_unpacklo_epi16(room, zero), _mm256_unpacklo_epi16(divisor, zero)),
        wide_limit(_mm256_unpackhi_epi16(room, zero), _mm256_unpackhi_epi16(divisor, zero)));
}

__attribute__((target("avx2"))) static __m256i wide_scale_from_grey(
    __m256i channel, __m256i lightness16, __m256i factor)
{
    __m256i offset = _mm256_slli_epi16(_mm256_sub_epi16(channel, lightness16), 4);
    return _mm256_add_epi16(lightness16, _mm256_slli_epi16(_mm256_mulhi_epi16(offset, factor), 1));
}

__attribute__((target("avx2"))) static __m256i wide_to_levels(__m256i sixteenths)
{
    return _mm256_srai_epi16(sixteenths, 4);
}

__attribute__((target("avx2"))) static void recolour_row_wide(
    uint32_t* destination, const uint32_t* source, int count, HslChange change)
{
    __m256i hue_turn = _mm256_set1_epi16(static_cast<short>(change.hue_turn));
    __m256i saturation = _mm256_set1_epi16(static_cast<short>(change.saturation));
    __m256i half_level = _mm256_set1_epi16(8);
    bool changes_saturation = change.saturation != 2048;
    bool may_overflow = change.saturation > 2048;
    bool is_in_place = destination == source;
    __m256i alpha = _mm256_set1_epi32(static_cast<int>(alpha_mask));
    int x = 0;
    for (; x + 16 <= count; x += 16) {
        WideChannels pixels = wide_split_channels(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + x)),
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + x + 8)));
        __m256i high = _mm256_max_epi16(_mm256_max_epi16(pixels.red, pixels.green), pixels.blue);
        __m256i low = _mm256_min_epi16(_mm256_min_epi16(pixels.red, pixels.green), pixels.blue);
        __m256i chroma = _mm256_sub_epi16(high, low);
        __m256i chroma16 = _mm256_slli_epi16(chroma, 4);
        __m256i chroma32 = _mm256_add_epi16(chroma16, chroma16);
        __m256i chroma64 = _mm256_add_epi16(chroma32, chroma32);
        __m256i circle = _mm256_add_epi16(chroma64, chroma32);

        __m256i hue_red = wide_wrap_negative(_mm256_slli_epi16(_mm256_sub_epi16(pixels.green, pixels.blue), 4), circle);
        __m256i hue_green = _mm256_add_epi16(_mm256_slli_epi16(_mm256_sub_epi16(pixels.blue, pixels.red), 4), chroma32);
        __m256i hue_blue = _mm256_add_epi16(_mm256_slli_epi16(_mm256_sub_epi16(pixels.red, pixels.green), 4), chroma64);
        __m256i hue = wide_select(_mm256_cmpeq_epi16(high, pixels.red), hue_red,
            wide_select(_mm256_cmpeq_epi16(high, pixels.green), hue_green, hue_blue));
        __m256i turn = _mm256_mulhi_epu16(_mm256_slli_epi16(chroma, 8), hue_turn);
        hue = wide_wrap_negative(_mm256_sub_epi16(hue, _mm256_sub_epi16(circle, turn)), circle);

        __m256i low16 = _mm256_add_epi16(_mm256_slli_epi16(low, 4), half_level);
        __m256i red = wide_channel_on_hexagon(hue, chroma16, chroma32, circle, low16);
        __m256i green
            = wide_channel_on_hexagon(wide_distance_between(hue, chroma32), chroma16, chroma32, circle, low16);
        __m256i blue = wide_channel_on_hexagon(wide_distance_between(hue, chroma64), chroma16, chroma32, circle, low16);

        if (changes_saturation) {
            __m256i twice_lightness = _mm256_add_epi16(high, low);
            __m256i factor = saturation;
            if (may_overflow)
                factor = _mm256_min_epi16(factor, wide_saturation_limit(twice_lightness, chroma));
            __m256i lightness16 = _mm256_add_epi16(_mm256_slli_epi16(twice_lightness, 3), half_level);
            red = wide_scale_from_grey(red, lightness16, factor);
            green = wide_scale_from_grey(green, lightness16, factor);
            blue = wide_scale_from_grey(blue, lightness16, factor);
        }

        __m256i first;
        __m256i second;
        wide_join_channels(
            WideChannels { wide_to_levels(blue), wide_to_levels(green), wide_to_levels(red), pixels.alpha }, first,
            second);
        auto* target = reinterpret_cast<__m256i*>(destination + x);
        if (!is_in_place) {
            first = _mm256_or_si256(
                _mm256_andnot_si256(alpha, first), _mm256_and_si256(_mm256_loadu_si256(target), alpha));
            second = _mm256_or_si256(
                _mm256_andnot_si256(alpha, second), _mm256_and_si256(_mm256_loadu_si256(target + 1), alpha));
        }
        _mm256_storeu_si256(target, first);
        _mm256_storeu_si256(target + 1, second);
    }
    // Legacy SSE code after 256-bit code is slow unless the upper register halves are cleared.
    _mm256_zeroupper();
    recolour_row_scalar(destination + x, source + x, count - x, change);
}
#endif

void recolour(PixelView destination, PixelView source, HslChange change, KernelPath path)
{
    if (destination.is_empty())
        return;
    auto* recolour_row = recolour_row_scalar;
#if defined(__SSE2__)
    if (path != KernelPath::Scalar)
        recolour_row = recolour_row_simd;
#endif
#if defined(NORVEX_HAS_WIDE_PATH)
    if (path == KernelPath::WideSimd && has_wide_simd_path())
        recolour_row = recolour_row_wide;
#endif
    (void)path;
    for (int y = 0; y < destination.height; ++y)
        recolour_row(destination.row(y), source.row(y), destination.width, change);
}

}
