// The resize grips: during a drag only the border's size, region and outline follow the pointer;
// the target is fitted once on release; a drag whose mouse-up never arrives still ends.
#include "tests/system/system_fixture.h"

namespace {

class GripsTest : public SystemTest {
protected:
    frmTrans& adopt()
    {
        start();
        m_target = open_adopted_window("Grips");
        wait_ticks(30);
        frmTrans* border = border_of(m_target);
        EXPECT_NE(border, nullptr);
        return *border;
    }
    HWND m_target = nullptr;
};

TEST_F(GripsTest, DuringTheDragOnlyTheBorderFollowsAndTheTargetFitsOnRelease)
{
    frmTrans& border = adopt();
    sim::driver::mouse_move(744, 300);
    sim::driver::mouse_down();
    sim::driver::mouse_move(800, 300);
    wait_ticks(1);
    EXPECT_EQ(state_of(border.hWnd()).rect.right, 800);
    EXPECT_EQ(state_of(m_target).rect.right, 741);
    EXPECT_TRUE(border.IsSizing);
    sim::driver::mouse_up();
    wait_ticks(1);
    EXPECT_EQ(state_of(m_target).rect.right, 793);
    EXPECT_FALSE(border.IsSizing);
    EXPECT_FALSE(border.Timer3.Enabled());
}

TEST_F(GripsTest, TheCornerSizesBothWaysTheBottomGripOnlyTheHeight)
{
    frmTrans& border = adopt();
    sim::driver::drag({ 745, 586 }, { 805, 626 });
    wait_ticks(1);
    RECT rect = state_of(border.hWnd()).rect;
    EXPECT_EQ(rect.right, 805);
    EXPECT_EQ(rect.bottom, 626);
    sim::driver::drag({ 400, 622 }, { 500, 700 });
    wait_ticks(1);
    rect = state_of(border.hWnd()).rect;
    EXPECT_EQ(rect.right, 805);
    EXPECT_EQ(rect.bottom, 700);
}

TEST_F(GripsTest, AGripDragWhoseMouseUpNeverArrivesEndsWhenTheButtonIsUp)
{
    frmTrans& border = adopt();
    run([&] { border.Picture6_MouseDown(runtime::vbLeftButton, 0, 1, 1); });
    border.IsSizing = true;
    wait_ticks(2);
    EXPECT_FALSE(border.Timer3.Enabled());
    EXPECT_FALSE(border.IsSizing);
    EXPECT_TRUE(border.Visible());
}

TEST_F(GripsTest, AHungTargetIsFittedWhenItAnswersAgainAndFreezesNothing)
{
    frmTrans& border = adopt();
    DWORD process = 0;
    GetWindowThreadProcessId(m_target, &process);
    sim::driver::set_hung(process, true);
    size_t freezes = sim::driver::freezes().size();
    sim::driver::drag({ 744, 300 }, { 844, 300 });
    wait_ticks(1);
    EXPECT_EQ(sim::driver::freezes().size(), freezes);
    EXPECT_EQ(state_of(border.hWnd()).rect.right, 844);
    EXPECT_EQ(state_of(m_target).rect.right, 741);
    sim::driver::set_hung(process, false);
    wait_ticks(1);
    EXPECT_EQ(state_of(m_target).rect.right, 837);
}

}
