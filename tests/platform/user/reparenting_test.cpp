// Adopting another process's top-level window as a child, and handing it back to the desktop.
#include "desktop_fixture.h"

namespace {

class ReparentingTest : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        host = create_program_window(RECT {50, 60, 850, 660});
        foreign = open_app("C:\\Program Files\\Foo\\FOO.EXE", "Foo", RECT {300, 200, 700, 500});
    }

    HWND host = nullptr;
    HWND foreign = nullptr;
};

TEST_F(ReparentingTest, ForeignWindowBecomesChildKeepingStyleVisibilityAndRectNumbers)
{
    LONG style = GetWindowLongA(foreign, GWL_STYLE);
    LONG ex_style = GetWindowLongA(foreign, GWL_EXSTYLE);

    EXPECT_EQ(SetParent(foreign, host), GetDesktopWindow());

    EXPECT_EQ(GetAncestor(foreign, GA_PARENT), host);
    EXPECT_EQ(GetAncestor(foreign, GA_ROOT), host);
    // IsChild and GA_ROOTOWNER go by GetParent's chain, which a window without WS_CHILD ends.
    EXPECT_FALSE(IsChild(host, foreign));
    EXPECT_EQ(GetAncestor(foreign, GA_ROOTOWNER), foreign);
    EXPECT_EQ(GetWindowLongA(foreign, GWL_STYLE), style);
    EXPECT_EQ(GetWindowLongA(foreign, GWL_EXSTYLE), ex_style);
    EXPECT_TRUE(IsWindowVisible(foreign));
    // The rectangle keeps its numbers, now relative to the new parent's client area.
    RECT rect;
    GetWindowRect(foreign, &rect);
    EXPECT_EQ(rect.left, 50 + 300);
    EXPECT_EQ(rect.top, 60 + 200);
    EXPECT_EQ(rect.right - rect.left, 400);
    // Without WS_CHILD or WS_POPUP, GetParent names no parent even though it has one.
    EXPECT_EQ(GetParent(foreign), nullptr);
    for (HWND top = GetWindow(GetDesktopWindow(), GW_CHILD); top; top = GetWindow(top, GW_HWNDNEXT))
        EXPECT_NE(top, foreign);
}

TEST_F(ReparentingTest, ChildStyleMakesGetParentNameTheHost)
{
    SetParent(foreign, host);
    SetWindowLongA(foreign, GWL_STYLE, WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(GetParent(foreign), host);
}

TEST_F(ReparentingTest, BackToTheDesktopAtItsPositionInTheHost)
{
    SetParent(foreign, host);
    MoveWindow(foreign, 10, 20, 300, 200, TRUE);
    EXPECT_EQ(SetParent(foreign, GetDesktopWindow()), host);

    RECT rect;
    GetWindowRect(foreign, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 310);
    EXPECT_FALSE(IsChild(host, foreign));
    EXPECT_EQ(GetAncestor(foreign, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(IsWindowVisible(foreign));
}

TEST_F(ReparentingTest, HiddenWindowStaysHiddenAndRefusesItsOwnDescendantAsParent)
{
    ShowWindow(foreign, SW_HIDE);
    SetParent(foreign, host);
    EXPECT_FALSE(IsWindowVisible(foreign));
    EXPECT_EQ(SetParent(host, foreign), nullptr);
    EXPECT_EQ(GetAncestor(host, GA_PARENT), GetDesktopWindow());
}

TEST_F(ReparentingTest, ChildOfHiddenHostIsNotVisible)
{
    SetParent(foreign, host);
    ShowWindow(host, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(foreign));
    EXPECT_TRUE(GetWindowLongA(foreign, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(ReparentingTest, OwnedWindowKeepsItsOwnerBothWaysAndOutlivesItInsideAnotherWindow)
{
    HWND owned = create_program_window(RECT {20, 20, 220, 120}, WS_POPUP | WS_VISIBLE, 0, host);
    HWND other = create_program_window(RECT {900, 100, 1300, 500});
    ASSERT_EQ(GetWindow(owned, GW_OWNER), host);

    SetParent(owned, other);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), host);
    DestroyWindow(host);
    EXPECT_TRUE(IsWindow(owned));
    EXPECT_EQ(GetAncestor(owned, GA_PARENT), other);
    EXPECT_FALSE(IsChild(other, owned));

    HWND second_owner = create_program_window(RECT {0, 0, 100, 100});
    HWND second = create_program_window(RECT {0, 0, 50, 50}, WS_POPUP | WS_VISIBLE, 0, second_owner);
    SetParent(second, other);
    SetParent(second, GetDesktopWindow());
    EXPECT_EQ(GetWindow(second, GW_OWNER), second_owner);
}

TEST_F(ReparentingTest, RefusalGoesByParentsNotByOwners)
{
    HWND owned = create_program_window(RECT {20, 20, 220, 120}, WS_POPUP | WS_VISIBLE, 0, host);
    HWND inside_owned = create_program_window(RECT {0, 0, 50, 50}, WS_CHILD | WS_VISIBLE, 0, owned);

    EXPECT_EQ(SetParent(owned, inside_owned), nullptr);
    EXPECT_EQ(SetParent(owned, owned), nullptr);
    EXPECT_EQ(SetParent(host, owned), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(host, GA_PARENT), owned);
    // The walk up parents and owners comes round again, and ends all the same.
    GetAncestor(inside_owned, GA_ROOTOWNER);
}

TEST_F(ReparentingTest, HiddenPopUpMadeTopLevelBecomesTheActiveFocusedWindow)
{
    HWND popup = create_program_window(RECT {20, 20, 220, 120}, WS_POPUP);
    SetParent(popup, host);
    SetActiveWindow(host);
    ASSERT_NE(GetActiveWindow(), popup);

    SetParent(popup, GetDesktopWindow());
    EXPECT_EQ(GetActiveWindow(), popup);
    EXPECT_EQ(GetFocus(), popup);
    EXPECT_FALSE(IsWindowVisible(popup));
}

}
