// PlgBlt: a source rectangle copied onto a parallelogram, turned, mirrored, sheared or scaled.
#include "platform/api/gdi.h"

#include "platform/sim/gdi/blit.h"
#include "platform/sim/gdi/coordinate_space.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/user/process_faults.h"

#include <algorithm>
#include <vector>

using namespace sim;

namespace {

// The source's top-left corner goes to points[0], top-right to points[1], bottom-left to points[2];
// each destination pixel centre is mapped back into the source rectangle: u across it, v down it.
// Every mapping computes exactly the same numbers in the same order, so that the pixels do not
// depend on which path a transfer takes.
class Parallelogram {
public:
    Parallelogram(const POINT* points, int width, int height)
        : m_origin(points[0])
        , m_width(width)
        , m_height(height)
        , m_across_x(double(points[1].x - points[0].x) / width)
        , m_across_y(double(points[1].y - points[0].y) / width)
        , m_down_x(double(points[2].x - points[0].x) / height)
        , m_down_y(double(points[2].y - points[0].y) / height)
        , m_determinant(m_across_x * m_down_y - m_across_y * m_down_x)
    {
    }

    bool is_flat() const { return m_determinant == 0; }
    // With the sides along the axes, the cross terms are zero: u depends on the column alone and v
    // on the row alone.
    bool is_axis_aligned() const { return m_across_y == 0 && m_down_x == 0; }

    // The centre of a DC pixel, relative to points[0].
    double centre_x(int column) const { return column + 0.5 - m_origin.x; }
    double centre_y(int row) const { return row + 0.5 - m_origin.y; }
    // The parts of u and v a column and a row bring.
    double column_u(double x) const { return x * m_down_y; }
    double column_v(double x) const { return m_across_y * x; }
    double row_u(double y) const { return y * m_down_x; }
    double row_v(double y) const { return m_across_x * y; }
    double u_of(double column_part, double row_part) const { return (column_part - row_part) / m_determinant; }
    double v_of(double column_part, double row_part) const { return (row_part - column_part) / m_determinant; }
    bool is_across(double u) const { return u >= 0 && u < m_width; }
    bool is_down(double v) const { return v >= 0 && v < m_height; }

    // The destination rectangle the four corners span, in DC coordinates.
    RECT bounds(const POINT* points) const
    {
        LONG xs[] = { points[0].x, points[1].x, points[2].x, points[1].x + points[2].x - points[0].x };
        LONG ys[] = { points[0].y, points[1].y, points[2].y, points[1].y + points[2].y - points[0].y };
        return { *std::min_element(xs, xs + 4), *std::min_element(ys, ys + 4), *std::max_element(xs, xs + 4) + 1,
            *std::max_element(ys, ys + 4) + 1 };
    }

private:
    POINT m_origin;
    int m_width;
    int m_height;
    double m_across_x;
    double m_across_y;
    double m_down_x;
    double m_down_y;
    double m_determinant;
};

// A mirror or a scale: each column and each row is mapped once, and rows are copied as runs.
void copy_axis_aligned(const DrawTarget& target, const BlitSource& source, const RECT& bounds,
    const Parallelogram& shape, POINT source_corner)
{
    auto column_of = [&](int x, int& source_x) {
        double u = shape.u_of(shape.column_u(shape.centre_x(x)), 0);
        if (!shape.is_across(u))
            return false;
        source_x = source_corner.x + static_cast<int>(u);
        return true;
    };
    auto row_of = [&](int y, int& source_y) {
        double v = shape.v_of(0, shape.row_v(shape.centre_y(y)));
        if (!shape.is_down(v))
            return false;
        source_y = source_corner.y + static_cast<int>(v);
        return true;
    };
    transfer_mapped(target, source, bounds, column_of, row_of, [](uint32_t pixel, uint32_t& destination) {
        destination = pixel;
    });
}

// Any other parallelogram, or a masked copy: the column parts of u and v are worked out once per
// column, the row parts once per row, and each pixel takes the rest.
void copy_turned(const DrawTarget& target, const BlitSource& source, const RECT& bounds, const Parallelogram& shape,
    POINT source_corner, const Bitmap* mask, POINT mask_corner)
{
    POINT origin = target.origin();
    RECT area = offset_rect(bounds, origin);
    // Plain variables, not a structured binding: the lambdas below capture them.
    int first = 0;
    int last = 0;
    std::tie(first, last) = columns_in_bitmap(target, area);
    if (first >= last)
        return;
    std::vector<double> column_u(static_cast<size_t>(last - first));
    std::vector<double> column_v(static_cast<size_t>(last - first));
    for (int x = first; x < last; ++x) {
        double centre = shape.centre_x(x - origin.x);
        column_u[static_cast<size_t>(x - first)] = shape.column_u(centre);
        column_v[static_cast<size_t>(x - first)] = shape.column_v(centre);
    }
    for_each_span(target.clip(), area, [&](int y, int left, int right) {
        double centre = shape.centre_y(y - origin.y);
        double row_u = shape.row_u(centre);
        double row_v = shape.row_v(centre);
        uint32_t* row = target.bitmap().row(y);
        for (int x = std::max(left, first); x < std::min(right, last); ++x) {
            double u = shape.u_of(column_u[static_cast<size_t>(x - first)], row_u);
            double v = shape.v_of(column_v[static_cast<size_t>(x - first)], row_v);
            if (!shape.is_across(u) || !shape.is_down(v))
                continue;
            int offset_x = static_cast<int>(u);
            int offset_y = static_cast<int>(v);
            if (mask) {
                int mask_x = mask_corner.x + offset_x;
                int mask_y = mask_corner.y + offset_y;
                if (!mask->contains(mask_x, mask_y) || !(mask->pixel(mask_x, mask_y) & 0xFFFFFF))
                    continue;
            }
            source.pixel_at(source_corner.x + offset_x, source_corner.y + offset_y, row[x]);
        }
    });
}

}

BOOL WINAPI PlgBlt(HDC dest, const POINT* points, HDC src, int source_x, int source_y, int width, int height,
    HBITMAP mask, int mask_x, int mask_y)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(dest);
    auto* source_dc = find_dc(src);
    if (!dc || !source_dc || !points || width <= 0 || height <= 0
        || !is_rect_in_coordinate_space(source_x, source_y, width, height))
        return FALSE;
    for (int corner = 0; corner < 3; ++corner) {
        if (!is_rect_in_coordinate_space(points[corner].x, points[corner].y, 0, 0))
            return FALSE;
    }
    Parallelogram shape(points, width, height);
    if (shape.is_flat())
        return FALSE;
    auto target = draw_target(*dc);
    if (!target)
        return TRUE;
    BlitSource source(*source_dc, *dc, target.bitmap(), { source_x, source_y, source_x + width, source_y + height });
    if (!source)
        return FALSE;
    const Bitmap* mask_bitmap = find_bitmap(mask);
    RECT bounds = shape.bounds(points);
    if (shape.is_axis_aligned() && !mask_bitmap) {
        copy_axis_aligned(target, source, bounds, shape, { source_x, source_y });
        return TRUE;
    }
    copy_turned(target, source, bounds, shape, { source_x, source_y }, mask_bitmap, { mask_x, mask_y });
    return TRUE;
}
