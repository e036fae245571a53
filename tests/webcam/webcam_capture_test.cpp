// The webcam's start and stop: the status texts, the one hidden capture window the webcam form
// owns, the loop switch, the driver's connection, a missing camera, the formats it reads, and the
// user's clipboard, which the loop never touches.
#include "tests/webcam/webcam_fixture.h"

#include "platform/sim/shell/clipboard.h"

namespace {

constexpr DWORD Mjpg = 0x47504A4D;

// What the settings window's status label said when a posted message reached a window of the
// program: the start lets pending messages run between its steps.
runtime::Label* status_label = nullptr;
std::string status_seen;

LRESULT CALLBACK remember_status(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_APP && status_label)
        status_seen = status_label->Caption();
    return DefWindowProcA(window, message, wparam, lparam);
}

TEST_F(WebcamTest, TheStartSaysItIsConnectingBeforeItSaysItIsReady)
{
    start();
    status_label = &settings().Label16;
    run([&] {
        WNDCLASSA window_class {};
        window_class.lpfnWndProc = remember_status;
        window_class.lpszClassName = "StatusWatcher";
        RegisterClassA(&window_class);
        HWND watcher = CreateWindowExA(0, "StatusWatcher", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        PostMessageA(watcher, WM_APP, 0, 0);
        settings().Check15.Value(runtime::vbChecked);
    });
    status_label = nullptr;
    EXPECT_EQ(status_seen, "Connecting to Webcam...");
    EXPECT_EQ(settings().Label16.Caption(), "Webcam ready.");
}

TEST_F(WebcamTest, TickingStartsTheWebcamInOneHiddenCaptureWindowOwnedByTheWebcamForm)
{
    start();
    tick_reflection(true);
    EXPECT_EQ(settings().Label16.Caption(), "Webcam ready.");
    EXPECT_TRUE(webcam_loop().Enabled());
    EXPECT_TRUE(globals().GlowSuppressed);
    EXPECT_TRUE(settings().HScroll5.Enabled());
    EXPECT_TRUE(settings().Label19.Enabled());
    auto windows = sim::capture_windows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_TRUE(windows[0].is_connected);
    EXPECT_EQ(windows[0].window, cam().CaptureWindow);
    auto state = state_of(windows[0].window);
    EXPECT_FALSE(state.is_visible);
    EXPECT_EQ(state.owner, cam().hWnd());
    EXPECT_EQ(state.rect.right - state.rect.left, 320);
    EXPECT_EQ(state.rect.bottom - state.rect.top, 240);

    // A second start replaces the capture window: there is never more than one.
    tick_reflection(false);
    tick_reflection(true);
    windows = sim::capture_windows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_TRUE(windows[0].is_connected);
    EXPECT_NE(windows[0].window, state.handle);
}

TEST_F(WebcamTest, UntickingDisconnectsAndSwitchesTheLoopOffAndExitLeavesNoCaptureWindow)
{
    start();
    tick_reflection(true);
    tick_reflection(false);
    EXPECT_EQ(settings().Label16.Caption(), "Disconnecting Webcam...");
    EXPECT_FALSE(webcam_loop().Enabled());
    EXPECT_FALSE(globals().GlowSuppressed);
    EXPECT_FALSE(settings().HScroll6.Enabled());
    EXPECT_FALSE(settings().Label17.Enabled());
    auto windows = sim::capture_windows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_FALSE(windows[0].is_connected);

    tick_reflection(true);
    EXPECT_FALSE(quit());
    EXPECT_TRUE(sim::capture_windows().empty());
}

TEST_F(WebcamTest, WithoutACameraTheStartSaysSoAndTheTicksChangeNothing)
{
    sim::set_camera_plugged(false);
    start();
    sim::set_clipboard_text("hello");
    tick_reflection(true);
    EXPECT_EQ(settings().Label16.Caption(), "No Webcam found. Plugin your Webcam or update your Webcamdriver.");
    // The settings window switched the loop on before the start; it runs and finds no frame.
    EXPECT_TRUE(webcam_loop().Enabled());
    uint32_t before = composite(10, 10);
    sim::driver::run_for(2000);
    EXPECT_EQ(composite(10, 10), before);
    EXPECT_EQ(sim::clipboard_text(), "hello");
    EXPECT_EQ(sim::clipboard_formats(), std::vector<UINT> { CF_TEXT });
}

TEST_F(WebcamTest, TwoSecondsOfLoopLeaveTheClipboardAsTheUserLeftIt)
{
    start();
    sim::set_clipboard_text("hello");
    tick_reflection(true);
    sim::driver::run_for(2000);
    EXPECT_EQ(sim::clipboard_text(), "hello");
    EXPECT_EQ(sim::clipboard_formats(), std::vector<UINT> { CF_TEXT });
    // The frames came nevertheless: the composite shows the mirrored camera.
    EXPECT_NE(composite(160, 30), 0u);
}

TEST_F(WebcamTest, ThirtyTwoBitFramesAreReadAndACameraOfAnUnreadableFormatIsLetGo)
{
    sim::set_camera_format(32, BI_RGB);
    start();
    start_reflection_by_hand();
    set_transparency(0);
    tick_loop();
    EXPECT_EQ(composite(0, 20), frame(319, 20));
    EXPECT_EQ(composite(319, 200), frame(0, 200));

    // A camera of a compressed format that refuses RGB: none of its frames is taken.
    tick_reflection(false);
    sim::set_camera_format(24, Mjpg, true);
    start_reflection_by_hand();
    EXPECT_EQ(settings().Label16.Caption(), "No Webcam found. Plugin your Webcam or update your Webcamdriver.");
    EXPECT_FALSE(sim::capture_windows().back().is_connected);
    uint32_t before = composite(0, 20);
    sim::driver::run_for(500);
    tick_loop();
    EXPECT_EQ(composite(0, 20), before);
}

TEST_F(WebcamTest, AFrameShorterThanItsFormatIsSkipped)
{
    start();
    start_reflection_by_hand();
    set_transparency(0);
    tick_loop();
    uint32_t before = composite(0, 20);
    std::vector<BYTE> bytes(320 * 3 * 239, 0xFF);
    VIDEOHDR short_frame {};
    short_frame.lpData = bytes.data();
    short_frame.dwBufferLength = static_cast<DWORD>(bytes.size());
    short_frame.dwBytesUsed = static_cast<DWORD>(bytes.size());
    run([&] { cam().take_frame(short_frame); });
    run([&] { cam().barAmount_Scroll(); });
    EXPECT_EQ(composite(0, 20), before);
}

}
