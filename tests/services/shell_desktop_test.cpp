// The shell around the program: the taskbar, the desktop's icons and their view, and the wallpaper.
#include "services/Module2.h"
#include "services/modGlobal.h"
#include "services/modTaskbar.h"
#include "services/modWallpaper.h"
#include "tests/services/services_fixture.h"

#include "platform/sim/kernel/paths.h"
#include "platform/sim/shell/registry_store.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/sim/shell/wallpaper.h"

#include <fstream>
#include <vector>

using sim::driver::window_state;

namespace {

// A 2 x 2 24-bit BMP file, enough for the desktop to show it.
void write_bitmap_file(const std::string& windows_path)
{
    std::vector<uint8_t> file = { 'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0,
        1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    file.resize(file.size() + 16, 0x80);
    std::ofstream(sim::host_path(windows_path), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

std::string profile_wallpaper()
{
    return sim::string_value(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
}

}

TEST_F(ServicesTest, TaskbarHeightFollowsTheEdgeItIsDockedTo)
{
    RECT bar = window_state(sim::taskbar_window())->rect;
    long height = 0;
    run([&] { height = GetTaskbarHeight(); });
    EXPECT_GT(height, 0);
    EXPECT_EQ(height, bar.bottom - bar.top);

    sim::set_taskbar_edge(ABE_TOP);
    run([&] { height = GetTaskbarHeight(); });
    EXPECT_EQ(height, window_state(sim::taskbar_window())->rect.bottom);

    sim::set_taskbar_edge(ABE_LEFT);
    sim::driver::set_screen_size(800, 600);
    run([&] { height = GetTaskbarHeight(); });
    EXPECT_EQ(height, 600);
}

TEST_F(ServicesTest, TaskbarHidesAndShowsWhereItWas)
{
    HWND taskbar = sim::taskbar_window();
    RECT before = window_state(taskbar)->rect;
    run([&] { HideTaskbar(); });
    EXPECT_FALSE(window_state(taskbar)->is_visible);
    run([&] { ShowTaskbar(); });
    auto after = window_state(taskbar);
    EXPECT_TRUE(after->is_visible);
    EXPECT_EQ(after->rect.left, before.left);
    EXPECT_EQ(after->rect.top, before.top);
    EXPECT_EQ(after->rect.right, before.right);
    EXPECT_EQ(after->rect.bottom, before.bottom);
}

TEST_F(ServicesTest, ShellWindowsThatAreGoneAreLeftAlone)
{
    sim::driver::end_process(sim::driver::shell_process());
    long height = -1;
    run([&] {
        height = GetTaskbarHeight();
        HideTaskbar();
        HideDesktopIcons();
        SetDesktopViewStyle(1);
    });
    EXPECT_EQ(height, 0);
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(ServicesTest, DesktopIconsHideAndShow)
{
    HWND icons = sim::program_manager_window();
    run([&] { HideDesktopIcons(); });
    EXPECT_FALSE(window_state(icons)->is_visible);
    run([&] { ShowDesktopIcons(); });
    EXPECT_TRUE(window_state(icons)->is_visible);
}

TEST_F(ServicesTest, ViewStyleSwitchesTheViewAndLeavesTheStoredStyle)
{
    HWND list_view = sim::desktop_list_view();
    DWORD stored = window_state(list_view)->style;
    const std::pair<long, sim::DesktopView> views[] = { { 3, sim::DesktopView::List },
        { 1, sim::DesktopView::Details }, { 2, sim::DesktopView::SmallIcons }, { 0, sim::DesktopView::Icons } };
    for (auto [style, view] : views) {
        run([&, style = style] { SetDesktopViewStyle(style); });
        EXPECT_EQ(sim::desktop_view(), view) << style;
        EXPECT_EQ(window_state(list_view)->style, stored);
    }
}

TEST_F(ServicesTest, ViewStyleNeverWaitsForAShellThatDoesNotAnswer)
{
    sim::driver::set_hung(sim::driver::shell_process(), true);
    sim::driver::run_for(6000);
    run([&] { SetDesktopViewStyle(3); });
    EXPECT_TRUE(sim::driver::freezes().empty());
    sim::driver::set_hung(sim::driver::shell_process(), false);
}

TEST_F(ServicesTest, ViewStyleKeepsEveryOtherStyleBit)
{
    // The list view's procedure is wrapped to see the exact styles it is told about.
    static WNDPROC original = nullptr;
    static std::vector<STYLESTRUCT> told;
    told.clear();
    HWND list_view = sim::desktop_list_view();
    LONG style = GetWindowLongA(list_view, GWL_STYLE) | 0x2;
    SetWindowLongA(list_view, GWL_STYLE, style);
    ASSERT_NE(style & ~3L, 0);
    original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(list_view, GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
            if (message == WM_STYLECHANGED && lparam)
                told.push_back(*reinterpret_cast<const STYLESTRUCT*>(lparam));
            return CallWindowProcA(original, window, message, wparam, lparam);
        })));

    run([&] { SetDesktopViewStyle(1); });

    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].styleOld, static_cast<DWORD>(style));
    EXPECT_EQ(told[0].styleNew, static_cast<DWORD>((style & ~3L) | 1));
    EXPECT_EQ(sim::desktop_view(), sim::DesktopView::Details);
    EXPECT_EQ(GetWindowLongA(list_view, GWL_STYLE), style);
    SetWindowLongPtrA(list_view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
}

TEST_F(ServicesTest, ViewStyleOutsideTheFourViewsIsRefused)
{
    run([&] { SetDesktopViewStyle(2); });
    for (long style : { -1L, 4L, 7L, 0x10000000L }) {
        run([&, style = style] { SetDesktopViewStyle(style); });
        EXPECT_EQ(sim::desktop_view(), sim::DesktopView::SmallIcons) << style;
    }
}

TEST_F(ServicesTest, WallpaperIsSetAndReadBackThroughTheProfile)
{
    write_bitmap_file("C:\\Windows\\Hills.bmp");
    run([&] { SetWallpaper("C:\\Windows\\Hills.bmp"); });
    EXPECT_EQ(sim::wallpaper_path(), "C:\\Windows\\Hills.bmp");
    EXPECT_TRUE(sim::has_wallpaper_picture());
    EXPECT_EQ(profile_wallpaper(), "C:\\Windows\\Hills.bmp");

    std::string read_back;
    run([&] { read_back = GetWallpaperPath(); });
    EXPECT_EQ(read_back, std::string("C:\\Windows\\Hills.bmp\0 ", 22));

    // What was read back is good for setting it again, after another wallpaper.
    write_bitmap_file("C:\\Windows\\Lake.bmp");
    run([&] { SetWallpaper("C:\\Windows\\Lake.bmp"); });
    run([&] { SetWallpaper(read_back); });
    EXPECT_EQ(sim::wallpaper_path(), "C:\\Windows\\Hills.bmp");
}

TEST_F(ServicesTest, NoWallpaperReadsAsNulAndBlankAndSetsNone)
{
    write_bitmap_file("C:\\Windows\\Hills.bmp");
    std::string none;
    run([&] { none = GetWallpaperPath(); });
    EXPECT_EQ(none, std::string("\0 ", 2));

    run([&] { SetWallpaper("C:\\Windows\\Hills.bmp"); });
    run([&] { SetWallpaper(none); });
    EXPECT_EQ(sim::wallpaper_path(), "");
    EXPECT_EQ(profile_wallpaper(), "");
}
