#pragma once
// Which source pixel destination pixel `index` of `size` takes along one axis when `source_size`
// pixels are stretched over `size`, stepped as Windows steps them: stretching, the source pixel
// under the destination pixel's centre, a tie going to the lower; shrinking, the last source pixel
// of each run along a row and the first down a column.
namespace gdi_test {

inline long long stretch_step(long long index, long long size, long long source_size, bool is_row)
{
    if (source_size <= size)
        return ((2 * index + 1) * source_size - 1) / (2 * size);
    if (!is_row)
        return ((index + 1) * source_size * 2 - size) / (2 * size);
    return (index * source_size * 2 + size) / (2 * size);
}

}
