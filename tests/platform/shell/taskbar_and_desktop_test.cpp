#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/shell/shell_windows.h"

#include <gtest/gtest.h>

namespace {

class TaskbarAndDesktop : public testing::Test {
protected:
    void SetUp() override { sim::reset_desktop(); }

    static HWND desktop_list_view()
    {
        HWND program_manager = FindWindowA("Progman", "Program Manager");
        return GetWindow(GetWindow(program_manager, GW_CHILD), GW_CHILD);
    }

    static int taskbar_height()
    {
        APPBARDATA data {};
        data.cbSize = 36;
        SHAppBarMessage(ABM_GETTASKBARPOS, &data);
        return data.rc.bottom - data.rc.top;
    }
};

TEST_F(TaskbarAndDesktop, TaskbarPositionIsItsWindowAtTheBottom)
{
    APPBARDATA data {};
    data.cbSize = 36;
    ASSERT_TRUE(SHAppBarMessage(ABM_GETTASKBARPOS, &data));
    HWND taskbar = FindWindowA("Shell_TrayWnd", "");
    EXPECT_EQ(data.hWnd, taskbar);
    EXPECT_EQ(data.uEdge, static_cast<UINT>(ABE_BOTTOM));
    EXPECT_EQ(data.rc.top, 1050);
    EXPECT_EQ(data.rc.bottom, 1080);
    EXPECT_EQ(data.rc.right, 1920);
    EXPECT_EQ(taskbar_height(), 30);

    sim::set_taskbar_edge(ABE_TOP);
    EXPECT_EQ(taskbar_height(), 30);
    sim::set_taskbar_edge(ABE_LEFT);
    EXPECT_EQ(taskbar_height(), 1080);

    DestroyWindow(taskbar);
    EXPECT_FALSE(SHAppBarMessage(ABM_GETTASKBARPOS, &data));
}

TEST_F(TaskbarAndDesktop, ShellWindowsFollowTheScreenSize)
{
    sim::set_screen_size(1280, 800);
    RECT bar {};
    GetWindowRect(FindWindowA("Shell_TrayWnd", nullptr), &bar);
    EXPECT_EQ(bar.top, 770);
    EXPECT_EQ(bar.right, 1280);
    RECT icons {};
    GetWindowRect(desktop_list_view(), &icons);
    EXPECT_EQ(icons.right, 1280);
    EXPECT_EQ(icons.bottom, 800);
}

TEST_F(TaskbarAndDesktop, TaskbarHidesAndShowsWhereItIs)
{
    HWND taskbar = FindWindowA("Shell_TrayWnd", "");
    ASSERT_TRUE(IsWindowVisible(taskbar));
    SetWindowPos(taskbar, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW);
    EXPECT_FALSE(IsWindowVisible(taskbar));
    // The shell keeps the taskbar's place reserved while its window is hidden.
    RECT work {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.bottom, 1050);
    SetWindowPos(taskbar, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW);
    EXPECT_TRUE(IsWindowVisible(taskbar));
    EXPECT_EQ(taskbar_height(), 30);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.bottom, 1050);
}

TEST_F(TaskbarAndDesktop, ProgramManagerHoldsTheDesktopListView)
{
    HWND program_manager = FindWindowA(nullptr, "Program Manager");
    ASSERT_NE(program_manager, nullptr);
    EXPECT_EQ(program_manager, FindWindowA("Progman", "Program Manager"));
    HWND view = GetWindow(program_manager, GW_CHILD);
    char name[64] {};
    GetClassNameA(view, name, sizeof(name));
    EXPECT_STREQ(name, "SHELLDLL_DefView");
    GetClassNameA(desktop_list_view(), name, sizeof(name));
    EXPECT_STREQ(name, "SysListView32");
    ShowWindow(program_manager, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(desktop_list_view()));
}

TEST_F(TaskbarAndDesktop, StyleChangedSwitchesTheViewAndLeavesTheStoredStyle)
{
    HWND list_view = desktop_list_view();
    LONG stored = GetWindowLongA(list_view, GWL_STYLE);
    EXPECT_EQ(stored & 3, 0);
    EXPECT_EQ(sim::desktop_view(), sim::DesktopView::Icons);

    STYLESTRUCT change { static_cast<DWORD>(stored), (static_cast<DWORD>(stored) & ~3u) | 1 };
    SendMessageA(list_view, WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE), reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(sim::desktop_view(), sim::DesktopView::Details);
    EXPECT_EQ(GetWindowLongA(list_view, GWL_STYLE), stored);

    for (auto [bits, view] : { std::pair { 2u, sim::DesktopView::SmallIcons }, std::pair { 3u, sim::DesktopView::List },
             std::pair { 0u, sim::DesktopView::Icons } }) {
        change.styleNew = (static_cast<DWORD>(stored) & ~3u) | bits;
        SendMessageA(list_view, WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE), reinterpret_cast<LPARAM>(&change));
        EXPECT_EQ(sim::desktop_view(), view);
    }
    // A change of the extended style is not a change of view.
    change.styleNew = 1;
    SendMessageA(list_view, WM_STYLECHANGED, static_cast<WPARAM>(GWL_EXSTYLE), reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(sim::desktop_view(), sim::DesktopView::Icons);
}

}
