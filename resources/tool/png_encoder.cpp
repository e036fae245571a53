#include "resources/tool/encoders.h"

#include <stb/stb_image_write.h>

namespace artwork {

namespace {

void append(void* context, void* data, int size)
{
    auto& bytes = *static_cast<Bytes*>(context);
    auto* begin = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), begin, begin + size);
}

}

Bytes encode_png(const Canvas& picture, bool with_alpha)
{
    int channels = with_alpha ? 4 : 3;
    std::vector<std::uint8_t> samples;
    samples.reserve(std::size_t(picture.width()) * picture.height() * channels);
    for (auto argb : picture.to_argb()) {
        samples.push_back(std::uint8_t(argb >> 16));
        samples.push_back(std::uint8_t(argb >> 8));
        samples.push_back(std::uint8_t(argb));
        if (with_alpha)
            samples.push_back(std::uint8_t(argb >> 24));
    }
    Bytes bytes;
    stbi_write_png_to_func(append, &bytes, picture.width(), picture.height(), channels, samples.data(),
        picture.width() * channels);
    return bytes;
}

}
