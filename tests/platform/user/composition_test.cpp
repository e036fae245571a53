// What the user sees: windows in z-order, clipped by regions, blended by their layered alpha; and
// what a copy of the screen's device context reads, which leaves layered windows out.
#include "desktop_fixture.h"

#include "platform/sim/user/window_surface.h"

namespace {

class CompositionTest : public DesktopTest {
protected:
    void paint(HWND hwnd, uint32_t colour)
    {
        auto surface = sim::window_surface(hwnd, true);
        surface.bitmap->fill(0xFF000000 | colour);
    }

    HWND create_painted_window(RECT rect, uint32_t colour, DWORD style = WS_POPUP | WS_VISIBLE, DWORD ex_style = 0,
        HWND parent = nullptr)
    {
        HWND hwnd = create_program_window(rect, style, ex_style, parent);
        paint(hwnd, colour);
        return hwnd;
    }

    sim::Bitmap screen() { return sim::driver::screenshot(); }
};

TEST_F(CompositionTest, WindowsInZOrderAndChildrenClippedToTheirParent)
{
    HWND back = create_painted_window(RECT {0, 0, 200, 200}, 0xFF0000);
    HWND front = create_painted_window(RECT {100, 100, 300, 300}, 0x00FF00);
    create_painted_window(RECT {50, 50, 250, 250}, 0x0000FF, WS_CHILD | WS_VISIBLE, 0, front);

    auto picture = screen();
    EXPECT_EQ(pixel_at(picture, 50, 50), 0xFF0000u);
    EXPECT_EQ(pixel_at(picture, 120, 120), 0x00FF00u);
    EXPECT_EQ(pixel_at(picture, 160, 160), 0x0000FFu);
    // The child reaches past its parent's right edge; that part is cut off.
    EXPECT_EQ(pixel_at(picture, 310, 200), pixel_at(picture, 1000, 1000));

    SetForegroundWindow(back);
    EXPECT_EQ(pixel_at(screen(), 150, 150), 0xFF0000u);
    ShowWindow(back, SW_HIDE);
    EXPECT_EQ(pixel_at(screen(), 160, 160), 0x0000FFu);
}

TEST_F(CompositionTest, LayeredAlphaBlendsForTheUserAndIsAbsentFromAScreenCopy)
{
    HWND below = create_painted_window(RECT {0, 0, 400, 400}, 0xFF0000);
    HWND glass = create_painted_window(RECT {100, 100, 300, 300}, 0x0000FF, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);

    // A layered window shows nothing until its attributes are set.
    EXPECT_EQ(pixel_at(screen(), 200, 200), 0xFF0000u);
    ASSERT_TRUE(SetLayeredWindowAttributes(glass, 0, 128, LWA_ALPHA));
    uint32_t seen = pixel_at(screen(), 200, 200);
    EXPECT_EQ(seen, 0x7F0080u);

    auto copy = sim::compose_screen(RECT {0, 0, 400, 400}, false);
    EXPECT_EQ(pixel_at(copy, 200, 200), 0xFF0000u);

    HDC screen_dc = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen_dc);
    HBITMAP bitmap = CreateCompatibleBitmap(screen_dc, 10, 10);
    HGDIOBJ old = SelectObject(memory, bitmap);
    ASSERT_TRUE(BitBlt(memory, 0, 0, 10, 10, screen_dc, 195, 195, SRCCOPY));
    EXPECT_EQ(GetPixel(memory, 5, 5), RGB(255, 0, 0));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen_dc);

    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(glass, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(WindowFromPoint(POINT {200, 200}), glass);
    SetLayeredWindowAttributes(glass, 0, 0, LWA_ALPHA);
    EXPECT_EQ(WindowFromPoint(POINT {200, 200}), below);

    SetWindowLongA(glass, GWL_EXSTYLE, 0);
    EXPECT_EQ(pixel_at(screen(), 200, 200), 0x0000FFu);
}

TEST_F(CompositionTest, ChildrenOfALayeredWindowAreBlendedWithItAndLeftOutOfAScreenCopy)
{
    create_painted_window(RECT {0, 0, 400, 400}, 0xFF0000);
    HWND border = create_painted_window(RECT {100, 100, 300, 300}, 0x000000, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
    HWND adopted = open_app("C:\\A.EXE", "adopted", RECT {0, 0, 100, 100});
    SetParent(adopted, border);
    SetWindowLongA(adopted, GWL_STYLE, WS_VISIBLE);
    MoveWindow(adopted, 50, 50, 100, 100, TRUE);
    sim::driver::pump();
    paint(adopted, 0x0000FF);
    SetLayeredWindowAttributes(border, 0, 255, LWA_ALPHA);
    EXPECT_EQ(pixel_at(screen(), 200, 200), 0x0000FFu);
    SetLayeredWindowAttributes(border, 0, 0, LWA_ALPHA);
    EXPECT_EQ(pixel_at(screen(), 200, 200), 0xFF0000u);
    SetLayeredWindowAttributes(border, 0, 128, LWA_ALPHA);
    EXPECT_EQ(pixel_at(screen(), 200, 200), 0x7F0080u);
    EXPECT_EQ(pixel_at(sim::compose_screen(RECT {0, 0, 400, 400}, false), 200, 200), 0xFF0000u);
}

TEST_F(CompositionTest, SetLayeredWindowAttributesNeedsTheLayeredStyle)
{
    HWND plain = create_program_window(RECT {0, 0, 100, 100});
    EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 10, LWA_ALPHA));
}

TEST_F(CompositionTest, UpdateLayeredWindowBlendsPremultipliedPixels)
{
    HWND below = create_painted_window(RECT {0, 0, 400, 400}, 0x000000);
    HWND glow = create_program_window(RECT {0, 0, 10, 10}, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);

    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bits, nullptr);
    auto* pixels = static_cast<uint32_t*>(bits);
    pixels[0] = 0xFFFFFFFF;  // opaque white
    pixels[1] = 0x00000000;  // fully transparent
    SelectObject(memory, bitmap);

    POINT destination {50, 60};
    SIZE size {2, 1};
    POINT source {0, 0};
    BLENDFUNCTION blend {AC_SRC_OVER, 0, 128, AC_SRC_ALPHA};
    ASSERT_TRUE(UpdateLayeredWindow(glow, nullptr, &destination, &size, memory, &source, 0, &blend, ULW_ALPHA));

    RECT rect;
    GetWindowRect(glow, &rect);
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.right, 52);
    auto picture = screen();
    EXPECT_EQ(pixel_at(picture, 50, 60), 0x808080u);
    EXPECT_EQ(pixel_at(picture, 51, 60), 0x000000u);
    // The transparent pixel lets the mouse through as well.
    EXPECT_EQ(WindowFromPoint(POINT {50, 60}), glow);
    EXPECT_EQ(WindowFromPoint(POINT {51, 60}), below);

    SIZE too_big {3, 1};
    EXPECT_FALSE(UpdateLayeredWindow(glow, nullptr, &destination, &too_big, memory, &source, 0, &blend, ULW_ALPHA));
    DeleteDC(memory);
    DeleteObject(bitmap);
}

TEST_F(CompositionTest, WindowRegionClipsWhatShowsAndWhatIsHit)
{
    HWND below = create_painted_window(RECT {0, 0, 400, 400}, 0xFF0000);
    HWND shaped = create_painted_window(RECT {100, 100, 200, 200}, 0x00FF00);
    HRGN region = CreateRectRgn(0, 0, 50, 100);
    HRGN cut = CreateRectRgn(0, 0, 10, 10);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
    ASSERT_TRUE(SetWindowRgn(shaped, region, TRUE));

    auto picture = screen();
    EXPECT_EQ(pixel_at(picture, 120, 150), 0x00FF00u);
    EXPECT_EQ(pixel_at(picture, 170, 150), 0xFF0000u);
    EXPECT_EQ(pixel_at(picture, 105, 105), 0xFF0000u);
    EXPECT_EQ(WindowFromPoint(POINT {120, 150}), shaped);
    EXPECT_EQ(WindowFromPoint(POINT {170, 150}), below);
    EXPECT_EQ(WindowFromPoint(POINT {105, 105}), below);

    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(shaped, copy), 3);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(box.right, 50);
    DeleteObject(copy);

    SetWindowRgn(shaped, nullptr, TRUE);
    EXPECT_EQ(pixel_at(screen(), 170, 150), 0x00FF00u);
}

TEST_F(CompositionTest, RegionClipsDrawingThroughTheWindowsDeviceContext)
{
    HWND shaped = create_program_window(RECT {0, 0, 100, 100});
    SetWindowRgn(shaped, CreateEllipticRgn(0, 0, 100, 100), FALSE);
    paint(shaped, 0x000000);
    HDC hdc = GetDC(shaped);
    RECT all {0, 0, 100, 100};
    HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(hdc, &all, brush);
    DeleteObject(brush);
    ReleaseDC(shaped, hdc);
    auto picture = screen();
    EXPECT_EQ(pixel_at(picture, 50, 50), 0x00FF00u);
    // The corner lies outside the ellipse: the screen shows the desktop there.
    EXPECT_EQ(pixel_at(picture, 1, 1), pixel_at(picture, 1500, 900));
}

}
