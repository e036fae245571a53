// The pixels GDI+ draws: a picture kept premultiplied by its alpha, sampled at the centres of the
// target's pixels (bilinear between the four picture pixels around a centre when the picture is
// stretched or off the pixel grid) and laid over the target or copied into it.
#pragma once

#include "platform/sim/gdi/bitmap.h"
#include "platform/sim/gdi/region.h"

#include <cstdint>

namespace sim {

// A colour of straight alpha premultiplied by its alpha.
uint32_t premultiplied(uint32_t straight);
// Premultiplies every pixel of a picture of straight alpha colours.
void premultiply(Bitmap&);
// A premultiplied colour laid over a pixel.
uint32_t over(uint32_t destination, uint32_t source);

// Where a picture is drawn, in the coordinates of the DC or picture drawn on; it may lie off the
// pixel grid. Pixels whose centres lie inside are drawn.
struct PicturePlace {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

enum class Compositing { Over, Copy };

// What a drawing lands on: the bitmap, where the DC's (0, 0) lies in it, and the pixels of it that
// may change.
struct PictureTarget {
    Bitmap& bitmap;
    POINT origin;
    const Region& clip;
};

// Draws a premultiplied picture. Drawn at its own size on whole pixels it is copied exactly.
void draw_picture(const PictureTarget&, const Bitmap& picture, const PicturePlace&, Compositing);

}
