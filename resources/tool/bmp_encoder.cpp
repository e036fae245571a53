#include "resources/tool/encoders.h"
#include "resources/tool/byte_writer.h"

namespace artwork {

Bytes encode_bmp(const Canvas& picture)
{
    constexpr std::uint32_t headers_size = 14 + 40;
    std::uint32_t row_size = (picture.width() * 3 + 3) / 4 * 4;
    std::uint32_t image_size = row_size * picture.height();
    Bytes bytes;
    ByteWriter out(bytes);
    out.u8('B');
    out.u8('M');
    out.u32(headers_size + image_size);
    out.u32(0);
    out.u32(headers_size);
    out.u32(40);
    out.u32(picture.width());
    out.u32(picture.height());
    out.u16(1);
    out.u16(24);
    out.u32(0);
    out.u32(image_size);
    out.u32(3780);
    out.u32(3780);
    out.u32(0);
    out.u32(0);
    auto pixels = picture.to_argb();
    for (int y = picture.height() - 1; y >= 0; --y) {
        auto row_start = out.size();
        for (int x = 0; x < picture.width(); ++x) {
            auto argb = pixels[std::size_t(y) * picture.width() + x];
            out.u8(argb);
            out.u8(argb >> 8);
            out.u8(argb >> 16);
        }
        out.pad_to_four(row_start);
    }
    return bytes;
}

}
