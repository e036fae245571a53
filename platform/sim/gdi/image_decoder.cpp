#include "platform/sim/gdi/image_decoder.h"

#include "platform/sim/gdi/dib_format.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

// The library is third-party code compiled here; its own warnings are not ours to fix.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace sim {

namespace {

uint32_t read_big_endian32(std::span<const uint8_t> bytes, size_t at)
{
    return uint32_t { bytes[at] } << 24 | uint32_t { bytes[at + 1] } << 16 | uint32_t { bytes[at + 2] } << 8 | bytes[at + 3];
}

// A BMP whose height is -2^31: the library negates it to find the row order.
bool has_unnegatable_height(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    uint32_t header_size = bytes[14] | uint32_t { bytes[15] } << 8 | uint32_t { bytes[16] } << 16 | uint32_t { bytes[17] } << 24;
    uint32_t height = bytes[22] | uint32_t { bytes[23] } << 8 | uint32_t { bytes[24] } << 16 | uint32_t { bytes[25] } << 24;
    return header_size != 12 && height == 0x80000000u;
}

// A JPEG Huffman table of more than 256 codes: the library writes them into tables of 256. The
// segments are walked as a decoder reads them, the coded data of a scan skipped up to its next
// marker.
bool has_oversized_huffman_table(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return false;
    size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (bytes[at] != 0xFF) {
            ++at;
            continue;
        }
        uint8_t marker = bytes[at + 1];
        if (marker == 0xFF || marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            at += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (marker == 0xD9)
            return false;
        size_t length = size_t { bytes[at + 2] } << 8 | bytes[at + 3];
        size_t end = std::min(bytes.size(), at + 2 + length);
        if (marker == 0xC4) {
            for (size_t table = at + 4; table + 17 <= end;) {
                size_t codes = 0;
                for (size_t i = 1; i <= 16; ++i)
                    codes += bytes[table + i];
                if (codes > 256)
                    return true;
                table += 17 + codes;
            }
        }
        at = end;
        // The coded data of a scan runs to the next marker that is neither a stuffed byte nor a restart.
        if (marker == 0xDA) {
            while (at + 1 < bytes.size() && !(bytes[at] == 0xFF && bytes[at + 1] != 0x00 && (bytes[at + 1] < 0xD0 || bytes[at + 1] > 0xD7)))
                ++at;
        }
    }
    return false;
}

// A PNG without its empty image data chunks, which carry nothing: the library copies an empty
// first one from a null buffer. Other bytes come back as they are.
std::span<const uint8_t> without_empty_png_data(std::span<const uint8_t> bytes, std::vector<uint8_t>& storage)
{
    static const uint8_t signature[] = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };
    if (bytes.size() < 8 || !std::equal(signature, signature + 8, bytes.begin()))
        return bytes;
    bool has_empty_data = false;
    for (size_t at = 8; at + 12 <= bytes.size();) {
        uint32_t length = read_big_endian32(bytes, at);
        has_empty_data = has_empty_data || (length == 0 && std::equal(bytes.begin() + at + 4, bytes.begin() + at + 8, "IDAT"));
        if (length > bytes.size() - at - 12)
            break;
        at += 12 + length;
    }
    if (!has_empty_data)
        return bytes;
    storage.assign(bytes.begin(), bytes.begin() + 8);
    size_t at = 8;
    while (at + 12 <= bytes.size()) {
        uint32_t length = read_big_endian32(bytes, at);
        if (length > bytes.size() - at - 12)
            break;
        bool is_empty_data = length == 0 && std::equal(bytes.begin() + at + 4, bytes.begin() + at + 8, "IDAT");
        if (!is_empty_data)
            storage.insert(storage.end(), bytes.begin() + at, bytes.begin() + at + 12 + length);
        at += 12 + length;
    }
    storage.insert(storage.end(), bytes.begin() + at, bytes.end());
    return storage;
}

}

std::optional<Bitmap> decode_image(std::span<const uint8_t> bytes)
{
    if (bytes.empty() || has_unnegatable_height(bytes) || has_oversized_huffman_table(bytes))
        return std::nullopt;
    std::vector<uint8_t> storage;
    bytes = without_empty_png_data(bytes, storage);
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4);
    if (!pixels)
        return std::nullopt;
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        const stbi_uc* source = pixels + static_cast<size_t>(y) * width * 4;
        uint32_t* row = bitmap.row(y);
        for (int x = 0; x < width; ++x, source += 4)
            row[x] = (uint32_t(source[3]) << 24) | (uint32_t(source[0]) << 16) | (uint32_t(source[1]) << 8) | source[2];
    }
    stbi_image_free(pixels);
    return bitmap;
}

std::optional<SIZE> declared_image_size(std::span<const uint8_t> bytes)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    if (bytes.empty() || has_unnegatable_height(bytes) || has_oversized_huffman_table(bytes)
        || !stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels))
        return std::nullopt;
    if (width <= 0 || height <= 0)
        return std::nullopt;
    return SIZE { width, height };
}

namespace {

uint16_t read16(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

uint32_t read32(std::span<const uint8_t> bytes, size_t at)
{
    return read16(bytes, at) | (uint32_t(read16(bytes, at + 2)) << 16);
}

bool is_png(std::span<const uint8_t> bytes)
{
    static const uint8_t signature[] = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };
    return bytes.size() >= 8 && std::equal(signature, signature + 8, bytes.begin());
}

// An icon image stored as a DIB: the colour rows, then a one-bit AND mask, both bottom-up, the
// header giving twice the image's height.
std::optional<IconImage> decode_icon_dib(std::span<const uint8_t> bytes)
{
    if (bytes.size() < sizeof(BITMAPINFOHEADER))
        return std::nullopt;
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes.data(), sizeof header);
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > bytes.size() || header.biWidth <= 0
        || header.biHeight <= 0)
        return std::nullopt;
    // A palette holds at most the colours its bits can name; a larger count is no icon.
    size_t colors = 0;
    if (header.biBitCount <= 8) {
        size_t most_colors = size_t { 1 } << header.biBitCount;
        if (header.biClrUsed > most_colors)
            return std::nullopt;
        colors = header.biClrUsed ? header.biClrUsed : most_colors;
    }
    size_t palette_bytes = colors * sizeof(RGBQUAD);
    if (bytes.size() - header.biSize < palette_bytes)
        return std::nullopt;
    // A BITMAPINFO with room for the palette, aligned as the structure wants.
    std::vector<uint32_t> info_storage((sizeof(BITMAPINFOHEADER) + palette_bytes) / 4 + 1);
    auto* info = reinterpret_cast<BITMAPINFO*>(info_storage.data());
    info->bmiHeader = header;
    info->bmiHeader.biHeight = header.biHeight / 2;
    info->bmiHeader.biCompression = BI_RGB;
    std::memcpy(info->bmiColors, bytes.data() + header.biSize, palette_bytes);
    auto layout = dib_layout(*info);
    if (!layout)
        return std::nullopt;
    size_t color_offset = header.biSize + palette_bytes;
    int mask_stride = (layout->width + 31) / 32 * 4;
    size_t mask_offset = color_offset + layout->size_in_bytes();
    if (bytes.size() < mask_offset + static_cast<size_t>(mask_stride) * layout->height)
        return std::nullopt;
    IconImage image;
    image.bits_per_pixel = layout->bits_per_pixel;
    image.color = bitmap_from_dib(*layout, bytes.data() + color_offset);
    image.color.set_bits_per_pixel(32);
    image.mask = Bitmap(layout->width, layout->height);
    image.mask.set_bits_per_pixel(1);
    for (int y = 0; y < layout->height; ++y) {
        const uint8_t* row = bytes.data() + mask_offset + static_cast<size_t>(layout->memory_row(y)) * mask_stride;
        for (int x = 0; x < layout->width; ++x) {
            bool is_transparent = (row[x / 8] >> (7 - x % 8)) & 1;
            image.mask.set_pixel(x, y, is_transparent ? 0xFFFFFFFF : 0xFF000000);
        }
    }
    // Below 32 bits the colour rows carry no alpha.
    if (layout->bits_per_pixel < 32) {
        for (int y = 0; y < layout->height; ++y) {
            uint32_t* row = image.color.row(y);
            for (int x = 0; x < layout->width; ++x)
                row[x] &= 0x00FFFFFF;
        }
    }
    return image;
}

}

namespace {

// A PNG stored in an icon file: its alpha makes the mask.
std::optional<IconImage> decode_icon_png(std::span<const uint8_t> bytes)
{
    auto picture = decode_image(bytes);
    if (!picture)
        return std::nullopt;
    IconImage image;
    image.mask = Bitmap(picture->width(), picture->height());
    image.mask.set_bits_per_pixel(1);
    for (int y = 0; y < picture->height(); ++y) {
        for (int x = 0; x < picture->width(); ++x)
            image.mask.set_pixel(x, y, picture->pixel(x, y) >> 24 ? 0xFF000000 : 0xFFFFFFFF);
    }
    image.color = std::move(*picture);
    return image;
}

}

std::vector<IconImage> decode_icon_file(std::span<const uint8_t> bytes)
{
    std::vector<IconImage> images;
    if (bytes.size() < 6 || read16(bytes, 0) != 0 || (read16(bytes, 2) != 1 && read16(bytes, 2) != 2))
        return images;
    bool is_cursor = read16(bytes, 2) == 2;
    int count = read16(bytes, 4);
    for (int i = 0; i < count; ++i) {
        size_t entry = 6 + static_cast<size_t>(i) * 16;
        if (entry + 16 > bytes.size())
            break;
        uint32_t size = read32(bytes, entry + 8);
        uint32_t offset = read32(bytes, entry + 12);
        if (offset > bytes.size() || size > bytes.size() - offset)
            continue;
        auto data = bytes.subspan(offset, size);
        auto image = is_png(data) ? decode_icon_png(data) : decode_icon_dib(data);
        if (!image)
            continue;
        if (is_cursor) {
            image->hotspot_x = read16(bytes, entry + 4);
            image->hotspot_y = read16(bytes, entry + 6);
        }
        images.push_back(std::move(*image));
    }
    return images;
}

std::optional<std::vector<uint8_t>> read_host_file(const std::filesystem::path& path)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return std::nullopt;
    // Read in one piece: a screen-sized bitmap is megabytes.
    std::streamoff size = file.tellg();
    if (size < 0)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return std::nullopt;
    return bytes;
}

Bitmap resized(const Bitmap& source, int width, int height, bool is_alpha_weighted)
{
    Bitmap result(width, height);
    result.set_bits_per_pixel(source.bits_per_pixel());
    if (source.is_empty() || result.is_empty())
        return result;
    if (width == source.width() && height == source.height()) {
        for (int y = 0; y < height; ++y)
            std::copy(source.row(y), source.row(y) + width, result.row(y));
        return result;
    }
    for (int y = 0; y < height; ++y) {
        int top = y * source.height() / height;
        int bottom = std::max(top + 1, (y + 1) * source.height() / height);
        for (int x = 0; x < width; ++x) {
            int left = x * source.width() / width;
            int right = std::max(left + 1, (x + 1) * source.width() / width);
            uint64_t sums[4] = {};
            for (int sy = top; sy < bottom; ++sy) {
                for (int sx = left; sx < right; ++sx) {
                    uint32_t pixel = source.pixel(sx, sy);
                    uint32_t weight = is_alpha_weighted ? pixel >> 24 : 1;
                    for (int channel = 0; channel < 3; ++channel)
                        sums[channel] += uint64_t((pixel >> (channel * 8)) & 0xFF) * weight;
                    sums[3] += pixel >> 24;
                }
            }
            uint64_t count = static_cast<uint64_t>((bottom - top) * (right - left));
            uint64_t colour_weight = is_alpha_weighted ? sums[3] : count;
            uint32_t pixel = static_cast<uint32_t>((sums[3] + count / 2) / count) << 24;
            for (int channel = 0; colour_weight && channel < 3; ++channel)
                pixel |= static_cast<uint32_t>((sums[channel] + colour_weight / 2) / colour_weight) << (channel * 8);
            result.set_pixel(x, y, pixel);
        }
    }
    return result;
}

}
