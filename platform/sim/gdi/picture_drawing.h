// The pixels GDI+ draws: a picture kept premultiplied by its alpha, sampled at the centres of the
// target's pixels (bilinear between the four picture pixels around a centre when the picture is
// stretched or off the pixel grid) and laid over the target or copied into it.
#pragma once

#include "platform/sim/gdi/bitmap.h"
#include "platform/sim/gdi/region.h"

#include <cstdint>
#include <vector>

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

    bool operator==(const PicturePlace&) const = default;
};

enum class Compositing { Over, Copy };

// What a drawing lands on: the bitmap, where the DC's (0, 0) lies in it, and the pixels of it that
// may change.
struct PictureTarget {
    Bitmap& bitmap;
    POINT origin;
    const Region& clip;
};

// The samples of a picture stretched over its latest few placements, whole, kept with the picture
// so that drawing it at one of them again only lays the samples over: a skin texture is stretched
// over the same border pieces on every pass. To be cleared when the picture changes.
class StretchCache {
public:
    // The picture sampled over every pixel of area, the pixels of the placement; null when the
    // area is too big to keep.
    const Bitmap* samples(const Bitmap& picture, const PicturePlace&, const RECT& area);
    void clear();

    static constexpr int64_t max_pixels = int64_t(1) << 18;
    static constexpr size_t capacity = 4;

private:
    struct Entry {
        PicturePlace place;
        Bitmap samples;
    };
    // The placement drawn last comes first.
    std::vector<Entry> m_entries;
};

// Draws a premultiplied picture. Drawn at its own size on whole pixels it is copied exactly;
// stretched, it is sampled through the picture's stretch cache.
void draw_picture(const PictureTarget&, const Bitmap& picture, const PicturePlace&, Compositing, StretchCache&);

}
