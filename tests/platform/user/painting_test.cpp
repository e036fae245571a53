// What painting reaches: a BeginPaint DC only the update region, a window with WS_CLIPCHILDREN
// nothing under its children, and the surface of a resized window only what it may keep.
#include "desktop_fixture.h"

#include "platform/sim/user/window_surface.h"
#include "tests/platform/own_dc_window.h"

namespace {

class PaintingTest : public DesktopTest {
protected:
    // The colour of a client pixel as the window's own surface holds it.
    static uint32_t client_pixel(HWND hwnd, int x, int y)
    {
        auto surface = sim::window_surface(hwnd, false);
        return surface.bitmap->pixel(x + surface.origin.x, y + surface.origin.y) & 0xFFFFFF;
    }

    static void fill_client(HDC dc, HWND hwnd, COLORREF colour)
    {
        RECT client {};
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    }

    static void fill_through_get_dc(HWND hwnd, COLORREF colour)
    {
        HDC dc = GetDC(hwnd);
        fill_client(dc, hwnd, colour);
        ReleaseDC(hwnd, dc);
    }

    static RECT update_rect(HWND hwnd)
    {
        RECT rect {};
        GetUpdateRect(hwnd, &rect, FALSE);
        return rect;
    }
};

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(PaintingTest, BeginPaintReachesOnlyTheUpdateRegionAndEndPaintLiftsTheLimit)
{
    // A window with a DC of its own gets that same DC from BeginPaint: the limit must not stay on it.
    HWND hwnd = create_own_dc_window(RECT {10, 10, 110, 90});
    ASSERT_NE(hwnd, nullptr);
    ValidateRect(hwnd, nullptr);
    fill_through_get_dc(hwnd, RGB(0, 0, 255));

    RECT area {10, 20, 30, 25};
    InvalidateRect(hwnd, &area, FALSE);
    PAINTSTRUCT paint {};
    HDC dc = BeginPaint(hwnd, &paint);
    RECT clip {};
    GetClipBox(dc, &clip);
    EXPECT_TRUE(clip == area);
    fill_client(dc, hwnd, RGB(255, 0, 0));
    EndPaint(hwnd, &paint);
    EXPECT_EQ(client_pixel(hwnd, 10, 20), 0xFF0000u);
    EXPECT_EQ(client_pixel(hwnd, 29, 24), 0xFF0000u);
    EXPECT_EQ(client_pixel(hwnd, 30, 24), 0x0000FFu);
    EXPECT_EQ(client_pixel(hwnd, 10, 25), 0x0000FFu);
    EXPECT_EQ(client_pixel(hwnd, 0, 0), 0x0000FFu);

    fill_through_get_dc(hwnd, RGB(0, 255, 0));
    EXPECT_EQ(client_pixel(hwnd, 0, 0), 0x00FF00u);
    EXPECT_EQ(client_pixel(hwnd, 99, 79), 0x00FF00u);
}

TEST_F(PaintingTest, AParentThatClipsItsChildrenDrawsAroundThemAndPaintsWhatTheyUncover)
{
    HWND parent = create_program_window(RECT {0, 0, 200, 100}, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    fill_through_get_dc(parent, RGB(0, 0, 255));
    HWND child = create_program_window(RECT {20, 10, 60, 50}, WS_CHILD | WS_VISIBLE, 0, parent);
    HWND shaped = create_program_window(RECT {100, 10, 140, 50}, WS_CHILD | WS_VISIBLE, 0, parent);
    SetWindowRgn(shaped, CreateRectRgn(0, 0, 20, 40), FALSE);
    fill_through_get_dc(parent, RGB(255, 0, 0));
    EXPECT_EQ(client_pixel(parent, 19, 10), 0xFF0000u);
    EXPECT_EQ(client_pixel(parent, 20, 10), 0x0000FFu) << "under the child";
    EXPECT_EQ(client_pixel(parent, 59, 49), 0x0000FFu);
    EXPECT_EQ(client_pixel(parent, 119, 20), 0x0000FFu) << "under the child's shape";
    EXPECT_EQ(client_pixel(parent, 120, 20), 0xFF0000u) << "beside the child's shape";

    // A child that hides or moves away leaves its old place to be painted by the parent.
    ValidateRect(parent, nullptr);
    ShowWindow(child, SW_HIDE);
    EXPECT_TRUE(update_rect(parent) == (RECT {20, 10, 60, 50}));
    ValidateRect(parent, nullptr);
    MoveWindow(shaped, 150, 10, 40, 40, TRUE);
    EXPECT_TRUE(update_rect(parent) == (RECT {100, 10, 140, 50}));
    ValidateRect(parent, nullptr);
    SetWindowLongA(shaped, GWL_STYLE, WS_CHILD);
    EXPECT_TRUE(update_rect(parent) == (RECT {150, 10, 190, 50}));

    // Without the style the parent draws over everything.
    HWND plain = create_program_window(RECT {0, 200, 200, 300}, WS_POPUP | WS_VISIBLE);
    create_program_window(RECT {20, 10, 60, 50}, WS_CHILD | WS_VISIBLE, 0, plain);
    fill_through_get_dc(plain, RGB(255, 0, 0));
    EXPECT_EQ(client_pixel(plain, 30, 20), 0xFF0000u);
}

TEST_F(PaintingTest, AResizedSurfaceKeepsTheSharedPartAndShowsNothingOldWhereItGrows)
{
    HWND hwnd = create_program_window(RECT {0, 0, 100, 80});
    fill_through_get_dc(hwnd, RGB(255, 0, 0));
    MoveWindow(hwnd, 0, 0, 60, 40, FALSE);
    MoveWindow(hwnd, 0, 0, 120, 90, FALSE);
    EXPECT_EQ(client_pixel(hwnd, 59, 39), 0xFF0000u);
    EXPECT_EQ(client_pixel(hwnd, 60, 10), 0xFFFFFFu) << "a column the shrink gave up";
    EXPECT_EQ(client_pixel(hwnd, 10, 40), 0xFFFFFFu) << "a row the shrink gave up";
    EXPECT_EQ(client_pixel(hwnd, 119, 89), 0xFFFFFFu);
    // Narrower and taller at once, then wider again.
    fill_through_get_dc(hwnd, RGB(0, 255, 0));
    MoveWindow(hwnd, 0, 0, 30, 200, FALSE);
    MoveWindow(hwnd, 0, 0, 130, 200, FALSE);
    EXPECT_EQ(client_pixel(hwnd, 29, 89), 0x00FF00u);
    EXPECT_EQ(client_pixel(hwnd, 30, 0), 0xFFFFFFu);
    EXPECT_EQ(client_pixel(hwnd, 0, 90), 0xFFFFFFu);
    EXPECT_EQ(client_pixel(hwnd, 129, 199), 0xFFFFFFu);
}

TEST_F(PaintingTest, ANewWindowShapeRepaintsTheWindowAndOnlyWhatItShowsMoreOfTheChildren)
{
    HWND parent = create_program_window(RECT {0, 0, 100, 100}, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND child = create_program_window(RECT {0, 0, 100, 100}, WS_CHILD | WS_VISIBLE, 0, parent);
    SetWindowRgn(parent, CreateRectRgn(0, 0, 50, 100), TRUE);
    ValidateRect(parent, nullptr);
    ValidateRect(child, nullptr);

    SetWindowRgn(parent, CreateRectRgn(0, 0, 70, 100), TRUE);
    EXPECT_TRUE(update_rect(parent) == (RECT {0, 0, 100, 100}));
    EXPECT_TRUE(update_rect(child) == (RECT {50, 0, 70, 100}));

    ValidateRect(child, nullptr);
    SetWindowRgn(parent, CreateRectRgn(0, 0, 40, 100), TRUE);
    EXPECT_TRUE(update_rect(child) == (RECT {0, 0, 0, 0})) << "a smaller shape uncovers nothing";
}

}
