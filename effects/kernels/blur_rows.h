// The blur kernel's row functions: the scalar ones, and the SIMD ones written once over a vector
// type (see simd_rows.h).
#pragma once

#include "effects/kernels/pixel_view.h"

#include <cstdint>

namespace norvex {

// A horizontally filtered row keeps four 16-bit sums per pixel, in the byte order of the pixels
// (blue, green, red, alpha): left + 2 * centre + right, at most 1020.
using SumRow = uint16_t*;

// One pixel of each row: sum_pixel filters the row across into sums; write_pixel writes the
// filtered rows down into the picture's row.
void sum_pixel(const uint32_t* row, int width, int x, SumRow sums);
void write_pixel(uint32_t* row, int x, const uint16_t* above, const uint16_t* centre, const uint16_t* below);

void sum_row_scalar(const uint32_t* row, int width, SumRow sums);
void write_row_scalar(uint32_t* row, int width, const uint16_t* above, const uint16_t* centre, const uint16_t* below);

// The SIMD rows, Vector::pixels pixels at a time, with the scalar rows' arithmetic.
template<typename Vector>
struct BlurRows {
    using Lanes = typename Vector::Lanes;

    // The sums of Vector::pixels pixels from x, which has a neighbour on either side.
    static void sum_pixels(const uint32_t* row, int x, SumRow sums)
    {
        auto left = Vector::widen_pixels(row + x - 1);
        auto centre = Vector::widen_pixels(row + x);
        auto right = Vector::widen_pixels(row + x + 1);
        Lanes first = Vector::add(Vector::add(left.first, right.first), Vector::shift_left(centre.first, 1));
        Lanes second = Vector::add(Vector::add(left.second, right.second), Vector::shift_left(centre.second, 1));
        Vector::store(sums + 4 * x, first);
        Vector::store(sums + 4 * x + Vector::lanes, second);
    }

    // The edge pixels, whose missing neighbour repeats them, are summed one by one. Where the
    // pixels between them do not fill the registers evenly, the last register overlaps the one
    // before it and sums some pixels twice, to the same values.
    static void sum_row(const uint32_t* row, int width, SumRow sums)
    {
        sum_pixel(row, width, 0, sums);
        int last = width - 1;
        if (last - 1 >= Vector::pixels) {
            for (int x = 1; x + Vector::pixels <= last; x += Vector::pixels)
                sum_pixels(row, x, sums);
            sum_pixels(row, last - Vector::pixels, sums);
            Vector::finish();
        } else {
            for (int x = 1; x < last; ++x)
                sum_pixel(row, width, x, sums);
        }
        if (last > 0)
            sum_pixel(row, width, last, sums);
    }

    // Divides the 3 x 3 weighted sums by 16, rounding halves to the even neighbour.
    static Lanes divide_by_16_to_even(const uint16_t* above, const uint16_t* centre, const uint16_t* below)
    {
        Lanes sum = Vector::add(
            Vector::add(Vector::load(above), Vector::load(below)), Vector::shift_left(Vector::load(centre), 1));
        Lanes odd = Vector::bits_and(Vector::shift_right(sum, 4), Vector::splat(1));
        sum = Vector::add(sum, Vector::add(odd, Vector::splat(7)));
        return Vector::shift_right(sum, 4);
    }

    static void write_pixels(
        uint32_t* row, int x, const uint16_t* above, const uint16_t* centre, const uint16_t* below)
    {
        Lanes alpha = Vector::splat_32(alpha_mask);
        int at = 4 * x;
        int next = at + Vector::lanes;
        Lanes first = divide_by_16_to_even(above + at, centre + at, below + at);
        Lanes second = divide_by_16_to_even(above + next, centre + next, below + next);
        Lanes old_alpha = Vector::bits_and(Vector::load(row + x), alpha);
        Lanes blurred = Vector::bits_and_not(alpha, Vector::pack_pixels(first, second));
        Vector::store(row + x, Vector::bits_or(blurred, old_alpha));
    }

    // A row that does not fill the registers evenly ends with a register that overlaps the one
    // before it: its pixels depend only on the sums and on their own alpha bytes, which the write
    // keeps, so writing them twice gives the same values.
    static void write_row(
        uint32_t* row, int width, const uint16_t* above, const uint16_t* centre, const uint16_t* below)
    {
        if (width < Vector::pixels) {
            write_row_scalar(row, width, above, centre, below);
            return;
        }
        for (int x = 0; x + Vector::pixels <= width; x += Vector::pixels)
            write_pixels(row, x, above, centre, below);
        write_pixels(row, width - Vector::pixels, above, centre, below);
        Vector::finish();
    }
};

}
