// Drawing image files into picture boxes through GDI+.
#include "services/modLoadPicBox.h"
#include "tests/services/services_fixture.h"

#include "platform/sim/kernel/paths.h"

#include <fstream>
#include <vector>

namespace {

using namespace runtime;

constexpr long Blue = 0xFF0000;
constexpr long Red = 0x0000FF;

class frmPictures : public Form {
public:
    explicit frmPictures(Program& program)
        : Form(program, "frmPictures")
    {
        BorderStyle(vbBSNone);
        Move(0, 0, 3000, 3000);
        Picture1.BackColor(Blue);
        Picture1.BorderStyle(0);
        Picture1.AutoRedraw(true);
        Picture1.ScaleMode(vbPixels);
        Picture1.Move(0, 0, 900, 900);
    }
    PictureBox Picture1 { *this, "Picture1" };
};

// A 4 x 4 opaque red 24-bit BMP file.
void write_red_bitmap(const std::string& windows_path)
{
    std::vector<uint8_t> file = { 'B', 'M', 102, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 4, 0, 0, 0, 4, 0, 0,
        0, 1, 0, 24, 0, 0, 0, 0, 0, 48, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    for (int i = 0; i < 16; ++i)
        file.insert(file.end(), { 0, 0, 255 });
    std::ofstream(sim::host_path(windows_path), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

class LoadPicBoxTest : public ServicesTest {
protected:
    void SetUp() override
    {
        ServicesTest::SetUp();
        write_red_bitmap(m_picture);
    }

    int open_gdiplus_startups()
    {
        int count = 0;
        run([&] { count = sim::driver::resource_usage(GetCurrentProcessId()).gdiplus_startups; });
        return count;
    }

    std::string m_picture = "C:\\Windows\\red.bmp";
};

TEST_F(LoadPicBoxTest, BadInputsReportTheirStepDrawNothingAndLeaveGdiPlusShutDown)
{
    std::ofstream(sim::host_path("C:\\Windows\\notes.png")) << "not an image";
    std::string hidden = "C:\\Windows\\hidden.bmp";
    write_red_bitmap(hidden);
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    run([&] {
        auto& form = program().form<frmPictures>();
        form.Show();
        struct Case {
            std::string file;
            const char* error;
        };
        for (const Case& c : { Case { "", "Eingabeparameter fehlen" }, Case { "   ", "Eingabeparameter fehlen" },
                 Case { "C:\\Windows\\none.bmp", "Datei existiert nicht" }, Case { hidden, "Datei existiert nicht" },
                 Case { "C:\\Windows", "Datei existiert nicht" },
                 Case { "C:\\Windows\\notes.png", "Bitmap kann nicht geöffnet werden" } }) {
            std::string error = "stale";
            EXPECT_FALSE(LoadPictureGDIPlus(c.file, form.Picture1, 0, 0, false, error)) << c.file;
            EXPECT_EQ(error, c.error) << c.file;
            EXPECT_EQ(form.Picture1.Point(1, 1), Blue) << c.file;
        }
    });
    EXPECT_EQ(open_gdiplus_startups(), 0);
}

TEST_F(LoadPicBoxTest, EachVariantDrawsItsSizeAtTheGivenPlace)
{
    run([&] {
        auto& form = program().form<frmPictures>();
        form.Show();
        std::string error = "stale";

        // Natural size: 4 x 4 at (2, 3).
        EXPECT_TRUE(LoadPictureGDIPlus(m_picture, form.Picture1, 2, 3, false, error));
        EXPECT_EQ(error, "");
        EXPECT_EQ(form.Picture1.Point(2, 3), Red);
        EXPECT_EQ(form.Picture1.Point(5, 6), Red);
        EXPECT_EQ(form.Picture1.Point(6, 6), Blue);
        EXPECT_EQ(form.Picture1.Point(5, 7), Blue);

        // Stretched over a box of 40 x 20 pixels.
        form.Picture1.Cls();
        form.Picture1.Move(0, 0, 600, 300);
        EXPECT_TRUE(LoadPictureGDIPlusStretched(m_picture, form.Picture1, 0, 0, false, error));
        EXPECT_EQ(form.Picture1.Point(39, 19), Red);
        EXPECT_EQ(form.Picture1.Point(0, 0), Red);

        // Half: a box of 150 x 300 twips in twips scale gets its full width and upper half, 10 x 10 pixels.
        form.Picture1.Move(0, 0, 900, 900);
        form.Picture1.Cls();
        form.Picture1.ScaleMode(vbTwips);
        form.Picture1.Move(0, 0, 150, 300);
    });
    run([&] {
        auto& form = program().form<frmPictures>();
        std::string error;
        EXPECT_TRUE(LoadPictureGDIPlusHalf(m_picture, form.Picture1, 0, 0, false, error));
        form.Picture1.ScaleMode(vbPixels);
        EXPECT_EQ(form.Picture1.Point(0, 0), Red);
        EXPECT_EQ(form.Picture1.Point(9, 9), Red);
        EXPECT_EQ(form.Picture1.Point(9, 10), Blue);
        EXPECT_EQ(form.Picture1.BorderStyle(), 0);
        EXPECT_TRUE(form.Picture1.AutoRedraw());
    });
    EXPECT_EQ(open_gdiplus_startups(), 0);
}

}
