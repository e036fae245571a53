#include "effects/kernels/hsl.h"

#include "tests/effects/test_picture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace norvex::tests {
namespace {

TestPicture recoloured(TestPicture picture, float hue, float saturation, KernelPath path = default_path())
{
    recolour(picture.view(), picture.view(), make_hsl_change(hue, saturation), path);
    return picture;
}

uint32_t recoloured(uint32_t pixel, float hue, float saturation)
{
    return recoloured(TestPicture(1, 1, pixel), hue, saturation).at(0, 0);
}

int lightness_twice(uint32_t pixel)
{
    int high = std::max({ red_of(pixel), green_of(pixel), blue_of(pixel) });
    int low = std::min({ red_of(pixel), green_of(pixel), blue_of(pixel) });
    return high + low;
}

TEST(Hsl, NoRotationWithFactorOneGivesThePictureBackExactly)
{
    TestPicture original = random_picture(61, 7, 5);
    for (KernelPath path : { KernelPath::Scalar, KernelPath::Simd, KernelPath::WideSimd }) {
        EXPECT_EQ(recoloured(original, 0.0f, 1.0f, path), original);
        EXPECT_EQ(recoloured(original, 360.0f, 1.0f, path), original);
    }
}

TEST(Hsl, SixTurnsOf60DegreesComeBackExactly)
{
    TestPicture original = random_picture(61, 7, 6);
    TestPicture picture = original;
    for (int turn = 0; turn < 6; ++turn)
        picture = recoloured(picture, 60.0f, 1.0f);
    EXPECT_EQ(picture, original);
}

TEST(Hsl, A120DegreeTurnMovesRedToGreenToBlue)
{
    EXPECT_EQ(recoloured(make_pixel(255, 0, 0), 120.0f, 1.0f), make_pixel(0, 255, 0));
    EXPECT_EQ(recoloured(make_pixel(0, 255, 0), 120.0f, 1.0f), make_pixel(0, 0, 255));
    EXPECT_EQ(recoloured(make_pixel(0, 0, 255), 120.0f, 1.0f), make_pixel(255, 0, 0));
    EXPECT_EQ(recoloured(make_pixel(200, 120, 40), 120.0f, 1.0f), make_pixel(40, 200, 120));
    EXPECT_EQ(recoloured(make_pixel(255, 0, 0), 240.0f, 1.0f), make_pixel(0, 0, 255));
    EXPECT_EQ(recoloured(make_pixel(255, 0, 0), -120.0f, 1.0f), make_pixel(0, 0, 255));
    EXPECT_EQ(recoloured(make_pixel(255, 0, 0), 30.0f, 1.0f), make_pixel(255, 128, 0));
}

TEST(Hsl, TurningKeepsGreysAsTheyAre)
{
    for (int level : { 0, 1, 127, 128, 255 }) {
        uint32_t grey = make_pixel(level, level, level);
        EXPECT_EQ(recoloured(grey, 77.5f, 1.0f), grey);
        EXPECT_EQ(recoloured(grey, 200.0f, 7.0f), grey);
    }
}

TEST(Hsl, FactorZeroGivesGreysOfTheSameLightness)
{
    TestPicture original = random_picture(40, 4, 8);
    TestPicture picture = recoloured(original, 0.0f, 0.0f);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        uint32_t pixel = picture.pixels[i];
        ASSERT_EQ(red_of(pixel), green_of(pixel));
        ASSERT_EQ(green_of(pixel), blue_of(pixel));
        ASSERT_LE(std::abs(2 * red_of(pixel) - lightness_twice(original.pixels[i])), 1);
    }
    EXPECT_EQ(recoloured(make_pixel(255, 0, 0), 0.0f, 0.0f), make_pixel(128, 128, 128));
}

TEST(Hsl, FactorScalesTheDistanceFromGrey)
{
    EXPECT_EQ(recoloured(make_pixel(150, 100, 50), 0.0f, 0.5f), make_pixel(125, 100, 75));
    EXPECT_EQ(recoloured(make_pixel(150, 100, 50), 0.0f, 2.0f), make_pixel(200, 100, 0));
}

TEST(Hsl, LargeFactorsSaturateWithoutChangingHueOrLightness)
{
    uint32_t result = recoloured(make_pixel(140, 120, 90), 0.0f, 10.0f);
    // Lightness 115 allows a distance of 115 from grey: the lowest channel reaches 0.
    EXPECT_EQ(result, make_pixel(230, 138, 0));
    for (uint32_t pixel : { make_pixel(250, 240, 230), make_pixel(10, 30, 20), make_pixel(128, 127, 129) }) {
        uint32_t saturated = recoloured(pixel, 0.0f, 10.0f);
        EXPECT_LE(std::abs(lightness_twice(saturated) - lightness_twice(pixel)), 1);
        EXPECT_EQ(std::max({ red_of(pixel), green_of(pixel), blue_of(pixel) }) == red_of(pixel),
            std::max({ red_of(saturated), green_of(saturated), blue_of(saturated) }) == red_of(saturated));
    }
}

TEST(Hsl, KeepsTheAlphaBytes)
{
    EXPECT_EQ(alpha_of(recoloured(make_pixel(10, 20, 30, 0x42), 90.0f, 3.0f)), 0x42u);
}

}
}
