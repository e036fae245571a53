// Deterministic pictures with sharp features, which a scenario writes onto drive C: to load them
// as wallpapers, skins or images and to find them again on the screen.
#pragma once

#include "platform/sim/gdi/bitmap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmor_sim {

// The largest side of a picture a scenario may ask for.
constexpr int max_picture_side = 4096;

// "stripes": vertical stripes 8 pixels wide, black from the left edge, then white.
// "checks": squares of 8 pixels, black in the top-left corner, then white.
// "gradient": red rising from 0 at the left to 255 at the right, green from 0 at the top to 255
// at the bottom, no blue; no two corners alike, so a mirror or a turn shows.
// "scenery": an evening landscape with mountains and a lake (scenery_picture.h).
// None for another name or a side outside 1 to max_picture_side.
std::optional<sim::Bitmap> picture_pattern(int width, int height, std::string_view pattern);

// The picture as the file a path names by its extension: PNG or BMP; none for another extension.
std::optional<std::vector<uint8_t>> picture_file_bytes(const std::string& path, const sim::Bitmap& picture);

}
