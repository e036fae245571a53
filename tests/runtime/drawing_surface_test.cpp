// A canvas's drawing surface carries its pen and brush, so that shapes drawn on hDC with the
// platform's calls take ForeColor, DrawWidth, FillStyle and FillColor; and a form with AutoRedraw
// keeps what was drawn on it through repaints and resizes, as a picture box does.
#include "runtime/forms.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

using namespace runtime;

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

class frmSurface : public Form {
public:
    explicit frmSurface(Program& program)
        : Form(program, "frmSurface")
    {
        BorderStyle(vbBSNone);
        Move(1500, 1500, 3000, 1500);
        BackColor(0xFFFFFF);
        Picture1.BorderStyle(0);
        Picture1.AutoRedraw(true);
        Picture1.BackColor(0xFFFFFF);
        Picture1.Move(1500, 0, 1500, 1500);
    }
    PictureBox Picture1 { *this, "Picture1" };
};

class DrawingSurfaceTest : public RuntimeTest {
protected:
    sim::driver::ResourceUsage usage() { return sim::driver::resource_usage(sim::driver::program_process()); }

    frmSurface& surface()
    {
        frmSurface* form = nullptr;
        run([&] { form = &program().form<frmSurface>(); });
        return *form;
    }
};

TEST_F(DrawingSurfaceTest, ShapesOnHdcTakeTheForeColourAndAreNotFilledByDefault)
{
    auto& box = surface().Picture1;
    run([&] {
        box.ForeColor(0x0000FF);
        RoundRect(box.hDC(), 0, 0, 100, 100, 9, 9);
        EXPECT_EQ(GetPixel(box.hDC(), 50, 0), Red);
        EXPECT_EQ(GetPixel(box.hDC(), 99, 50), Red);
        EXPECT_EQ(GetPixel(box.hDC(), 50, 50), RGB(255, 255, 255));
        // A new colour is taken on the next use of hDC.
        box.ForeColor(0xFF0000);
        Rectangle(box.hDC(), 10, 10, 20, 20);
        EXPECT_EQ(GetPixel(box.hDC(), 10, 15), Blue);
    });
}

TEST_F(DrawingSurfaceTest, DrawWidthAndASolidFillStyleReachTheSurface)
{
    auto& box = surface().Picture1;
    run([&] {
        box.ForeColor(0x0000FF);
        box.DrawWidth(3);
        box.FillStyle(0);
        box.FillColor(0x00FF00);
        Rectangle(box.hDC(), 10, 10, 60, 60);
        EXPECT_EQ(GetPixel(box.hDC(), 35, 11), Red);
        EXPECT_EQ(GetPixel(box.hDC(), 35, 35), Green);
        EXPECT_EQ(box.FillStyle(), 0);
    });
    run([&] { box.FillStyle(7); });
    EXPECT_EQ(m_fatal_errors, std::vector<long> { ErrInvalidPropertyValue });
}

TEST_F(DrawingSurfaceTest, FormWithAutoRedrawKeepsItsDrawingThroughARepaint)
{
    auto& form = surface();
    run([&] {
        form.AutoRedraw(true);
        form.Show();
        form.ForeColor(0x0000FF);
        RoundRect(form.hDC(), 0, 0, 100, 100, 9, 9);
        form.Refresh();
    });
    EXPECT_EQ(sim::driver::screenshot().pixel(100 + 50, 100) & 0xFFFFFF, 0xFF0000u);
    run([&] {
        InvalidateRect(form.hWnd(), nullptr, TRUE);
        UpdateWindow(form.hWnd());
    });
    sim::driver::pump();
    EXPECT_EQ(sim::driver::screenshot().pixel(100 + 50, 100) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(sim::driver::screenshot().pixel(100 + 50, 150) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(DrawingSurfaceTest, AFormsImageKeepsItsDrawingThroughAShrinkAndGrowsWithBackColour)
{
    auto& form = surface();
    run([&] {
        form.AutoRedraw(true);
        form.Show();
        form.ForeColor(0x0000FF);
        // A line at x 90, which the 200 pixel wide form gives up for a while.
        MoveToEx(form.hDC(), 90, 10, nullptr);
        LineTo(form.hDC(), 90, 60);
        form.Width(1200);
        form.Width(3000);
        EXPECT_EQ(GetPixel(form.hDC(), 90, 30), Red);
        form.Height(2250);
        EXPECT_EQ(GetPixel(form.hDC(), 10, 120), RGB(255, 255, 255)) << "new rows take the back colour";
        form.Refresh();
    });
    sim::driver::pump();
    EXPECT_EQ(sim::driver::screenshot().pixel(100 + 90, 100 + 30) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(DrawingSurfaceTest, ChangingColoursLeavesNoGdiObjectsBehind)
{
    auto& form = surface();
    // Colours of their own: a thin black or white pen would be the system's, which costs nothing.
    run([&] {
        form.Show();
        form.Picture1.ForeColor(1);
        form.ForeColor(1);
        form.Picture1.hDC();
        form.hDC();
    });
    int before = usage().gdi_objects;
    run([&] {
        for (int i = 0; i < 200; ++i) {
            form.Picture1.ForeColor(i);
            form.Picture1.FillStyle(i % 2);
            form.ForeColor(i);
            Rectangle(form.Picture1.hDC(), 0, 0, 5, 5);
            Rectangle(form.hDC(), 0, 0, 5, 5);
        }
    });
    EXPECT_LE(usage().gdi_objects, before + 1);
    run([&] { program().unload(form); });
    EXPECT_LT(usage().gdi_objects, before);
    EXPECT_EQ(usage().double_frees, 0);
}

}
