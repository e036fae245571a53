#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/shell/capture.h"

#include <gtest/gtest.h>

namespace {

class Capture : public testing::Test {
protected:
    void SetUp() override
    {
        sim::reset_desktop();
        m_owner = CreateWindowExA(0, "Static", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        m_capture = capCreateCaptureWindowA("WebcamCapture", 0, 0, 0, 320, 240, m_owner, 0);
    }

    SIZE clipboard_picture_size() const
    {
        SIZE size { 0, 0 };
        if (!OpenClipboard(m_owner))
            return size;
        if (auto* bitmap = sim::find_bitmap(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))))
            size = { bitmap->width(), bitmap->height() };
        CloseClipboard();
        return size;
    }

    HWND m_owner = nullptr;
    HWND m_capture = nullptr;
};

TEST_F(Capture, WindowIsMadeAsAskedAndHidden)
{
    ASSERT_NE(m_capture, nullptr);
    char title[32] {};
    GetWindowTextA(m_capture, title, sizeof(title));
    EXPECT_STREQ(title, "WebcamCapture");
    EXPECT_FALSE(IsWindowVisible(m_capture));
    EXPECT_EQ(GetWindow(m_capture, GW_OWNER), m_owner);
}

TEST_F(Capture, ConnectGrabAndCopyPutTheFrameOnTheClipboard)
{
    EXPECT_FALSE(SendMessageA(m_capture, WM_CAP_GRAB_FRAME, 0, 0));
    ASSERT_TRUE(SendMessageA(m_capture, WM_CAP_DRIVER_CONNECT, 0, 0));
    EXPECT_TRUE(SendMessageA(m_capture, WM_CAP_GRAB_FRAME, 0, 0));
    EXPECT_TRUE(SendMessageA(m_capture, WM_CAP_EDIT_COPY, 0, 0));
    SIZE size = clipboard_picture_size();
    EXPECT_EQ(size.cx, 320);
    EXPECT_EQ(size.cy, 240);
    EXPECT_TRUE(SendMessageA(m_capture, WM_CAP_DRIVER_DISCONNECT, 0, 0));
    EXPECT_FALSE(SendMessageA(m_capture, WM_CAP_GRAB_FRAME, 0, 0));
}

TEST_F(Capture, AnUnpluggedCameraCannotBeConnected)
{
    sim::set_camera_plugged(false);
    EXPECT_FALSE(SendMessageA(m_capture, WM_CAP_DRIVER_CONNECT, 0, 0));
    EXPECT_FALSE(SendMessageA(m_capture, WM_CAP_EDIT_COPY, 0, 0));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    sim::set_camera_plugged(true);
    EXPECT_FALSE(SendMessageA(m_capture, WM_CAP_DRIVER_CONNECT, 1, 0));
    EXPECT_TRUE(SendMessageA(m_capture, WM_CAP_DRIVER_CONNECT, 0, 0));
    // Unplugging a connected camera disconnects it.
    sim::set_camera_plugged(false);
    EXPECT_FALSE(SendMessageA(m_capture, WM_CAP_GRAB_FRAME, 0, 0));
}

TEST_F(Capture, TheCameraPictureMovesWithTimeAndRepeats)
{
    sim::Bitmap first = sim::camera_picture(0);
    sim::Bitmap again = sim::camera_picture(0);
    sim::Bitmap later = sim::camera_picture(500);
    ASSERT_EQ(first.width(), 320);
    ASSERT_EQ(first.height(), 240);
    int differences = 0;
    int repeats = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            differences += first.pixel(x, y) != later.pixel(x, y);
            repeats += first.pixel(x, y) == again.pixel(x, y);
        }
    }
    EXPECT_GT(differences, 1000);
    EXPECT_EQ(repeats, 320 * 240);
}

}
