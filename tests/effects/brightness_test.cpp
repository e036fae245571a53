#include "effects/kernels/brightness.h"

#include "tests/effects/test_picture.h"

#include <gtest/gtest.h>

namespace norvex::tests {
namespace {

uint32_t brightened(uint32_t pixel, int amount)
{
    TestPicture picture(1, 1, pixel);
    shift_brightness(picture.view(), picture.view(), amount);
    return picture.at(0, 0);
}

TEST(Brightness, ZeroLeavesThePictureExactlyAsItWas)
{
    TestPicture original = random_picture(37, 5, 11);
    TestPicture picture = original;
    shift_brightness(picture.view(), picture.view(), 0);
    EXPECT_EQ(picture, original);
}

TEST(Brightness, ShiftsEveryChannelBothWays)
{
    EXPECT_EQ(brightened(make_pixel(10, 100, 200), 35), make_pixel(45, 135, 235));
    EXPECT_EQ(brightened(make_pixel(10, 100, 200), -10), make_pixel(0, 90, 190));
}

TEST(Brightness, ClampsAtBothEnds)
{
    EXPECT_EQ(brightened(make_pixel(250, 20, 230), 30), make_pixel(255, 50, 255));
    EXPECT_EQ(brightened(make_pixel(5, 220, 40), -50), make_pixel(0, 170, 0));
    EXPECT_EQ(brightened(make_pixel(1, 128, 254), 255), make_pixel(255, 255, 255));
    EXPECT_EQ(brightened(make_pixel(1, 128, 254), 1000), make_pixel(255, 255, 255));
    EXPECT_EQ(brightened(make_pixel(1, 128, 254), -1000), make_pixel(0, 0, 0));
}

TEST(Brightness, KeepsTheDestinationsAlpha)
{
    EXPECT_EQ(brightened(0x12304050u, 255), 0x12FFFFFFu);
    EXPECT_EQ(brightened(0xFF304050u, -255), 0xFF000000u);

    TestPicture source(5, 1, make_pixel(100, 100, 100, 0x00));
    TestPicture destination(5, 1, make_pixel(1, 2, 3, 0x80));
    shift_brightness(destination.view(), source.view(), 20);
    EXPECT_EQ(destination.at(4, 0), make_pixel(120, 120, 120, 0x80));
}

}
}
