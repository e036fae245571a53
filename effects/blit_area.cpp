#include "effects/blit_area.h"

#include <algorithm>
#include <cstdint>

namespace norvex {

// Clips one axis: the start positions in both pictures and the common length. Works in 64 bits
// so that extreme positions from a caller cannot overflow.
static void clip_axis(int& destination, int& source, int& length, int destination_size, int source_size)
{
    int64_t start_destination = destination;
    int64_t start_source = source;
    int64_t cut_before = std::max({ int64_t { 0 }, -start_destination, -start_source });
    start_destination += cut_before;
    start_source += cut_before;
    int64_t clipped = std::min(
        { int64_t { length } - cut_before, destination_size - start_destination, source_size - start_source });
    destination = static_cast<int>(std::min<int64_t>(start_destination, destination_size));
    source = static_cast<int>(std::min<int64_t>(start_source, source_size));
    length = static_cast<int>(std::max<int64_t>(clipped, 0));
}

BlitArea clip_to_pictures(
    BlitArea area, int destination_width, int destination_height, int source_width, int source_height)
{
    clip_axis(area.destination_x, area.source_x, area.width, destination_width, source_width);
    clip_axis(area.destination_y, area.source_y, area.height, destination_height, source_height);
    if (area.is_empty())
        return {};
    return area;
}

}
