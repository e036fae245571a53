// The notification-area icon and its menu: which clicks open it, what each item does, the icon
// added again when the shell restarts, and quitting through it.
#include "settings/frmColDialog.h"
#include "settings/frmSettings.h"
#include "tests/system/system_fixture.h"

#include "platform/sim/shell/notification_area.h"
#include "platform/sim/shell/shell_windows.h"

#include <algorithm>

namespace {

constexpr const char* FullMenu = "[x] Enabled|Colors|Preferences|Windowmanager|-|Exit Kelmor";

class TrayMenuTest : public SystemTest {
protected:
    void SetUp() override
    {
        SystemTest::SetUp();
        start();
        wait_ticks(2);
    }

    // The shell tells the icon's owner about mouse messages over the icon, one after another.
    static void tell_icon(std::initializer_list<UINT> messages)
    {
        for (UINT message : messages) {
            ASSERT_TRUE(sim::send_tray_mouse_message(0, message));
            sim::driver::pump();
        }
    }

    // Right-clicks the icon and chooses the item; "" leaves the menu without choosing.
    static void choose(const std::string& item)
    {
        if (!item.empty())
            sim::driver::choose_menu_item(item);
        tell_icon({ WM_RBUTTONDOWN, WM_RBUTTONUP });
    }

    static std::vector<std::string> menus_shown()
    {
        std::vector<std::string> menus;
        for (auto& record : sim::driver::modal_history()) {
            if (record.kind == "menu")
                menus.push_back(record.text);
        }
        return menus;
    }

    template<typename F>
    F& form()
    {
        F* found = nullptr;
        run([&] { found = &program().template form<F>(); });
        return *found;
    }
};

TEST_F(TrayMenuTest, OnlyTheRightButtonsReleaseOpensTheMenuAndItPausesTheWebcam)
{
    run([&] { webcam_loop().Enabled(true); });
    tell_icon({ WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK,
        WM_MBUTTONDOWN, WM_MBUTTONUP });
    EXPECT_TRUE(menus_shown().empty());
    EXPECT_TRUE(webcam_loop().Enabled());

    tell_icon({ WM_RBUTTONUP });
    EXPECT_EQ(menus_shown(), std::vector<std::string> { FullMenu });
    EXPECT_EQ(sim::driver::modal_history().back().result, "cancel");
    // Leaving the menu does not let the loop run again: only the places that resume it do.
    EXPECT_FALSE(webcam_loop().Enabled());
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(TrayMenuTest, EnabledOffLeavesNewWindowsAloneAlsoAfterItIsOnAgain)
{
    choose("Enabled");
    HWND opened_while_off = open_window("While off");
    wait_ticks(12);
    EXPECT_EQ(border_of(opened_while_off), nullptr);

    choose("Enabled");
    ASSERT_EQ(menus_shown().size(), 2u);
    EXPECT_EQ(menus_shown()[1], "Enabled|Colors|Preferences|Windowmanager|-|Exit Kelmor");
    // A window opened before the first tick after switching on must not carry the other one in.
    HWND opened_after = open_window("After");
    wait_ticks(12);
    EXPECT_EQ(border_of(opened_while_off), nullptr);
    EXPECT_NE(border_of(opened_after), nullptr);
    tell_icon({ WM_RBUTTONUP });
    EXPECT_EQ(menus_shown().back(), FullMenu);
}

TEST_F(TrayMenuTest, ColorsPreferencesAndWindowmanagerShowTheirWindowsWithTheWebcamPaused)
{
    struct Item {
        const char* caption;
        runtime::Form& window;
    };
    const Item items[] = { { "Colors", form<frmColDialog>() }, { "Preferences", form<frmSettings>() },
        { "Windowmanager", form<frmWinMgr>() } };
    for (const Item& item : items) {
        SCOPED_TRACE(item.caption);
        EXPECT_FALSE(item.window.Visible());
        run([&] { webcam_loop().Enabled(true); });
        choose(item.caption);
        EXPECT_TRUE(item.window.Visible());
        EXPECT_FALSE(webcam_loop().Enabled());
    }
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(TrayMenuTest, ExitGivesEveryWindowBackRemovesTheIconAndEnds)
{
    HWND editor = open_window("Editor");
    RECT before = state_of(editor).rect;
    wait_ticks(12);
    HWND viewer = open_adopted_window("Viewer");
    ASSERT_NE(border_of(editor), nullptr);
    run([&] { ShowWindow(sim::taskbar_window(), SW_HIDE); });

    choose("Exit Kelmor");

    EXPECT_FALSE(sim::driver::is_process_alive(sim::driver::program_process()));
    EXPECT_TRUE(sim::tray_icons().empty());
    EXPECT_TRUE(IsWindowVisible(sim::taskbar_window()));
    for (HWND window : { editor, viewer }) {
        auto state = state_of(window);
        EXPECT_EQ(state.parent, nullptr);
        EXPECT_TRUE(state.is_visible);
        EXPECT_EQ(state.style, 0x14CF0000u);
        EXPECT_EQ(state.ex_style, 0x100u);
    }
    EXPECT_EQ(state_of(editor).rect, before);
}

TEST_F(TrayMenuTest, IconComesBackWhenTheShellRestartsAndStillQuits)
{
    std::vector<HWND> windows;
    for (const char* title : { "One", "Two", "Three" })
        windows.push_back(open_adopted_window(title));
    sim::driver::restart_shell();

    ASSERT_EQ(sim::tray_icons().size(), 1u);
    EXPECT_EQ(sim::tray_icons()[0].owner, m_controller->hWnd());
    EXPECT_EQ(sim::tray_icons()[0].tip, "Kelmor");
    EXPECT_EQ(sim::tray_icons()[0].callback_message, static_cast<UINT>(WM_MOUSEMOVE));

    choose("Exit Kelmor");
    EXPECT_FALSE(sim::driver::is_process_alive(sim::driver::program_process()));
    for (HWND window : windows) {
        EXPECT_EQ(state_of(window).parent, nullptr);
        EXPECT_TRUE(state_of(window).is_visible);
    }
}

}
