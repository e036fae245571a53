// Walking, searching and ordering the windows of the desktop.
#include "desktop_fixture.h"

#include "platform/sim/shell/shell_windows.h"

#include <algorithm>

namespace {

using WindowWalkTest = DesktopTest;

// The walk from the desktop's first child, keeping only the windows a test made (the shell has its own).
std::vector<HWND> top_level_walk(const std::vector<HWND>& made)
{
    std::vector<HWND> walk;
    for (HWND hwnd = GetWindow(GetWindow(GetDesktopWindow(), GW_CHILD), GW_HWNDFIRST); hwnd;
         hwnd = GetWindow(hwnd, GW_HWNDNEXT))
        if (std::find(made.begin(), made.end(), hwnd) != made.end())
            walk.push_back(hwnd);
    return walk;
}

TEST_F(WindowWalkTest, TopLevelWalkFollowsZOrderFrontToBack)
{
    HWND first = open_app("C:\\A.EXE", "first", RECT {0, 0, 100, 100});
    HWND second = open_app("C:\\B.EXE", "second", RECT {0, 0, 100, 100});
    HWND third = open_app("C:\\C.EXE", "third", RECT {0, 0, 100, 100});
    std::vector<HWND> made {first, second, third};
    EXPECT_EQ(top_level_walk(made), (std::vector<HWND> {third, second, first}));

    SetForegroundWindow(first);
    EXPECT_EQ(top_level_walk(made), (std::vector<HWND> {first, third, second}));
    EXPECT_EQ(GetForegroundWindow(), first);
    EXPECT_EQ(GetWindow(second, GW_HWNDPREV), third);
}

TEST_F(WindowWalkTest, TopmostWindowsStayInFront)
{
    HWND topmost = open_app("C:\\A.EXE", "topmost", RECT {0, 0, 100, 100});
    SetWindowPos(topmost, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND later = open_app("C:\\B.EXE", "later", RECT {0, 0, 100, 100});
    std::vector<HWND> made {topmost, later};
    EXPECT_EQ(top_level_walk(made).front(), topmost);
    EXPECT_TRUE(GetWindowLongA(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);

    SetWindowPos(topmost, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(later);
    EXPECT_EQ(top_level_walk(made).front(), later);
    EXPECT_FALSE(GetWindowLongA(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowWalkTest, FindAndEnumerateChildren)
{
    HWND explorer = open_app("C:\\Windows\\explorer.exe", "Computer", RECT {0, 0, 600, 400});
    HWND edit = sim::driver::add_child_control(explorer, "Edit", "C:\\Users", RECT {10, 10, 300, 30});
    HWND button = sim::driver::add_child_control(edit, "Button", "Go", RECT {0, 0, 20, 20});

    EXPECT_EQ(FindWindowA(nullptr, "computer"), explorer);
    EXPECT_EQ(FindWindowA("SimAppWindow", nullptr), explorer);
    EXPECT_EQ(FindWindowExA(explorer, nullptr, "EDIT", nullptr), edit);
    EXPECT_EQ(FindWindowA("Edit", nullptr), nullptr);

    std::vector<HWND> found;
    EnumChildWindows(
        explorer,
        [](HWND hwnd, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ(found, (std::vector<HWND> {edit, button}));

    char name[8];
    EXPECT_EQ(GetClassNameA(edit, name, sizeof name), 4);
    EXPECT_STREQ(name, "Edit");
    EXPECT_EQ(GetClassNameA(explorer, name, 4), 3);
    EXPECT_STREQ(name, "Sim");
}

TEST_F(WindowWalkTest, ShowStatesAndPlacement)
{
    HWND app = open_app("C:\\A.EXE", "app", RECT {100, 100, 500, 400});
    ShowWindow(app, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(app));
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    ASSERT_TRUE(GetWindowPlacement(app, &placement));
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_EQ(placement.rcNormalPosition.left, 100);
    EXPECT_EQ(placement.rcNormalPosition.bottom, 400);

    placement.showCmd = SW_SHOWNORMAL;
    placement.flags = 0;
    ASSERT_TRUE(SetWindowPlacement(app, &placement));
    EXPECT_FALSE(IsIconic(app));
    RECT rect;
    GetWindowRect(app, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.right, 500);

    ShowWindow(app, SW_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(app));
    // The frame hangs over the screen's edges; the client area spans the screen's width.
    GetWindowRect(app, &rect);
    EXPECT_LT(rect.left, 0);
    RECT client;
    GetClientRect(app, &client);
    EXPECT_EQ(client.right, GetSystemMetrics(SM_CXSCREEN));
    // Maximised windows leave the taskbar's place free, also while its window is hidden.
    RECT taskbar;
    GetWindowRect(sim::taskbar_window(), &taskbar);
    EXPECT_LT(rect.bottom, taskbar.top + (taskbar.bottom - taskbar.top) / 2);
    ShowWindow(sim::taskbar_window(), SW_HIDE);
    ShowWindow(app, SW_RESTORE);
    ShowWindow(app, SW_MAXIMIZE);
    RECT hidden_bar_rect;
    GetWindowRect(app, &hidden_bar_rect);
    EXPECT_EQ(hidden_bar_rect.bottom, rect.bottom);
    ShowWindow(app, SW_RESTORE);
    GetWindowRect(app, &rect);
    EXPECT_EQ(rect.left, 100);
}

TEST_F(WindowWalkTest, OwnedWindowsFollowTheirOwner)
{
    HWND owner = create_program_window(RECT {0, 0, 100, 100});
    HWND owned = create_program_window(RECT {0, 0, 50, 50}, WS_POPUP | WS_VISIBLE, 0, owner);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    EXPECT_EQ(GetParent(owned), owner);
    EXPECT_EQ(GetAncestor(owned, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(owned, GA_ROOTOWNER), owner);
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
}

TEST_F(WindowWalkTest, EnumerationStopsWhenTheCallbackSaysSo)
{
    open_app("C:\\A.EXE", "a", RECT {0, 0, 10, 10});
    open_app("C:\\B.EXE", "b", RECT {0, 0, 10, 10});
    int visited = 0;
    EXPECT_FALSE(EnumWindows(
        [](HWND, LPARAM count) {
            ++*reinterpret_cast<int*>(count);
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&visited)));
    EXPECT_EQ(visited, 1);
}

TEST_F(WindowWalkTest, FindWindowExContinuesAfterAChild)
{
    HWND app = open_app("C:\\A.EXE", "a", RECT {0, 0, 300, 300});
    HWND first = sim::driver::add_child_control(app, "Edit", "one", RECT {0, 0, 10, 10});
    HWND second = sim::driver::add_child_control(app, "Edit", "two", RECT {0, 20, 10, 30});
    // Children created later lie behind earlier ones, as on Windows.
    EXPECT_EQ(FindWindowExA(app, nullptr, "Edit", nullptr), first);
    EXPECT_EQ(FindWindowExA(app, first, "Edit", nullptr), second);
    EXPECT_EQ(FindWindowExA(app, second, "Edit", nullptr), nullptr);
    EXPECT_EQ(FindWindowExA(app, nullptr, nullptr, "ONE"), first);
}

}
