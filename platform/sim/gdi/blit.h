// The pixel loop shared by every block transfer: each destination pixel inside the clip is mapped
// to a source pixel and combined with it.
#pragma once

#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/painter.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace sim {

// The source of a transfer as the destination sees it: monochrome pixels take the destination's
// text and background colours, colour pixels copied into a monochrome bitmap turn white where they
// match the source DC's background colour.
class BlitSource {
public:
    BlitSource(const DeviceContext& source, const DeviceContext& destination, const Bitmap& destination_bitmap,
        const RECT& area);
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

// For every destination pixel of `dest_rect` (DC coordinates) inside the target's clip:
// map(x, y, source_x, source_y) picks the source point (false: leave the pixel) and
// combine(source_pixel, destination_pixel&) writes it.
template<typename Map, typename Combine>
void transfer(const DrawTarget& target, const RECT& dest_rect, const BlitSource& source, Map map, Combine combine)
{
    POINT origin = target.origin();
    for_each_span(target.clip(), offset_rect(dest_rect, origin), [&](int y, int left, int right) {
        uint32_t* row = target.bitmap().row(y);
        for (int x = left; x < right; ++x) {
            int source_x = 0;
            int source_y = 0;
            uint32_t pixel = 0;
            if (!map(x - origin.x, y - origin.y, source_x, source_y) || !source.pixel_at(source_x, source_y, pixel))
                continue;
            combine(pixel, row[x]);
        }
    });
}

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

// A transfer in which each destination pixel takes the nearest source pixel along both axes; a
// destination pixel whose source pixel lies outside the source bitmap is left as it is. The source
// column of each destination column is worked out once per transfer and the source row once per
// row, so that a screen-sized stretch stays a plain copy loop.
template<typename Combine>
void transfer_stretched(const DrawTarget& target, const BlitSource& source, const StretchAxis& columns,
    const StretchAxis& rows, Combine combine)
{
    POINT origin = target.origin();
    POINT source_origin = source.origin();
    const Bitmap& pixels = source.bitmap();
    RECT area = offset_rect(stretched_area(columns, rows), origin);
    int first = std::max<int>(area.left, 0);
    int last = std::min<int>(area.right, target.bitmap().width());
    if (first >= last)
        return;
    constexpr int Outside = -1;
    std::vector<int> source_columns(static_cast<size_t>(last - first));
    for (int x = first; x < last; ++x) {
        int column = columns.source_of(x - origin.x) + source_origin.x;
        source_columns[static_cast<size_t>(x - first)] = column >= 0 && column < pixels.width() ? column : Outside;
    }
    auto copy_row = [&](int y, int left, int right, auto convert) {
        int source_row = rows.source_of(y - origin.y) + source_origin.y;
        if (source_row < 0 || source_row >= pixels.height())
            return;
        const uint32_t* from = pixels.row(source_row);
        uint32_t* row = target.bitmap().row(y);
        for (int x = std::max(left, first); x < std::min(right, last); ++x) {
            int column = source_columns[static_cast<size_t>(x - first)];
            if (column != Outside)
                combine(convert(from[column]), row[x]);
        }
    };
    if (source.is_plain()) {
        for_each_span(target.clip(), area, [&](int y, int left, int right) {
            copy_row(y, left, right, [](uint32_t pixel) { return pixel; });
        });
        return;
    }
    for_each_span(target.clip(), area, [&](int y, int left, int right) {
        copy_row(y, left, right, [&](uint32_t pixel) { return source.converted(pixel); });
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
