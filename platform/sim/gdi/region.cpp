#include "platform/sim/gdi/region.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace sim {

namespace {

bool is_inside(Region::Operation operation, bool in_first, bool in_second)
{
    switch (operation) {
    case Region::Operation::Union:
        return in_first || in_second;
    case Region::Operation::Difference:
        return in_first && !in_second;
    case Region::Operation::Intersection:
        return in_first && in_second;
    case Region::Operation::Xor:
        return in_first != in_second;
    }
    return false;
}

// The edges of a span list read in order: left, right, left, right, ...
int edge_at(std::span<const Region::Span> spans, size_t index)
{
    if (index >= spans.size() * 2)
        return INT_MAX;
    auto& span = spans[index / 2];
    return index % 2 == 0 ? span.left : span.right;
}

std::vector<Region::Span> combine_spans(std::span<const Region::Span> first, std::span<const Region::Span> second,
    Region::Operation operation)
{
    std::vector<Region::Span> result;
    size_t i = 0;
    size_t j = 0;
    bool in_first = false;
    bool in_second = false;
    bool is_open = false;
    int start = 0;
    while (i < first.size() * 2 || j < second.size() * 2) {
        int x_first = edge_at(first, i);
        int x_second = edge_at(second, j);
        int x = std::min(x_first, x_second);
        if (x_first == x) {
            in_first = !in_first;
            ++i;
        }
        if (x_second == x) {
            in_second = !in_second;
            ++j;
        }
        bool is_inside_now = is_inside(operation, in_first, in_second);
        if (is_inside_now && !is_open) {
            start = x;
            is_open = true;
        } else if (!is_inside_now && is_open) {
            result.push_back({ start, x });
            is_open = false;
        }
    }
    return result;
}

void normalise(std::vector<Region::Span>& spans)
{
    std::erase_if(spans, [](auto& span) { return span.right <= span.left; });
    if (spans.size() < 2)
        return;
    size_t kept = 0;
    for (size_t i = 1; i < spans.size(); ++i) {
        if (spans[i].left <= spans[kept].right) {
            spans[kept].right = std::max(spans[kept].right, spans[i].right);
            continue;
        }
        spans[++kept] = spans[i];
    }
    spans.resize(kept + 1);
}

}

void RegionBuilder::add_row(int y, std::vector<Region::Span> spans)
{
    add_band(y, y + 1, std::move(spans));
}

void RegionBuilder::add_band(int top, int bottom, std::vector<Region::Span> spans)
{
    normalise(spans);
    if (spans.empty() || bottom <= top)
        return;
    auto& bands = m_region.m_bands;
    if (!bands.empty() && bands.back().bottom == top && bands.back().spans == spans) {
        bands.back().bottom = bottom;
        return;
    }
    bands.push_back({ top, bottom, std::move(spans) });
}

Region RegionBuilder::finish()
{
    return std::move(m_region);
}

Region Region::rectangle(int left, int top, int right, int bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    RegionBuilder builder;
    builder.add_band(top, bottom, { { left, right } });
    return builder.finish();
}

Region Region::rounded_rectangle(int left, int top, int right, int bottom, int ellipse_width, int ellipse_height)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    int width = right - left;
    int height = bottom - top;
    // The corner ellipse may span the whole rectangle the caller gave, one wider and taller than
    // the shape, which leaves out that rectangle's right column and bottom row.
    ellipse_width = std::min(std::abs(ellipse_width), width + 1);
    ellipse_height = std::min(std::abs(ellipse_height), height + 1);
    if (ellipse_width < 2 || ellipse_height < 2)
        return rectangle(left, top, right, bottom);

    // A pixel belongs to the shape when its centre lies inside the corner ellipse; each row is
    // computed from its distance to the nearer horizontal edge, so the shape is symmetric.
    double radius_x = ellipse_width / 2.0;
    double radius_y = ellipse_height / 2.0;
    RegionBuilder builder;
    for (int y = 0; y < height; ++y) {
        int from_edge = std::min(y, height - 1 - y);
        double dy = radius_y - (from_edge + 0.5);
        if (dy <= 0) {
            // Every row from here to its mirror below lies between the corners: one band.
            builder.add_band(top + y, top + height - from_edge, { { left, right } });
            y = height - 1 - from_edge;
            continue;
        }
        double extent = radius_x * std::sqrt(std::max(0.0, 1.0 - (dy / radius_y) * (dy / radius_y)));
        int inset = static_cast<int>(std::ceil(radius_x - extent - 0.5));
        builder.add_row(top + y, { { left + inset, right - inset } });
    }
    return builder.finish();
}

Region Region::ellipse(int left, int top, int right, int bottom)
{
    return rounded_rectangle(left, top, right, bottom, std::abs(right - left), std::abs(bottom - top));
}

Region Region::polygon(std::span<const POINT> points, bool is_winding)
{
    if (points.size() < 3)
        return {};
    int top = INT_MAX;
    int bottom = INT_MIN;
    for (auto& point : points) {
        top = std::min<int>(top, point.y);
        bottom = std::max<int>(bottom, point.y);
    }
    RegionBuilder builder;
    struct Crossing {
        double x;
        int direction;
    };
    std::vector<Crossing> crossings;
    for (int y = top; y < bottom; ++y) {
        double centre = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            auto& from = points[i];
            auto& to = points[(i + 1) % points.size()];
            if (from.y == to.y)
                continue;
            bool is_downward = from.y < to.y;
            double low = is_downward ? from.y : to.y;
            double high = is_downward ? to.y : from.y;
            if (centre < low || centre >= high)
                continue;
            double x = from.x + (centre - from.y) * double(to.x - from.x) / double(to.y - from.y);
            crossings.push_back({ x, is_downward ? 1 : -1 });
        }
        std::sort(crossings.begin(), crossings.end(), [](auto& a, auto& b) { return a.x < b.x; });
        std::vector<Span> spans;
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].direction;
            bool is_filled = is_winding ? winding != 0 : (i % 2 == 0);
            if (!is_filled)
                continue;
            int from_x = static_cast<int>(std::ceil(crossings[i].x - 0.5));
            int to_x = static_cast<int>(std::ceil(crossings[i + 1].x - 0.5));
            spans.push_back({ from_x, to_x });
        }
        builder.add_row(y, std::move(spans));
    }
    return builder.finish();
}

RECT Region::bounds() const
{
    if (m_bands.empty())
        return { 0, 0, 0, 0 };
    RECT rect { INT_MAX, m_bands.front().top, INT_MIN, m_bands.back().bottom };
    for (auto& band : m_bands) {
        rect.left = std::min<LONG>(rect.left, band.spans.front().left);
        rect.right = std::max<LONG>(rect.right, band.spans.back().right);
    }
    return rect;
}

std::span<const Region::Span> Region::spans_in_row(int y) const
{
    auto band = std::upper_bound(m_bands.begin(), m_bands.end(), y, [](int row, auto& band) { return row < band.bottom; });
    if (band == m_bands.end() || band->top > y)
        return {};
    return band->spans;
}

bool Region::contains(int x, int y) const
{
    auto spans = spans_in_row(y);
    auto span = std::upper_bound(spans.begin(), spans.end(), x, [](int column, auto& span) { return column < span.right; });
    return span != spans.end() && span->left <= x;
}

bool Region::intersects(const RECT& rect) const
{
    for (auto& band : m_bands) {
        if (band.bottom <= rect.top || band.top >= rect.bottom)
            continue;
        for (auto& span : band.spans) {
            if (span.right > rect.left && span.left < rect.right)
                return true;
        }
    }
    return false;
}

namespace {

// The combination of two band lists over the rows they cover, by a sweep over every band edge.
std::vector<Region::Band> sweep(std::span<const Region::Band> first, std::span<const Region::Band> second,
    Region::Operation operation)
{
    std::vector<int> edges;
    edges.reserve((first.size() + second.size()) * 2);
    for (auto bands : { first, second }) {
        for (auto& band : bands) {
            edges.push_back(band.top);
            edges.push_back(band.bottom);
        }
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    RegionBuilder builder;
    size_t i = 0;
    size_t j = 0;
    static const std::vector<Region::Span> none;
    for (size_t k = 0; k + 1 < edges.size(); ++k) {
        int top = edges[k];
        while (i < first.size() && first[i].bottom <= top)
            ++i;
        while (j < second.size() && second[j].bottom <= top)
            ++j;
        auto& one = i < first.size() && first[i].top <= top ? first[i].spans : none;
        auto& other = j < second.size() && second[j].top <= top ? second[j].spans : none;
        if (one.empty() && other.empty())
            continue;
        builder.add_band(top, edges[k + 1], combine_spans(one, other, operation));
    }
    return builder.finish().bands();
}

}

// Only the bands that share rows with the other region can change; the rest stay where they are,
// so building a region row by row costs little per step.
void Region::combine(const Region& other, Operation operation)
{
    if (&other == this) {
        Region copy = other;
        combine(copy, operation);
        return;
    }
    if (other.is_empty()) {
        if (operation == Operation::Intersection)
            m_bands.clear();
        return;
    }
    if (is_empty()) {
        if (operation == Operation::Union || operation == Operation::Xor)
            m_bands = other.m_bands;
        return;
    }
    int top = other.m_bands.front().top;
    int bottom = other.m_bands.back().bottom;
    auto begin = std::upper_bound(m_bands.begin(), m_bands.end(), top, [](int row, auto& band) { return row < band.bottom; });
    auto end = std::lower_bound(begin, m_bands.end(), bottom, [](auto& band, int row) { return band.top < row; });
    auto middle = sweep(std::span<const Band>(begin, end), other.m_bands, operation);
    if (operation == Operation::Intersection) {
        m_bands = std::move(middle);
        return;
    }
    size_t first_changed = begin - m_bands.begin();
    auto position = m_bands.erase(begin, end);
    m_bands.insert(position, std::make_move_iterator(middle.begin()), std::make_move_iterator(middle.end()));
    // Neighbouring bands with equal spans become one, at both seams of the replaced rows.
    size_t seam_end = std::min(m_bands.size(), first_changed + middle.size() + 1);
    size_t seam_begin = first_changed ? first_changed - 1 : 0;
    for (size_t k = seam_end; k-- > seam_begin + 1;) {
        if (k >= m_bands.size())
            continue;
        auto& above = m_bands[k - 1];
        auto& below = m_bands[k];
        if (above.bottom == below.top && above.spans == below.spans) {
            above.bottom = below.bottom;
            m_bands.erase(m_bands.begin() + k);
        }
    }
}

Region Region::combined(const Region& other, Operation operation) const
{
    Region result = *this;
    result.combine(other, operation);
    return result;
}

void Region::offset(int dx, int dy)
{
    for (auto& band : m_bands) {
        band.top += dy;
        band.bottom += dy;
        for (auto& span : band.spans) {
            span.left += dx;
            span.right += dx;
        }
    }
}

Region Region::offsetted(int dx, int dy) const
{
    Region region = *this;
    region.offset(dx, dy);
    return region;
}

std::vector<RECT> Region::rectangles() const
{
    std::vector<RECT> rects;
    for (auto& band : m_bands) {
        for (auto& span : band.spans)
            rects.push_back({ span.left, band.top, span.right, band.bottom });
    }
    return rects;
}

}
