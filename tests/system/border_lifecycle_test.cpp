// A border's life after adoption: following the target's title, and closing when the target goes.
#include "tests/system/system_fixture.h"

namespace {

TEST_F(SystemTest, TitleChangeUpdatesCaptionAndMovesTheWindowManagerRowToTheEnd)
{
    start();
    HWND renamed = open_window("Old Title");
    wait_ticks(1);
    HWND other = open_adopted_window("Other");
    frmTrans* border = border_of(renamed);
    ASSERT_NE(border, nullptr);
    ASSERT_EQ(rows(window_manager().List1), (std::vector<std::string> { "Old Title", "Other" }));

    sim::driver::set_title(renamed, "New Title");
    wait_ticks(2);

    EXPECT_EQ(border->Caption(), "New Title");
    EXPECT_EQ(border->Label1.Caption(), "New Title");
    EXPECT_EQ(rows(window_manager().List1), (std::vector<std::string> { "Other", "New Title" }));
    EXPECT_EQ(rows(window_manager().List2),
        (std::vector<std::string> { border_of(other)->Label2.Caption(), border->Label2.Caption() }));
    EXPECT_TRUE(state_of(border->hWnd()).is_visible);
    EXPECT_EQ(state_of(renamed).parent, border->Picture10.hWnd());
}

TEST_F(SystemTest, TargetThatHidesItselfIsHandedBackAndItsBorderFadesOut)
{
    start();
    HWND target = open_adopted_window("Goes To Tray");
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    std::string style_before = border->Label5.Caption();
    HWND border_window = border->hWnd();
    RECT outer = state_of(border_window).rect;

    sim::driver::hide(target);
    wait_ticks(15);

    EXPECT_TRUE(borders().empty());
    EXPECT_FALSE(IsWindow(border_window));
    EXPECT_EQ(globals().BorderCount, 0);
    EXPECT_TRUE(rows(window_manager().List1).empty());
    EXPECT_TRUE(rows(window_manager().List2).empty());

    // The program that hid its window still has it, top-level, hidden, where the border was.
    ASSERT_TRUE(IsWindow(target));
    auto kept = state_of(target);
    EXPECT_EQ(kept.parent, nullptr);
    EXPECT_FALSE(kept.is_visible);
    EXPECT_EQ(std::to_string(kept.style | WS_VISIBLE), style_before);
    EXPECT_EQ(kept.rect.left, outer.left);
    EXPECT_EQ(kept.rect.top, outer.top);
    sim::driver::show(target);
    EXPECT_TRUE(state_of(target).is_visible);
}

TEST_F(SystemTest, TargetThatClosesEndsItsBorder)
{
    start();
    HWND target = open_window("Closing");
    HWND stays = open_adopted_window("Stays");
    ASSERT_EQ(borders().size(), 2u);

    sim::driver::close(target);
    wait_ticks(15);

    EXPECT_FALSE(IsWindow(target));
    ASSERT_EQ(borders().size(), 1u);
    EXPECT_EQ(borders().front()->target(), stays);
    EXPECT_EQ(globals().BorderCount, 1);
    EXPECT_EQ(rows(window_manager().List1), std::vector<std::string> { "Stays" });
}

}

namespace {

TEST_F(SystemTest, TargetClosingWhileItsBorderFadesInStillEndsTheBorder)
{
    start();
    HWND target = open_window("Short Lived");
    wait_ticks(1);
    ASSERT_NE(border_of(target), nullptr);
    sim::driver::close(target);
    wait_ticks(30);

    EXPECT_TRUE(borders().empty());
    EXPECT_EQ(globals().BorderCount, 0);
    EXPECT_TRUE(rows(window_manager().List1).empty());
}

// Alt+F4 on the border's own caption asks the window inside to close; it is never destroyed
// with its border.
TEST_F(SystemTest, CloseRequestToTheBorderIsPassedToItsWindow)
{
    start();
    HWND target = open_adopted_window("Editor");
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    HWND border_window = border->hWnd();

    run([&] { SetFocus(border->Picture1.hWnd()); });
    sim::driver::press_key(VK_F4, {VK_MENU});

    // The border stayed while the window's own program closed it.
    EXPECT_FALSE(IsWindow(target));
    EXPECT_EQ(borders().size(), 1u);
    wait_ticks(15);
    EXPECT_FALSE(IsWindow(border_window));
    EXPECT_TRUE(borders().empty());
}

TEST_F(SystemTest, BorderUnloadedByCodeGivesItsWindowBack)
{
    start();
    HWND target = open_adopted_window("Editor");
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);

    run([&] { program().unload(*border); });

    ASSERT_TRUE(IsWindow(target));
    EXPECT_EQ(state_of(target).parent, nullptr);
}

TEST_F(SystemTest, WindowOfAHiddenBorderComesBackVisibleUnlessItHidItself)
{
    start();
    HWND shown = open_adopted_window("Shown");
    HWND hid_itself = open_adopted_window("Hid itself");
    for (HWND target : { shown, hid_itself }) {
        frmTrans* border = border_of(target);
        ASSERT_NE(border, nullptr);
        run([&] {
            if (target == hid_itself)
                ShowWindow(target, SW_HIDE);
            border->Hide();
            program().unload(*border);
        });
    }
    EXPECT_EQ(state_of(shown).parent, nullptr);
    EXPECT_TRUE(state_of(shown).is_visible);
    EXPECT_EQ(state_of(hid_itself).parent, nullptr);
    EXPECT_FALSE(state_of(hid_itself).is_visible);
}

}
