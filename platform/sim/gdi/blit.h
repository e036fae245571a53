// The pixel loop shared by every block transfer: each destination pixel inside the clip is mapped
// to a source pixel and combined with it.
#pragma once

#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/painter.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace sim {

// The source of a transfer as the destination sees it: monochrome pixels take the destination's
// text and background colours, colour pixels copied into a monochrome bitmap turn white where they
// match the source DC's background colour.
class BlitSource {
public:
    // A copy within one bitmap reads what was there before it began: the part it reads is set aside
    // first, unless the caller copies in an order that never reads a pixel it already wrote.
    enum class Overlap { SetAside, CopiedInOrder };
    BlitSource(const DeviceContext& source, const DeviceContext& destination, const Bitmap& destination_bitmap,
        const RECT& area, Overlap overlap = Overlap::SetAside);
    // Plain pixels, such as a DIB in the program's memory.
    explicit BlitSource(ReadSource read)
        : m_read(std::move(read))
    {
    }

    explicit operator bool() const { return m_read.bitmap != nullptr; }
    // Reads the pixel at a point in source DC coordinates; false outside the source's pixels.
    bool pixel_at(int x, int y, uint32_t& pixel) const
    {
        int column = x + m_read.origin.x;
        int row = y + m_read.origin.y;
        if (!m_read.bitmap->contains(column, row))
            return false;
        pixel = converted(m_read.bitmap->pixel(column, row));
        return true;
    }
    // A source pixel as the destination takes it.
    uint32_t converted(uint32_t pixel) const
    {
        if (m_is_from_monochrome)
            return (pixel & 0xFFFFFF) ? m_white_becomes : m_black_becomes;
        if (m_is_to_monochrome)
            return (pixel & 0xFFFFFF) == (m_background & 0xFFFFFF) ? 0xFFFFFFFF : 0xFF000000;
        return pixel;
    }
    bool is_plain() const { return !m_is_from_monochrome && !m_is_to_monochrome; }
    const Bitmap& bitmap() const { return *m_read.bitmap; }
    POINT origin() const { return m_read.origin; }

private:
    void set_aside(const RECT& area);

    ReadSource m_read;
    bool m_is_from_monochrome = false;
    bool m_is_to_monochrome = false;
    uint32_t m_black_becomes = 0;
    uint32_t m_white_becomes = 0;
    uint32_t m_background = 0;
};

// Which source pixels each destination pixel takes when `source_extent` pixels are stretched over
// `dest_extent` along one axis, stepped as Windows steps them; a negative extent runs the other way
// from its anchor, as a mirror. Counting i from the anchor over D destination and S source pixels:
// stretching, pixel i takes source ((2i + 1)S - 1) / 2D, the one under its centre with a tie going
// to the lower; shrinking, pixel i gathers a run of source pixels and keeps one of it, along a row
// the last, ((2i + 2)S - D) / 2D, and down a column the first, (2iS + D) / 2D.
enum class StretchDirection { columns, rows };

class StretchAxis {
public:
    StretchAxis(StretchDirection direction, int dest_anchor, int dest_extent, int source_anchor, int source_extent)
        : m_direction(direction)
        , m_dest_anchor(dest_anchor)
        , m_dest_extent(dest_extent)
        , m_source_anchor(source_anchor)
        , m_source_extent(source_extent)
    {
    }
    // The destination pixels covered: [first, last).
    int first() const { return m_dest_extent >= 0 ? m_dest_anchor : m_dest_anchor + m_dest_extent + 1; }
    int last() const { return m_dest_extent >= 0 ? m_dest_anchor + m_dest_extent : m_dest_anchor + 1; }
    bool shrinks() const { return source_size() > dest_size(); }
    // The source pixel a destination pixel keeps.
    int source_of(int dest) const { return source_at(kept_offset(index_of(dest))); }
    // The source pixels a destination pixel gathers, lowest and highest; one pixel unless shrinking.
    std::pair<int, int> sources_of(int dest) const
    {
        long long index = index_of(dest);
        long long first = kept_offset(index);
        long long last = first;
        if (shrinks() && m_direction == StretchDirection::columns)
            first = index == 0 ? 0 : kept_offset(index - 1) + 1;
        else if (shrinks())
            last = kept_offset(index + 1) - 1;
        return std::minmax(source_at(first), source_at(last));
    }

private:
    long long dest_size() const { return m_dest_extent >= 0 ? m_dest_extent : -static_cast<long long>(m_dest_extent); }
    long long source_size() const
    {
        return m_source_extent >= 0 ? m_source_extent : -static_cast<long long>(m_source_extent);
    }
    long long index_of(int dest) const { return m_dest_extent >= 0 ? dest - m_dest_anchor : m_dest_anchor - dest; }
    long long kept_offset(long long index) const
    {
        long long size = dest_size();
        long long source = source_size();
        if (source <= size)
            return ((2 * index + 1) * source - 1) / (2 * size);
        if (m_direction == StretchDirection::columns)
            return ((2 * index + 2) * source - size) / (2 * size);
        return (2 * index * source + size) / (2 * size);
    }
    int source_at(long long offset) const
    {
        return static_cast<int>(m_source_extent >= 0 ? m_source_anchor + offset : m_source_anchor - offset);
    }

    StretchDirection m_direction;
    int m_dest_anchor;
    int m_dest_extent;
    int m_source_anchor;
    int m_source_extent;
};

// The destination rectangle two axes cover.
inline RECT stretched_area(const StretchAxis& columns, const StretchAxis& rows)
{
    return { columns.first(), rows.first(), columns.last(), rows.last() };
}

// An axis as a mapping for for_each_mapped_row: every destination index has a source index.
inline auto axis_mapping(const StretchAxis& axis)
{
    return [&axis](int dest, int& source) {
        source = axis.source_of(dest);
        return true;
    };
}

// The columns of a bitmap rectangle that lie inside the target's bitmap: [first, last).
inline std::pair<int, int> columns_in_bitmap(const DrawTarget& target, const RECT& area)
{
    return { std::max<int>(area.left, 0), std::min<int>(area.right, target.bitmap().width()) };
}

// One destination row of a mapped transfer: `count` pixels from `destination`, whose source pixels
// are source_row[columns[0]], source_row[columns[1]], and so on.
struct MappedRow {
    uint32_t* destination = nullptr;
    const uint32_t* source_row = nullptr;
    const int* columns = nullptr;
    int count = 0;
    // 1 where columns[i] is columns[0] + i, the source pixels side by side in order; -1 where they
    // lie side by side in reverse, as a mirror takes them; 0 otherwise.
    int step = 0;
};

// Visits, for each row of `dest_rect` (DC coordinates) inside the target's clip, the pixels whose
// source pixel lies in the source's bitmap: visit(const MappedRow&). column_of(x, source_x) and
// row_of(y, source_y) map DC coordinates to source DC coordinates, false where there is no source
// pixel. Both mappings rise or fall steadily, so the columns with a source pixel form one run; each
// column is mapped once per transfer and each row once per visit, and no pixel is tested again.
template<typename ColumnOf, typename RowOf, typename Visit>
void for_each_mapped_row(const DrawTarget& target, const BlitSource& source, const RECT& dest_rect, ColumnOf column_of,
    RowOf row_of, Visit visit)
{
    POINT origin = target.origin();
    POINT source_origin = source.origin();
    const Bitmap& pixels = source.bitmap();
    RECT area = offset_rect(dest_rect, origin);
    // Plain variables, not a structured binding: the lambdas below capture them.
    int first = 0;
    int last = 0;
    std::tie(first, last) = columns_in_bitmap(target, area);
    if (first >= last)
        return;
    std::vector<int> source_columns(static_cast<size_t>(last - first));
    auto has_source_column = [&](int x) {
        int column = 0;
        if (!column_of(x - origin.x, column))
            return false;
        column += source_origin.x;
        source_columns[static_cast<size_t>(x - first)] = column;
        return column >= 0 && column < pixels.width();
    };
    int run_first = first;
    while (run_first < last && !has_source_column(run_first))
        ++run_first;
    int run_last = run_first;
    while (run_last < last && has_source_column(run_last))
        ++run_last;
    if (run_first >= run_last)
        return;
    const int* columns = source_columns.data() + (run_first - first);
    int count = run_last - run_first;
    int step = count > 1 ? columns[1] - columns[0] : 1;
    if (step != 1 && step != -1)
        step = 0;
    for (int i = 2; i < count && step; ++i) {
        if (columns[i] - columns[i - 1] != step)
            step = 0;
    }
    area.left = run_first;
    area.right = run_last;
    for_each_span(target.clip(), area, [&](int y, int left, int right) {
        int source_row = 0;
        if (!row_of(y - origin.y, source_row))
            return;
        source_row += source_origin.y;
        if (source_row < 0 || source_row >= pixels.height())
            return;
        visit(MappedRow { target.bitmap().row(y) + left, pixels.row(source_row), columns + (left - run_first),
            right - left, step });
    });
}

// A transfer that combines each mapped source pixel, as the destination takes it, with the
// destination pixel: combine(source_pixel, destination_pixel&).
template<typename ColumnOf, typename RowOf, typename Combine>
void transfer_mapped(const DrawTarget& target, const BlitSource& source, const RECT& dest_rect, ColumnOf column_of,
    RowOf row_of, Combine combine)
{
    if (!source.is_plain()) {
        for_each_mapped_row(target, source, dest_rect, column_of, row_of, [&](const MappedRow& row) {
            for (int i = 0; i < row.count; ++i)
                combine(source.converted(row.source_row[row.columns[i]]), row.destination[i]);
        });
        return;
    }
    for_each_mapped_row(target, source, dest_rect, column_of, row_of, [&](const MappedRow& row) {
        const uint32_t* from = row.source_row + row.columns[0];
        if (row.step == 1) {
            for (int i = 0; i < row.count; ++i)
                combine(from[i], row.destination[i]);
            return;
        }
        if (row.step == -1) {
            for (int i = 0; i < row.count; ++i)
                combine(from[-i], row.destination[i]);
            return;
        }
        for (int i = 0; i < row.count; ++i)
            combine(row.source_row[row.columns[i]], row.destination[i]);
    });
}

// A transfer in which each destination pixel takes the nearest source pixel along both axes; a
// destination pixel whose source pixel lies outside the source bitmap is left as it is.
template<typename Combine>
void transfer_stretched(const DrawTarget& target, const BlitSource& source, const StretchAxis& columns,
    const StretchAxis& rows, Combine combine)
{
    transfer_mapped(target, source, stretched_area(columns, rows), axis_mapping(columns), axis_mapping(rows),
        combine);
}

// A stretched transfer whose combination works on whole rows: combine_row(source_pixels,
// destination_pixels, count), the source pixels already as the destination takes them. A row of a
// 1:1 copy hands over the source's own pixels; any other is gathered first.
template<typename CombineRow>
void transfer_stretched_rows(const DrawTarget& target, const BlitSource& source, const StretchAxis& columns,
    const StretchAxis& rows, CombineRow combine_row)
{
    std::vector<uint32_t> gathered;
    for_each_mapped_row(target, source, stretched_area(columns, rows), axis_mapping(columns),
        axis_mapping(rows), [&](const MappedRow& row) {
            if (row.step == 1 && source.is_plain()) {
                combine_row(row.source_row + row.columns[0], row.destination, row.count);
                return;
            }
            gathered.resize(static_cast<size_t>(row.count));
            for (int i = 0; i < row.count; ++i)
                gathered[static_cast<size_t>(i)] = source.converted(row.source_row[row.columns[i]]);
            combine_row(gathered.data(), row.destination, row.count);
        });
}

// A shrinking transfer in a mode that keeps what the dropped pixels hold: each destination pixel
// takes every source pixel it gathers inside the source bitmap, folded by reduce (AND keeps black,
// OR keeps white), and is left as it is where it gathers none.
template<typename Reduce, typename Combine>
void transfer_gathered(const DrawTarget& target, const BlitSource& source, const StretchAxis& columns,
    const StretchAxis& rows, Reduce reduce, Combine combine)
{
    POINT origin = target.origin();
    // The source pixels inside the source bitmap, so that a run reaching far past it costs nothing.
    POINT source_origin = source.origin();
    RECT inside { -source_origin.x, -source_origin.y, source.bitmap().width() - source_origin.x,
        source.bitmap().height() - source_origin.y };
    for_each_span(target.clip(), offset_rect(stretched_area(columns, rows), origin), [&](int y, int left, int right) {
        auto [top, bottom] = rows.sources_of(y - origin.y);
        top = std::max<int>(top, inside.top);
        bottom = std::min<int>(bottom, inside.bottom - 1);
        uint32_t* row = target.bitmap().row(y);
        for (int x = left; x < right; ++x) {
            auto [first, last] = columns.sources_of(x - origin.x);
            first = std::max<int>(first, inside.left);
            last = std::min<int>(last, inside.right - 1);
            std::optional<uint32_t> gathered;
            for (int source_y = top; source_y <= bottom; ++source_y) {
                for (int source_x = first; source_x <= last; ++source_x) {
                    uint32_t pixel = 0;
                    if (source.pixel_at(source_x, source_y, pixel))
                        gathered = gathered ? reduce(*gathered, pixel) : pixel;
                }
            }
            if (gathered)
                combine(*gathered, row[x]);
        }
    });
}

}
