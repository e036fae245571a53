// The pixels a pen covers along lines, as regions, so that each pixel is drawn once.
#pragma once

#include "platform/api/types.h"
#include "platform/sim/gdi/region.h"

#include <span>

namespace sim {

// What one pen stroke covers: the pixels of the pen's dashes, and the gaps between them.
struct LineShape {
    Region dashes;
    Region gaps;
};

// Visits the pixels of a line from one point towards the next, the end point left out, as lines
// are drawn: visit(x, y), each pixel once.
template<typename Visit>
void for_each_line_pixel(POINT from, POINT to, Visit visit)
{
    int x = from.x;
    int y = from.y;
    int dx = x < to.x ? to.x - x : x - to.x;
    int dy = -(y < to.y ? to.y - y : y - to.y);
    int step_x = x < to.x ? 1 : -1;
    int step_y = y < to.y ? 1 : -1;
    int error = dx + dy;
    while (x != to.x || y != to.y) {
        visit(x, y);
        int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += step_x;
        }
        if (doubled <= dx) {
            error += dx;
            y += step_y;
        }
    }
}

// Whether a pen of this width and style draws a plain line: one pixel wide, without dashes.
bool is_plain_pen(int width, int style);

// The pixels of a polyline from each point to the next, the last point of all left out, as lines
// are drawn. A pen wider than one pixel is a round brush moved along the line; styled pens (dots
// and dashes) keep their pattern running from one segment to the next. Only what lies in `visible`
// is kept, so that a line far longer than the surface costs no more memory than the surface.
LineShape line_shape(std::span<const POINT> points, int width, int style, const RECT& visible);

}
