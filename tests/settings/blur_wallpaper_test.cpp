// The blurred-taskbar wallpaper "\s1.dbg" row by row, with the effects library loaded from the
// build's program folder: the wallpaper stretched to the screen over the border colour, and its
// bottom strip, as high as the taskbar, after 26 blur passes and a brightness of +35, put back
// 5 pixels lower than where it was taken.
#include "services/basFoxCBmp3.h"
#include "services/modTaskbar.h"
#include "services/modWallpaper.h"
#include "settings/modBlurWallpaper.h"
#include "tests/platform/gdi/canvas.h"
#include "tests/settings/settings_fixture.h"

#include "platform/sim/gdi/image_decoder.h"
#include "platform/sim/shell/shell_windows.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace {

constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;
constexpr int WallpaperWidth = 61;
constexpr int WallpaperHeight = 47;

class BlurWallpaperTest : public SettingsWithProgramFolderTest {
protected:
    void SetUp() override
    {
        SettingsWithProgramFolderTest::SetUp();
        sim::driver::set_screen_size(ScreenWidth, ScreenHeight);
        std::filesystem::create_directories(sim::host_path("C:\\Pictures"));
    }

    // A wallpaper of noise, so that every row and column of the result tells where it came from.
    void set_noise_wallpaper()
    {
        std::mt19937 random(738);
        m_wallpaper.resize(static_cast<size_t>(WallpaperWidth) * WallpaperHeight);
        for (uint32_t& pixel : m_wallpaper)
            pixel = 0xFF000000u | (random() & 0xFFFFFFu);
        run([&] {
            runtime::SavePicture(
                runtime::StdPicture::from_pixels(m_wallpaper.data(), WallpaperWidth, WallpaperHeight), WallpaperPath);
            SetWallpaper(WallpaperPath);
        });
    }

    // The result as the renderer is meant to make it, pixel by pixel (0xRRGGBB): the field in the
    // border colour, the wallpaper stretched over it, and the strip processed by the library.
    std::vector<uint32_t> expected_wallpaper(uint32_t border_rgb, bool has_picture, int strip_height)
    {
        gdi_test::Canvas field(ScreenWidth, ScreenHeight,
            RGB((border_rgb >> 16) & 0xFF, (border_rgb >> 8) & 0xFF, border_rgb & 0xFF));
        if (has_picture) {
            gdi_test::Canvas picture(WallpaperWidth, WallpaperHeight);
            std::copy(m_wallpaper.begin(), m_wallpaper.end(), picture.bits());
            SetStretchBltMode(field.dc(), COLORONCOLOR);
            StretchBlt(field.dc(), 0, 0, ScreenWidth, ScreenHeight, picture.dc(), 0, 0, WallpaperWidth,
                WallpaperHeight, SRCCOPY);
        }
        gdi_test::Canvas strip(ScreenWidth, strip_height);
        BitBlt(strip.dc(), 0, 0, ScreenWidth, strip_height, field.dc(), 0, ScreenHeight - strip_height, SRCCOPY);
        run([&] {
            for (int pass = 0; pass < 26; ++pass) {
                LONG reserved = 0;
                ASSERT_NE(FoxBlur(strip.dc(), strip.bitmap(), strip.dc(), strip.bitmap(), reserved, 0, 0), 0);
            }
            ASSERT_NE(FoxBrightness(strip.dc(), strip.bitmap(), strip.dc(), strip.bitmap(), 35, 0, 0), 0);
        });
        BitBlt(field.dc(), 0, ScreenHeight - strip_height + 5, ScreenWidth, strip_height - 5, strip.dc(), 0, 0,
            SRCCOPY);
        std::vector<uint32_t> rgb;
        for (int y = 0; y < ScreenHeight; ++y) {
            for (int x = 0; x < ScreenWidth; ++x)
                rgb.push_back(field.raw(x, y) & 0xFFFFFF);
        }
        return rgb;
    }

    // "\s1.dbg" as its pixels (0xRRGGBB), checked to be a BMP of the screen's size.
    std::vector<uint32_t> generated_wallpaper()
    {
        std::optional<std::string> bytes = read_program_file("s1.dbg");
        EXPECT_TRUE(bytes && bytes->substr(0, 2) == "BM");
        if (!bytes)
            return {};
        auto image = sim::decode_image(std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()));
        EXPECT_TRUE(image && image->width() == ScreenWidth && image->height() == ScreenHeight);
        if (!image || image->width() != ScreenWidth || image->height() != ScreenHeight)
            return {};
        std::vector<uint32_t> rgb;
        for (int y = 0; y < ScreenHeight; ++y) {
            for (int x = 0; x < ScreenWidth; ++x)
                rgb.push_back(image->pixel(x, y) & 0xFFFFFF);
        }
        return rgb;
    }

    // The first row at which two pictures differ, or -1.
    static int first_different_row(const std::vector<uint32_t>& found, const std::vector<uint32_t>& expected)
    {
        if (found.size() != expected.size())
            return 0;
        for (int y = 0; y < ScreenHeight; ++y) {
            auto row = [&](const std::vector<uint32_t>& pixels) { return pixels.begin() + y * ScreenWidth; };
            if (!std::equal(row(found), row(found) + ScreenWidth, row(expected)))
                return y;
        }
        return -1;
    }

    void tick_blur_taskbar(frmSettings& settings)
    {
        run([&] { settings.Check12.Value(runtime::vbUnchecked); });
        run([&] { settings.Check12.Value(runtime::vbChecked); });
    }

    static constexpr const char* WallpaperPath = "C:\\Pictures\\noise.bmp";
    std::vector<uint32_t> m_wallpaper;
};

TEST_F(BlurWallpaperTest, RowsAboveTheStripAreTheStretchedWallpaperAndTheLastOnesTheProcessedStrip)
{
    set_noise_wallpaper();
    frmSettings& settings = start_settings_window();
    long taskbar_height = 0;
    run([&] { taskbar_height = GetTaskbarHeight(); });
    ASSERT_EQ(taskbar_height, 30);
    run([&] { settings.Picture2.BackColor(RGB(200, 100, 50)); });
    tick_blur_taskbar(settings);

    EXPECT_EQ(first_different_row(generated_wallpaper(), expected_wallpaper(0xC86432, true, 30)), -1);
    run([&] { EXPECT_TRUE(IsGeneratedWallpaperCurrent(program())); });
}

TEST_F(BlurWallpaperTest, WithoutAReadablePictureTheFieldIsTheBorderColour)
{
    std::ofstream(sim::host_path("C:\\Pictures\\broken.bmp")) << "not a picture";
    run([&] { SetWallpaper("C:\\Pictures\\broken.bmp"); });
    frmSettings& settings = start_settings_window();
    run([&] { settings.Picture2.BackColor(RGB(10, 20, 30)); });
    tick_blur_taskbar(settings);
    EXPECT_EQ(first_different_row(generated_wallpaper(), expected_wallpaper(0x0A141E, false, 30)), -1);
}

TEST_F(BlurWallpaperTest, ATaskbarAtTheSideHasTheWholePictureProcessed)
{
    set_noise_wallpaper();
    sim::set_taskbar_edge(ABE_LEFT);
    frmSettings& settings = start_settings_window();
    tick_blur_taskbar(settings);
    EXPECT_EQ(first_different_row(generated_wallpaper(), expected_wallpaper(0xFFFFFF, true, ScreenHeight)), -1);
}

}
