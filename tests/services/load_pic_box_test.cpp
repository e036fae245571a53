// Drawing image files into picture boxes through GDI+.
#include "services/modLoadPicBox.h"
#include "tests/services/services_fixture.h"

#include "platform/sim/gdi/color.h"
#include "platform/sim/gdi/image_decoder.h"
#include "platform/sim/kernel/paths.h"
#include "services/decoded_images.h"
#include "tests/resources/artwork_paths.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

using namespace runtime;

constexpr long Blue = 0xFF0000;
constexpr long Red = 0x0000FF;
constexpr long Green = 0x00FF00;

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

// A square opaque 24-bit BMP file of one colour (0xBBGGRR), its side a multiple of 4.
void write_bitmap(const std::string& windows_path, long colour, uint8_t side = 4)
{
    auto bytes_of = [](uint32_t value) {
        return std::vector<uint8_t> { uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24) };
    };
    uint32_t data_size = side * side * 3u;
    std::vector<uint8_t> file = { 'B', 'M' };
    for (uint32_t value : { 54 + data_size, 0u, 54u, 40u, uint32_t(side), uint32_t(side), 1u | (24u << 16), 0u, data_size,
             0u, 0u, 0u, 0u }) {
        auto bytes = bytes_of(value);
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    for (int i = 0; i < side * side; ++i)
        file.insert(file.end(), { uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour) });
    std::ofstream(sim::host_path(windows_path), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

void write_red_bitmap(const std::string& windows_path)
{
    write_bitmap(windows_path, Red);
}

class LoadPicBoxTest : public ServicesTest {
protected:
    void SetUp() override
    {
        ServicesTest::SetUp();
        write_red_bitmap(m_picture);
    }

    sim::driver::ResourceUsage usage()
    {
        sim::driver::ResourceUsage found;
        run([&] { found = sim::driver::resource_usage(GetCurrentProcessId()); });
        return found;
    }

    int open_gdiplus_startups() { return usage().gdiplus_startups; }

    void release()
    {
        run([&] { release_image_drawing(program()); });
    }

    // Draws the file at (0, 0) of a cleared box and gives the error text and the colour drawn.
    std::pair<std::string, long> drawn(const std::string& file)
    {
        std::string error = "stale";
        long colour = 0;
        run([&] {
            auto& form = program().form<frmPictures>();
            form.Show();
            form.Picture1.Cls();
            LoadPictureGDIPlus(file, form.Picture1, 0, 0, false, error);
            colour = form.Picture1.Point(1, 1);
        });
        return { error, colour };
    }

    size_t kept_images()
    {
        size_t count = 0;
        run([&] { count = program().module<DecodedImages>().size(); });
        return count;
    }

    std::string m_picture = "C:\\Windows\\red.bmp";
};

TEST_F(LoadPicBoxTest, BadInputsReportTheirStepAndDrawNothing)
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
    // Only the file that is not an image got as far as GDI+, which stays started for the next calls.
    EXPECT_EQ(open_gdiplus_startups(), 1);
    EXPECT_EQ(kept_images(), 0u);
    release();
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
}

TEST_F(LoadPicBoxTest, AFileChangedOnDiskIsDrawnAnewAndOneGoneOrHiddenIsMissing)
{
    EXPECT_EQ(drawn(m_picture), std::make_pair(std::string(), Red));
    // Replaced by a picture of the same size, its last write time later.
    auto host = sim::host_path(m_picture);
    auto written = std::filesystem::last_write_time(host);
    write_bitmap(m_picture, Green);
    std::filesystem::last_write_time(host, written + std::chrono::seconds(1));
    EXPECT_EQ(drawn(m_picture), std::make_pair(std::string(), Green));
    // Replaced by a bigger one at the same last write time.
    write_bitmap(m_picture, Blue, 8);
    std::filesystem::last_write_time(host, written + std::chrono::seconds(1));
    EXPECT_EQ(drawn(m_picture).second, Blue);
    EXPECT_EQ(kept_images(), 1u);

    SetFileAttributesA(m_picture.c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(drawn(m_picture).first, "Datei existiert nicht");
    SetFileAttributesA(m_picture.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(m_picture.c_str());
    EXPECT_EQ(drawn(m_picture), std::make_pair(std::string("Datei existiert nicht"), Blue));
}

TEST_F(LoadPicBoxTest, TheCornerLightLeavesARedBoxExactlyRedWhereItIsTransparent)
{
    sim::install_program_folder(artwork_test::program_folder());
    std::string light = "C:\\Program Files\\Kelmor\\Light_TL.refl";
    auto bytes = sim::read_host_file(sim::host_path(light));
    ASSERT_TRUE(bytes);
    auto picture = sim::decode_image(*bytes);
    ASSERT_TRUE(picture);
    // Drawn twice: decoded, then from the kept copy.
    for (int pass = 0; pass < 2; ++pass) {
        run([&] {
            auto& form = program().form<frmPictures>();
            form.Show();
            form.Picture1.BackColor(Red);
            form.Picture1.Cls();
            std::string error;
            ASSERT_TRUE(LoadPictureGDIPlus(light, form.Picture1, 0, 0, false, error)) << error;
            int transparent = 0;
            int lit = 0;
            for (int y = 0; y < picture->height(); ++y) {
                for (int x = 0; x < 60; ++x) {
                    bool is_transparent = sim::alpha_of(picture->pixel(x, y)) == 0;
                    transparent += is_transparent;
                    lit += !is_transparent && form.Picture1.Point(x, y) != Red;
                    if (is_transparent)
                        ASSERT_EQ(form.Picture1.Point(x, y), Red) << x << ", " << y;
                }
            }
            EXPECT_GT(transparent, 0);
            EXPECT_GT(lit, 0);
        });
    }
}

TEST_F(LoadPicBoxTest, AKeptImageLeavesItsFileFreeToBeReplacedAndDeleted)
{
    EXPECT_EQ(drawn(m_picture), std::make_pair(std::string(), Red));
    ASSERT_EQ(kept_images(), 1u);
    // Another program puts a new skin in place while this one runs.
    std::string update = "C:\\Windows\\update.bmp";
    write_bitmap(update, Green);
    auto written = std::filesystem::last_write_time(sim::host_path(m_picture));
    std::filesystem::last_write_time(sim::host_path(update), written + std::chrono::seconds(1));
    EXPECT_TRUE(MoveFileExA(update.c_str(), m_picture.c_str(), MOVEFILE_REPLACE_EXISTING)) << GetLastError();
    EXPECT_EQ(drawn(m_picture), std::make_pair(std::string(), Green));
    HANDLE file = CreateFileA(m_picture.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(DeleteFileA(m_picture.c_str())) << GetLastError();
}

TEST_F(LoadPicBoxTest, ManyCallsStartGdiPlusOnceKeepAFewImagesAndLeaveNothingElse)
{
    drawn(m_picture);
    sim::driver::ResourceUsage before = usage();
    for (int i = 0; i < 300; ++i) {
        std::string file = "C:\\Windows\\picture" + std::to_string(i % 40) + ".bmp";
        if (i < 40)
            write_bitmap(file, Green);
        ASSERT_EQ(drawn(file).second, Green) << i;
    }
    sim::driver::ResourceUsage after = usage();
    EXPECT_EQ(after.gdiplus_startups, 1);
    EXPECT_EQ(after.gdi_objects, before.gdi_objects);
    EXPECT_EQ(after.double_frees, 0);
    EXPECT_EQ(kept_images(), DecodedImages::capacity);

    // At the program's end every image goes and GDI+ is shut down; a later call starts it again.
    release();
    EXPECT_EQ(kept_images(), 0u);
    EXPECT_EQ(open_gdiplus_startups(), 0);
    EXPECT_EQ(drawn(m_picture).second, Red);
    EXPECT_EQ(open_gdiplus_startups(), 1);
}

}
