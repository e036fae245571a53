#include "effects/kernels/blur.h"

#include "tests/effects/test_picture.h"

#include <gtest/gtest.h>

namespace norvex::tests {
namespace {

TestPicture blurred(TestPicture picture, int passes, KernelPath path = default_path())
{
    for (int pass = 0; pass < passes; ++pass)
        blur_once(picture.view(), path);
    return picture;
}

long channel_total(const TestPicture& picture, int shift)
{
    long total = 0;
    for (uint32_t pixel : picture.pixels)
        total += (pixel >> shift) & 0xFF;
    return total;
}

TestPicture dot_picture(int width, int height, int x, int y)
{
    TestPicture picture(width, height);
    picture.at(x, y) = make_pixel(255, 255, 255);
    return picture;
}

TEST(Blur, UniformPictureStaysExactlyUniformAfter31Passes)
{
    for (auto [width, height] : { std::pair { 1, 1 }, { 1, 9 }, { 9, 1 }, { 7, 5 }, { 67, 3 } }) {
        TestPicture picture(width, height, make_pixel(0x3C, 0x7A, 0x91));
        EXPECT_EQ(blurred(picture, 31), picture) << width << " x " << height;
    }
}

TEST(Blur, OnePassSpreadsADotOverItsNeighboursSymmetrically)
{
    TestPicture picture = blurred(dot_picture(5, 5, 2, 2), 1);
    // 255 * [1 2 1]^T [1 2 1] / 16, rounded.
    const int expected[3][3] = { { 16, 32, 16 }, { 32, 64, 32 }, { 16, 32, 16 } };
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            bool is_near = x >= 1 && x <= 3 && y >= 1 && y <= 3;
            int value = is_near ? expected[y - 1][x - 1] : 0;
            EXPECT_EQ(picture.at(x, y), make_pixel(value, value, value)) << x << ", " << y;
        }
    }
}

TEST(Blur, RepeatedPassesKeepADotCentred)
{
    TestPicture picture = blurred(dot_picture(81, 71, 40, 35), 31);
    int peak = red_of(picture.at(40, 35));
    EXPECT_GT(peak, 0);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            ASSERT_EQ(picture.at(x, y), picture.at(80 - x, y)) << x << ", " << y;
            ASSERT_EQ(picture.at(x, y), picture.at(x, 70 - y)) << x << ", " << y;
            ASSERT_LE(red_of(picture.at(x, y)), peak) << x << ", " << y;
        }
    }
    // The light has spread well beyond the dot's neighbours.
    EXPECT_GT(red_of(picture.at(40 + 4, 35)), 0);
}

TEST(Blur, EdgesNeitherLoseNorGainBrightness)
{
    TestPicture picture = blurred(dot_picture(9, 9, 0, 0), 1);
    // The repeated edge pixel keeps 9/16 of the dot in the corner.
    EXPECT_EQ(red_of(picture.at(0, 0)), 143);
    EXPECT_EQ(red_of(picture.at(1, 0)), 48);
    EXPECT_EQ(red_of(picture.at(1, 1)), 16);
    EXPECT_EQ(channel_total(picture, 16), 143 + 2 * 48 + 16);
}

TEST(Blur, ManyPassesNeitherDarkenNorBrightenAPicture)
{
    TestPicture original = random_picture(64, 48, 7);
    for (KernelPath path : { KernelPath::Scalar, KernelPath::Simd, KernelPath::WideSimd }) {
        TestPicture picture = blurred(original, 31, path);
        for (int shift : { 0, 8, 16 }) {
            double before = channel_total(original, shift) / double(original.pixels.size());
            double after = channel_total(picture, shift) / double(picture.pixels.size());
            EXPECT_NEAR(after, before, 0.2) << "channel at bit " << shift;
        }
    }
}

TEST(Blur, KeepsTheAlphaBytes)
{
    TestPicture original = random_picture(13, 11, 3);
    TestPicture picture = blurred(original, 2);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        ASSERT_EQ(alpha_of(picture.pixels[i]), alpha_of(original.pixels[i]));
}

TEST(Blur, SmoothsAHardEdgeIntoARamp)
{
    TestPicture picture(12, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 6; x < 12; ++x)
            picture.at(x, y) = make_pixel(200, 200, 200);
    picture = blurred(picture, 1);
    EXPECT_EQ(red_of(picture.at(4, 1)), 0);
    EXPECT_EQ(red_of(picture.at(5, 1)), 50);
    EXPECT_EQ(red_of(picture.at(6, 1)), 150);
    EXPECT_EQ(red_of(picture.at(7, 1)), 200);
}

}
}
