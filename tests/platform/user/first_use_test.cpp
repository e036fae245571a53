// A program that never resets the desktop finds a working one from its first call. These tests use
// no fixture: gtest runs each test in a process of its own, so each is the first to touch the desktop.
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

int g_destroyed = 0;

LRESULT CALLBACK plain_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_DESTROY)
        ++g_destroyed;
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// Two top-level windows of a class registered on the spot, as a program's start makes them.
std::pair<HWND, HWND> create_two_windows()
{
    WNDCLASSEXA window_class {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = plain_procedure;
    window_class.lpszClassName = "FirstUseWindow";
    RegisterClassExA(&window_class);
    auto create = [] {
        return CreateWindowExA(0, "FirstUseWindow", "first", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
            nullptr, nullptr, nullptr, nullptr);
    };
    HWND first = create();
    return {first, create()};
}

}

TEST(FirstUseTest, PeekMessageDrainsAFreshDesktop)
{
    // The shell's windows paint first; then the queue is empty.
    MSG message;
    int turns = 0;
    while (turns < 100 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
        ++turns;
    }
    EXPECT_LT(turns, 100);
    EXPECT_NE(FindWindowA("Shell_TrayWnd", nullptr), nullptr);
}

TEST(FirstUseTest, SetParentAnswersOnAFreshDesktop)
{
    auto [host, guest] = create_two_windows();
    ASSERT_NE(host, nullptr);
    ASSERT_NE(guest, nullptr);
    EXPECT_EQ(SetParent(guest, host), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(guest, GA_PARENT), host);
    EXPECT_EQ(SetParent(guest, nullptr), host);
}

TEST(FirstUseTest, TwoWindowProgramRunsAndExitsCleanly)
{
    auto [first, second] = create_two_windows();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    PostMessageA(first, WM_CLOSE, 0, 0);
    PostMessageA(second, WM_CLOSE, 0, 0);
    MSG message;
    for (int turn = 0; turn < 100 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++turn)
        DispatchMessageA(&message);
    EXPECT_EQ(g_destroyed, 2);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindow(second));
}
