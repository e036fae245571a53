#include "platform/win32.h"
#include "tests/platform/gdi/canvas.h"

#include <gtest/gtest.h>

#include <climits>

using gdi_test::Canvas;

TEST(AbsurdSizes, BitmapsOfBillionsOfPixelsOrNegativeSizesFail)
{
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 100000, 100000), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, INT_MAX, INT_MAX), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, -5, 10), nullptr);
    EXPECT_EQ(CreateBitmap(INT_MAX, 2, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(10, -1, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(10, 10, 1, 64, nullptr), nullptr);
    ReleaseDC(nullptr, screen);

    void* bits = &bits;
    for (auto [width, height] : { std::pair { 70000, 70000 }, { INT_MAX, 1 }, { 1, INT_MIN }, { -4, 4 }, { 0, 4 },
             { 4, 0 }, { 0x40000000, -2 } }) {
        BITMAPINFO info = gdi_test::dib_header(width, height, 32);
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << width << " x " << height;
        EXPECT_EQ(bits, nullptr);
    }
}

TEST(AbsurdSizes, AZeroSizeGivesTheOnePixelMonochromeBitmap)
{
    HDC screen = GetDC(nullptr);
    for (HBITMAP bitmap : { CreateCompatibleBitmap(screen, 0, 10), CreateBitmap(0, 0, 1, 32, nullptr) }) {
        BITMAP description {};
        ASSERT_EQ(GetObjectA(bitmap, sizeof description, &description), static_cast<int>(sizeof description));
        EXPECT_EQ(description.bmWidth, 1);
        EXPECT_EQ(description.bmHeight, 1);
        EXPECT_EQ(description.bmBitsPixel, 1);
        DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
}

TEST(AbsurdSizes, TransfersBeyondTheCoordinateSpaceFailAndHugeOnesWithinItClip)
{
    Canvas target(8, 8, RGB(0, 0, 0));
    Canvas source(8, 8, RGB(255, 0, 0));
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, INT_MAX, INT_MAX, source.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(target.dc(), INT_MIN, 0, 16, 16, source.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(StretchBlt(target.dc(), 0, 0, 8, 8, source.dc(), 0, 0, INT_MAX, -INT_MAX, SRCCOPY));
    EXPECT_FALSE(StretchBlt(target.dc(), -2000000000, 0, 2000000000, 8, source.dc(), 0, 0, 8, 8, SRCCOPY));
    EXPECT_FALSE(PatBlt(target.dc(), 0, 0, INT_MAX, 4, PATCOPY));
    BLENDFUNCTION blend { AC_SRC_OVER, 0, 255, 0 };
    EXPECT_FALSE(AlphaBlend(target.dc(), 0, 0, INT_MAX, 8, source.dc(), 0, 0, 8, 8, blend));
    EXPECT_EQ(target.count(RGB(0, 0, 0)), 64) << "nothing was drawn";

    // Far-reaching extents inside the coordinate space draw what falls on the bitmap.
    EXPECT_TRUE(StretchBlt(target.dc(), -100000000, 0, 100000004, 8, source.dc(), 0, 0, 8, 8, SRCCOPY));
    EXPECT_EQ(target.at(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(target.at(4, 3), RGB(0, 0, 0));
    RECT everything { INT_MIN, INT_MIN, INT_MAX, INT_MAX };
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    EXPECT_TRUE(FillRect(target.dc(), &everything, blue));
    DeleteObject(blue);
    EXPECT_EQ(target.count(RGB(0, 0, 255)), 64);

    // Shrinking in the default mode gathers runs of source pixels: only those on the bitmap count.
    EXPECT_TRUE(StretchBlt(target.dc(), 0, 0, 8, 8, source.dc(), -100000000, -100000000, 200000000, 200000000, SRCCOPY));
    EXPECT_EQ(target.at(4, 4), RGB(255, 0, 0));
    EXPECT_EQ(target.count(RGB(0, 0, 255)), 63);
}

TEST(AbsurdSizes, RegionsAreCutToTheCoordinateSpaceAndHugeCurvesFail)
{
    HRGN all = CreateRectRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    RECT box {};
    GetRgnBox(all, &box);
    EXPECT_EQ(box.left, -(1 << 27));
    EXPECT_EQ(box.right, (1 << 27) - 1);
    EXPECT_TRUE(PtInRegion(all, 1000000, -1000000));
    EXPECT_EQ(OffsetRgn(all, INT_MAX, 0), ERROR);
    GetRgnBox(all, &box);
    EXPECT_EQ(box.left, -(1 << 27)) << "a refused offset leaves the region";
    HRGN small = CreateRectRgn(0, 0, 10, 10);
    EXPECT_EQ(CombineRgn(small, small, all, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(OffsetRgn(small, 5, 5), SIMPLEREGION);

    EXPECT_EQ(CreateEllipticRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX), nullptr);
    EXPECT_EQ(CreateRoundRectRgn(0, 0, 100, 50000000, 20, 20), nullptr);
    POINT tall[] = { { 0, 0 }, { 10, 0 }, { 5, 2000000000 } };
    EXPECT_EQ(CreatePolygonRgn(tall, 3, ALTERNATE), nullptr);
    HRGN ellipse = CreateEllipticRgn(0, 0, 2000, 2000);
    EXPECT_NE(ellipse, nullptr);
    for (HRGN region : { all, small, ellipse })
        DeleteObject(region);

    Canvas canvas(8, 8);
    EXPECT_FALSE(Ellipse(canvas.dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_FALSE(Rectangle(canvas.dc(), INT_MIN, 0, 4, 4));
    POINT huge[] = { { 0, 0 }, { 8, 0 }, { 4, 50000000 } };
    EXPECT_FALSE(Polygon(canvas.dc(), huge, 3));
}

TEST(AbsurdSizes, LinesFarLongerThanTheSurfaceDrawWhatFallsOnIt)
{
    Canvas canvas(8, 8, RGB(255, 255, 255));
    MoveToEx(canvas.dc(), -10000000, 3, nullptr);
    EXPECT_TRUE(LineTo(canvas.dc(), 10000000, 3));
    EXPECT_EQ(canvas.count(RGB(0, 0, 0)), 8);
    EXPECT_EQ(canvas.at(0, 3), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(7, 3), RGB(0, 0, 0));
    // A diagonal from far away lands on the same pixels as one from the surface's corner.
    MoveToEx(canvas.dc(), -5000000, -5000000, nullptr);
    EXPECT_TRUE(LineTo(canvas.dc(), 8, 8));
    EXPECT_EQ(canvas.at(5, 5), RGB(0, 0, 0));
    EXPECT_EQ(canvas.count(RGB(0, 0, 0)), 15);
    EXPECT_FALSE(LineTo(canvas.dc(), INT_MAX, 0));
    POINT beyond[] = { { 0, 0 }, { INT_MIN, 5 } };
    EXPECT_FALSE(Polyline(canvas.dc(), beyond, 2));
}
