// GDI knows no alpha: what it draws into a 32-bit bitmap has the alpha byte 0, raster operations
// work on all 32 bits, and conversions from other formats give alpha 0.
#include "platform/sim/driver.h"
#include "platform/win32.h"
#include "tests/platform/gdi/canvas.h"
#include "tests/platform/user/desktop_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using gdi_test::Canvas;

namespace {

constexpr uint32_t background = 0x80123456;

// Fills the canvas with a pixel of a half alpha, draws, and answers the pixels that changed.
std::vector<uint32_t> changed_by(const std::function<void(Canvas&)>& draw)
{
    Canvas canvas(40, 40);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x)
            canvas.set_raw(x, y, background);
    }
    draw(canvas);
    std::vector<uint32_t> changed;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.raw(x, y) != background)
                changed.push_back(canvas.raw(x, y));
        }
    }
    return changed;
}


}

TEST(GdiAlpha, EveryDrawingPrimitiveLeavesTheAlphaByteZero)
{
    RECT box { 5, 5, 30, 30 };
    POINT triangle[] = { { 2, 2 }, { 30, 4 }, { 10, 35 } };
    std::vector<std::pair<std::string, std::function<void(Canvas&)>>> primitives {
        { "FillRect", [&](Canvas& c) { FillRect(c.dc(), &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))); } },
        { "FrameRect", [&](Canvas& c) { FrameRect(c.dc(), &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); } },
        { "PatBlt", [](Canvas& c) { PatBlt(c.dc(), 0, 0, 10, 10, PATCOPY); } },
        { "Rectangle", [](Canvas& c) { Rectangle(c.dc(), 3, 3, 20, 20); } },
        { "Ellipse", [](Canvas& c) { Ellipse(c.dc(), 3, 3, 30, 25); } },
        { "RoundRect", [](Canvas& c) { RoundRect(c.dc(), 3, 3, 30, 25, 8, 8); } },
        { "Polygon", [&](Canvas& c) { Polygon(c.dc(), triangle, 3); } },
        { "LineTo", [](Canvas& c) {
             c.select(CreatePen(PS_SOLID, 3, RGB(255, 255, 255)));
             MoveToEx(c.dc(), 0, 0, nullptr);
             LineTo(c.dc(), 39, 30);
         } },
        { "dashed line", [](Canvas& c) {
             c.select(CreatePen(PS_DOT, 1, RGB(0, 0, 255)));
             MoveToEx(c.dc(), 0, 10, nullptr);
             LineTo(c.dc(), 39, 10);
         } },
        { "SetPixel", [](Canvas& c) { SetPixelV(c.dc(), 4, 4, RGB(255, 255, 255)); } },
        { "TextOut", [](Canvas& c) { TextOutA(c.dc(), 2, 2, "Wg", 2); } },
        { "transparent text", [](Canvas& c) {
             SetBkMode(c.dc(), TRANSPARENT);
             SetTextColor(c.dc(), RGB(255, 255, 255));
             TextOutA(c.dc(), 2, 2, "Wg", 2);
         } },
        { "ExtTextOut", [&](Canvas& c) { ExtTextOutA(c.dc(), 2, 2, ETO_OPAQUE, &box, "x", 1, nullptr); } },
        { "DrawText", [&](Canvas& c) { DrawTextA(c.dc(), "Hi", -1, &box, DT_CENTER); } },
        { "DrawEdge", [&](Canvas& c) { DrawEdge(c.dc(), &box, EDGE_RAISED, BF_RECT | BF_MIDDLE); } },
    };
    for (auto& [name, draw] : primitives) {
        auto changed = changed_by(draw);
        EXPECT_FALSE(changed.empty()) << name << " drew nothing";
        for (uint32_t pixel : changed) {
            if (pixel >> 24) {
                ADD_FAILURE() << name << " left alpha " << (pixel >> 24);
                break;
            }
        }
    }
}

TEST(GdiAlpha, RasterOperationsWorkOnAllThirtyTwoBits)
{
    Canvas target(1, 1);
    Canvas source(1, 1);
    struct Case {
        DWORD rop;
        uint32_t destination;
        uint32_t source;
        uint32_t expected;
    };
    const Case cases[] = {
        { SRCCOPY, 0x80102030, 0x40A0B0C0, 0x40A0B0C0 },
        { SRCINVERT, 0x80102030, 0xC0FFFFFF, 0x40EFDFCF },
        { SRCAND, 0x80FF00FF, 0xC00F0F0F, 0x800F000F },
        { SRCPAINT, 0x80000000, 0x01000001, 0x81000001 },
        { DSTINVERT, 0x80102030, 0, 0x7FEFDFCF },
        { NOTSRCCOPY, 0, 0x40A0B0C0, 0xBF5F4F3F },
        { BLACKNESS, 0x80102030, 0, 0x00000000 },
        { WHITENESS, 0x80102030, 0, 0xFFFFFFFF },
        // The pattern is a brush colour, which carries alpha 0.
        { PATCOPY, 0x80102030, 0, 0x00FFFFFF },
        { PATINVERT, 0x80102030, 0, 0x80EFDFCF },
    };
    for (auto& test : cases) {
        target.set_raw(0, 0, test.destination);
        source.set_raw(0, 0, test.source);
        SelectObject(target.dc(), GetStockObject(WHITE_BRUSH));
        ASSERT_TRUE(BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, test.rop));
        EXPECT_EQ(target.raw(0, 0), test.expected) << std::hex << "rop " << test.rop;
        target.set_raw(0, 0, test.destination);
        ASSERT_TRUE(StretchBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 1, 1, test.rop));
        EXPECT_EQ(target.raw(0, 0), test.expected) << std::hex << "stretched rop " << test.rop;
    }
    // Mix modes of pens too: R2_NOT inverts the alpha byte with the colour.
    target.set_raw(0, 0, 0x80102030);
    SetROP2(target.dc(), R2_NOT);
    MoveToEx(target.dc(), 0, 0, nullptr);
    LineTo(target.dc(), 1, 0);
    EXPECT_EQ(target.raw(0, 0), 0x7FEFDFCFu);
}

TEST(GdiAlpha, ConversionsFromOtherFormatsGiveAlphaZero)
{
    Canvas target(2, 1);
    target.set_raw(0, 0, 0xFF000000);
    target.set_raw(1, 0, 0xFF000000);

    // A 24-bit DIB section copied into the 32-bit one.
    BITMAPINFO info = gdi_test::dib_header(2, -1, 24);
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    static_cast<uint8_t*>(bits)[0] = 0x11;
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(target.dc(), 0, 0, 2, 1, memory, 0, 0, SRCCOPY);
    EXPECT_EQ(target.raw(0, 0), 0x00000011u);

    // A monochrome bitmap takes the text and background colours, without alpha.
    uint8_t row[2] = { 0x40, 0 };
    HBITMAP mono = CreateBitmap(2, 1, 1, 1, row);
    SelectObject(memory, mono);
    SetTextColor(target.dc(), RGB(0, 0, 255));
    SetBkColor(target.dc(), RGB(255, 0, 0));
    BitBlt(target.dc(), 0, 0, 2, 1, memory, 0, 0, SRCCOPY);
    EXPECT_EQ(target.raw(0, 0), 0x000000FFu);
    EXPECT_EQ(target.raw(1, 0), 0x00FF0000u);
    SelectObject(memory, old);

    // 24-bit rows given to StretchDIBits and SetDIBits.
    uint8_t rgb[8] = { 0x01, 0x02, 0x03, 0x04, 0x05, 0x06 };
    target.set_raw(0, 0, 0xFF000000);
    StretchDIBits(target.dc(), 0, 0, 2, 1, 0, 0, 2, 1, rgb, &info, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(target.raw(0, 0), 0x00030201u);
    target.set_raw(1, 0, 0xFF000000);
    SetDIBits(nullptr, target.bitmap(), 0, 1, rgb, &info, DIB_RGB_COLORS);
    EXPECT_EQ(target.raw(1, 0), 0x00060504u);

    // A fresh compatible bitmap is black with alpha 0.
    HDC screen = GetDC(nullptr);
    HBITMAP fresh = CreateCompatibleBitmap(screen, 1, 1);
    ReleaseDC(nullptr, screen);
    BITMAPINFO wanted = gdi_test::dib_header(1, 1, 32);
    uint32_t pixel = 0xDEADBEEF;
    GetDIBits(memory, fresh, 0, 1, &pixel, &wanted, DIB_RGB_COLORS);
    EXPECT_EQ(pixel, 0u);
    for (HGDIOBJ object : { static_cast<HGDIOBJ>(fresh), static_cast<HGDIOBJ>(mono), static_cast<HGDIOBJ>(section) })
        DeleteObject(object);
    DeleteDC(memory);
}

// What shows the difference: a per-pixel layered window laid with its own alpha. GDI's pixels, of
// alpha 0, add their colour to what lies behind and let the mouse through; pixels given alpha 255
// cover it.
class GdiAlphaOnScreen : public DesktopTest { };

TEST_F(GdiAlphaOnScreen, GdiDrawingOnAPerPixelLayeredWindowAddsToWhatLiesBehind)
{
    HWND layered = create_program_window(RECT { 0, 0, 4, 1 }, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
    Canvas canvas(4, 1);
    RECT left { 0, 0, 2, 1 };
    HBRUSH dark = CreateSolidBrush(RGB(0, 0, 0x40));
    FillRect(canvas.dc(), &left, dark);
    DeleteObject(dark);
    canvas.set_raw(2, 0, 0xFF000040);
    canvas.set_raw(3, 0, 0xFF000040);

    POINT destination { 300, 300 };
    SIZE size { 4, 1 };
    POINT source { 0, 0 };
    BLENDFUNCTION blend { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
    ASSERT_TRUE(UpdateLayeredWindow(layered, nullptr, &destination, &size, canvas.dc(), &source, 0, &blend, ULW_ALPHA));

    auto screen = sim::driver::screenshot();
    uint32_t desktop = pixel_at(screen, 100, 100);
    uint32_t added = (desktop & 0xFFFF00) | std::min<uint32_t>((desktop & 0xFF) + 0x40, 0xFF);
    EXPECT_EQ(pixel_at(screen, 300, 300), added) << "GDI's pixel, alpha 0, adds to the desktop";
    EXPECT_EQ(pixel_at(screen, 302, 300), 0x000040u) << "an opaque pixel covers it";
    EXPECT_NE(WindowFromPoint(POINT { 300, 300 }), layered);
    EXPECT_EQ(WindowFromPoint(POINT { 302, 300 }), layered);
}
