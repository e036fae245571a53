// Where the frame transform puts the source's corners: the mirror at zoom 45, the enlargements at
// 60 and 86, the centre, turns and flips, and frames too large for 16-bit numbers.
#include "webcam/flip_corners.h"

#include <gtest/gtest.h>

namespace {

std::array<POINT, 3> mirrored(float width, float height, int zoom, int output_width, int output_height)
{
    return flip_corners(width, height, output_width, output_height, FlipAngles { 0, 180, 0, zoom });
}

void expect_corners(const std::array<POINT, 3>& corners, std::array<POINT, 3> expected)
{
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(corners[i].x, expected[i].x) << "corner " << i;
        EXPECT_EQ(corners[i].y, expected[i].y) << "corner " << i;
    }
}

TEST(FlipCorners, TheSystemsAnglesMirrorLeftAndRightAndZoomAboutTheCentre)
{
    expect_corners(mirrored(320, 240, 45, 320, 240), { POINT { 320, 0 }, POINT { 0, 0 }, POINT { 320, 240 } });
    expect_corners(mirrored(320, 240, 60, 320, 240), { POINT { 437, -88 }, POINT { -117, -88 }, POINT { 437, 328 } });
    expect_corners(mirrored(320, 240, 86, 320, 240),
        { POINT { 2448, -1596 }, POINT { -2128, -1596 }, POINT { 2448, 1836 } });
}

TEST(FlipCorners, TheCentreIsThatOfTheOutputThisRedrawMakes)
{
    // The same source centred on a larger output lands in that output's middle.
    auto corners = mirrored(320, 240, 45, 640, 480);
    expect_corners(corners, { POINT { 480, 120 }, POINT { 160, 120 }, POINT { 480, 360 } });
}

TEST(FlipCorners, AFrameTooLargeForSixteenBitsStillGetsItsTrueCorners)
{
    // At zoom 86 a half width of 2500 pixels turns into 35752, beyond 16-bit numbers.
    auto corners = mirrored(5000, 4000, 86, 5000, 4000);
    expect_corners(corners, { POINT { 2500 + 35752, 2000 - 28601 }, POINT { 2500 - 35752, 2000 - 28601 },
                                POINT { 2500 + 35752, 2000 + 28601 } });
    // Every smaller frame is as before: a 4582 pixel wide one still fits and is unchanged.
    auto fitting = mirrored(4582, 240, 86, 4582, 240);
    EXPECT_EQ(fitting[0].x, 2291 + 32763);
}

TEST(FlipCorners, RotationAndAxisAnglesTurnAndScaleTheCorners)
{
    // A quarter turn without a mirror: the upper-left corner goes to the upper right.
    auto turned = flip_corners(200, 100, 200, 100, FlipAngles { 90, 0, 0, 45 });
    expect_corners(turned, { POINT { 150, -50 }, POINT { 150, 150 }, POINT { 50, -50 } });
    // Upside down: the vertical axis angle of 180.
    auto flipped = flip_corners(200, 100, 200, 100, FlipAngles { 0, 0, 180, 45 });
    expect_corners(flipped, { POINT { 0, 100 }, POINT { 200, 100 }, POINT { 0, 0 } });
}

}
