// The exact pixels GdipDrawImageRect lays down, checked against a plain model of its drawing:
// the picture premultiplied by its alpha, sampled at the pixel centres (bilinear between the four
// pixels around a centre when stretched or off the pixel grid), and laid over the target.
#include "platform/win32.h"
#include "tests/platform/gdi/canvas.h"
#include "tests/platform/gdi/gdiplus_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using gdi_test::Canvas;
using gdi_test::write_png;

namespace {

uint32_t scaled(uint32_t value, uint32_t factor)
{
    return static_cast<uint32_t>(std::lround(value * factor / 255.0));
}

uint32_t channel(uint32_t pixel, int shift)
{
    return (pixel >> shift) & 0xFF;
}

uint32_t premultiplied(uint32_t pixel)
{
    uint32_t alpha = pixel >> 24;
    return (alpha << 24) | (scaled(channel(pixel, 16), alpha) << 16) | (scaled(channel(pixel, 8), alpha) << 8)
        | scaled(channel(pixel, 0), alpha);
}

// The model of one drawing: what the pixel at (column, row) of a canvas becomes.
struct Model {
    const sim::Bitmap& picture;
    double x, y, width, height;

    uint32_t sample(int column, int row) const
    {
        bool is_exact = width == picture.width() && height == picture.height() && x == std::floor(x) && y == std::floor(y);
        if (is_exact)
            return premultiplied(picture.pixel(column - int(x), row - int(y)));
        double u = std::clamp((column + 0.5 - x) * (picture.width() / width) - 0.5, 0.0, picture.width() - 1.0);
        double v = std::clamp((row + 0.5 - y) * (picture.height() / height) - 0.5, 0.0, picture.height() - 1.0);
        int x0 = int(u), y0 = int(v);
        int x1 = std::min(x0 + 1, picture.width() - 1), y1 = std::min(y0 + 1, picture.height() - 1);
        double fx = u - x0, fy = v - y0;
        uint32_t corners[4] = { picture.pixel(x0, y0), picture.pixel(x1, y0), picture.pixel(x0, y1), picture.pixel(x1, y1) };
        double weights[4] = { (1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy };
        uint32_t result = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            double value = 0;
            for (int i = 0; i < 4; ++i)
                value += weights[i] * channel(premultiplied(corners[i]), shift);
            result |= static_cast<uint32_t>(std::lround(value)) << shift;
        }
        return result;
    }

    bool covers(int column, int row) const
    {
        auto first = [](double edge) { return static_cast<int>(std::ceil(edge - 0.5)); };
        return column >= first(x) && column < first(x + width) && row >= first(y) && row < first(y + height);
    }

    uint32_t over(uint32_t below, int column, int row) const
    {
        if (!covers(column, row))
            return below;
        uint32_t source = sample(column, row);
        uint32_t keep = 255 - (source >> 24);
        uint32_t result = 0;
        for (int shift = 0; shift < 32; shift += 8)
            result |= std::min<uint32_t>(channel(source, shift) + scaled(channel(below, shift), keep), 255) << shift;
        return result;
    }
};

// A picture with areas of every kind the skins have: opaque, fully transparent, soft edges, and
// noise with any alpha.
sim::Bitmap varied_picture(int width, int height, uint32_t seed)
{
    std::mt19937 random(seed);
    sim::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t colour = random() & 0xFFFFFF;
            uint32_t alpha = random() & 0xFF;
            if (x < width / 4)
                alpha = 255;
            else if (x < width / 2)
                alpha = y % 3 == 0 ? 0 : 255;
            else if (x < 3 * width / 4)
                alpha = (x * 37 + y * 11) & 0xFF;
            picture.set_pixel(x, y, (alpha << 24) | colour);
        }
    }
    return picture;
}

void fill_with_noise(Canvas& canvas, uint32_t seed)
{
    std::mt19937 random(seed);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x)
            canvas.set_raw(x, y, random());
    }
}

class GdiplusPixelsTest : public gdi_test::GdiplusTest {
protected:
    // Draws the picture from the file into a noisy canvas and compares every pixel with the model;
    // twice, the second time from what the first kept.
    void expect_as_modelled(Gdiplus::GpImage* image, const sim::Bitmap& picture, double x, double y, double width,
        double height)
    {
        for (int pass = 0; pass < 2; ++pass) {
            Canvas canvas(48, 40);
            fill_with_noise(canvas, 7 + pass);
            Canvas before(48, 40);
            std::copy(canvas.bits(), canvas.bits() + 48 * 40, before.bits());
            Gdiplus::GpGraphics* graphics = nullptr;
            ASSERT_EQ(GdipCreateFromHDC(canvas.dc(), &graphics), Gdiplus::Ok);
            EXPECT_EQ(GdipDrawImageRect(graphics, image, Gdiplus::REAL(x), Gdiplus::REAL(y), Gdiplus::REAL(width),
                          Gdiplus::REAL(height)),
                Gdiplus::Ok);
            GdipDeleteGraphics(graphics);
            Model model { picture, double(Gdiplus::REAL(x)), double(Gdiplus::REAL(y)), double(Gdiplus::REAL(width)),
                double(Gdiplus::REAL(height)) };
            int wrong = 0;
            for (int row = 0; row < canvas.height(); ++row) {
                for (int column = 0; column < canvas.width(); ++column) {
                    uint32_t expected = model.over(before.raw(column, row), column, row);
                    if (canvas.raw(column, row) != expected && ++wrong <= 3)
                        ADD_FAILURE() << "pass " << pass << " at (" << column << ", " << row << ") drawn " << std::hex
                                      << canvas.raw(column, row) << ", expected " << expected << std::dec << " for "
                                      << x << ", " << y << ", " << width << " x " << height;
                }
            }
        }
    }
};

}

TEST_F(GdiplusPixelsTest, EveryPixelIsThePictureSampledAndLaidOverTheTarget)
{
    for (uint32_t seed : { 1u, 2u }) {
        sim::Bitmap picture = varied_picture(16 + 5 * seed, 9 + 3 * seed, seed);
        write_png("C:\\gdiplus-pixels\\varied.png", picture);
        Gdiplus::GpImage* image = nullptr;
        ASSERT_EQ(GdipLoadImageFromFile(L"C:\\gdiplus-pixels\\varied.png", &image), Gdiplus::Ok);
        double w = picture.width();
        double h = picture.height();
        // At its own size on whole pixels, partly outside the target, off the pixel grid, stretched
        // each way, shrunk, and stretched on one axis only (as the caption strips are).
        double cases[][4] = { { 3, 4, w, h }, { -5, -2, w, h }, { 40, 35, w, h }, { 2.5, 3.25, w, h },
            { 1, 1, 46, 38 }, { 0, 0, w * 1.5, h * 2 }, { 4, 2, w / 2, h / 3 }, { 0, 5, 48, h }, { 6, 0, w, 40 },
            { -10.7, 3.4, 70.3, 17.9 }, { 5, 5, 1, 1 } };
        for (auto& draw : cases)
            expect_as_modelled(image, picture, draw[0], draw[1], draw[2], draw[3]);
        GdipDisposeImage(image);
    }
}

TEST_F(GdiplusPixelsTest, OnlyTheClipOfTheTargetIsDrawn)
{
    sim::Bitmap picture = varied_picture(20, 12, 3);
    write_png("C:\\gdiplus-pixels\\clipped.png", picture);
    Gdiplus::GpImage* image = nullptr;
    ASSERT_EQ(GdipLoadImageFromFile(L"C:\\gdiplus-pixels\\clipped.png", &image), Gdiplus::Ok);
    for (bool is_stretched : { false, true }) {
        Canvas clipped(30, 20);
        Canvas whole(30, 20);
        fill_with_noise(clipped, 5);
        fill_with_noise(whole, 5);
        HRGN clip = CreateEllipticRgn(2, 1, 25, 18);
        SelectClipRgn(clipped.dc(), clip);
        for (Canvas* canvas : { &clipped, &whole }) {
            Gdiplus::GpGraphics* graphics = nullptr;
            ASSERT_EQ(GdipCreateFromHDC(canvas->dc(), &graphics), Gdiplus::Ok);
            GdipDrawImageRectI(graphics, image, 1, 2, is_stretched ? 27 : 20, is_stretched ? 15 : 12);
            GdipDeleteGraphics(graphics);
        }
        Canvas untouched(30, 20);
        fill_with_noise(untouched, 5);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 30; ++x) {
                uint32_t expected = PtInRegion(clip, x, y) ? whole.raw(x, y) : untouched.raw(x, y);
                ASSERT_EQ(clipped.raw(x, y), expected) << x << ", " << y << (is_stretched ? " stretched" : "");
            }
        }
        DeleteObject(clip);
    }
    GdipDisposeImage(image);
}

TEST_F(GdiplusPixelsTest, APictureDrawnIntoIsStretchedAnew)
{
    Gdiplus::GpBitmap* picture = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 0, PixelFormat32bppPARGB, nullptr, &picture), Gdiplus::Ok);
    Canvas box(8, 8, RGB(0, 0, 255));
    Gdiplus::GpGraphics* onto_box = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(box.dc(), &onto_box), Gdiplus::Ok);
    GdipDrawImageRectI(onto_box, picture, 0, 0, 8, 8);
    EXPECT_EQ(box.at(4, 4), RGB(0, 0, 255)) << "a new bitmap is transparent";

    sim::Bitmap red(1, 1);
    red.set_pixel(0, 0, 0xFFFF0000);
    write_png("C:\\gdiplus-pixels\\red.png", red);
    Gdiplus::GpImage* fill = nullptr;
    ASSERT_EQ(GdipLoadImageFromFile(L"C:\\gdiplus-pixels\\red.png", &fill), Gdiplus::Ok);
    Gdiplus::GpGraphics* onto_picture = nullptr;
    ASSERT_EQ(GdipGetImageGraphicsContext(picture, &onto_picture), Gdiplus::Ok);
    GdipDrawImageRectI(onto_picture, fill, 0, 0, 2, 2);
    GdipDrawImageRectI(onto_box, picture, 0, 0, 8, 8);
    EXPECT_EQ(box.at(4, 4), RGB(255, 0, 0));

    GdipDeleteGraphics(onto_picture);
    GdipDeleteGraphics(onto_box);
    GdipDisposeImage(fill);
    GdipDisposeImage(picture);
}
