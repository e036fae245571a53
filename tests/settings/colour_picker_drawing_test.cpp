// The colour picker's pictures: the squares and sliders of the three modes, pixel for pixel where
// the picker reads its colours back, the inverting markers and the sunken frames.
#include "tests/settings/colour_picker_fixture.h"

#include <vector>

namespace {

// The picker's whole drawn image, to compare before and after.
std::vector<long> image_of(frmColor& form)
{
    std::vector<long> pixels;
    for (int y = 0; y < 277; ++y) {
        for (int x = 0; x < 434; ++x)
            pixels.push_back(form.Point(static_cast<float>(x), static_cast<float>(y)));
    }
    return pixels;
}

TEST_F(ColourPickerTest, HueSquareRunsFromWhiteToTheHueAndDownToBlack)
{
    frmColor& form = picker();
    run([&] { DrawHueSquare(form, 255, 0, 0); });
    EXPECT_EQ(at(10, 10), RGB(255, 255, 255));
    EXPECT_EQ(at(265, 10), RGB(255, 0, 0));
    EXPECT_EQ(at(110, 110), RGB(155, 94, 94));
    for (int x = 10; x <= 265; ++x)
        ASSERT_EQ(at(x, 265), RGB(0, 0, 0)) << x;
    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(255, 0, 0));

    // A colour that is not a pure hue keeps its own shade in the top-right corner.
    run([&] { DrawHueSquare(form, 100, 150, 200); });
    EXPECT_EQ(at(265, 10), RGB(100, 150, 200));
    EXPECT_EQ(at(10, 10), RGB(255, 255, 255));

    // Black gives greys only, black along the right column (below the marker in its top corner).
    run([&] { DrawHueSquare(form, 0, 0, 0); });
    for (int y = 10; y <= 265; y += 5) {
        for (int x = 10; x <= 265; x += 5) {
            long c = at(x, y);
            ASSERT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) << x << "," << y;
        }
        if (y > 15) {
            ASSERT_EQ(at(265, y), RGB(0, 0, 0)) << y;
        }
    }
    EXPECT_EQ(at(10, 10), RGB(255, 255, 255));
}

// The square's bytes are computed in whole numbers; they must be what the colour model's
// floating-point formula rounds to, halves to even, for every pixel.
TEST_F(ColourPickerTest, HueSquareMatchesTheFloatingPointModelEverywhere)
{
    frmColor& form = picker();
    const int colours[][3] = { { 255, 0, 0 }, { 100, 150, 200 }, { 1, 254, 127 }, { 3, 5, 251 } };
    for (const auto& colour : colours) {
        run([&] {
            // The marker is moved off the square so that every pixel is the picture's.
            DrawPicker(form);
            values().markerX = 400;
            DrawHueSquare(form, colour[0], colour[1], colour[2]);
        });
        for (int q = 0; q < 256; ++q) {
            for (int p = 0; p < 256; ++p) {
                int expected[3];
                for (int c = 0; c < 3; ++c) {
                    double k = colour[c] / 255.0;
                    double row_colour = colour[c] - q * k;
                    double step = ((255 - q) - row_colour) / 255;
                    expected[c] = static_cast<int>(runtime::round_half_even((255 - p) * step + row_colour));
                }
                ASSERT_EQ(at(10 + p, 10 + q), RGB(expected[0], expected[1], expected[2])) << p << "," << q;
            }
        }
    }
}

TEST_F(ColourPickerTest, SaturationAndBrightnessSquaresAreMirroredHueRows)
{
    frmColor& form = picker();
    run([&] { DrawBrightSquare(form); });
    EXPECT_EQ(at(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(at(10, 265), RGB(255, 255, 255));
    EXPECT_EQ(at(244, 10), RGB(255, 0, 126));
    // The first image column lands at the right edge: red with a rising blue of 0.
    EXPECT_EQ(at(265, 10), RGB(255, 0, 0));
    // Yellow, green, cyan and blue along the top row, from the left.
    EXPECT_EQ(at(265 - 170, 10), RGB(0, 255, 3));
    EXPECT_EQ(at(265 - 128, 10), RGB(0, 252, 255));

    run([&] { DrawSatSquare(form); });
    for (int x = 10; x <= 265; ++x)
        ASSERT_EQ(at(x, 265), RGB(0, 0, 0)) << x;
    EXPECT_EQ(at(244, 10), RGB(255, 0, 126));
    // Half way down the colours are at half brightness: f = 1 - 128 / 255.
    EXPECT_EQ(at(244, 138), RGB(127, 0, 63));
}

TEST_F(ColourPickerTest, SlidersRunThroughTheHuesOrFromTheColour)
{
    frmColor& form = picker();
    run([&] { form.DrawHueSlider(); });
    for (int x = 277; x <= 291; ++x) {
        ASSERT_EQ(at(x, 10), RGB(255, 0, 0)) << x;
        ASSERT_EQ(at(x, 265), RGB(255, 0, 0)) << x;
        ASSERT_EQ(at(x, 95), RGB(0, 0, 255)) << x;
    }
    EXPECT_EQ(at(280, 10 + 128), RGB(0, 255, 252));
    EXPECT_EQ(at(280, 10 + 171), RGB(6, 255, 0));

    run([&] { DrawBrightSlider(form, 100, 200, 50); });
    EXPECT_EQ(at(277, 10), RGB(100, 200, 50));
    EXPECT_EQ(at(291, 265), RGB(0, 0, 0));
    EXPECT_EQ(at(284, 10 + 100), RGB(61, 122, 30));
    // The line's right end is left out.
    EXPECT_NE(at(292, 100), at(291, 100));

    run([&] { DrawSatSlider(form, 100, 200, 50); });
    EXPECT_EQ(at(277, 10), RGB(100, 200, 50));
    EXPECT_EQ(at(291, 265), RGB(255, 255, 255));
    EXPECT_EQ(at(284, 10 + 100), RGB(161, 222, 130));
}

TEST_F(ColourPickerTest, MarkersInvertAndASecondDrawTakesThemAway)
{
    frmColor& form = picker();
    run([&] {
        DrawHueSquare(form, 0, 128, 255);
        values().markerX = 100;
        values().markerY = 200;
    });
    std::vector<long> before = image_of(form);

    run([&] { DrawPicker(form); });
    EXPECT_EQ(at(105, 200), RGB(255, 255, 255) ^ before[200 * 434 + 105]);
    EXPECT_EQ(at(100, 200), before[200 * 434 + 100]);
    run([&] { DrawPicker(form); });
    EXPECT_EQ(image_of(form), before);

    run([&] { DrawSliderMarker(form, 100); });
    EXPECT_EQ(at(296, 100), RGB(255, 255, 255) ^ before[100 * 434 + 296]);
    EXPECT_EQ(at(273, 100), RGB(255, 255, 255) ^ before[100 * 434 + 273]);
    run([&] { DrawSliderMarker(form, 100); });
    EXPECT_EQ(image_of(form), before);
}

TEST_F(ColourPickerTest, RedrawingTheSliderKeepsItsMarkerWhole)
{
    frmColor& form = picker();
    std::vector<long> with_marker = image_of(form);
    // The marker's ticks reach into the frame, which every redraw paints afresh.
    run([&] {
        form.DrawHueSlider();
        DrawSliderMarker(form, 265);
        DrawSliderMarker(form, 40);
        DrawSliderMarker(form, 40);
        DrawSliderMarker(form, 265);
    });
    EXPECT_EQ(image_of(form), with_marker);
}

TEST_F(ColourPickerTest, SquareAndSliderSitInSunkenFrames)
{
    picker();
    // A sunken inner edge: the dark shadow at the top and left, the light at the bottom and right.
    long shadow = GetSysColor(COLOR_3DDKSHADOW);
    long light = GetSysColor(COLOR_3DLIGHT);
    ASSERT_LT(GetRValue(shadow), GetRValue(light));
    EXPECT_EQ(at(9, 9), shadow);
    EXPECT_EQ(at(9, 266), shadow);
    EXPECT_EQ(at(266, 9), shadow);
    EXPECT_EQ(at(267, 267), light);
    EXPECT_EQ(at(9, 267), light);
    EXPECT_EQ(at(267, 100), light);
    EXPECT_EQ(at(276, 9), shadow);
    EXPECT_EQ(at(276, 150), shadow);
    EXPECT_EQ(at(294, 267), light);
    EXPECT_EQ(at(294, 150), light);
    // Between the square and its frame the window shows through.
    EXPECT_EQ(at(266, 100), at(300, 200));
}

TEST_F(ColourPickerTest, SplitRGBTakesTheChannelsApart)
{
    int red = 0, green = 0, blue = 0;
    SplitRGB(13145700, red, green, blue);
    EXPECT_EQ(red, 100);
    EXPECT_EQ(green, 150);
    EXPECT_EQ(blue, 200);
    SplitRGB(16777215, red, green, blue);
    EXPECT_EQ(red + green + blue, 3 * 255);
}

}
