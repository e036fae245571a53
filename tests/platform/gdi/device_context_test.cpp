#include "platform/win32.h"
#include "tests/platform/gdi/canvas.h"

#include <gtest/gtest.h>

#include <cstring>

using gdi_test::Canvas;

TEST(DeviceContext, SaveAndRestoreBringBackObjectsColoursAndClip)
{
    Canvas canvas(10, 10, RGB(0, 0, 0));
    HDC dc = canvas.dc();
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HGDIOBJ first_pen = SelectObject(dc, pen);
    SetTextColor(dc, RGB(10, 20, 30));
    int level = SaveDC(dc);
    EXPECT_EQ(level, 1);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    SetTextColor(dc, RGB(99, 99, 99));
    IntersectClipRect(dc, 0, 0, 2, 2);
    EXPECT_EQ(SaveDC(dc), 2);
    SetBkMode(dc, TRANSPARENT);
    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetTextColor(dc), RGB(99, 99, 99));
    EXPECT_TRUE(RestoreDC(dc, level));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetTextColor(dc), RGB(10, 20, 30));
    RECT box {};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 10) << "the clip from after the save is gone";
    EXPECT_FALSE(RestoreDC(dc, 1)) << "nothing is saved any more";
    SelectObject(dc, first_pen);
    DeleteObject(pen);
}

TEST(DeviceContext, ClipRectanglesNarrowAndWiden)
{
    Canvas canvas(10, 10, RGB(0, 0, 0));
    HDC dc = canvas.dc();
    EXPECT_EQ(IntersectClipRect(dc, 2, 2, 8, 8), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(dc, 4, 4, 6, 6), COMPLEXREGION);
    canvas.fill_with(RGB(255, 255, 255));
    EXPECT_EQ(canvas.count(RGB(255, 255, 255)), 36 - 4);
    EXPECT_EQ(canvas.at(5, 5), RGB(0, 0, 0));
    HRGN saved = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, saved), 1);
    EXPECT_FALSE(PtInRegion(saved, 5, 5));
    EXPECT_TRUE(PtInRegion(saved, 2, 2));
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(GetClipRgn(dc, saved), 0);
    DeleteObject(saved);
}

TEST(GdiObjects, SelectionRulesAndDescriptions)
{
    Canvas one(4, 4);
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, one.bitmap()), nullptr) << "a bitmap lives in one DC at a time";
    EXPECT_EQ(GetObjectType(other), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(one.bitmap()), static_cast<DWORD>(OBJ_BITMAP));
    DeleteDC(other);

    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), static_cast<DWORD>(OBJ_BRUSH)) << "stock objects stay";
    EXPECT_FALSE(DeleteObject(nullptr));

    HPEN pen = CreatePen(PS_DOT, 1, RGB(4, 5, 6));
    LOGPEN pen_description {};
    EXPECT_EQ(GetObjectA(pen, sizeof pen_description, &pen_description), static_cast<int>(sizeof pen_description));
    EXPECT_EQ(pen_description.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(pen_description.lopnColor, RGB(4, 5, 6));
    LOGFONTA wanted {};
    wanted.lfHeight = -15;
    wanted.lfWeight = FW_BOLD;
    std::strcpy(wanted.lfFaceName, "Segoe UI");
    HFONT font = CreateFontIndirectA(&wanted);
    LOGFONTA font_description {};
    GetObjectA(font, sizeof font_description, &font_description);
    EXPECT_EQ(font_description.lfHeight, -15);
    EXPECT_STREQ(font_description.lfFaceName, "Segoe UI");
    HGDIOBJ old = SelectObject(one.dc(), font);
    char face[LF_FACESIZE] {};
    GetTextFaceA(one.dc(), LF_FACESIZE, face);
    EXPECT_STREQ(face, "Segoe UI");
    SelectObject(one.dc(), old);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST(GdiObjects, DeletedSelectedPenFallsBackToTheDefault)
{
    // A program that deletes a pen still selected draws on with the stock pen instead of failing.
    Canvas canvas(4, 1, RGB(255, 255, 255));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    SelectObject(canvas.dc(), pen);
    DeleteObject(pen);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 4, 0);
    EXPECT_EQ(canvas.at(1, 0), RGB(0, 0, 0));
}
