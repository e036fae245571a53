// Picture boxes: the persistent image, Picture and Cls, Print in the font, lines and pixels,
// PaintPicture, and what reaches the screen.
#include "runtime/forms.h"
#include "tests/runtime/runtime_fixture.h"

#include <vector>

namespace {

using namespace runtime;

class frmCanvas : public Form {
public:
    explicit frmCanvas(Program& program)
        : Form(program, "frmCanvas")
    {
        BorderStyle(vbBSNone);
        Move(0, 0, 6000, 4500);
        BackColor(0x000000);
        Picture1.BorderStyle(0);
        Picture1.Move(150, 150, 1500, 1500);
        Picture1.AutoRedraw(true);
        Picture1.BackColor(0x00FF00);
        Picture2.BorderStyle(0);
        Picture2.Move(3000, 150, 1500, 1500);
        Picture2.AutoRedraw(true);
        Picture2.AutoSize(true);
        Picture2.BackColor(0xFFFFFF);
    }
    PictureBox Picture1 { *this, "Picture1" };
    PictureBox Picture2 { *this, "Picture2" };
};

// A red 4 x 3 picture with a blue top-left pixel.
StdPicture small_picture()
{
    std::vector<uint32_t> pixels(12, 0xFFFF0000);
    pixels[0] = 0xFF0000FF;
    return StdPicture::from_pixels(pixels.data(), 4, 3);
}

COLORREF pixel_of(Canvas& canvas, int x, int y)
{
    return GetPixel(canvas.hDC(), x, y);
}

uint32_t screen_pixel(int x, int y)
{
    return sim::driver::screenshot().pixel(x, y) & 0xFFFFFF;
}

TEST_F(RuntimeTest, ClsPutsThePictureBackIntoTheImage)
{
    run([&] {
        auto& form = program().form<frmCanvas>();
        auto& box = form.Picture1;
        EXPECT_EQ(box.hDC(), box.hDC());
        EXPECT_EQ(pixel_of(box, 50, 50), RGB(0, 255, 0));
        box.Picture(small_picture());
        EXPECT_EQ(pixel_of(box, 0, 0), RGB(0, 0, 255));
        EXPECT_EQ(pixel_of(box, 3, 2), RGB(255, 0, 0));
        EXPECT_EQ(pixel_of(box, 4, 0), RGB(0, 255, 0));
        box.ScaleMode(vbPixels);
        box.Line(0, 10, 99, 10, 0xFFFFFF);
        box.PSet(1, 1, 0x000000);
        EXPECT_EQ(pixel_of(box, 50, 10), RGB(255, 255, 255));
        EXPECT_EQ(pixel_of(box, 1, 1), RGB(0, 0, 0));
        box.CurrentX(5);
        box.Cls();
        EXPECT_EQ(box.CurrentX(), 0);
        EXPECT_EQ(pixel_of(box, 50, 10), RGB(0, 255, 0));
        EXPECT_EQ(pixel_of(box, 1, 1), RGB(255, 0, 0));
        EXPECT_EQ(pixel_of(box, 0, 0), RGB(0, 0, 255));
    });
}

TEST_F(RuntimeTest, AssigningTheImageToPictureKeepsACopy)
{
    run([&] {
        auto& form = program().form<frmCanvas>();
        auto& box = form.Picture1;
        box.ScaleMode(vbPixels);
        box.Line(0, 0, 10, 10, 0x0000FF, LineShape::FilledBox);
        box.Picture(box.Image());
        EXPECT_NE(box.Picture().Handle(), box.Image().Handle());
        box.Line(0, 0, 10, 10, 0xFFFFFF, LineShape::FilledBox);
        box.Cls();
        EXPECT_EQ(pixel_of(box, 5, 5), RGB(255, 0, 0));
        // The image handle is the bitmap selected into the box's device context.
        EXPECT_EQ(reinterpret_cast<uintptr_t>(GetCurrentObject(box.hDC(), OBJ_BITMAP)), box.Image().Handle());
    });
}

TEST_F(RuntimeTest, AutoSizeTakesThePicturesSizeAndPaintPictureStretches)
{
    run([&] {
        auto& form = program().form<frmCanvas>();
        form.Picture2.Picture(small_picture());
        EXPECT_EQ(form.Picture2.Width(), 4 * 15);
        EXPECT_EQ(form.Picture2.Height(), 3 * 15);
        auto& box = form.Picture1;
        box.ScaleMode(vbPixels);
        box.PaintPicture(small_picture(), 10, 20, 40, 30);
        EXPECT_EQ(pixel_of(box, 10, 20), RGB(0, 0, 255));
        EXPECT_EQ(pixel_of(box, 19, 29), RGB(0, 0, 255));
        EXPECT_EQ(pixel_of(box, 49, 49), RGB(255, 0, 0));
        EXPECT_EQ(pixel_of(box, 50, 50), RGB(0, 255, 0));
        EXPECT_FALSE(skip_on_error([&] { box.PaintPicture(StdPicture(), 0, 0); }));
    });
}

TEST_F(RuntimeTest, PrintDrawsAtCurrentXAndYInTheFontAndMovesDown)
{
    run([&] {
        auto& form = program().form<frmCanvas>();
        auto& box = form.Picture1;
        box.ScaleMode(vbPixels);
        box.ForeColor(0x000000);
        box.FontName("Segoe UI");
        box.FontSize(12);
        box.CurrentX(30);
        box.CurrentY(40);
        box.Print("Wg");
        EXPECT_EQ(box.CurrentX(), 0);
        EXPECT_GT(box.CurrentY(), 50);
        // Inked pixels (anything but the green back colour) lie right of and below the print position only.
        int inked = 0;
        int outside = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                if (pixel_of(box, x, y) == RGB(0, 255, 0))
                    continue;
                ++inked;
                if (x < 30 || y < 40)
                    ++outside;
            }
        }
        EXPECT_GT(inked, 20);
        EXPECT_EQ(outside, 0);
        // A bigger font inks more.
        box.Cls();
        box.FontSize(24);
        box.CurrentX(30);
        box.CurrentY(40);
        box.Print("Wg", false);
        EXPECT_GT(box.CurrentX(), 30);
        int bigger = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x)
                bigger += pixel_of(box, x, y) != RGB(0, 255, 0);
        }
        EXPECT_GT(bigger, inked * 2);
    });
}

TEST_F(RuntimeTest, FormAndPictureBoxesShowOnTheScreen)
{
    run([&] {
        auto& form = program().form<frmCanvas>();
        form.Picture1.Picture(small_picture());
        form.Show();
    });
    sim::driver::run_program([] { sim::driver::run_for(20); });
    EXPECT_EQ(screen_pixel(100, 200), 0x000000u);
    EXPECT_EQ(screen_pixel(10, 10), 0x0000FFu);
    EXPECT_EQ(screen_pixel(13, 12), 0xFF0000u);
    EXPECT_EQ(screen_pixel(50, 50), 0x00FF00u);
    run([&] {
        auto& form = *static_cast<frmCanvas*>(program().forms()[0]);
        form.Picture1.ScaleMode(vbPixels);
        form.Picture1.Line(0, 40, 99, 40, 0xFFFFFF);
        form.Picture1.Refresh();
    });
    EXPECT_EQ(screen_pixel(60, 50), 0xFFFFFFu);
}

}
