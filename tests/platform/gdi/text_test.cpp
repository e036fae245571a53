#include "platform/win32.h"
#include "tests/platform/gdi/canvas.h"

#include <gtest/gtest.h>

#include <cstring>

using gdi_test::Canvas;

namespace {

HFONT make_font(const char* face, int height, int weight)
{
    LOGFONTA description {};
    description.lfHeight = height;
    description.lfWeight = weight;
    description.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&description);
}

SIZE extent_of(HDC dc, const char* text)
{
    SIZE size {};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size));
    return size;
}

// The bounding box of the pixels that are not the background colour.
RECT inked_area(const Canvas& canvas, COLORREF background)
{
    RECT box { canvas.width(), canvas.height(), -1, -1 };
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.at(x, y) == background)
                continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box;
}

}

TEST(Text, DrawnInTheFontAndMeasuredByIt)
{
    Canvas canvas(200, 40, RGB(255, 255, 255));
    canvas.select(make_font("Segoe UI", -12, FW_NORMAL));
    SetTextColor(canvas.dc(), RGB(0, 0, 0));
    SetBkMode(canvas.dc(), TRANSPARENT);
    EXPECT_TRUE(TextOutA(canvas.dc(), 10, 5, "Kelmor", 6));
    RECT ink = inked_area(canvas, RGB(255, 255, 255));
    int dark = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x)
            dark += GetRValue(canvas.at(x, y)) < 100;
    }
    EXPECT_GT(dark, 20) << "the glyphs have dark cores";
    SIZE size = extent_of(canvas.dc(), "Kelmor");
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 10 + size.cx + 1);
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.bottom, 5 + size.cy);
    EXPECT_GT(ink.right - ink.left, size.cx / 2);

    EXPECT_LT(extent_of(canvas.dc(), "Kel").cx, extent_of(canvas.dc(), "Kelmor").cx);
    EXPECT_LT(extent_of(canvas.dc(), "Kelmor").cx, extent_of(canvas.dc(), "Kelmor 2").cx);
    EXPECT_EQ(extent_of(canvas.dc(), "").cx, 0);
    EXPECT_EQ(extent_of(canvas.dc(), "").cy, 0) << "no characters have no height either";

    TEXTMETRICA metrics {};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &metrics));
    EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 12) << "a negative height is the character height";
    EXPECT_EQ(size.cy, metrics.tmHeight);

    // A bold face of the same size is wider; a positive height is the cell height.
    canvas.select(make_font("Segoe UI", -12, FW_BOLD));
    EXPECT_GT(extent_of(canvas.dc(), "Kelmor").cx, size.cx);
    canvas.select(make_font("Tahoma", 20, FW_NORMAL));
    GetTextMetricsA(canvas.dc(), &metrics);
    EXPECT_EQ(metrics.tmHeight, 20);
}

TEST(Text, OpaqueBackgroundAndAlignment)
{
    Canvas canvas(100, 30, RGB(255, 255, 255));
    canvas.select(make_font("MS Sans Serif", -11, FW_NORMAL));
    SetBkMode(canvas.dc(), OPAQUE);
    SetBkColor(canvas.dc(), RGB(0, 0, 255));
    SetTextAlign(canvas.dc(), TA_RIGHT | TA_TOP);
    TextOutA(canvas.dc(), 90, 2, "ab", 2);
    SIZE size = extent_of(canvas.dc(), "ab");
    EXPECT_EQ(canvas.at(90 - size.cx, 2), RGB(0, 0, 255));
    EXPECT_EQ(canvas.at(90, 2), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(90 - size.cx - 1, 2), RGB(255, 255, 255));
}

TEST(DrawText, CalculatesWrapsAndAligns)
{
    Canvas canvas(300, 200, RGB(255, 255, 255));
    canvas.select(make_font("Segoe UI", -12, FW_NORMAL));
    SetBkMode(canvas.dc(), TRANSPARENT);
    TEXTMETRICA metrics {};
    GetTextMetricsA(canvas.dc(), &metrics);

    const char* text = "Enable VidoVazezodura on every border";
    RECT one_line { 0, 0, 1000, 0 };
    EXPECT_EQ(DrawTextA(canvas.dc(), text, -1, &one_line, DT_CALCRECT | DT_SINGLELINE), metrics.tmHeight);
    EXPECT_EQ(one_line.right, extent_of(canvas.dc(), text).cx);
    RECT narrow { 0, 0, one_line.right / 2, 0 };
    int height = DrawTextA(canvas.dc(), text, -1, &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(height, 2 * metrics.tmHeight);
    EXPECT_EQ(narrow.bottom, height);
    EXPECT_LE(narrow.right, one_line.right / 2);
    EXPECT_EQ(canvas.count(RGB(255, 255, 255)), 300 * 200) << "measuring draws nothing";

    // "&&" stands for one ampersand; the prefix itself takes no room.
    RECT prefix { 0, 0, 1000, 0 };
    DrawTextA(canvas.dc(), "a&&b", -1, &prefix, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefix.right, extent_of(canvas.dc(), "a&b").cx);
    RECT plain { 0, 0, 1000, 0 };
    DrawTextA(canvas.dc(), "a&&b", -1, &plain, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(plain.right, extent_of(canvas.dc(), "a&&b").cx);

    RECT box { 0, 0, 300, 40 };
    DrawTextA(canvas.dc(), "Close", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT ink = inked_area(canvas, RGB(255, 255, 255));
    int width = extent_of(canvas.dc(), "Close").cx;
    EXPECT_NEAR((ink.left + ink.right) / 2, 150, 3);
    EXPECT_GE(ink.left, 150 - width / 2 - 1);
    EXPECT_NEAR((ink.top + ink.bottom) / 2, 20, metrics.tmHeight / 2);

    // Without DT_NOCLIP nothing lands outside the rectangle.
    canvas.fill_with(RGB(255, 255, 255));
    RECT small { 10, 10, 20, 14 };
    DrawTextA(canvas.dc(), "Wide text", -1, &small, DT_LEFT);
    ink = inked_area(canvas, RGB(255, 255, 255));
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 20);
    EXPECT_LE(ink.bottom, 14);
}
