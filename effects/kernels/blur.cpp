#include "effects/kernels/blur.h"

#include "effects/kernels/blur_rows.h"
#include "effects/kernels/simd_rows.h"
#include "effects/kernels/transpose.h"

#include <memory>

namespace norvex {

void sum_pixel(const uint32_t* row, int width, int x, SumRow sums)
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

void sum_row_scalar(const uint32_t* row, int width, SumRow sums)
{
    for (int x = 0; x < width; ++x)
        sum_pixel(row, width, x, sums);
}

void write_pixel(uint32_t* row, int x, const uint16_t* above, const uint16_t* centre, const uint16_t* below)
{
    uint32_t result = row[x] & alpha_mask;
    for (int channel = 0; channel < 3; ++channel) {
        int i = 4 * x + channel;
        uint32_t sum = above[i] + 2u * centre[i] + below[i];
        result |= divide_by_16_to_even(sum) << (channel * 8);
    }
    row[x] = result;
}

void write_row_scalar(
    uint32_t* row, int width, const uint16_t* above, const uint16_t* centre, const uint16_t* below)
{
    for (int x = 0; x < width; ++x)
        write_pixel(row, x, above, centre, below);
}

namespace {

// Rows narrower than this leave too little to the SIMD loops, and cost more per row than per pixel.
constexpr int narrow_width = 32;

void blur_rows(PixelView picture, KernelPath path)
{
    auto* sum_row
        = implementation_for(path, sum_row_scalar, NORVEX_SSE2(sse2_rows.sum_row), NORVEX_AVX2(avx2_rows.sum_row));
    auto* write_row = implementation_for(
        path, write_row_scalar, NORVEX_SSE2(sse2_rows.write_row), NORVEX_AVX2(avx2_rows.write_row));
    // Three filtered rows in turn: the one above, the current one and the one below. Row y is
    // overwritten only after the row below it has been filtered, so the step works in place.
    int width = picture.width;
    // Every slot is written before it is read, so the memory need not be cleared first.
    auto ring = std::make_unique_for_overwrite<uint16_t[]>(3 * 4 * static_cast<size_t>(width));
    auto slot = [&](int y) { return ring.get() + (y % 3) * 4 * width; };
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

bool is_narrow(const PixelView& picture)
{
    return picture.width < narrow_width && picture.height > picture.width;
}

}

void blur_once(PixelView picture, KernelPath path)
{
    if (picture.is_empty())
        return;
    if (path == KernelPath::Scalar || !has_simd_path() || !is_narrow(picture)) {
        blur_rows(picture, path);
        return;
    }
    // The filter is the same across and down, edges included, and rounds once: a narrow picture
    // blurs as its transpose does, whose long rows the SIMD loops take. The side pieces of a
    // border are 4 pixels wide.
    auto columns = std::make_unique_for_overwrite<uint32_t[]>(static_cast<size_t>(picture.width) * picture.height);
    PixelView transposed { columns.get(), picture.height, picture.width, picture.height };
    transpose(picture, transposed);
    blur_rows(transposed, path);
    transpose(transposed, picture);
}

}
