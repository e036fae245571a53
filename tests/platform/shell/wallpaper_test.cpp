#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/driver.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/shell/registry_store.h"
#include "platform/sim/shell/wallpaper.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

class Wallpaper : public testing::Test {
protected:
    void SetUp() override { sim::reset_desktop(); }

    // A 2 x 2 bottom-up 24-bit BMP file: red and green in the bottom row, blue and yellow on top.
    static void write_bitmap_file(const char* windows_path)
    {
        std::vector<uint8_t> file = { 'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0,
            0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
        const uint8_t rows[] = { 0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0 };
        file.insert(file.end(), std::begin(rows), std::end(rows));
        std::ofstream(sim::host_path(windows_path), std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }

    static std::string profile_wallpaper()
    {
        return sim::string_value(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
    }
};

TEST_F(Wallpaper, SettingItUpdatesTheProfileAndTheDesktop)
{
    write_bitmap_file("C:\\Windows\\Bliss.bmp");
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>("C:\\Windows\\Bliss.bmp"),
        SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE));
    EXPECT_EQ(profile_wallpaper(), "C:\\Windows\\Bliss.bmp");
    EXPECT_TRUE(sim::has_wallpaper_picture());
    char current[MAX_PATH] {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0));
    EXPECT_STREQ(current, "C:\\Windows\\Bliss.bmp");

    // Without SPIF_UPDATEINIFILE only the desktop changes.
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), 0));
    EXPECT_EQ(sim::wallpaper_path(), "");
    EXPECT_EQ(profile_wallpaper(), "C:\\Windows\\Bliss.bmp");
}

TEST_F(Wallpaper, TheDesktopShowsItStretchedOverTheScreen)
{
    write_bitmap_file("C:\\Windows\\Bliss.bmp");
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>("C:\\Windows\\Bliss.bmp"), 0));
    sim::driver::pump();
    sim::Bitmap screen = sim::driver::screenshot();
    // The file's rows run bottom-up: blue and yellow on top, red and green below.
    EXPECT_EQ(screen.pixel(500, 100) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(screen.pixel(1900, 100) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(screen.pixel(500, 800) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(screen.pixel(1900, 800) & 0xFFFFFF, 0x00FF00u);

    // With the desktop's icons hidden the desktop window itself shows the wallpaper.
    ShowWindow(FindWindowA(nullptr, "Program Manager"), SW_HIDE);
    sim::driver::pump();
    screen = sim::driver::screenshot();
    EXPECT_EQ(screen.pixel(20, 20) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(screen.pixel(1900, 800) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(Wallpaper, AFileThatIsNoPictureChangesNothingAndSaysSo)
{
    write_bitmap_file("C:\\Windows\\Bliss.bmp");
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>("C:\\Windows\\Bliss.bmp"), SPIF_UPDATEINIFILE);
    std::ofstream(sim::host_path("C:\\broken.bmp")) << "no picture";
    EXPECT_FALSE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>("C:\\broken.bmp"), SPIF_UPDATEINIFILE));
    EXPECT_FALSE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>("C:\\missing.bmp"), SPIF_UPDATEINIFILE));
    EXPECT_EQ(sim::wallpaper_path(), "C:\\Windows\\Bliss.bmp");
    EXPECT_EQ(profile_wallpaper(), "C:\\Windows\\Bliss.bmp");
}

TEST_F(Wallpaper, AnEmptyPathMeansNoWallpaper)
{
    write_bitmap_file("C:\\Windows\\Bliss.bmp");
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>("C:\\Windows\\Bliss.bmp"), SPIF_UPDATEINIFILE);
    // A text read from the registry as "NUL and a blank" reads as the empty path.
    char empty_with_blank[] = { '\0', ' ', '\0' };
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, empty_with_blank, SPIF_UPDATEINIFILE));
    EXPECT_EQ(profile_wallpaper(), "");
    EXPECT_FALSE(sim::has_wallpaper_picture());
}

}
