#include "resources/designer_pictures.h"
#include "tests/resources/artwork_paths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

class IconFile {
public:
    IconFile()
    {
        std::ifstream in(artwork_test::build_folder() / "resources" / "kelmor.ico", std::ios::binary);
        m_bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    int count() const { return u16(4); }
    int width(int image) const { return m_bytes.at(entry(image)); }
    int bits(int image) const { return u16(entry(image) + 6); }

    // The image's pixels as 0xAARRGGBB, top row first, read back the way Windows reads them:
    // colour rows bottom-up, then the mask, which makes a pixel transparent where its bit is set.
    std::vector<std::uint32_t> pixels(int image)
    {
        std::size_t header = u32(entry(image) + 12);
        int size = width(image);
        int bits_per_pixel = u16(header + 14);
        std::size_t colours = header + 40;
        std::size_t palette = colours;
        if (bits_per_pixel == 8)
            colours += 256 * 4;
        std::size_t colour_row = (size * bits_per_pixel / 8 + 3) / 4 * 4;
        std::size_t mask = colours + colour_row * size;
        std::size_t mask_row = ((size + 7) / 8 + 3) / 4 * 4;
        std::vector<std::uint32_t> result;
        for (int y = 0; y < size; ++y) {
            int stored_row = size - 1 - y;
            for (int x = 0; x < size; ++x) {
                bool is_masked = m_bytes.at(mask + stored_row * mask_row + x / 8) & (0x80 >> (x % 8));
                std::uint32_t pixel = 0;
                if (bits_per_pixel == 32) {
                    pixel = u32(colours + stored_row * colour_row + x * 4);
                } else {
                    auto index = m_bytes.at(colours + stored_row * colour_row + x);
                    pixel = 0xFF000000 | u32(palette + index * 4);
                }
                if (bits_per_pixel == 8 && is_masked)
                    pixel = 0;
                // A 32-bit image carries its own alpha; its mask must agree for older readers.
                if (bits_per_pixel == 32 && is_masked != ((pixel >> 24) < 128))
                    ++m_mask_mismatches;
                result.push_back(pixel);
            }
        }
        return result;
    }

    int mask_mismatches() const { return m_mask_mismatches; }

private:
    std::size_t entry(int image) const { return 6 + std::size_t(image) * 16; }
    std::uint32_t u16(std::size_t at) const { return m_bytes.at(at) | m_bytes.at(at + 1) << 8; }
    std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }

    std::vector<std::uint8_t> m_bytes;
    int m_mask_mismatches = 0;
};

std::vector<std::uint32_t> visible(std::vector<std::uint32_t> pixels)
{
    for (auto& pixel : pixels) {
        if ((pixel >> 24) == 0)
            pixel = 0;
    }
    return pixels;
}

// The icon file is what "Kelmor 2.exe" carries as its resource; it must show the same images
// as the icon compiled into the program.
TEST(IconFile, ImagesReadBackAsTheEmbeddedIcon)
{
    IconFile file;
    auto* icon = artwork::designer_icon("FrmSplash.Icon");
    ASSERT_NE(icon, nullptr);
    ASSERT_EQ(file.count(), int(icon->images.size()));
    for (int image = 0; image < file.count(); ++image) {
        auto& embedded = icon->images[image];
        ASSERT_EQ(file.width(image), embedded.width);
        ASSERT_EQ(file.bits(image), embedded.bits_per_pixel);
        std::vector<std::uint32_t> expected(embedded.pixels, embedded.pixels + embedded.width * embedded.height);
        auto actual = file.pixels(image);
        if (embedded.bits_per_pixel == 32)
            EXPECT_EQ(actual, expected) << "image " << image;
        else
            EXPECT_EQ(visible(actual), visible(expected)) << "image " << image;
    }
    EXPECT_EQ(file.mask_mismatches(), 0);
}

}
