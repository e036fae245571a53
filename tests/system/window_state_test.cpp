// Windows adopted while minimised or maximised: the border takes the same state, and at quit the
// window comes back where the user can reach it.
#include "tests/system/system_fixture.h"

#include "platform/sim/shell/shell_windows.h"

namespace {

TEST_F(SystemTest, MaximisedWindowGetsAMaximisedBorderAndComesBackMaximisedAtQuit)
{
    start();
    HWND target = open_window("Full Screen Editor");
    sim::driver::maximise(target);
    auto before = state_of(target);
    wait_ticks(12);

    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    EXPECT_TRUE(border->is_maximised());
    RECT taskbar {};
    GetWindowRect(sim::taskbar_window(), &taskbar);
    auto outer = state_of(border->hWnd());
    EXPECT_EQ(outer.rect.left, 0);
    EXPECT_EQ(outer.rect.top, 0);
    EXPECT_EQ(outer.rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(outer.rect.bottom, GetSystemMetrics(SM_CYSCREEN) - (taskbar.bottom - taskbar.top));
    // The target fills the host under the shrunken caption bar.
    auto hosted = state_of(target);
    EXPECT_EQ(hosted.parent, border->Picture10.hWnd());
    EXPECT_TRUE(hosted.style & WS_MAXIMIZE);
    auto host = state_of(border->Picture10.hWnd());
    EXPECT_EQ(hosted.rect.right - hosted.rect.left, host.client.right - host.client.left);
    EXPECT_EQ(host.rect.top,
        outer.rect.top + static_cast<int>(border->Picture1.Top() + border->Picture11[0].Height()) / 15);

    EXPECT_FALSE(quit());

    auto after = state_of(target);
    EXPECT_EQ(after.parent, nullptr);
    EXPECT_TRUE(after.is_visible);
    EXPECT_EQ(after.style, before.style);
    EXPECT_EQ(after.ex_style, before.ex_style);
    EXPECT_EQ(after.rect.left, before.rect.left);
    EXPECT_EQ(after.rect.right, before.rect.right);
}

TEST_F(SystemTest, MinimisedWindowGetsAMinimisedBorderAtItsRestoredPlaceAndComesBackMinimised)
{
    start();
    HWND target = open_window("Tucked Away");
    RECT normal {};
    GetWindowRect(target, &normal);
    sim::driver::minimise(target);
    wait_ticks(12);

    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    EXPECT_TRUE(IsIconic(border->hWnd()));
    EXPECT_EQ(border->left_twips(), normal.left * 15);
    EXPECT_EQ(border->top_twips(), normal.top * 15);
    EXPECT_EQ(state_of(target).parent, border->Picture10.hWnd());

    EXPECT_FALSE(quit());

    auto after = state_of(target);
    EXPECT_EQ(after.parent, nullptr);
    EXPECT_TRUE(after.is_visible);
    EXPECT_TRUE(after.style & WS_MINIMIZE);
    EXPECT_EQ(after.restored, normal);
}

TEST_F(SystemTest, MaximiseThenRestoreBringsTheBorderBackToItsRectangle)
{
    start();
    HWND target = open_adopted_window("Editor");
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    auto restored = state_of(border->hWnd());
    auto hosted = state_of(target);

    run([&] { border->MaxMe(); });
    ASSERT_TRUE(border->is_maximised());
    EXPECT_EQ(state_of(border->hWnd()).rect.left, 0);

    run([&] { border->MaxMe(); });
    EXPECT_FALSE(border->is_maximised());
    auto again = state_of(border->hWnd());
    EXPECT_TRUE(again.is_visible);
    EXPECT_EQ(again.rect.left, restored.rect.left);
    EXPECT_EQ(again.rect.top, restored.rect.top);
    EXPECT_EQ(again.rect.right, restored.rect.right);
    EXPECT_EQ(again.rect.bottom, restored.rect.bottom);
    ASSERT_TRUE(again.region_bounds.has_value());
    // The target fits the host again, where it was before.
    auto now = state_of(target);
    EXPECT_EQ(now.rect.right - now.rect.left, hosted.rect.right - hosted.rect.left);
    EXPECT_EQ(now.rect.bottom - now.rect.top, hosted.rect.bottom - hosted.rect.top);
}

// A target that has stopped answering is moved and shown by requests its program takes later, in
// the order the border made them: a layout's request never overtakes a later maximise, and at
// quit the window ends where it was handed back, not where a waiting request would put it.
TEST_F(SystemTest, AHungTargetTakesTheBordersRequestsInTheOrderMade)
{
    start();
    HWND target = open_window("Stuck Editor");
    RECT before = state_of(target).rect;
    wait_ticks(30);
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    DWORD process = 0;
    GetWindowThreadProcessId(target, &process);
    sim::driver::set_hung(process, true);
    sim::driver::run_for(5000);
    run([&] { border->MaxMe(); });
    sim::driver::set_hung(process, false);
    wait_ticks(2);
    auto hosted = state_of(target);
    auto host = state_of(border->Picture10.hWnd());
    EXPECT_TRUE(hosted.style & WS_MAXIMIZE);
    EXPECT_EQ(hosted.rect.right - hosted.rect.left, host.client.right - host.client.left);
    EXPECT_EQ(hosted.rect.bottom - hosted.rect.top, host.client.bottom - host.client.top);

    run([&] { border->MaxMe(); });
    RECT restored = state_of(border->hWnd()).rect;
    // What adoption added around the window, which the window does not take back.
    LONG added_width = (restored.right - restored.left) - (before.right - before.left);
    // Busy for a while: the quit gives the window back once it answers again.
    sim::driver::set_busy(process, 3000);
    run([&] { border->Move(border->Left(), border->Top(), border->Width() + 600, border->Height()); });
    EXPECT_FALSE(quit());
    sim::driver::pump();
    auto after = state_of(target);
    EXPECT_EQ(after.parent, nullptr);
    EXPECT_EQ(after.rect.left, restored.left);
    EXPECT_EQ(after.rect.top, restored.top);
    EXPECT_EQ(after.rect.right, restored.right + 40 - added_width);
}

}
