// Reading image files: PNG, BMP, JPEG and GIF pictures, and the images of icon files.
#pragma once

#include "platform/api/types.h"
#include "platform/sim/gdi/bitmap.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace sim {

// The first picture of a file in straight (not premultiplied) alpha; none when the bytes are no
// picture of a known format.
std::optional<Bitmap> decode_image(std::span<const uint8_t> bytes);

// The size a picture's header declares, read without decoding it; none when the bytes are no
// picture of a known format.
std::optional<SIZE> declared_image_size(std::span<const uint8_t> bytes);

// One image of an icon file: its colours, and the mask (white where the icon is transparent).
struct IconImage {
    Bitmap color { 0, 0 };
    Bitmap mask { 0, 0 };
    int bits_per_pixel = 32;
    // Where a cursor points; cursor files keep it in place of the planes and bit count.
    int hotspot_x = 0;
    int hotspot_y = 0;
};
std::vector<IconImage> decode_icon_file(std::span<const uint8_t> bytes);

std::optional<std::vector<uint8_t>> read_host_file(const std::filesystem::path&);

// A picture scaled to a new size; each target pixel averages the source pixels it covers. With
// alpha weighting, transparent pixels lend no colour to their neighbours.
Bitmap resized(const Bitmap&, int width, int height, bool is_alpha_weighted = false);

}
