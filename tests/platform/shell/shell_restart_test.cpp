// The shell's restart: a new taskbar, an empty notification area, and "TaskbarCreated" told to
// every top-level window, hidden ones included, but not to child windows.
#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/driver.h"
#include "platform/sim/shell/notification_area.h"
#include "platform/sim/shell/shell_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<HWND> g_told;

LRESULT CALLBACK listening_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RegisterWindowMessageA("TaskbarCreated"))
        g_told.push_back(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

class ShellRestart : public testing::Test {
protected:
    void SetUp() override
    {
        sim::reset_desktop();
        g_told.clear();
        WNDCLASSA window_class {};
        window_class.lpfnWndProc = listening_procedure;
        window_class.lpszClassName = "Listener";
        RegisterClassA(&window_class);
    }

    static HWND create(DWORD style, HWND parent = nullptr)
    {
        return CreateWindowExA(0, "Listener", "l", style, 0, 0, 50, 50, parent, nullptr, nullptr, nullptr);
    }
};

TEST(RegisteredMessages, OneNumberPerNameInAnyCaseFromTheRegisteredRange)
{
    sim::reset_desktop();
    UINT created = RegisterWindowMessageA("TaskbarCreated");
    EXPECT_GE(created, 0xC000u);
    EXPECT_LE(created, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessageA("TASKBARCREATED"), created);
    UINT other = RegisterWindowMessageA("KelmorOther");
    EXPECT_NE(other, created);
    EXPECT_GE(other, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
}

TEST_F(ShellRestart, NewTaskbarEmptyAreaAndEveryTopLevelWindowTold)
{
    HWND shown = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND hidden = create(WS_POPUP);
    HWND child = create(WS_CHILD | WS_VISIBLE, shown);
    NOTIFYICONDATAA data {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = hidden;
    data.uID = 1;
    data.uFlags = NIF_TIP;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    HWND old_taskbar = sim::taskbar_window();
    RECT old_rect {};
    GetWindowRect(old_taskbar, &old_rect);

    sim::driver::restart_shell();

    EXPECT_FALSE(IsWindow(old_taskbar));
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    ASSERT_TRUE(IsWindow(taskbar));
    EXPECT_EQ(taskbar, sim::taskbar_window());
    EXPECT_TRUE(IsWindowVisible(taskbar));
    RECT rect {};
    GetWindowRect(taskbar, &rect);
    EXPECT_EQ(rect.left, old_rect.left);
    EXPECT_EQ(rect.top, old_rect.top);
    EXPECT_EQ(rect.right, old_rect.right);
    EXPECT_EQ(rect.bottom, old_rect.bottom);
    EXPECT_TRUE(sim::tray_icons().empty());
    EXPECT_EQ(std::count(g_told.begin(), g_told.end(), shown), 1);
    EXPECT_EQ(std::count(g_told.begin(), g_told.end(), hidden), 1);
    EXPECT_EQ(std::count(g_told.begin(), g_told.end(), child), 0);
    // The icon can be added again with the same record, to the new taskbar.
    EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    EXPECT_EQ(sim::tray_icons().size(), 1u);
}

}
