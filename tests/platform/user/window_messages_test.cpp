// The messages Windows sends around creating, restyling, moving, painting and focusing windows.
#include "desktop_fixture.h"

namespace {

using WindowMessagesTest = DesktopTest;

struct CreationLog {
    void* parameter = nullptr;
    std::string name;
    bool refuse = false;
};

LRESULT CALLBACK creation_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        auto* log = static_cast<CreationLog*>(create->lpCreateParams);
        log->parameter = create->lpCreateParams;
        log->name = create->lpszName;
    }
    if (message == WM_CREATE) {
        auto* log = reinterpret_cast<CreationLog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        return log->refuse ? -1 : 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

TEST_F(WindowMessagesTest, CreationHandsTheParameterOverAndCanBeRefused)
{
    WNDCLASSEXA window_class {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = creation_procedure;
    window_class.lpszClassName = "Creation";
    ASSERT_NE(RegisterClassExA(&window_class), 0);
    EXPECT_EQ(RegisterClassExA(&window_class), 0);

    CreationLog log;
    HWND hwnd = CreateWindowExA(0, "creation", "named", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, &log);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(log.parameter, &log);
    EXPECT_EQ(log.name, "named");
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&log));

    CreationLog refused;
    refused.refuse = true;
    EXPECT_EQ(CreateWindowExA(0, "Creation", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, &refused), nullptr);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(CreateWindowExA(0, "Creation", "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, &log), nullptr);
}

TEST_F(WindowMessagesTest, CreatedMaximisedButHiddenStaysHidden)
{
    HWND hidden = create_program_window(RECT {10, 10, 110, 110}, WS_OVERLAPPEDWINDOW | WS_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(hidden));
    EXPECT_FALSE(IsWindowVisible(hidden));
    ShowWindow(hidden, SW_RESTORE);
    RECT rect;
    GetWindowRect(hidden, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.right, 110);
}

WNDPROC g_original = nullptr;
int g_subclass_calls = 0;

LRESULT CALLBACK subclass_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    ++g_subclass_calls;
    return CallWindowProcA(g_original, hwnd, message, wparam, lparam);
}

TEST_F(WindowMessagesTest, SubclassingAndWindowExtraBytes)
{
    WNDCLASSA window_class {};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.cbWndExtra = 8;
    window_class.lpszClassName = "Extra";
    RegisterClassA(&window_class);
    HWND hwnd = CreateWindowExA(0, "Extra", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(SetWindowLongA(hwnd, 4, 0x12345678), 0);
    EXPECT_EQ(GetWindowLongA(hwnd, 4), 0x12345678);
    EXPECT_EQ(GetWindowLongA(hwnd, 8), 0);

    g_subclass_calls = 0;
    g_original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass_procedure)));
    EXPECT_EQ(g_original, DefWindowProcA);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0), 1);
    EXPECT_EQ(g_subclass_calls, 1);
}

TEST_F(WindowMessagesTest, SetWindowLongDeliversStyleChanges)
{
    HWND hwnd = create_program_window(RECT {0, 0, 100, 100}, WS_POPUP | WS_VISIBLE | WS_BORDER);
    messages().clear();
    LONG old_style = SetWindowLongA(hwnd, GWL_STYLE, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(old_style, static_cast<LONG>(WS_POPUP | WS_VISIBLE | WS_BORDER | WS_CLIPSIBLINGS));
    EXPECT_EQ(count(WM_STYLECHANGING, hwnd), 1);
    ASSERT_EQ(count(WM_STYLECHANGED, hwnd), 1);
    for (auto& message : messages()) {
        if (message.message == WM_STYLECHANGED) {
            EXPECT_EQ(message.wparam, static_cast<WPARAM>(static_cast<LONG_PTR>(GWL_STYLE)));
        }
    }
    // The frame stays as it was until it is worked out again; without the border the client area
    // is then the whole window.
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 98);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 100);

    // A move that gives the size the window has leaves the frame as it was; a new size works it out.
    SetWindowLongA(hwnd, GWL_STYLE, WS_POPUP | WS_VISIBLE | WS_BORDER);
    MoveWindow(hwnd, 5, 5, 100, 100, TRUE);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 100);
    MoveWindow(hwnd, 5, 5, 120, 100, TRUE);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 118);
}

TEST_F(WindowMessagesTest, MovingAndSizingSendMoveAndSizeOnlyForWhatChanged)
{
    HWND hwnd = create_program_window(RECT {0, 0, 100, 100});
    messages().clear();
    MoveWindow(hwnd, 10, 20, 100, 100, TRUE);
    EXPECT_EQ(count(WM_MOVE, hwnd), 1);
    EXPECT_EQ(count(WM_SIZE, hwnd), 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(count(WM_SIZE, hwnd), 1);
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.right, 310);

    // Hiding or showing through SetWindowPos ignores the position and size it is given.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 300);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW);
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST_F(WindowMessagesTest, PaintComesOnceForWhatWasInvalidated)
{
    HWND hwnd = create_program_window(RECT {0, 0, 100, 100});
    sim::driver::pump();
    messages().clear();
    RECT part {10, 10, 20, 30};
    InvalidateRect(hwnd, &part, TRUE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_EQ(update.bottom, 30);
    sim::driver::pump();
    EXPECT_EQ(count(WM_PAINT, hwnd), 1);
    EXPECT_EQ(count(WM_ERASEBKGND, hwnd), 1);
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));

    InvalidateRect(hwnd, nullptr, FALSE);
    ValidateRect(hwnd, nullptr);
    sim::driver::pump();
    EXPECT_EQ(count(WM_PAINT, hwnd), 1);

    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(count(WM_PAINT, hwnd), 2);
}

TEST_F(WindowMessagesTest, FocusAndActivationMoveTogether)
{
    HWND first = create_program_window(RECT {0, 0, 100, 100});
    HWND child = create_program_window(RECT {0, 0, 10, 10}, WS_CHILD | WS_VISIBLE, 0, first);
    HWND second = create_program_window(RECT {0, 0, 100, 100});
    ASSERT_EQ(GetForegroundWindow(), second);
    messages().clear();

    SetFocus(child);
    EXPECT_EQ(GetFocus(), child);
    EXPECT_EQ(GetForegroundWindow(), first);
    EXPECT_EQ(count(WM_KILLFOCUS, second), 1);
    EXPECT_EQ(count(WM_SETFOCUS, child), 1);
    EXPECT_GE(count(WM_ACTIVATE, first), 1);

    ShowWindow(first, SW_HIDE);
    EXPECT_EQ(GetForegroundWindow(), second);
    EXPECT_EQ(GetFocus(), second);
}

TEST_F(WindowMessagesTest, ScreenResizeIsAnnouncedToTopLevelWindows)
{
    HWND hwnd = create_program_window(RECT {0, 0, 100, 100});
    sim::driver::set_screen_size(1280, 800);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    ASSERT_EQ(count(WM_DISPLAYCHANGE, hwnd), 1);
    for (auto& message : messages()) {
        if (message.message == WM_DISPLAYCHANGE) {
            EXPECT_EQ(LOWORD(message.lparam), 1280);
            EXPECT_EQ(HIWORD(message.lparam), 800);
        }
    }
    EXPECT_EQ(sim::driver::screenshot().width(), 1280);
}

TEST_F(WindowMessagesTest, PointsMapBetweenClientAreas)
{
    HWND outer = create_program_window(RECT {100, 50, 500, 450}, WS_POPUP | WS_VISIBLE | WS_BORDER);
    HWND inner = create_program_window(RECT {20, 30, 120, 130}, WS_CHILD | WS_VISIBLE, 0, outer);
    POINT point {5, 6};
    ClientToScreen(inner, &point);
    EXPECT_EQ(point.x, 100 + 1 + 20 + 5);
    EXPECT_EQ(point.y, 50 + 1 + 30 + 6);
    ScreenToClient(outer, &point);
    EXPECT_EQ(point.x, 25);
    POINT points[2] {{0, 0}, {1, 1}};
    MapWindowPoints(inner, outer, points, 2);
    EXPECT_EQ(points[1].x, 21);
    EXPECT_EQ(points[1].y, 31);
    EXPECT_EQ(ChildWindowFromPoint(outer, POINT {25, 35}), inner);
    EXPECT_EQ(ChildWindowFromPoint(outer, POINT {5, 5}), outer);
}

}
