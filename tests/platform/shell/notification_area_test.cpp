#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/shell/notification_area.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Received> g_received;

LRESULT CALLBACK record_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE || message == WM_APP + 1)
        g_received.push_back({ message, wParam, lParam });
    return DefWindowProcA(window, message, wParam, lParam);
}

class NotificationArea : public testing::Test {
protected:
    void SetUp() override
    {
        sim::reset_desktop();
        g_received.clear();
        WNDCLASSA window_class {};
        window_class.lpfnWndProc = record_procedure;
        window_class.lpszClassName = "TrayOwner";
        RegisterClassA(&window_class);
        m_owner = CreateWindowExA(0, "TrayOwner", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }

    NOTIFYICONDATAA record(UINT callback) const
    {
        NOTIFYICONDATAA data {};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = m_owner;
        data.uID = 1;
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = callback;
        data.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        std::strcpy(data.szTip, "Kelmor");
        return data;
    }

    static void pump()
    {
        MSG message {};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }

    HWND m_owner = nullptr;
};

TEST_F(NotificationArea, AddedIconPassesMouseMessagesAsItsCallback)
{
    NOTIFYICONDATAA data = record(WM_MOUSEMOVE);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    ASSERT_EQ(sim::tray_icons().size(), 1u);
    EXPECT_EQ(sim::tray_icons()[0].tip, "Kelmor");
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &data));

    ASSERT_TRUE(sim::send_tray_mouse_message(0, WM_RBUTTONUP));
    pump();
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(g_received[0].wParam, 1u);
    // The mouse message arrives where a mouse-move message keeps its X coordinate.
    EXPECT_EQ(GET_X_LPARAM(g_received[0].lParam), WM_RBUTTONUP);
}

TEST_F(NotificationArea, ClickOnTheIconInTheTaskbarReachesTheOwner)
{
    NOTIFYICONDATAA data = record(WM_APP + 1);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    RECT client {};
    GetClientRect(taskbar, &client);
    RECT slot = sim::tray_icon_rect(0, client.right, client.bottom);
    SendMessageA(taskbar, WM_LBUTTONDBLCLK, 0, MAKELPARAM(slot.left + 2, slot.top + 2));
    SendMessageA(taskbar, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    pump();
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].lParam, static_cast<LPARAM>(WM_LBUTTONDBLCLK));
}

TEST_F(NotificationArea, ModifyAndDeleteNeedAnIconThatExists)
{
    NOTIFYICONDATAA data = record(WM_MOUSEMOVE);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &data));
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    std::strcpy(data.szTip, "Kelmor (disabled)");
    data.uFlags = NIF_TIP;
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));
    EXPECT_EQ(sim::tray_icons()[0].tip, "Kelmor (disabled)");
    EXPECT_EQ(sim::tray_icons()[0].callback_message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
    EXPECT_TRUE(sim::tray_icons().empty());
    EXPECT_FALSE(sim::send_tray_mouse_message(0, WM_RBUTTONUP));
}

TEST_F(NotificationArea, TheFirstVersionOfTheRecordCarriesASixtyFourCharacterTip)
{
    NOTIFYICONDATAA data = record(WM_MOUSEMOVE);
    std::memset(data.szTip, 'x', sizeof(data.szTip) - 1);
    data.szTip[sizeof(data.szTip) - 1] = '\0';
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    EXPECT_EQ(sim::tray_icons()[0].tip.size(), 64u);
    data.cbSize = 20;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &data));
}

}
