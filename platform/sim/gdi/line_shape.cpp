#include "platform/sim/gdi/line_shape.h"

#include "platform/api/gdi.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace sim {

namespace {

// On and off runs of the cosmetic pen styles, in pixels.
std::vector<int> dash_pattern(int style)
{
    switch (style) {
    case PS_DASH:
        return { 18, 6 };
    case PS_DOT:
        return { 3, 3 };
    case PS_DASHDOT:
        return { 9, 6, 3, 6 };
    case PS_DASHDOTDOT:
        return { 9, 3, 3, 3, 3, 3 };
    }
    return {};
}

class SpanCollector {
public:
    void add(int y, int left, int right) { m_rows[y].push_back({ left, right }); }
    Region finish()
    {
        RegionBuilder builder;
        for (auto& [y, spans] : m_rows) {
            std::sort(spans.begin(), spans.end(), [](auto& a, auto& b) { return a.left < b.left; });
            builder.add_row(y, std::move(spans));
        }
        m_rows.clear();
        return builder.finish();
    }

private:
    std::map<int, std::vector<Region::Span>> m_rows;
};

// The spans of a round brush of the given width on a pixel: centred on the pixel for odd widths,
// on its top-left corner for even ones.
void stamp(SpanCollector& collector, int x, int y, int width)
{
    if (width <= 1) {
        collector.add(y, x, x + 1);
        return;
    }
    double radius = width / 2.0;
    bool is_even = width % 2 == 0;
    double centre = is_even ? 0.5 : 0.0;
    int first = -(width / 2);
    int last = is_even ? width / 2 - 1 : width / 2;
    for (int row = first; row <= last; ++row) {
        double offset = row + centre;
        double room = radius * radius - offset * offset;
        if (room < 0)
            continue;
        double reach = std::sqrt(room);
        int left = static_cast<int>(std::ceil(-reach - centre));
        int right = static_cast<int>(std::floor(reach - centre));
        if (left <= right)
            collector.add(y + row, x + left, x + right + 1);
    }
}

}

bool is_plain_pen(int width, int style)
{
    return width <= 1 && dash_pattern(style).empty();
}

LineShape line_shape(std::span<const POINT> points, int width, int style, const RECT& visible)
{
    // A brush stamped on a pixel reaches at most `width` pixels from it.
    RECT reach { visible.left - width, visible.top - width, visible.right + width, visible.bottom + width };
    auto pattern = width > 1 ? std::vector<int> {} : dash_pattern(style);
    int pattern_length = 0;
    for (int run : pattern)
        pattern_length += run;
    SpanCollector dashes;
    SpanCollector gaps;
    int step = 0;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        for_each_line_pixel(points[i], points[i + 1], [&](int x, int y) {
            bool is_dash = true;
            if (pattern_length) {
                int position = step % pattern_length;
                for (size_t run = 0; run < pattern.size(); ++run) {
                    if (position < pattern[run]) {
                        is_dash = run % 2 == 0;
                        break;
                    }
                    position -= pattern[run];
                }
            }
            if (x >= reach.left && x < reach.right && y >= reach.top && y < reach.bottom)
                stamp(is_dash ? dashes : gaps, x, y, width);
            ++step;
        });
    }
    LineShape shape { dashes.finish(), gaps.finish() };
    shape.gaps = shape.gaps.subtracted(shape.dashes);
    return shape;
}

}
