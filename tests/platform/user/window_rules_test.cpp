// Where Windows decides for the program: styles it keeps, hidden windows that take activation,
// placements a minimised or disabled window keeps, and rectangles of absurd sizes.
#include "desktop_fixture.h"

#include "platform/sim/shell/shell_windows.h"

#include <climits>

static bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static void PrintTo(const RECT& rect, std::ostream* out)
{
    *out << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
}

namespace {

using WindowRulesTest = DesktopTest;

constexpr DWORD overlapped_app_style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

RECT window_rect(HWND hwnd)
{
    RECT rect {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

TEST_F(WindowRulesTest, HiddenWindowsTakeActivationFocusAndForeground)
{
    HWND shown = create_program_window(RECT {0, 0, 100, 100});
    HWND hidden = create_program_window(RECT {0, 0, 100, 100}, WS_POPUP);
    ASSERT_EQ(GetForegroundWindow(), shown);

    EXPECT_EQ(SetActiveWindow(hidden), shown);
    EXPECT_EQ(GetActiveWindow(), hidden);
    EXPECT_TRUE(SetForegroundWindow(shown));
    EXPECT_TRUE(SetForegroundWindow(hidden));
    EXPECT_EQ(GetForegroundWindow(), hidden);

    // Showing a child activates nothing, also when its window is hidden.
    HWND hidden_child = create_program_window(RECT {0, 0, 10, 10}, WS_CHILD | WS_VISIBLE, 0, hidden);
    SetActiveWindow(shown);
    ShowWindow(hidden_child, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), shown);
    SetFocus(hidden_child);
    EXPECT_EQ(GetFocus(), hidden_child);
    EXPECT_EQ(GetActiveWindow(), hidden);
    EXPECT_FALSE(IsWindowVisible(hidden));

    // Choosing the next window to activate still passes over hidden ones.
    HWND other_hidden = create_program_window(RECT {0, 0, 100, 100}, WS_POPUP);
    SetWindowPos(other_hidden, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetActiveWindow(shown);
    ShowWindow(shown, SW_HIDE);
    EXPECT_NE(GetActiveWindow(), other_hidden);
}

TEST_F(WindowRulesTest, ActivationBringsToTheFrontAsTheWindowAllows)
{
    HWND app = open_app("C:\\Apps\\app.exe", "App", RECT {100, 100, 400, 300});
    HWND program_manager = FindWindowA("Progman", "Program Manager");
    ShowWindow(program_manager, SW_HIDE);
    ShowWindow(program_manager, SW_SHOW);
    SetForegroundWindow(program_manager);
    EXPECT_EQ(GetForegroundWindow(), program_manager);
    // The desktop's icons stay beneath every other window.
    EXPECT_EQ(GetWindow(program_manager, GW_HWNDNEXT), nullptr);
    SetForegroundWindow(app);
    EXPECT_EQ(GetTopWindow(nullptr), FindWindowA("Shell_TrayWnd", nullptr));
    EXPECT_EQ(GetWindow(GetTopWindow(nullptr), GW_HWNDNEXT), app);
}

TEST_F(WindowRulesTest, TopLevelWindowsKeepClipSiblingsAndOverlappedOnesGetACaption)
{
    HWND popup = create_program_window(RECT {0, 0, 100, 100}, WS_POPUP);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(popup, GWL_STYLE)), WS_POPUP | WS_CLIPSIBLINGS);
    HWND overlapped = create_program_window(RECT {0, 0, 100, 100}, WS_OVERLAPPED);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(overlapped, GWL_STYLE)), WS_CAPTION | WS_CLIPSIBLINGS);
    HWND child = create_program_window(RECT {0, 0, 10, 10}, WS_CHILD, 0, popup);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)), static_cast<DWORD>(WS_CHILD));

    // The caption is given at creation only; the clipping of siblings stays for good.
    SetWindowLongA(overlapped, GWL_STYLE, 0);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(overlapped, GWL_STYLE)), static_cast<DWORD>(WS_CLIPSIBLINGS));
    SetWindowLongA(child, GWL_STYLE, WS_CHILD);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)), static_cast<DWORD>(WS_CHILD));
}

TEST_F(WindowRulesTest, WindowEdgeFollowsTheFrame)
{
    auto ex_style_of = [&](DWORD style, DWORD ex_style) {
        HWND hwnd = create_program_window(RECT {0, 0, 100, 100}, style, ex_style);
        return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    };
    EXPECT_EQ(ex_style_of(WS_POPUP, WS_EX_WINDOWEDGE), 0u);
    EXPECT_EQ(ex_style_of(WS_POPUP | WS_DLGFRAME, 0), static_cast<DWORD>(WS_EX_WINDOWEDGE));
    EXPECT_EQ(ex_style_of(WS_POPUP | WS_THICKFRAME, 0), static_cast<DWORD>(WS_EX_WINDOWEDGE));
    EXPECT_EQ(ex_style_of(WS_POPUP | WS_BORDER | WS_THICKFRAME, 0), static_cast<DWORD>(WS_EX_WINDOWEDGE));
    EXPECT_EQ(ex_style_of(WS_POPUP | WS_BORDER, WS_EX_WINDOWEDGE), 0u);
    EXPECT_EQ(ex_style_of(WS_POPUP | WS_THICKFRAME, WS_EX_STATICEDGE), static_cast<DWORD>(WS_EX_STATICEDGE));
    EXPECT_EQ(ex_style_of(WS_POPUP, WS_EX_DLGMODALFRAME), static_cast<DWORD>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
    EXPECT_EQ(ex_style_of(WS_OVERLAPPED, 0), static_cast<DWORD>(WS_EX_WINDOWEDGE));

    HWND hwnd = create_program_window(RECT {0, 0, 100, 100}, WS_POPUP);
    SetWindowLongA(hwnd, GWL_STYLE, WS_POPUP | WS_CAPTION);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)), static_cast<DWORD>(WS_EX_WINDOWEDGE));
    SetWindowLongA(hwnd, GWL_STYLE, WS_POPUP);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), 0);
    SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)), static_cast<DWORD>(WS_EX_TOOLWINDOW));
}

TEST_F(WindowRulesTest, FrameWidthAddsTheOuterEdgeTheResizeBorderAndTheBorderLine)
{
    auto frame_of = [](DWORD style, DWORD ex_style) {
        RECT rect {0, 0, 100, 100};
        AdjustWindowRectEx(&rect, style, FALSE, ex_style);
        return -rect.left;
    };
    EXPECT_EQ(frame_of(WS_POPUP, 0), 0);
    EXPECT_EQ(frame_of(WS_POPUP | WS_BORDER, 0), GetSystemMetrics(SM_CXBORDER));
    EXPECT_EQ(frame_of(WS_POPUP | WS_DLGFRAME, 0), GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(frame_of(WS_POPUP, WS_EX_DLGMODALFRAME), GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(frame_of(WS_POPUP | WS_THICKFRAME | WS_BORDER, 0), GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(frame_of(WS_OVERLAPPEDWINDOW, 0), GetSystemMetrics(SM_CXFRAME));
    // Without the border line a thick frame is one pixel narrower.
    EXPECT_EQ(frame_of(WS_POPUP | WS_THICKFRAME, 0), GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXBORDER));
}

TEST_F(WindowRulesTest, MovingAMinimisedWindowLeavesWhereItIsRestored)
{
    HWND hwnd = create_program_window(RECT {100, 100, 400, 300}, overlapped_app_style);
    ShowWindow(hwnd, SW_MINIMIZE);
    RECT minimised = window_rect(hwnd);
    EXPECT_TRUE(SetWindowPos(hwnd, nullptr, 0, 0, 500, 400, SWP_NOZORDER | SWP_NOMOVE));
    EXPECT_TRUE(MoveWindow(hwnd, 70, 80, 200, 100, TRUE));
    EXPECT_EQ(window_rect(hwnd), minimised);
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_EQ(window_rect(hwnd), (RECT {100, 100, 400, 300}));
}

TEST_F(WindowRulesTest, PlacementIsInWorkAreaCoordinatesForTopLevelWindows)
{
    sim::set_taskbar_edge(ABE_TOP);
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    ASSERT_GT(area.top, 0);
    HWND hwnd = create_program_window(RECT {100, 100, 400, 300}, overlapped_app_style);
    ShowWindow(hwnd, SW_MINIMIZE);
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd, &placement);
    EXPECT_EQ(placement.rcNormalPosition, (RECT {100, 100 - area.top, 400, 300 - area.top}));
    placement.rcNormalPosition = RECT {10, 20, 210, 120};
    placement.showCmd = SW_SHOWNORMAL;
    SetWindowPlacement(hwnd, &placement);
    EXPECT_EQ(window_rect(hwnd), (RECT {10, 20 + area.top, 210, 120 + area.top}));
}

TEST_F(WindowRulesTest, DisabledWindowTakesNoSystemCommand)
{
    HWND hwnd = create_program_window(RECT {100, 100, 400, 300}, overlapped_app_style);
    EnableWindow(hwnd, FALSE);
    for (WPARAM command : {SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
        SendMessageA(hwnd, WM_SYSCOMMAND, command, 0);
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_FALSE(IsIconic(hwnd));
    EXPECT_FALSE(IsZoomed(hwnd));
    EnableWindow(hwnd, TRUE);
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(hwnd));
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowRulesTest, WindowMinimisedFromMaximisedIsRestoredMaximisedThenNormal)
{
    HWND hwnd = create_program_window(RECT {100, 100, 400, 300}, overlapped_app_style);
    ShowWindow(hwnd, SW_MAXIMIZE);
    RECT maximised = window_rect(hwnd);
    ShowWindow(hwnd, SW_MINIMIZE);
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd, &placement);
    EXPECT_EQ(placement.flags, static_cast<UINT>(WPF_RESTORETOMAXIMIZED));

    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_TRUE(IsZoomed(hwnd));
    EXPECT_EQ(window_rect(hwnd), maximised);
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(hwnd));
    EXPECT_EQ(window_rect(hwnd), (RECT {100, 100, 400, 300}));
    GetWindowPlacement(hwnd, &placement);
    EXPECT_EQ(placement.flags, static_cast<UINT>(WPF_RESTORETOMAXIMIZED));

    // Minimised from the normal state, it comes back normal.
    ShowWindow(hwnd, SW_MINIMIZE);
    GetWindowPlacement(hwnd, &placement);
    EXPECT_EQ(placement.flags, 0u);
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_EQ(window_rect(hwnd), (RECT {100, 100, 400, 300}));

    // A placement may ask for it: minimised from normal, yet restored maximised.
    placement.flags = WPF_RESTORETOMAXIMIZED;
    placement.showCmd = SW_SHOWMINIMIZED;
    placement.rcNormalPosition = RECT {100, 100, 400, 300};
    ASSERT_TRUE(SetWindowPlacement(hwnd, &placement));
    EXPECT_TRUE(IsIconic(hwnd));
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_TRUE(IsZoomed(hwnd));
}

TEST_F(WindowRulesTest, AbsurdRectanglesAreCutToWhatAWindowCanTake)
{
    HWND huge = CreateWindowExA(0, "TestWindow", "huge", WS_POPUP | WS_VISIBLE, INT_MAX - 5, INT_MIN + 5, 2000000000,
        2000000000, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(huge, nullptr);
    EXPECT_EQ(window_rect(huge), (RECT {32767, -32768, 65534, -1}));
    HWND negative = create_program_window(RECT {10, 10, -5000, -7000});
    EXPECT_EQ(window_rect(negative), (RECT {10, 10, 10, 10}));

    EXPECT_TRUE(SetWindowPos(negative, nullptr, INT_MIN, INT_MAX, INT_MAX, INT_MAX, SWP_NOZORDER));
    EXPECT_EQ(window_rect(negative), (RECT {-32768, 32767, -1, 65534}));
    EXPECT_TRUE(MoveWindow(negative, -40000, -40000, 40000, 40000, TRUE));
    EXPECT_EQ(window_rect(negative), (RECT {-32768, -32768, -1, -1}));
    EXPECT_TRUE(MoveWindow(negative, 0, 0, -1, -1, TRUE));
    EXPECT_EQ(window_rect(negative), (RECT {0, 0, 0, 0}));

    // A window across the whole range is composed and painted like any other.
    MoveWindow(huge, -32768, -32768, 32767 * 2, 32767 * 2, TRUE);
    HDC dc = GetDC(huge);
    RECT everything {0, 0, 65534, 65534};
    FillRect(dc, &everything, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(huge, dc);
    sim::driver::pump();
    EXPECT_EQ(sim::driver::screenshot().width(), 1920);
}

TEST_F(WindowRulesTest, DefaultCursorShowsTheSizingArrowsOnTheFrame)
{
    HWND app = open_app("C:\\Apps\\app.exe", "App", RECT {100, 100, 740, 580});
    ASSERT_NE(app, nullptr);
    auto cursor_at = [](int x, int y) {
        sim::driver::mouse_move(x, y);
        return GetCursor();
    };
    EXPECT_EQ(cursor_at(101, 300), LoadCursorA(nullptr, IDC_SIZEWE));
    EXPECT_EQ(cursor_at(400, 578), LoadCursorA(nullptr, IDC_SIZENS));
    EXPECT_EQ(cursor_at(101, 101), LoadCursorA(nullptr, IDC_SIZENWSE));
    EXPECT_EQ(cursor_at(738, 101), LoadCursorA(nullptr, IDC_SIZENESW));
    EXPECT_EQ(cursor_at(400, 300), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(WindowRulesTest, ClientWithoutClassCursorKeepsTheShapeUntilTheWindowSetsOne)
{
    HWND hwnd = create_program_window(RECT {0, 0, 200, 200});
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
    sim::driver::mouse_move(100, 100);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    // A parent asked first by its child answers FALSE after setting its own, so the child still decides.
    EXPECT_EQ(DefWindowProcA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTLEFT, WM_MOUSEMOVE)),
        FALSE);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZEWE));
}

TEST_F(WindowRulesTest, MenuRegionBoxAndThreads)
{
    HMENU menu = CreateMenu();
    HWND hwnd = CreateWindowExA(0, "TestWindow", "menu", WS_POPUP, 0, 0, 100, 100, nullptr, menu, nullptr, nullptr);
    EXPECT_EQ(GetMenu(hwnd), menu);
    HWND child = CreateWindowExA(0, "TestWindow", "", WS_CHILD, 0, 0, 10, 10, hwnd, reinterpret_cast<HMENU>(7),
        nullptr, nullptr);
    EXPECT_EQ(GetMenu(child), nullptr);
    DestroyMenu(menu);

    RECT box {};
    EXPECT_EQ(GetWindowRgnBox(hwnd, &box), ERROR);
    SetWindowRgn(hwnd, CreateRectRgn(10, 20, 60, 90), FALSE);
    EXPECT_EQ(GetWindowRgnBox(hwnd, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT {10, 20, 60, 90}));
    HRGN shape = CreateRectRgn(0, 0, 10, 10);
    HRGN second = CreateRectRgn(30, 40, 50, 45);
    CombineRgn(shape, shape, second, RGN_OR);
    DeleteObject(second);
    SetWindowRgn(hwnd, shape, FALSE);
    EXPECT_EQ(GetWindowRgnBox(hwnd, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT {0, 0, 50, 45}));

    HWND app = open_app("C:\\Apps\\app.exe", "App", RECT {0, 0, 100, 100});
    DWORD own_thread = GetCurrentThreadId();
    EXPECT_EQ(GetWindowThreadProcessId(hwnd, nullptr), own_thread);
    DWORD app_thread = GetWindowThreadProcessId(app, nullptr);
    EXPECT_NE(app_thread, own_thread);
    EXPECT_TRUE(AttachThreadInput(own_thread, app_thread, TRUE));
    EXPECT_TRUE(AttachThreadInput(own_thread, app_thread, FALSE));
    EXPECT_FALSE(AttachThreadInput(own_thread, own_thread, TRUE));
    EXPECT_FALSE(AttachThreadInput(own_thread, 12345, TRUE));
}

TEST_F(WindowRulesTest, TheMonitorsWorkAreaLeavesOutTheTaskbarOnEveryEdge)
{
    HWND hwnd = create_program_window(RECT {100, 100, 400, 300});
    HMONITOR monitor = MonitorFromWindow(hwnd, MONITOR_DEFAULTTONULL);
    ASSERT_NE(monitor, nullptr);
    MONITORINFO info {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoA(monitor, &info));
    EXPECT_EQ(info.rcMonitor, (RECT {0, 0, 1920, 1080}));
    EXPECT_EQ(info.rcWork, (RECT {0, 0, 1920, 1050}));
    EXPECT_EQ(info.dwFlags, static_cast<DWORD>(MONITORINFOF_PRIMARY));

    sim::set_taskbar_edge(ABE_LEFT);
    GetMonitorInfoA(monitor, &info);
    EXPECT_EQ(info.rcWork, (RECT {60, 0, 1920, 1080}));
    sim::set_taskbar_edge(ABE_TOP);
    GetMonitorInfoA(monitor, &info);
    EXPECT_EQ(info.rcWork, (RECT {0, 30, 1920, 1080}));
    sim::set_taskbar_edge(ABE_RIGHT);
    GetMonitorInfoA(monitor, &info);
    EXPECT_EQ(info.rcWork, (RECT {0, 0, 1860, 1080}));
    // The place stays reserved while the taskbar's window is hidden.
    ShowWindow(FindWindowA("Shell_TrayWnd", nullptr), SW_HIDE);
    GetMonitorInfoA(monitor, &info);
    EXPECT_EQ(info.rcWork, (RECT {0, 0, 1860, 1080}));

    // A minimised window is on the monitor it is restored to.
    ShowWindow(hwnd, SW_MINIMIZE);
    EXPECT_EQ(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONULL), monitor);
    ShowWindow(hwnd, SW_RESTORE);
    MoveWindow(hwnd, 3000, 100, 200, 200, TRUE);
    EXPECT_EQ(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), monitor);
    info.cbSize = 0;
    EXPECT_FALSE(GetMonitorInfoA(monitor, &info));
}

}
