// What the pointer finds: at the middle of every caption button, in each button set, and of every
// control of every settings page, the window under the pointer is that control (or lies in it),
// not a piece laid out under or over it.
#include "settings/frmSettings.h"
#include "tests/system/system_fixture.h"

#include <string>

namespace {

class ControlsWithinReachTest : public SystemTest {
protected:
    // The window WindowFromPoint finds at the middle of a control's window.
    static HWND window_at_middle(const runtime::Control& control)
    {
        RECT rect {};
        GetWindowRect(control.hWnd(), &rect);
        return WindowFromPoint(POINT { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 });
    }

    static bool is_within(HWND found, const runtime::Control& control)
    {
        return found && (found == control.hWnd() || IsChild(control.hWnd(), found));
    }

    // The shown and enabled controls of the form with a window of its own whose middle finds
    // another window; a disabled window takes no clicks, and the pointer finds its parent.
    std::string controls_out_of_reach(const runtime::Form& form)
    {
        std::string out_of_reach;
        run([&] {
            for (const runtime::Control* control : form.controls()) {
                HWND window = control->hWnd();
                if (window && IsWindowVisible(window) && IsWindowEnabled(window) && !is_within(window_at_middle(*control), *control))
                    out_of_reach += " " + control->Name() + (control->Index() >= 0 ? "(" + std::to_string(control->Index()) + ")" : "");
            }
        });
        return out_of_reach;
    }

    // The shown caption buttons whose middle finds another window; the inert maximise button
    // lies over button 1.
    std::string caption_buttons_out_of_reach(frmTrans& border)
    {
        std::string out_of_reach;
        int shown = 0;
        run([&] {
            for (int index = 0; index < 3; ++index) {
                const runtime::PictureBox& button = border.Picture11[index];
                if (!IsWindowVisible(button.hWnd()))
                    continue;
                ++shown;
                bool is_inert = index == 1 && border.Picture19.Visible();
                const runtime::Control& expected = is_inert ? static_cast<const runtime::Control&>(border.Picture19) : button;
                if (window_at_middle(button) != expected.hWnd())
                    out_of_reach += " Picture11(" + std::to_string(index) + ")";
            }
        });
        EXPECT_GT(shown, 0);
        return out_of_reach;
    }

    frmTrans& adopt(DWORD style, RECT rect)
    {
        HWND target = open_window("Target", "C:\\Apps\\editor.exe", style, rect);
        wait_ticks(30);
        frmTrans* border = border_of(target);
        EXPECT_NE(border, nullptr);
        return *border;
    }
};

TEST_F(ControlsWithinReachTest, EveryCaptionButtonInEveryButtonSet)
{
    start();
    frmTrans& three = adopt(0x10CF0000, { 100, 100, 740, 580 });
    frmTrans& inert_maximise = adopt(0x10CA0000, { 800, 100, 1200, 400 });
    frmTrans& close_only = adopt(0x10C80000, { 800, 500, 1200, 800 });
    EXPECT_EQ(caption_buttons_out_of_reach(three), "");
    EXPECT_EQ(caption_buttons_out_of_reach(inert_maximise), "");
    EXPECT_EQ(caption_buttons_out_of_reach(close_only), "");
    run([&] { three.MaxMe(); });
    wait_ticks(30);
    ASSERT_TRUE(three.is_maximised());
    EXPECT_EQ(caption_buttons_out_of_reach(three), "");
}

TEST_F(ControlsWithinReachTest, EveryControlOfEverySettingsPageAndClose)
{
    start();
    frmSettings* settings = nullptr;
    run([&] {
        settings = &program().form<frmSettings>();
        settings->Show();
    });
    EXPECT_EQ(controls_out_of_reach(*settings), "") << "the start view";
    // The menu's items: every page but the hidden fifth, and the release notes.
    for (int item : { 3, 0, 1, 2, 4, 6, 7, 8, 9, 11 }) {
        run([&] {
            settings->Label1_MouseMove(item, 0, 0, 5, 5);
            settings->Label1_MouseDown(item, 1, 0, 5, 5);
        });
        EXPECT_EQ(controls_out_of_reach(*settings), "") << "item " << item;
    }
    // The exclusion page's file browser lies over its list, with its own buttons beside Close.
    run([&] {
        settings->Label1_MouseMove(7, 0, 0, 5, 5);
        settings->Label1_MouseDown(7, 1, 0, 5, 5);
        settings->Command6_Click();
    });
    run([&] {
        for (const runtime::Control* control : { static_cast<const runtime::Control*>(&settings->Drive1),
                 static_cast<const runtime::Control*>(&settings->Dir1), static_cast<const runtime::Control*>(&settings->File1),
                 static_cast<const runtime::Control*>(&settings->Command6),
                 static_cast<const runtime::Control*>(&settings->Command7),
                 static_cast<const runtime::Control*>(&settings->Command1) })
            EXPECT_TRUE(is_within(window_at_middle(*control), *control)) << control->Name();
    });
}

}
