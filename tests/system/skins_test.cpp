// The taskbar and start-menu skins: the option that swaps them for the system taskbar, the bar's
// cut-out across screens of every width, the keep-on-top timer, the clock, close requests and the
// transparency shared with the borders.
#include "services/modTaskbar.h"
#include "settings/frmSettings.h"
#include "shellskin/frmStartmenu.h"
#include "shellskin/frmTaskbar.h"
#include "tests/system/system_fixture.h"

#include "platform/sim/gdi/bitmap.h"
#include "platform/sim/kernel/clock.h"
#include "platform/sim/shell/program_start.h"

namespace {

constexpr int BarHeight = 34;

class SkinTest : public SystemTest {
protected:
    void TearDown() override
    {
        sim::reset_time_of_day();
        SystemTest::TearDown();
    }

    frmSettings& settings()
    {
        frmSettings* found = nullptr;
        run([&] { found = &program().form<frmSettings>(); });
        return *found;
    }
    frmTaskbar& skin()
    {
        frmTaskbar* found = nullptr;
        run([&] { found = &program().form<frmTaskbar>(); });
        return *found;
    }
    frmStartmenu& start_menu()
    {
        frmStartmenu* found = nullptr;
        run([&] { found = &program().form<frmStartmenu>(); });
        return *found;
    }

    void tick_option(int value)
    {
        run([&] { settings().Check9.Value(value); });
        wait_ticks(2);
    }

    HWND system_taskbar() { return FindWindowA("Shell_TrayWnd", nullptr); }

    // Whether the first top-level window lies in front of the second.
    static bool is_in_front_of(HWND first, HWND second)
    {
        for (const auto& window : sim::driver::window_tree()) {
            if (window.handle == first)
                return true;
            if (window.handle == second)
                return false;
        }
        return false;
    }
};

// Which pixels of the bar's top four rows show the desktop through the cut-out, as "#" for the
// bar and "." for the desktop, between two columns of the screen.
std::string row_of_bar(const sim::Bitmap& screen, int row, int from, int to)
{
    int y = screen.height() - BarHeight + row;
    uint32_t desktop = screen.pixel(screen.width() / 2, screen.height() / 2);
    std::string cells;
    for (int x = from; x < to; ++x)
        cells += screen.pixel(x, y) == desktop ? '.' : '#';
    return cells;
}

TEST_F(SkinTest, OnlyTheStartButtonsTopRisesAboveTheBar)
{
    sim::driver::set_screen_size(1920, 1080);
    start();
    tick_option(1);
    auto screen = sim::driver::screenshot();
    EXPECT_EQ(row_of_bar(screen, 0, 16, 44), "........############........");
    EXPECT_EQ(row_of_bar(screen, 1, 16, 44), "......################......");
    EXPECT_EQ(row_of_bar(screen, 2, 16, 44), "....####################....");
    EXPECT_EQ(row_of_bar(screen, 3, 16, 44), "..########################..");
    EXPECT_EQ(row_of_bar(screen, 3, 1200, 1920), std::string(720, '.'));
    EXPECT_EQ(row_of_bar(screen, 4, 0, 1920), std::string(1920, '#'));
}

TEST_F(SkinTest, TheBarIsWholeAndCutOutAcrossTheScreenAtAnyWidth)
{
    for (int width : { 1280, 2560 }) {
        SCOPED_TRACE(width);
        sim::driver::set_screen_size(width, 1024);
        start();
        tick_option(1);
        auto screen = sim::driver::screenshot();
        EXPECT_EQ(row_of_bar(screen, 2, 1000, width), std::string(width - 1000, '.'));
        EXPECT_EQ(row_of_bar(screen, 4, 0, width), std::string(width, '#'));
        EXPECT_EQ(row_of_bar(screen, BarHeight - 1, 0, width), std::string(width, '#'));
        auto bar = state_of(skin().hWnd());
        EXPECT_EQ(bar.rect.left, 0);
        EXPECT_EQ(bar.rect.right, width);
        EXPECT_EQ(bar.rect.top, 1024 - BarHeight);
        run([&] { settings().Check9.Value(0); });
        TearDown();
        SetUp();
    }
}

TEST_F(SkinTest, TheOptionSwapsTheSkinAndTheSystemTaskbarBothWays)
{
    start();
    EXPECT_FALSE(IsWindowVisible(skin().hWnd()));
    tick_option(1);
    EXPECT_FALSE(IsWindowVisible(system_taskbar()));
    EXPECT_TRUE(IsWindowVisible(skin().hWnd()));
    run([&] { start_menu().Show(); });
    tick_option(0);
    EXPECT_TRUE(IsWindowVisible(system_taskbar()));
    EXPECT_FALSE(IsWindowVisible(skin().hWnd()));
    EXPECT_FALSE(IsWindowVisible(start_menu().hWnd()));

    // Switching the option on and off again leaves the program's objects where they were.
    tick_option(1);
    tick_option(0);
    auto before = sim::driver::resource_usage(sim::driver::program_process());
    for (int round = 0; round < 10; ++round) {
        tick_option(1);
        tick_option(0);
    }
    auto after = sim::driver::resource_usage(sim::driver::program_process());
    EXPECT_EQ(after.gdi_objects, before.gdi_objects);
    EXPECT_EQ(after.screen_dcs, before.screen_dcs);
}

TEST_F(SkinTest, ASkinShownLaterIsKeptOnTopWithoutBeingActivated)
{
    HWND other = open_window("Always on top", "C:\\Apps\\clock.exe");
    start();
    wait_ticks(2);
    EXPECT_FALSE(skin().Timer2.Enabled());
    tick_option(1);
    SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    HWND active = sim::driver::foreground_window();
    ASSERT_TRUE(is_in_front_of(other, skin().hWnd()));
    wait_ticks(1);
    EXPECT_TRUE(is_in_front_of(skin().hWnd(), other));
    EXPECT_EQ(sim::driver::foreground_window(), active);
}

TEST_F(SkinTest, TheClockShowsHoursAndMinutesAndFollowsTheTime)
{
    sim::set_time_of_day(9, 5, 59);
    start();
    tick_option(1);
    EXPECT_EQ(skin().Label1.Caption(), "09:05");
    float left = skin().Label1.Left();
    sim::driver::run_for(1000);
    EXPECT_EQ(skin().Label1.Caption(), "09:06");
    EXPECT_EQ(skin().Label1.Left(), left);
}

TEST_F(SkinTest, ACloseRequestLeavesTheSkinAndPutsTheStartMenuAway)
{
    start();
    tick_option(1);
    run([&] { start_menu().Show(); });
    for (HWND window : { skin().hWnd(), start_menu().hWnd() })
        PostMessageA(window, WM_CLOSE, 0, 0);
    wait_ticks(2);
    ASSERT_TRUE(IsWindow(skin().hWnd()));
    EXPECT_TRUE(IsWindowVisible(skin().hWnd()));
    ASSERT_TRUE(IsWindow(start_menu().hWnd()));
    EXPECT_FALSE(IsWindowVisible(start_menu().hWnd()));
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(SkinTest, TheTransparencySliderAppliesToBothSkins)
{
    start();
    tick_option(1);
    run([&] { settings().HScroll1.Value(500); });
    wait_ticks(1);
    EXPECT_EQ(state_of(skin().hWnd()).layered_alpha, 128);
    EXPECT_EQ(state_of(start_menu().hWnd()).layered_alpha, 128);
}

TEST_F(SkinTest, TheStartMenusHighlightComesBackAfterLeavingAnEntry)
{
    start();
    frmStartmenu& menu = start_menu();
    run([&] { menu.Label1_MouseMove(0, 0, 0, 10, 10); });
    EXPECT_TRUE(menu.Picture1.Visible());
    EXPECT_EQ(menu.Picture1.Top(), 1215);
    run([&] { menu.Label1_MouseMove(1, 0, 0, 10, 10); });
    EXPECT_TRUE(menu.Picture1.Visible());
    EXPECT_EQ(menu.Label2.Caption(), "Dokumente");
    EXPECT_EQ(menu.LastEntryIndex, 1);
    run([&] { menu.Form_MouseMove(0, 0, 10, 10); });
    EXPECT_FALSE(menu.Picture1.Visible());
    run([&] { menu.Label1_MouseMove(1, 0, 0, 10, 10); });
    EXPECT_TRUE(menu.Picture1.Visible());
    run([&] { menu.Label3_MouseMove(1, 0, 0, 10, 10); });
    EXPECT_EQ(menu.Image2.Top(), 622.5f);
}

TEST_F(SkinTest, OnlyTheFirstEntryStartsTheExplorerAndEveryEntryPutsTheMenuAway)
{
    start();
    frmStartmenu& menu = start_menu();
    size_t started_before = sim::started_programs().size();
    for (int entry : { 1, 0 }) {
        run([&] {
            menu.Show();
            menu.Label1_MouseMove(entry, 0, 0, 10, 10);
            menu.Label2_Click();
        });
        EXPECT_FALSE(IsWindowVisible(menu.hWnd()));
    }
    wait_ticks(2);
    ASSERT_EQ(sim::started_programs().size(), started_before + 1);
    EXPECT_EQ(sim::started_programs().back().executable, "C:\\Windows\\explorer.exe");
}

}
