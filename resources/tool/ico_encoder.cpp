#include "resources/tool/encoders.h"
#include "resources/tool/byte_writer.h"

#include <algorithm>
#include <stdexcept>

namespace artwork {

namespace {

bool is_transparent(std::uint32_t argb)
{
    return (argb >> 24) < 128;
}

// The palette of an 8-bit image: its opaque colours in ascending order.
std::vector<std::uint32_t> palette_of(const std::vector<std::uint32_t>& pixels)
{
    std::vector<std::uint32_t> palette;
    for (auto argb : pixels) {
        if (!is_transparent(argb))
            palette.push_back(argb & 0xFFFFFF);
    }
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    if (palette.empty())
        palette.push_back(0);
    if (palette.size() > 256)
        throw std::runtime_error("an 8-bit icon image has more than 256 colours");
    return palette;
}

// One image as the icon file stores it: header, palette, colour rows and the transparency
// mask, rows bottom-up.
Bytes encode_icon_image(const IconImage& image)
{
    int width = image.picture.width();
    int height = image.picture.height();
    auto pixels = image.picture.to_argb();
    bool is_paletted = image.bits_per_pixel == 8;
    auto palette = is_paletted ? palette_of(pixels) : std::vector<std::uint32_t> {};

    Bytes bytes;
    ByteWriter out(bytes);
    out.u32(40);
    out.u32(width);
    out.u32(height * 2);
    out.u16(1);
    out.u16(image.bits_per_pixel);
    out.u32(0);
    out.u32(0);
    out.u32(0);
    out.u32(0);
    out.u32(is_paletted ? 256 : 0);
    out.u32(0);
    if (is_paletted) {
        for (std::size_t index = 0; index < 256; ++index) {
            auto rgb = index < palette.size() ? palette[index] : 0;
            out.u32(rgb);
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        auto row_start = out.size();
        for (int x = 0; x < width; ++x) {
            auto argb = pixels[std::size_t(y) * width + x];
            if (!is_paletted) {
                out.u32(argb);
                continue;
            }
            auto colour = is_transparent(argb) ? palette.front() : argb & 0xFFFFFF;
            out.u8(std::lower_bound(palette.begin(), palette.end(), colour) - palette.begin());
        }
        out.pad_to_four(row_start);
    }
    for (int y = height - 1; y >= 0; --y) {
        auto row_start = out.size();
        for (int x = 0; x < width; x += 8) {
            std::uint32_t mask = 0;
            for (int bit = 0; bit < 8 && x + bit < width; ++bit) {
                if (is_transparent(pixels[std::size_t(y) * width + x + bit]))
                    mask |= 0x80 >> bit;
            }
            out.u8(mask);
        }
        out.pad_to_four(row_start);
    }
    return bytes;
}

}

Bytes encode_ico(std::span<const IconImage> images)
{
    std::vector<Bytes> encoded;
    for (auto& image : images)
        encoded.push_back(encode_icon_image(image));

    Bytes bytes;
    ByteWriter out(bytes);
    out.u16(0);
    out.u16(1);
    out.u16(images.size());
    std::uint32_t offset = 6 + 16 * images.size();
    for (std::size_t index = 0; index < images.size(); ++index) {
        auto& image = images[index];
        out.u8(image.picture.width() >= 256 ? 0 : image.picture.width());
        out.u8(image.picture.height() >= 256 ? 0 : image.picture.height());
        out.u8(0);
        out.u8(0);
        out.u16(1);
        out.u16(image.bits_per_pixel);
        out.u32(encoded[index].size());
        out.u32(offset);
        offset += encoded[index].size();
    }
    for (auto& image : encoded)
        bytes.insert(bytes.end(), image.begin(), image.end());
    return bytes;
}

}
