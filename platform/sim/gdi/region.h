// A region of the simulated GDI: a set of pixels kept as horizontal bands of spans.
#pragma once

#include "platform/api/types.h"

#include <span>
#include <vector>

namespace sim {

// A region is a list of bands sorted top to bottom; each band covers the rows [top, bottom)
// and holds sorted, disjoint, non-touching spans [left, right). Neighbouring bands with equal
// spans are merged, so two equal pixel sets always compare equal. Right and bottom edges are
// exclusive, as in a RECT.
class Region {
public:
    struct Span {
        int left = 0;
        int right = 0;
        bool operator==(const Span&) const = default;
    };
    struct Band {
        int top = 0;
        int bottom = 0;
        std::vector<Span> spans;
        bool operator==(const Band&) const = default;
    };
    enum class Operation { Union, Difference, Intersection, Xor };

    Region() = default;
    static Region rectangle(int left, int top, int right, int bottom);
    static Region rectangle(const RECT& rect) { return rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    // The shape CreateRoundRectRgn makes: corners cut along an ellipse of the given size.
    static Region rounded_rectangle(int left, int top, int right, int bottom, int ellipse_width, int ellipse_height);
    static Region ellipse(int left, int top, int right, int bottom);
    // A polygon filled by the even-odd or the winding rule, sampled at pixel centres.
    static Region polygon(std::span<const POINT> points, bool is_winding);

    bool is_empty() const { return m_bands.empty(); }
    bool is_rectangle() const { return m_bands.size() == 1 && m_bands.front().spans.size() == 1; }
    RECT bounds() const;
    bool contains(int x, int y) const;
    bool intersects(const RECT&) const;

    Region combined(const Region& other, Operation) const;
    void combine(const Region& other, Operation);
    Region united(const Region& other) const { return combined(other, Operation::Union); }
    Region subtracted(const Region& other) const { return combined(other, Operation::Difference); }
    Region intersected(const Region& other) const { return combined(other, Operation::Intersection); }
    Region xored(const Region& other) const { return combined(other, Operation::Xor); }
    Region intersected(const RECT& rect) const { return intersected(rectangle(rect)); }
    void offset(int dx, int dy);
    Region offsetted(int dx, int dy) const;

    const std::vector<Band>& bands() const { return m_bands; }
    // The spans of one row; empty when the row lies outside the region.
    std::span<const Span> spans_in_row(int y) const;
    // The rectangles of the region, band by band, left to right.
    std::vector<RECT> rectangles() const;

    bool operator==(const Region&) const = default;

private:
    friend class RegionBuilder;
    std::vector<Band> m_bands;
};

// Builds a region row by row from the top down; neighbouring rows with equal spans share a band.
// Each row's spans must be sorted; touching or overlapping spans are merged.
class RegionBuilder {
public:
    void add_row(int y, std::vector<Region::Span> spans);
    void add_band(int top, int bottom, std::vector<Region::Span> spans);
    Region finish();

private:
    Region m_region;
};

}
