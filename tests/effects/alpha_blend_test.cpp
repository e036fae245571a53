#include "effects/kernels/alpha_blend.h"

#include "tests/effects/test_picture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace norvex::tests {
namespace {

constexpr uint32_t magenta = 0x00FF00FFu;

uint32_t blended(uint32_t top, uint32_t bottom, uint8_t alpha, uint32_t key = magenta)
{
    TestPicture destination(1, 1, bottom);
    TestPicture source(1, 1, top);
    blend_over(destination.view(), source.view(), alpha, key);
    return destination.at(0, 0);
}

TEST(AlphaBlend, LeavesKeyColouredSourcePixelsOut)
{
    uint32_t bottom = make_pixel(10, 20, 30);
    EXPECT_EQ(blended(make_pixel(255, 0, 255), bottom, 128), bottom);
    EXPECT_EQ(blended(make_pixel(255, 0, 255, 0x00), bottom, 200), bottom);
    EXPECT_NE(blended(make_pixel(254, 0, 255), bottom, 128), bottom);
    EXPECT_EQ(blended(make_pixel(12, 34, 56), bottom, 128, 0x000C2238u), bottom);
}

TEST(AlphaBlend, GivesTheMidpointAtAlpha128)
{
    EXPECT_EQ(blended(make_pixel(200, 0, 100), make_pixel(0, 200, 50), 128), make_pixel(100, 100, 75));
    for (int top = 0; top < 256; top += 5) {
        for (int bottom = 0; bottom < 256; bottom += 3) {
            int result = blue_of(blended(make_pixel(0, 0, top), make_pixel(0, 0, bottom), 128));
            ASSERT_LE(std::abs(2 * result - (top + bottom)), 2) << top << " over " << bottom;
        }
    }
}

TEST(AlphaBlend, FullAndZeroAlphaGiveSourceAndDestinationExactly)
{
    for (int top = 0; top < 256; ++top) {
        for (int bottom = 0; bottom < 256; bottom += 17) {
            uint32_t source = make_pixel(top, 255 - top, bottom, 0x20);
            uint32_t destination = make_pixel(bottom, top, 255 - top);
            // White never occurs among these source pixels, so nothing is keyed out.
            ASSERT_EQ(blended(source, destination, 255, 0x00FFFFFFu), (source & 0x00FFFFFFu) | 0xFF000000u);
            ASSERT_EQ(blended(source, destination, 0, 0x00FFFFFFu), destination);
        }
    }
}

TEST(AlphaBlend, KeepsTheDestinationsAlpha)
{
    EXPECT_EQ(alpha_of(blended(make_pixel(1, 2, 3, 0x00), make_pixel(9, 9, 9, 0x7F), 128)), 0x7Fu);
}

}
}
