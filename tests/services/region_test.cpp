// Window outlines: the rounded border outline, outlines cut from pictures and colour-keyed forms,
// checked pixel by pixel and by hit testing on the simulated desktop.
#include "platform/sim/gdi/gdi_link.h"
#include "services/MOT.h"
#include "services/Module2.h"
#include "services/modRegion.h"
#include "services/region_handover.h"
#include "tests/services/services_fixture.h"

namespace {

using namespace runtime;

constexpr uint32_t red = 0xFFFF0000;
constexpr uint32_t green = 0xFF00A000;

// A borderless form of 200 x 100 pixels at (100, 100) with one picture box.
class frmShaped : public Form {
public:
    explicit frmShaped(Program& program)
        : Form(program, "frmShaped")
    {
        BorderStyle(vbBSNone);
        BackColor(0x00A000);
        Move(1500, 1500, 3000, 1500);
        Picture1.Move(300, 300, 600, 600);
    }
    PictureBox Picture1 { *this, "Picture1" };
};

// The window's region, as a handle the test owns.
HRGN window_region(HWND window)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(window, region);
    return region;
}

bool is_rectangle_region(HRGN region, RECT rect)
{
    HRGN expected = CreateRectRgnIndirect(&rect);
    bool is_equal = EqualRgn(region, expected) != FALSE;
    DeleteObject(expected);
    return is_equal;
}

// Rows: no red; red at the end; red and green stripes; all red.
const std::vector<uint32_t> striped_pixels = {
    green, green, green, green, green, green,
    green, green, green, green, red, red,
    green, red, green, red, green, red,
    red, red, red, red, red, red,
};

}

TEST_F(ServicesTest, RoundedOutlineCutsTheCornersAndRadiusZeroKeepsTheRectangle)
{
    run([&] {
        auto& form = program().form<frmShaped>();
        form.Show();
        form.ScaleMode(vbPixels);
        SetFormRegion(form, 255, 9);
        EXPECT_EQ(form.ScaleMode(), vbTwips);
        HRGN region = window_region(form.hWnd());
        for (POINT corner : { POINT { 0, 0 }, POINT { 199, 0 }, POINT { 0, 99 }, POINT { 199, 99 }, POINT { 1, 0 } })
            EXPECT_FALSE(PtInRegion(region, corner.x, corner.y)) << corner.x << "," << corner.y;
        for (POINT inside : { POINT { 100, 0 }, POINT { 0, 50 }, POINT { 199, 50 }, POINT { 100, 99 }, POINT { 5, 5 } })
            EXPECT_TRUE(PtInRegion(region, inside.x, inside.y)) << inside.x << "," << inside.y;
        EXPECT_FALSE(PtInRegion(region, 200, 50));
        EXPECT_NE(WindowFromPoint(POINT { 100, 100 }), form.hWnd());
        EXPECT_EQ(WindowFromPoint(POINT { 100, 150 }), form.hWnd());

        SetFormRegion(form, 255, 0);
        GetWindowRgn(form.hWnd(), region);
        EXPECT_TRUE(is_rectangle_region(region, RECT { 0, 0, 200, 100 }));
        DeleteObject(region);

        program().unload(form);
        EXPECT_FALSE(skip_on_error([&] { SetFormRegion(form, 255, 9); }));
    });
}

TEST_F(ServicesTest, PictureOutlineLeavesOutExactlyThePureRedPixels)
{
    run([&] {
        auto& form = program().form<frmShaped>();
        form.Show();
        form.Picture1.Picture(StdPicture::from_pixels(striped_pixels.data(), 6, 4));
        ShapePictureBox(form.Picture1);

        HWND box = form.Picture1.hWnd();
        RECT rect;
        GetWindowRect(box, &rect);
        EXPECT_EQ(rect.right - rect.left, 6);
        EXPECT_EQ(rect.bottom - rect.top, 4);
        HRGN region = window_region(box);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x) {
                bool is_red = striped_pixels[y * 6 + x] == red;
                EXPECT_EQ(PtInRegion(region, x, y) != FALSE, !is_red) << x << "," << y;
                HWND hit = WindowFromPoint(POINT { rect.left + x, rect.top + y });
                EXPECT_EQ(hit, is_red ? form.hWnd() : box) << x << "," << y;
            }
        }
        DeleteObject(region);

        const std::vector<uint32_t> all_red(4, red);
        form.Picture1.Picture(StdPicture::from_pixels(all_red.data(), 2, 2));
        HRGN empty = RegionFromPicture(form.Picture1);
        RECT bounds;
        EXPECT_EQ(GetRgnBox(empty, &bounds), NULLREGION);
        FreeRegion(empty);
    });
}

TEST_F(ServicesTest, ColourKeyedFormShowsAndTakesClicksOnlyOutsideTheKeyColour)
{
    run([&] {
        auto& form = program().form<frmShaped>();
        form.Picture1.Visible(false);
        form.Show();
        form.ScaleMode(vbTwips);
        ShapeFormByColor(form, 255);
        HRGN region = window_region(form.hWnd());
        EXPECT_TRUE(is_rectangle_region(region, RECT { 0, 0, 200, 100 }));

        PrepareFormForRegion(form);
        EXPECT_TRUE(form.AutoRedraw());
        EXPECT_EQ(form.ScaleMode(), vbPixels);
        form.Line(20, 10, 60, 30, 255, LineShape::FilledBox);
        form.PSet(0, 0, 255);
        form.PSet(199, 99, 255);
        form.Refresh();
        ShapeFormByColor(form, 255);
        GetWindowRgn(form.hWnd(), region);
        int key_pixels = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 200; ++x) {
                bool is_key = GetPixel(form.hDC(), x, y) == RGB(255, 0, 0);
                key_pixels += is_key;
                ASSERT_EQ(PtInRegion(region, x, y) != FALSE, !is_key) << x << "," << y;
            }
        }
        EXPECT_GT(key_pixels, 800);
        DeleteObject(region);
        EXPECT_NE(WindowFromPoint(POINT { 130, 120 }), form.hWnd());
        EXPECT_EQ(WindowFromPoint(POINT { 110, 150 }), form.hWnd());
    });
    sim::Bitmap screen = sim::driver::screenshot();
    EXPECT_NE(screen.pixel(130, 120) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(screen.pixel(110, 150) & 0xFFFFFF, 0x00A000u);
}

TEST_F(ServicesTest, RegionRefusedByAWindowThatIsGoneIsDeleted)
{
    run([&] {
        HRGN region = CreateRectRgn(0, 0, 10, 10);
        HWND gone = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        DestroyWindow(gone);
        EXPECT_FALSE(give_region_to_window(gone, region));
        EXPECT_EQ(sim::region_of(region), nullptr);
    });
}
