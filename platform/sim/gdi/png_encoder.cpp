#include "platform/sim/gdi/png_encoder.h"

// The library is third-party code compiled here; its own warnings are not ours to fix.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace sim {

namespace {

void append_bytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}

std::vector<uint8_t> encode_png(const Bitmap& bitmap)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(bitmap.width()) * bitmap.height() * 4);
    uint8_t* target = rgba.data();
    for (int y = 0; y < bitmap.height(); ++y) {
        const uint32_t* row = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x, target += 4) {
            target[0] = uint8_t(row[x] >> 16);
            target[1] = uint8_t(row[x] >> 8);
            target[2] = uint8_t(row[x]);
            target[3] = uint8_t(row[x] >> 24);
        }
    }
    std::vector<uint8_t> png;
    if (bitmap.is_empty())
        return png;
    stbi_write_png_to_func(append_bytes, &png, bitmap.width(), bitmap.height(), 4, rgba.data(), bitmap.width() * 4);
    return png;
}

}
