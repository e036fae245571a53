#include "app/kelmor_sim/picture_pattern.h"

#include "app/kelmor_sim/scenery_picture.h"

#include "platform/sim/gdi/bmp_encoder.h"
#include "platform/sim/gdi/png_encoder.h"

#include <cctype>

namespace kelmor_sim {

namespace {

constexpr uint32_t black = 0xFF000000;
constexpr uint32_t white = 0xFFFFFFFF;
constexpr int feature_size = 8;

// 0 at the first index, 255 at the last.
uint32_t ramp(int index, int count)
{
    return count > 1 ? static_cast<uint32_t>(index * 255 / (count - 1)) : 0;
}

std::string lower_extension(const std::string& path)
{
    size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return {};
    std::string extension = path.substr(dot + 1);
    for (auto& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

}

std::optional<sim::Bitmap> picture_pattern(int width, int height, std::string_view pattern)
{
    if (width < 1 || height < 1 || width > max_picture_side || height > max_picture_side)
        return std::nullopt;
    if (pattern == "scenery")
        return scenery_picture(width, height);
    if (pattern != "stripes" && pattern != "checks" && pattern != "gradient")
        return std::nullopt;
    sim::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = picture.row(y);
        for (int x = 0; x < width; ++x) {
            if (pattern == "stripes")
                row[x] = (x / feature_size) % 2 ? white : black;
            else if (pattern == "checks")
                row[x] = (x / feature_size + y / feature_size) % 2 ? white : black;
            else
                row[x] = 0xFF000000 | (ramp(x, width) << 16) | (ramp(y, height) << 8);
        }
    }
    return picture;
}

std::optional<std::vector<uint8_t>> picture_file_bytes(const std::string& path, const sim::Bitmap& picture)
{
    std::string extension = lower_extension(path);
    if (extension == "png")
        return sim::encode_png(picture);
    if (extension == "bmp")
        return sim::encode_bmp(picture);
    return std::nullopt;
}

}
