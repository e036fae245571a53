// The recolouring kernel's row functions: the scalar one, and the SIMD one written once over a
// vector type (see simd_rows.h).
#pragma once

#include "effects/kernels/hsl.h"

#include <cstdint>

namespace norvex {

// The saturation factor's unit: HslChange::saturation counts in 1/2048.
constexpr float saturation_unit = 2048.0f;

void recolour_row_scalar(uint32_t* destination, const uint32_t* source, int count, HslChange change);

// The SIMD row, 2 * Vector::pixels pixels at a time in 16-bit lanes. Each step is the scalar
// row's, so every instruction set gives the scalar row's pixels.
template<typename Vector>
struct RecolourRows {
    using Lanes = typename Vector::Lanes;
    using Floats = typename Vector::Floats;

    static Lanes select(Lanes mask, Lanes when_set, Lanes otherwise)
    {
        return Vector::bits_or(Vector::bits_and(mask, when_set), Vector::bits_and_not(mask, otherwise));
    }

    static Lanes wrap_negative(Lanes value, Lanes circle)
    {
        return Vector::add(value, Vector::bits_and(Vector::greater(Vector::zero(), value), circle));
    }

    static Lanes channel_on_hexagon(Lanes distance, Lanes chroma16, Lanes chroma32, Lanes circle, Lanes low16)
    {
        distance = Vector::min(distance, Vector::subtract(circle, distance));
        return Vector::add(low16, Vector::min(Vector::subtract_saturated_unsigned(chroma32, distance), chroma16));
    }

    static Lanes distance_between(Lanes a, Lanes b)
    {
        Lanes difference = Vector::subtract(a, b);
        return Vector::max(difference, Vector::subtract(Vector::zero(), difference));
    }

    struct Channels {
        Lanes blue;
        Lanes green;
        Lanes red;
        Lanes alpha;
    };

    // Splits two registers of pixels into their channels by interleaving bytes.
    static Channels split_channels(Lanes first, Lanes second)
    {
        Lanes zero = Vector::zero();
        Lanes low = Vector::unpack_low_bytes(first, second);
        Lanes high = Vector::unpack_high_bytes(first, second);
        Lanes even = Vector::unpack_low_bytes(low, high);
        Lanes odd = Vector::unpack_high_bytes(low, high);
        Lanes blue_green = Vector::unpack_low_bytes(even, odd);
        Lanes red_alpha = Vector::unpack_high_bytes(even, odd);
        return Channels { Vector::unpack_low_bytes(blue_green, zero), Vector::unpack_high_bytes(blue_green, zero),
            Vector::unpack_low_bytes(red_alpha, zero), Vector::unpack_high_bytes(red_alpha, zero) };
    }

    // The reverse of split_channels, saturating each channel to a byte.
    static void join_channels(const Channels& channels, Lanes& first, Lanes& second)
    {
        Lanes blue_green = Vector::pack_bytes(channels.blue, channels.green);
        Lanes red_alpha = Vector::pack_bytes(channels.red, channels.alpha);
        Lanes blue_red = Vector::unpack_low_bytes(blue_green, red_alpha);
        Lanes green_alpha = Vector::unpack_high_bytes(blue_green, red_alpha);
        first = Vector::unpack_low_bytes(blue_red, green_alpha);
        second = Vector::unpack_high_bytes(blue_red, green_alpha);
    }

    // On 32-bit lanes, in floats as the scalar row computes it.
    static Lanes limit(Lanes room32, Lanes divisor32)
    {
        Floats scaled = Vector::multiply(Vector::to_floats(room32), Vector::splat_float(saturation_unit));
        return Vector::truncate_floats(Vector::divide(scaled, Vector::to_floats(divisor32)));
    }

    static Lanes saturation_limit(Lanes twice_lightness, Lanes chroma)
    {
        Lanes zero = Vector::zero();
        Lanes room = Vector::min(twice_lightness, Vector::subtract(Vector::splat(510), twice_lightness));
        Lanes divisor = Vector::max(chroma, Vector::splat(1));
        return Vector::pack_32(limit(Vector::unpack_low(room, zero), Vector::unpack_low(divisor, zero)),
            limit(Vector::unpack_high(room, zero), Vector::unpack_high(divisor, zero)));
    }

    static Lanes scale_from_grey(Lanes channel, Lanes lightness16, Lanes factor)
    {
        Lanes offset = Vector::shift_left(Vector::subtract(channel, lightness16), 4);
        return Vector::add(lightness16, Vector::shift_left(Vector::multiply_high(offset, factor), 1));
    }

    static Lanes to_levels(Lanes sixteenths) { return Vector::shift_right_signed(sixteenths, 4); }

    // In place the alpha bytes come back with the channels; otherwise the destination's are kept.
    static void recolour_row(uint32_t* destination, const uint32_t* source, int count, HslChange change)
    {
        Lanes hue_turn = Vector::splat(change.hue_turn);
        Lanes saturation = Vector::splat(change.saturation);
        Lanes half_level = Vector::splat(8);
        bool changes_saturation = change.saturation != 2048;
        bool may_overflow = change.saturation > 2048;
        bool is_in_place = destination == source;
        Lanes alpha = Vector::splat_32(alpha_mask);
        constexpr int step = 2 * Vector::pixels;
        int x = 0;
        for (; x + step <= count; x += step) {
            Channels pixels = split_channels(Vector::load(source + x), Vector::load(source + x + Vector::pixels));
            Lanes high = Vector::max(Vector::max(pixels.red, pixels.green), pixels.blue);
            Lanes low = Vector::min(Vector::min(pixels.red, pixels.green), pixels.blue);
            Lanes chroma = Vector::subtract(high, low);
            Lanes chroma16 = Vector::shift_left(chroma, 4);
            Lanes chroma32 = Vector::add(chroma16, chroma16);
            Lanes chroma64 = Vector::add(chroma32, chroma32);
            Lanes circle = Vector::add(chroma64, chroma32);

            Lanes hue_red = wrap_negative(Vector::shift_left(Vector::subtract(pixels.green, pixels.blue), 4), circle);
            Lanes hue_green = Vector::add(Vector::shift_left(Vector::subtract(pixels.blue, pixels.red), 4), chroma32);
            Lanes hue_blue = Vector::add(Vector::shift_left(Vector::subtract(pixels.red, pixels.green), 4), chroma64);
            Lanes hue = select(Vector::equal(high, pixels.red), hue_red,
                select(Vector::equal(high, pixels.green), hue_green, hue_blue));
            Lanes turn = Vector::multiply_high_unsigned(Vector::shift_left(chroma, 8), hue_turn);
            hue = wrap_negative(Vector::subtract(hue, Vector::subtract(circle, turn)), circle);

            Lanes low16 = Vector::add(Vector::shift_left(low, 4), half_level);
            Lanes red = channel_on_hexagon(hue, chroma16, chroma32, circle, low16);
            Lanes green = channel_on_hexagon(distance_between(hue, chroma32), chroma16, chroma32, circle, low16);
            Lanes blue = channel_on_hexagon(distance_between(hue, chroma64), chroma16, chroma32, circle, low16);

            if (changes_saturation) {
                Lanes twice_lightness = Vector::add(high, low);
                Lanes factor = saturation;
                if (may_overflow)
                    factor = Vector::min(factor, saturation_limit(twice_lightness, chroma));
                Lanes lightness16 = Vector::add(Vector::shift_left(twice_lightness, 3), half_level);
                red = scale_from_grey(red, lightness16, factor);
                green = scale_from_grey(green, lightness16, factor);
                blue = scale_from_grey(blue, lightness16, factor);
            }

            Lanes first;
            Lanes second;
            join_channels(Channels { to_levels(blue), to_levels(green), to_levels(red), pixels.alpha }, first, second);
            uint32_t* target = destination + x;
            if (!is_in_place) {
                first = Vector::bits_or(
                    Vector::bits_and_not(alpha, first), Vector::bits_and(Vector::load(target), alpha));
                second = Vector::bits_or(Vector::bits_and_not(alpha, second),
                    Vector::bits_and(Vector::load(target + Vector::pixels), alpha));
            }
            Vector::store(target, first);
            Vector::store(target + Vector::pixels, second);
        }
        Vector::finish();
        recolour_row_scalar(destination + x, source + x, count - x, change);
    }
};

}
