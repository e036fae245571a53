// Keyboard and mouse input: Alt+F4, hit testing, double clicks, capture and activation.
#include "desktop_fixture.h"

namespace {

using InputTest = DesktopTest;

TEST_F(InputTest, AltF4ClosesTheForegroundWindow)
{
    HWND back = open_app("C:\\A.EXE", "back", RECT {0, 0, 300, 300});
    HWND front = open_app("C:\\B.EXE", "front", RECT {50, 50, 350, 350});
    ASSERT_EQ(GetForegroundWindow(), front);

    sim::driver::press_key(VK_F4, {VK_MENU});
    EXPECT_FALSE(IsWindow(front));
    EXPECT_TRUE(IsWindow(back));
    EXPECT_EQ(GetForegroundWindow(), back);
}

TEST_F(InputTest, SynthesisedAltF4FromTheProgramClosesTheActivatedWindow)
{
    HWND target = open_app("C:\\A.EXE", "target", RECT {0, 0, 300, 300});
    HWND other = open_app("C:\\B.EXE", "other", RECT {50, 50, 350, 350});
    SetForegroundWindow(target);
    keybd_event(VK_MENU, 0, 0, 0);
    keybd_event(VK_F4, 0, 0, 0);
    keybd_event(VK_F4, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_FALSE(IsWindow(target));
    EXPECT_TRUE(IsWindow(other));
}

TEST_F(InputTest, AltF4ClosesAnAdoptedWindowWithoutChildStyleAndSparesItsHost)
{
    HWND host = create_program_window(RECT {0, 0, 800, 600});
    HWND adopted = open_app("C:\\A.EXE", "adopted", RECT {0, 0, 300, 300});
    SetParent(adopted, host);
    SetWindowLongA(adopted, GWL_STYLE, WS_VISIBLE);
    ASSERT_TRUE(SetForegroundWindow(adopted));
    BringWindowToTop(adopted);

    sim::driver::press_key(VK_F4, {VK_MENU});
    EXPECT_FALSE(IsWindow(adopted));
    EXPECT_TRUE(IsWindow(host));
}

TEST_F(InputTest, AltF4InAChildControlClosesItsTopLevelWindow)
{
    HWND app = open_app("C:\\A.EXE", "app", RECT {0, 0, 300, 300});
    HWND edit = sim::driver::add_child_control(app, "Edit", "text", RECT {5, 5, 100, 25});
    SetFocus(edit);
    ASSERT_EQ(GetFocus(), edit);
    sim::driver::press_key(VK_F4, {VK_MENU});
    EXPECT_FALSE(IsWindow(app));
    EXPECT_FALSE(IsWindow(edit));
}

TEST_F(InputTest, TypedKeysArriveAsCharactersAtTheFocus)
{
    HWND window = create_program_window(RECT {0, 0, 100, 100});
    SetFocus(window);
    sim::driver::press_key('A');
    sim::driver::press_key('B', {VK_SHIFT});
    std::string typed;
    for (auto& message : messages())
        if (message.message == WM_CHAR && message.hwnd == window)
            typed += static_cast<char>(message.wparam);
    EXPECT_EQ(typed, "aB");
    EXPECT_EQ(count(WM_KEYUP, window), 3);
}

TEST_F(InputTest, PlainF4DoesNotClose)
{
    HWND window = open_app("C:\\A.EXE", "window", RECT {0, 0, 300, 300});
    sim::driver::press_key(VK_F4);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(InputTest, ClicksGoToTheFrontWindowInClientCoordinatesAndActivateIt)
{
    HWND back = create_program_window(RECT {100, 100, 400, 400});
    HWND front = create_program_window(RECT {200, 200, 500, 500});
    SetForegroundWindow(back);
    EXPECT_EQ(WindowFromPoint(POINT {250, 250}), back);

    messages().clear();
    sim::driver::click(450, 450);
    ASSERT_EQ(count(WM_LBUTTONDOWN, front), 1);
    EXPECT_EQ(GetForegroundWindow(), front);
    for (auto& message : messages()) {
        if (message.message != WM_LBUTTONDOWN)
            continue;
        EXPECT_EQ(GET_X_LPARAM(message.lparam), 250);
        EXPECT_EQ(GET_Y_LPARAM(message.lparam), 250);
        EXPECT_EQ(message.wparam, static_cast<WPARAM>(MK_LBUTTON));
    }
    EXPECT_GE(count(WM_SETCURSOR, front), 1);
}

TEST_F(InputTest, DoubleClickNeedsTheClassStyleAndATimelySecondPress)
{
    HWND window = create_program_window(RECT {0, 0, 200, 200});
    HWND app = open_app("C:\\A.EXE", "plain", RECT {300, 0, 500, 200});
    sim::driver::double_click(50, 50);
    EXPECT_EQ(count(WM_LBUTTONDBLCLK, window), 1);
    EXPECT_EQ(count(WM_LBUTTONDOWN, window), 1);

    sim::driver::click(60, 60);
    sim::driver::run_for(600);
    sim::driver::click(60, 60);
    EXPECT_EQ(count(WM_LBUTTONDBLCLK, window), 1);
    (void)app;
}

TEST_F(InputTest, CaptureReceivesMovesOutsideTheWindow)
{
    HWND window = create_program_window(RECT {0, 0, 100, 100});
    HWND other = create_program_window(RECT {200, 200, 400, 400});
    SetCapture(window);
    sim::driver::mouse_move(300, 300);
    EXPECT_EQ(count(WM_MOUSEMOVE, other), 0);
    ASSERT_EQ(count(WM_MOUSEMOVE, window), 1);
    for (auto& message : messages()) {
        if (message.message == WM_MOUSEMOVE) {
            EXPECT_EQ(GET_X_LPARAM(message.lparam), 300);
        }
    }

    ReleaseCapture();
    EXPECT_EQ(count(WM_CAPTURECHANGED, window), 1);
    sim::driver::mouse_move(310, 310);
    EXPECT_EQ(count(WM_MOUSEMOVE, other), 1);
}

TEST_F(InputTest, TransparentHitTestPassesTheMouseOn)
{
    HWND below = create_program_window(RECT {0, 0, 200, 200});
    WNDCLASSA window_class {};
    window_class.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        if (message == WM_NCHITTEST)
            return HTTRANSPARENT;
        return DefWindowProcA(hwnd, message, wparam, lparam);
    };
    window_class.lpszClassName = "SeeThrough";
    RegisterClassA(&window_class);
    CreateWindowExA(0, "SeeThrough", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(WindowFromPoint(POINT {10, 10}), below);
}

TEST_F(InputTest, KeyStatesAndSynthesisedMouseInput)
{
    HWND window = create_program_window(RECT {100, 100, 300, 300});
    EXPECT_FALSE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
    sim::driver::key_down(VK_LSHIFT);
    EXPECT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
    EXPECT_TRUE(GetKeyState(VK_LSHIFT) < 0);
    sim::driver::key_up(VK_LSHIFT);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) < 0);
    sim::driver::press_key(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);

    messages().clear();
    INPUT inputs[3] {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dx = 150 * 65536 / GetSystemMetrics(SM_CXSCREEN) + 1;
    inputs[0].mi.dy = 150 * 65536 / GetSystemMetrics(SM_CYSCREEN) + 1;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    inputs[2].type = INPUT_MOUSE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    EXPECT_EQ(SendInput(3, inputs, sizeof(INPUT)), 3u);
    EXPECT_EQ(SendInput(3, inputs, sizeof(INPUT) - 1), 0u);
    sim::driver::pump();
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 150);
    EXPECT_EQ(cursor.y, 150);
    EXPECT_EQ(count(WM_RBUTTONDOWN, window), 1);
    EXPECT_EQ(count(WM_RBUTTONUP, window), 1);
}

TEST_F(InputTest, CaptionButtonsOfAnApplicationWork)
{
    HWND app = open_app("C:\\A.EXE", "app", RECT {100, 100, 500, 400});
    RECT rect;
    GetWindowRect(app, &rect);
    int caption_y = rect.top + GetSystemMetrics(SM_CYFRAME) + 5;
    EXPECT_EQ(SendMessageA(app, WM_NCHITTEST, 0, MAKELPARAM(rect.right - 10, caption_y)), HTCLOSE);
    EXPECT_EQ(SendMessageA(app, WM_NCHITTEST, 0, MAKELPARAM(rect.left + 100, caption_y)), HTCAPTION);
    EXPECT_EQ(SendMessageA(app, WM_NCHITTEST, 0, MAKELPARAM(rect.left + 1, rect.top + 100)), HTLEFT);
    sim::driver::double_click(rect.left + 100, caption_y);
    EXPECT_TRUE(IsZoomed(app));
    GetWindowRect(app, &rect);
    sim::driver::click(rect.right - 10, rect.top + GetSystemMetrics(SM_CYFRAME) + 5);
    EXPECT_FALSE(IsWindow(app));
}

}
