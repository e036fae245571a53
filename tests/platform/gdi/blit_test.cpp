#include "platform/win32.h"
#include "platform/sim/driver.h"
#include "tests/platform/gdi/canvas.h"

#include <gtest/gtest.h>

using gdi_test::Canvas;

namespace {

// A picture whose every pixel differs: red counts columns, green counts rows.
void paint_ramp(Canvas& canvas)
{
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x)
            SetPixelV(canvas.dc(), x, y, RGB(x * 10, y * 10, 50));
    }
}

}

TEST(BitBlt, SourceCopyPlacesTheBlockAndLeavesTheRest)
{
    Canvas source(8, 8);
    paint_ramp(source);
    Canvas target(20, 20, RGB(1, 2, 3));
    EXPECT_TRUE(BitBlt(target.dc(), 5, 6, 4, 3, source.dc(), 2, 1, SRCCOPY));
    EXPECT_EQ(target.at(5, 6), RGB(20, 10, 50));
    EXPECT_EQ(target.at(8, 8), RGB(50, 30, 50));
    EXPECT_EQ(target.at(4, 6), RGB(1, 2, 3));
    EXPECT_EQ(target.at(9, 6), RGB(1, 2, 3));
    EXPECT_EQ(target.at(5, 9), RGB(1, 2, 3));
}

TEST(BitBlt, RasterOperationsCombineSourceAndDestination)
{
    Canvas source(1, 1, RGB(0x0F, 0x30, 0x81));
    struct Case {
        DWORD rop;
        COLORREF expected;
    };
    COLORREF before = RGB(0xF1, 0x22, 0x03);
    for (auto [rop, expected] : {
             Case { SRCPAINT, RGB(0xFF, 0x32, 0x83) },
             Case { SRCAND, RGB(0x01, 0x20, 0x01) },
             Case { SRCINVERT, RGB(0xFE, 0x12, 0x82) },
             Case { BLACKNESS, RGB(0, 0, 0) },
             Case { WHITENESS, RGB(255, 255, 255) },
             Case { DSTINVERT, RGB(0x0E, 0xDD, 0xFC) },
             Case { NOTSRCCOPY, RGB(0xF0, 0xCF, 0x7E) },
         }) {
        Canvas target(1, 1, before);
        EXPECT_TRUE(BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, rop));
        EXPECT_EQ(target.at(0, 0), expected) << std::hex << rop;
    }
}

TEST(BitBlt, CopyWithinOneBitmapReadsTheOldPixels)
{
    // Scrolling a picture by two pixels to the left, as a capture follows a drag.
    Canvas canvas(10, 4);
    paint_ramp(canvas);
    EXPECT_TRUE(BitBlt(canvas.dc(), 0, 0, 10, 4, canvas.dc(), 2, 0, SRCCOPY));
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(canvas.at(x, 1), RGB((x + 2) * 10, 10, 50)) << x;
    EXPECT_EQ(canvas.at(8, 1), RGB(80, 10, 50)) << "columns without a source keep their pixels";
    // And to the right, where a naive copy would smear the first column.
    paint_ramp(canvas);
    BitBlt(canvas.dc(), 3, 0, 7, 4, canvas.dc(), 0, 0, SRCCOPY);
    for (int x = 3; x < 10; ++x)
        EXPECT_EQ(canvas.at(x, 2), RGB((x - 3) * 10, 20, 50)) << x;
}

TEST(BitBlt, CopyWithinOneWindowMeasuresFromItsClientArea)
{
    // A framed window's client area starts inside its surface; a copy within its DC reads the
    // client pixels it names, before any of them changed, also when mirrored.
    sim::driver::reset();
    HWND hwnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 60, 60, nullptr,
        nullptr, nullptr, nullptr);
    HDC dc = GetDC(hwnd);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 10; ++x)
            SetPixelV(dc, x, y, RGB(x * 10, y * 10, 50));
    }
    EXPECT_TRUE(BitBlt(dc, 1, 1, 6, 3, dc, 3, 2, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(30, 20, 50));
    EXPECT_EQ(GetPixel(dc, 6, 3), RGB(80, 40, 50));
    EXPECT_EQ(GetPixel(dc, 7, 3), RGB(70, 30, 50));
    EXPECT_TRUE(StretchBlt(dc, 0, 5, 4, 1, dc, 3, 5, -4, 1, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 0, 5), RGB(30, 50, 50));
    EXPECT_EQ(GetPixel(dc, 3, 5), RGB(0, 50, 50));
    ReleaseDC(hwnd, dc);
    DestroyWindow(hwnd);
}

TEST(BitBlt, MonochromeBitmapsConvertThroughTheColours)
{
    Canvas color(2, 1, RGB(255, 0, 0));
    SetPixelV(color.dc(), 1, 0, RGB(0, 0, 255));
    HDC mask_dc = CreateCompatibleDC(color.dc());
    HBITMAP mask = CreateCompatibleBitmap(mask_dc, 2, 1);
    BITMAP info {};
    ASSERT_EQ(GetObjectA(mask, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1) << "a fresh memory DC makes monochrome bitmaps";
    HGDIOBJ old = SelectObject(mask_dc, mask);
    // Pixels of the source's background colour turn white, all others black.
    SetBkColor(color.dc(), RGB(255, 0, 0));
    BitBlt(mask_dc, 0, 0, 2, 1, color.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(mask_dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(mask_dc, 1, 0), RGB(0, 0, 0));
    // Back into colour, white takes the destination's background colour and black its text colour.
    Canvas target(2, 1);
    SetBkColor(target.dc(), RGB(0, 200, 0));
    SetTextColor(target.dc(), RGB(7, 7, 7));
    BitBlt(target.dc(), 0, 0, 2, 1, mask_dc, 0, 0, SRCCOPY);
    EXPECT_EQ(target.at(0, 0), RGB(0, 200, 0));
    EXPECT_EQ(target.at(1, 0), RGB(7, 7, 7));
    SelectObject(mask_dc, old);
    DeleteObject(mask);
    DeleteDC(mask_dc);
}

TEST(StretchBlt, EnlargesAndMirrorsWithNegativeExtents)
{
    Canvas source(4, 3);
    paint_ramp(source);
    Canvas target(20, 20, RGB(9, 9, 9));
    SetStretchBltMode(target.dc(), COLORONCOLOR);
    EXPECT_TRUE(StretchBlt(target.dc(), 0, 0, 8, 6, source.dc(), 0, 0, 4, 3, SRCCOPY));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(target.at(x, y), RGB(x / 2 * 10, y / 2 * 10, 50)) << x << "," << y;
    }
    EXPECT_EQ(target.at(8, 0), RGB(9, 9, 9));

    // A negative width anchored at x = 12 puts the first source column on column 12 and runs left.
    target.fill_with(RGB(9, 9, 9));
    EXPECT_TRUE(StretchBlt(target.dc(), 12, 0, -4, 3, source.dc(), 0, 0, 4, 3, SRCCOPY));
    for (int x = 9; x <= 12; ++x)
        EXPECT_EQ(target.at(x, 1), RGB((12 - x) * 10, 10, 50)) << x;
    EXPECT_EQ(target.at(8, 1), RGB(9, 9, 9));
    EXPECT_EQ(target.at(13, 1), RGB(9, 9, 9));

    // A negative height anchored at row 10 puts the first source row on row 10 and runs up.
    target.fill_with(RGB(9, 9, 9));
    EXPECT_TRUE(StretchBlt(target.dc(), 0, 10, 4, -3, source.dc(), 0, 0, 4, 3, SRCCOPY));
    for (int y = 8; y <= 10; ++y)
        EXPECT_EQ(target.at(2, y), RGB(20, (10 - y) * 10, 50)) << y;
    EXPECT_EQ(target.at(2, 7), RGB(9, 9, 9));
}

TEST(PlgBlt, ParallelogramMakesALeftRightMirrorAndAZoom)
{
    Canvas source(32, 24);
    paint_ramp(source);
    Canvas target(32, 24, RGB(0, 0, 0));
    POINT mirror[3] = { { 32, 0 }, { 0, 0 }, { 32, 24 } };
    EXPECT_TRUE(PlgBlt(target.dc(), mirror, source.dc(), 0, 0, 32, 24, nullptr, 0, 0));
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(target.at(x, y), source.at(31 - x, y)) << x << "," << y;
    }
    // Twice the size about the centre: the middle of the target shows the middle of the source.
    target.fill_with(RGB(0, 0, 0));
    POINT zoom[3] = { { 48, -12 }, { -16, -12 }, { 48, 36 } };
    EXPECT_TRUE(PlgBlt(target.dc(), zoom, source.dc(), 0, 0, 32, 24, nullptr, 0, 0));
    EXPECT_EQ(target.at(16, 12), source.at(15, 12));
    EXPECT_EQ(target.at(0, 0), source.at(23, 6));
    EXPECT_EQ(target.at(31, 23), source.at(8, 17));
    POINT flat[3] = { { 0, 0 }, { 10, 0 }, { 20, 0 } };
    EXPECT_FALSE(PlgBlt(target.dc(), flat, source.dc(), 0, 0, 32, 24, nullptr, 0, 0));
}

TEST(AlphaBlend, ConstantAlphaMixesEveryChannel)
{
    Canvas source(4, 4, RGB(255, 255, 255));
    Canvas target(4, 4, RGB(0, 0, 0));
    BLENDFUNCTION half { AC_SRC_OVER, 0, 128, 0 };
    EXPECT_TRUE(AlphaBlend(target.dc(), 0, 0, 2, 4, source.dc(), 0, 0, 2, 4, half));
    EXPECT_EQ(target.at(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(target.at(2, 0), RGB(0, 0, 0));

    Canvas frame(1, 1, RGB(200, 100, 0));
    Canvas caption(1, 1, RGB(0, 100, 200));
    for (auto [alpha, expected] : { std::pair { 0, RGB(200, 100, 0) }, { 255, RGB(0, 100, 200) }, { 195, RGB(47, 100, 153) } }) {
        frame.fill_with(RGB(200, 100, 0));
        BLENDFUNCTION blend { AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0 };
        AlphaBlend(frame.dc(), 0, 0, 1, 1, caption.dc(), 0, 0, 1, 1, blend);
        EXPECT_EQ(frame.at(0, 0), expected) << alpha;
    }
    BLENDFUNCTION bad { 1, 0, 128, 0 };
    EXPECT_FALSE(AlphaBlend(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 1, 1, bad));
    EXPECT_FALSE(AlphaBlend(target.dc(), 0, 0, -1, 1, source.dc(), 0, 0, 1, 1, half));
}

TEST(AlphaBlend, PerPixelAlphaTakesPremultipliedSources)
{
    Canvas source(3, 1);
    source.set_raw(0, 0, 0x80800000); // red at half coverage, premultiplied
    source.set_raw(1, 0, 0x00000000); // fully transparent
    source.set_raw(2, 0, 0xFF00FF00); // opaque green
    Canvas target(3, 1, RGB(0, 0, 255));
    BLENDFUNCTION blend { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
    EXPECT_TRUE(AlphaBlend(target.dc(), 0, 0, 3, 1, source.dc(), 0, 0, 3, 1, blend));
    EXPECT_EQ(target.at(0, 0), RGB(128, 0, 127));
    EXPECT_EQ(target.at(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(target.at(2, 0), RGB(0, 255, 0));
    // The constant scales the per-pixel alpha too.
    target.fill_with(RGB(0, 0, 255));
    BLENDFUNCTION half { AC_SRC_OVER, 0, 128, AC_SRC_ALPHA };
    AlphaBlend(target.dc(), 0, 0, 3, 1, source.dc(), 0, 0, 3, 1, half);
    EXPECT_EQ(target.at(2, 0), RGB(0, 128, 127));
}

TEST(TransparentBlt, LeavesOutTheKeyColour)
{
    Canvas source(2, 1, RGB(255, 0, 255));
    SetPixelV(source.dc(), 1, 0, RGB(10, 20, 30));
    Canvas target(2, 1, RGB(1, 1, 1));
    EXPECT_TRUE(TransparentBlt(target.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 2, 1, RGB(255, 0, 255)));
    EXPECT_EQ(target.at(0, 0), RGB(1, 1, 1));
    EXPECT_EQ(target.at(1, 0), RGB(10, 20, 30));
}
