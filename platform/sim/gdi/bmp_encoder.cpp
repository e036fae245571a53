#include "platform/sim/gdi/bmp_encoder.h"

namespace sim {

namespace {

void put_le(std::vector<uint8_t>& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(uint8_t(value >> (8 * i)));
}

}

std::vector<uint8_t> encode_bmp(const Bitmap& bitmap)
{
    constexpr uint32_t headers_size = 14 + 40;
    uint32_t stride = (static_cast<uint32_t>(bitmap.width()) * 3 + 3) & ~3u;
    uint32_t image_size = stride * static_cast<uint32_t>(bitmap.height());
    std::vector<uint8_t> bytes;
    bytes.reserve(headers_size + image_size);
    // BITMAPFILEHEADER, then BITMAPINFOHEADER.
    bytes.push_back('B');
    bytes.push_back('M');
    put_le(bytes, headers_size + image_size, 4);
    put_le(bytes, 0, 4);
    put_le(bytes, headers_size, 4);
    put_le(bytes, 40, 4);
    put_le(bytes, static_cast<uint32_t>(bitmap.width()), 4);
    put_le(bytes, static_cast<uint32_t>(bitmap.height()), 4);
    put_le(bytes, 1, 2);
    put_le(bytes, 24, 2);
    put_le(bytes, 0, 4);  // BI_RGB
    put_le(bytes, image_size, 4);
    put_le(bytes, 2835, 4);  // 72 dots per inch
    put_le(bytes, 2835, 4);
    put_le(bytes, 0, 4);
    put_le(bytes, 0, 4);
    for (int y = bitmap.height() - 1; y >= 0; --y) {
        const uint32_t* row = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x) {
            bytes.push_back(uint8_t(row[x]));
            bytes.push_back(uint8_t(row[x] >> 8));
            bytes.push_back(uint8_t(row[x] >> 16));
        }
        for (uint32_t pad = static_cast<uint32_t>(bitmap.width()) * 3; pad < stride; ++pad)
            bytes.push_back(0);
    }
    return bytes;
}

}
