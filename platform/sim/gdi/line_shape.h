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

// The pixels of a polyline from each point to the next, the last point of all left out, as lines
// are drawn. A pen wider than one pixel is a round brush moved along the line; styled pens (dots
// and dashes) keep their pattern running from one segment to the next. Only what lies in `visible`
// is kept, so that a line far longer than the surface costs no more memory than the surface.
LineShape line_shape(std::span<const POINT> points, int width, int style, const RECT& visible);

}
