// The blend kernel's row functions: the scalar one, and the SIMD one written once over a vector
// type (see simd_rows.h).
#pragma once

#include "effects/kernels/pixel_view.h"

#include <cstdint>

namespace norvex {

void blend_row_scalar(uint32_t* destination, const uint32_t* source, int count, uint32_t alpha, uint32_t key_colour);

// The SIMD row, Vector::pixels pixels at a time, with the scalar row's arithmetic: every
// intermediate stays below 65536, so the wrapping 16-bit adds and the logical shifts give the
// scalar results exactly.
template<typename Vector>
struct BlendRows {
    using Lanes = typename Vector::Lanes;

    // (top * alpha + bottom * (255 - alpha)) / 255, rounded to nearest.
    static Lanes blend_channels(Lanes top, Lanes bottom, Lanes alpha, Lanes inverse_alpha)
    {
        Lanes sum = Vector::add(Vector::multiply_low(top, alpha), Vector::multiply_low(bottom, inverse_alpha));
        sum = Vector::add(sum, Vector::splat(128));
        return Vector::shift_right(Vector::add(sum, Vector::shift_right(sum, 8)), 8);
    }

    static void blend_row(uint32_t* destination, const uint32_t* source, int count, uint32_t alpha, uint32_t key_colour)
    {
        Lanes alpha_lanes = Vector::splat(static_cast<int>(alpha));
        Lanes inverse_lanes = Vector::splat(static_cast<int>(255 - alpha));
        Lanes colour = Vector::splat_32(colour_mask);
        Lanes key = Vector::splat_32(key_colour);
        int x = 0;
        for (; x + Vector::pixels <= count; x += Vector::pixels) {
            Lanes top = Vector::load(source + x);
            Lanes bottom = Vector::load(destination + x);
            auto top_channels = Vector::widen_pixels(source + x);
            auto bottom_channels = Vector::widen_pixels(destination + x);
            Lanes first = blend_channels(top_channels.first, bottom_channels.first, alpha_lanes, inverse_lanes);
            Lanes second = blend_channels(top_channels.second, bottom_channels.second, alpha_lanes, inverse_lanes);
            Lanes blended = Vector::bits_or(
                Vector::bits_and(Vector::pack_pixels(first, second), colour), Vector::bits_and_not(colour, bottom));
            Lanes is_key = Vector::equal_32(Vector::bits_and(top, colour), key);
            Vector::store(destination + x,
                Vector::bits_or(Vector::bits_and(is_key, bottom), Vector::bits_and_not(is_key, blended)));
        }
        Vector::finish();
        blend_row_scalar(destination + x, source + x, count - x, alpha, key_colour);
    }
};

}
