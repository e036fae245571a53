// The file formats the artwork is written in. Every encoder writes the same bytes for the same
// picture, so the build's output never changes unless the drawing does.
#pragma once

#include "resources/tool/canvas.h"

#include <cstdint>
#include <span>
#include <vector>

namespace artwork {

using Bytes = std::vector<std::uint8_t>;

// PNG, with an alpha channel or as plain RGB.
Bytes encode_png(const Canvas& picture, bool with_alpha);

// A 24-bit uncompressed Windows bitmap file; alpha is dropped.
Bytes encode_bmp(const Canvas& picture);

struct IconImage {
    Canvas picture;
    // 32: full alpha; 8: at most 256 colours, each pixel opaque or transparent.
    int bits_per_pixel = 32;
};

// A Windows icon file holding every image, in the order given.
Bytes encode_ico(std::span<const IconImage> images);

}
