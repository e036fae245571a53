// The rectangles of a call that reads one picture and writes another, clipped to both pictures.
#pragma once

namespace norvex {

struct BlitArea {
    int destination_x = 0;
    int destination_y = 0;
    int source_x = 0;
    int source_y = 0;
    int width = 0;
    int height = 0;

    bool is_empty() const { return width <= 0 || height <= 0; }
};

// Shrinks the area until both its rectangles lie inside their pictures; they move together, so
// every destination pixel keeps its source pixel. A negative size gives an empty area.
BlitArea clip_to_pictures(
    BlitArea area, int destination_width, int destination_height, int source_width, int source_height);

}
