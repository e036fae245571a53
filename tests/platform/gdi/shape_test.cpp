#include "platform/win32.h"
#include "platform/sim/gdi/gdi_link.h"
#include "tests/platform/gdi/canvas.h"

#include <gtest/gtest.h>

#include <vector>

using gdi_test::Canvas;

namespace {

std::vector<uint32_t> snapshot(const Canvas& canvas)
{
    return std::vector<uint32_t>(canvas.bits(), canvas.bits() + canvas.width() * canvas.height());
}

}

TEST(MixMode, EllipseDrawnTwiceWithNotLeavesThePictureUnchanged)
{
    Canvas canvas(40, 40);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x)
            SetPixelV(canvas.dc(), x, y, RGB(x * 6, y * 6, (x + y) * 3));
    }
    auto before = snapshot(canvas);
    SetROP2(canvas.dc(), R2_NOT);
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(Ellipse(canvas.dc(), 5, 5, 16, 16));
    auto once = snapshot(canvas);
    EXPECT_NE(once, before);
    EXPECT_EQ(canvas.at(10, 5), RGB(255 - 60, 255 - 30, 255 - 45)) << "the top of the circle is inverted";
    EXPECT_EQ(canvas.at(10, 10), RGB(60, 60, 60)) << "a null brush leaves the inside";
    EXPECT_TRUE(Ellipse(canvas.dc(), 5, 5, 16, 16));
    EXPECT_EQ(snapshot(canvas), before);

    // With a brush the inside is inverted too, each pixel exactly once.
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    canvas.select(CreatePen(PS_SOLID, 3, RGB(0, 0, 0)));
    Ellipse(canvas.dc(), 2, 3, 30, 25);
    EXPECT_EQ(canvas.at(16, 14), RGB(255 - 96, 255 - 84, 255 - 90));
    Ellipse(canvas.dc(), 2, 3, 30, 25);
    EXPECT_EQ(snapshot(canvas), before);
}

TEST(MixMode, XorPenTicksTwiceVanish)
{
    Canvas canvas(20, 5, RGB(30, 60, 90));
    auto before = snapshot(canvas);
    canvas.select(CreatePen(PS_SOLID, 2, RGB(255, 255, 255)));
    EXPECT_EQ(SetROP2(canvas.dc(), R2_XORPEN), R2_COPYPEN);
    for (int pass = 0; pass < 2; ++pass) {
        MoveToEx(canvas.dc(), 2, 2, nullptr);
        LineTo(canvas.dc(), 8, 2);
        if (pass == 0) {
            EXPECT_EQ(canvas.at(4, 2), RGB(225, 195, 165));
        }
    }
    EXPECT_EQ(snapshot(canvas), before);
}

TEST(Lines, LeaveOutTheEndPointAndMoveThePosition)
{
    Canvas canvas(10, 10, RGB(0, 0, 0));
    canvas.select(CreatePen(PS_SOLID, 1, RGB(100, 200, 50)));
    MoveToEx(canvas.dc(), 1, 3, nullptr);
    EXPECT_TRUE(LineTo(canvas.dc(), 6, 3));
    EXPECT_EQ(canvas.count(RGB(100, 200, 50)), 5);
    EXPECT_EQ(canvas.at(1, 3), RGB(100, 200, 50));
    EXPECT_EQ(canvas.at(5, 3), RGB(100, 200, 50));
    EXPECT_EQ(canvas.at(6, 3), RGB(0, 0, 0));
    POINT position {};
    GetCurrentPositionEx(canvas.dc(), &position);
    EXPECT_EQ(position.x, 6);
    LineTo(canvas.dc(), 6, 8);
    EXPECT_EQ(canvas.at(6, 3), RGB(100, 200, 50));
    EXPECT_EQ(canvas.at(6, 8), RGB(0, 0, 0));
    EXPECT_EQ(canvas.count(RGB(100, 200, 50)), 10);
}

TEST(Lines, DottedPenLeavesGapsThatAnOpaqueBackgroundFills)
{
    Canvas canvas(12, 2, RGB(0, 0, 0));
    canvas.select(CreatePen(PS_DOT, 1, RGB(255, 255, 255)));
    SetBkMode(canvas.dc(), TRANSPARENT);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 12, 0);
    int lit = canvas.count(RGB(255, 255, 255));
    EXPECT_GT(lit, 0);
    EXPECT_LT(lit, 12);
    SetBkMode(canvas.dc(), OPAQUE);
    SetBkColor(canvas.dc(), RGB(0, 0, 255));
    MoveToEx(canvas.dc(), 0, 1, nullptr);
    LineTo(canvas.dc(), 12, 1);
    for (int x = 0; x < 12; ++x)
        EXPECT_NE(canvas.at(x, 1), RGB(0, 0, 0)) << x;
}

TEST(Shapes, RoundRectOutlineFollowsTheWindowRegion)
{
    // A border's outer line drawn at the form's size lies exactly on the edge of its rounded region.
    Canvas canvas(100, 50, RGB(0, 0, 0));
    canvas.select(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(RoundRect(canvas.dc(), 0, 0, 100, 50, 9, 9));
    HRGN region = CreateRoundRectRgn(0, 0, 101, 51, 9, 9);
    auto* shape = sim::region_of(region);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x) {
            bool is_edge = shape->contains(x, y)
                && !(shape->contains(x - 1, y) && shape->contains(x + 1, y) && shape->contains(x, y - 1) && shape->contains(x, y + 1));
            if (is_edge) {
                ASSERT_EQ(canvas.at(x, y), RGB(255, 255, 255)) << x << "," << y;
            }
            if (!shape->contains(x, y)) {
                ASSERT_EQ(canvas.at(x, y), RGB(0, 0, 0)) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(canvas.at(50, 25), RGB(0, 0, 0));
    DeleteObject(region);
}

TEST(Shapes, RectangleWithoutPenFillsOnePixelLess)
{
    Canvas canvas(10, 10, RGB(0, 0, 0));
    canvas.select(CreateSolidBrush(RGB(0, 255, 0)));
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    Rectangle(canvas.dc(), 1, 1, 5, 5);
    EXPECT_EQ(canvas.count(RGB(0, 255, 0)), 9);
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    canvas.fill_with(RGB(255, 255, 255));
    Rectangle(canvas.dc(), 1, 1, 5, 5);
    EXPECT_EQ(canvas.count(RGB(0, 0, 0)), 12);
    EXPECT_EQ(canvas.count(RGB(0, 255, 0)), 4);
}

TEST(Shapes, FramesAndSunkenEdges)
{
    Canvas canvas(10, 10, RGB(255, 255, 255));
    RECT rect { 2, 2, 8, 8 };
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    EXPECT_EQ(FrameRect(canvas.dc(), &rect, brush), 1);
    EXPECT_EQ(canvas.count(RGB(9, 9, 9)), 20);
    DeleteObject(brush);

    canvas.fill_with(RGB(255, 0, 0));
    RECT edge { 1, 1, 9, 9 };
    EXPECT_TRUE(DrawEdge(canvas.dc(), &edge, BDR_SUNKENINNER, BF_RECT | BF_ADJUST));
    COLORREF dark = GetSysColor(21);
    COLORREF light = GetSysColor(22);
    EXPECT_EQ(canvas.at(1, 1), dark);
    EXPECT_EQ(canvas.at(4, 1), dark);
    EXPECT_EQ(canvas.at(1, 4), dark);
    EXPECT_EQ(canvas.at(8, 4), light);
    EXPECT_EQ(canvas.at(4, 8), light);
    EXPECT_EQ(canvas.at(4, 4), RGB(255, 0, 0));
    EXPECT_EQ(edge.left, 2);
    EXPECT_EQ(edge.bottom, 8);
}

TEST(Lines, APlainLineCoversTheSamePixelsAsAPolylineInsideAnyClip)
{
    // A polyline with a zero-length last segment takes the general path; a line from LineTo walks its
    // pixels directly. Both must agree, through a clip made of two separate boxes, and a line drawn
    // twice with the xor pen must vanish.
    const POINT ends[][2] = { { { 2, 3 }, { 37, 11 } }, { { 37, 29 }, { 1, 2 } }, { { 25, 1 }, { 25, 38 } },
        { { 39, 5 }, { -10, 5 } }, { { 5, 35 }, { 30, 0 } }, { { -50, -40 }, { 90, 70 } } };
    for (auto& line : ends) {
        Canvas walked(40, 40, RGB(10, 20, 30));
        Canvas general(40, 40, RGB(10, 20, 30));
        for (Canvas* canvas : { &walked, &general }) {
            canvas->select(CreatePen(PS_SOLID, 1, RGB(250, 240, 230)));
            HRGN clip = CreateRectRgn(0, 0, 15, 40);
            HRGN second = CreateRectRgn(22, 4, 40, 30);
            CombineRgn(clip, clip, second, RGN_OR);
            SelectClipRgn(canvas->dc(), clip);
            DeleteObject(second);
            DeleteObject(clip);
            SetROP2(canvas->dc(), R2_XORPEN);
        }
        auto before = snapshot(walked);
        MoveToEx(walked.dc(), line[0].x, line[0].y, nullptr);
        LineTo(walked.dc(), line[1].x, line[1].y);
        const POINT points[] = { line[0], line[1], line[1] };
        Polyline(general.dc(), points, 3);
        EXPECT_EQ(snapshot(walked), snapshot(general)) << line[0].x << "," << line[0].y;
        EXPECT_NE(snapshot(walked), before);
        MoveToEx(walked.dc(), line[0].x, line[0].y, nullptr);
        LineTo(walked.dc(), line[1].x, line[1].y);
        EXPECT_EQ(snapshot(walked), before);
    }
}
