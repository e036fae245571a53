#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/shell/capture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// What the frame callback saw, for the test that sets it.
struct SeenFrame {
    HWND window = nullptr;
    std::vector<BYTE> bytes;
    DWORD bytes_used = 0;
    DWORD flags = 0;
    int calls = 0;
};

SeenFrame& seen_frame()
{
    static SeenFrame seen;
    return seen;
}

LRESULT CALLBACK remember_frame(HWND window, LPVIDEOHDR header)
{
    auto& seen = seen_frame();
    seen.window = window;
    seen.bytes.assign(header->lpData, header->lpData + header->dwBytesUsed);
    seen.bytes_used = header->dwBytesUsed;
    seen.flags = header->dwFlags;
    ++seen.calls;
    return TRUE;
}

// The colour of a pixel of a 24-bit bottom-up frame, as 0xRRGGBB.
uint32_t frame_pixel(const std::vector<BYTE>& bytes, int width, int height, int x, int y)
{
    size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    const BYTE* pixel = bytes.data() + stride * static_cast<size_t>(height - 1 - y) + static_cast<size_t>(x) * 3;
    return (static_cast<uint32_t>(pixel[2]) << 16) | (static_cast<uint32_t>(pixel[1]) << 8) | pixel[0];
}

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

TEST_F(Capture, VideoFormatDescribesBottomUpTwentyFourBitFramesOfTheCameraSize)
{
    BITMAPINFO format {};
    EXPECT_EQ(SendMessageA(m_capture, WM_CAP_GET_VIDEOFORMAT, sizeof format, reinterpret_cast<LPARAM>(&format)), 0);
    ASSERT_TRUE(sim::set_camera_frame_size(161, 120));
    EXPECT_FALSE(sim::set_camera_frame_size(0, 120));
    EXPECT_FALSE(sim::set_camera_frame_size(5000, 120));
    ASSERT_TRUE(SendMessageA(m_capture, WM_CAP_DRIVER_CONNECT, 0, 0));
    EXPECT_EQ(SendMessageA(m_capture, WM_CAP_GET_VIDEOFORMAT, 0, 0), static_cast<LRESULT>(sizeof(BITMAPINFOHEADER)));
    EXPECT_EQ(SendMessageA(m_capture, WM_CAP_GET_VIDEOFORMAT, sizeof format, reinterpret_cast<LPARAM>(&format)),
        static_cast<LRESULT>(sizeof(BITMAPINFOHEADER)));
    EXPECT_EQ(format.bmiHeader.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(format.bmiHeader.biWidth, 161);
    EXPECT_EQ(format.bmiHeader.biHeight, 120);
    EXPECT_EQ(format.bmiHeader.biBitCount, 24);
    EXPECT_EQ(format.bmiHeader.biPlanes, 1);
    EXPECT_EQ(format.bmiHeader.biCompression, static_cast<DWORD>(BI_RGB));
    // Rows are padded to whole 32-bit words: 161 * 3 = 483 bytes take 484.
    EXPECT_EQ(format.bmiHeader.biSizeImage, 484u * 120);

    ASSERT_TRUE(SendMessageA(m_capture, WM_CAP_GRAB_FRAME, 0, 0));
    ASSERT_TRUE(SendMessageA(m_capture, WM_CAP_EDIT_COPY, 0, 0));
    SIZE size = clipboard_picture_size();
    EXPECT_EQ(size.cx, 161);
    EXPECT_EQ(size.cy, 120);
}

TEST_F(Capture, FrameCallbackReceivesEachGrabbedFrameAsTheCameraSawIt)
{
    seen_frame() = {};
    ASSERT_TRUE(SendMessageA(m_capture, WM_CAP_SET_CALLBACK_FRAME, 0, reinterpret_cast<LPARAM>(remember_frame)));
    ASSERT_TRUE(SendMessageA(m_capture, WM_CAP_DRIVER_CONNECT, 0, 0));
    ASSERT_TRUE(SendMessageA(m_capture, WM_CAP_GRAB_FRAME, 0, 0));
    ASSERT_EQ(seen_frame().calls, 1);
    EXPECT_EQ(seen_frame().window, m_capture);
    EXPECT_EQ(seen_frame().bytes_used, 960u * 240);
    EXPECT_TRUE(seen_frame().flags & VHDR_DONE);
    // The first row of the buffer is the bottom of the picture.
    sim::Bitmap picture = sim::camera_picture(sim::now_ms());
    for (auto [x, y] : { std::pair { 0, 0 }, std::pair { 319, 0 }, std::pair { 5, 239 }, std::pair { 300, 230 } })
        EXPECT_EQ(frame_pixel(seen_frame().bytes, 320, 240, x, y), picture.pixel(x, y) & 0xFFFFFF) << x << "," << y;
    // The picture is not its own mirror image.
    EXPECT_NE(frame_pixel(seen_frame().bytes, 320, 240, 10, 230), frame_pixel(seen_frame().bytes, 320, 240, 309, 230));

    ASSERT_TRUE(SendMessageA(m_capture, WM_CAP_GRAB_FRAME_NOSTOP, 0, 0));
    EXPECT_EQ(seen_frame().calls, 2);
    SendMessageA(m_capture, WM_CAP_SET_CALLBACK_FRAME, 0, 0);
    SendMessageA(m_capture, WM_CAP_GRAB_FRAME, 0, 0);
    EXPECT_EQ(seen_frame().calls, 2);
}

TEST_F(Capture, EveryByteOfAFrameFollowsTheVideoFormatAndRowsArePaddedWithZeros)
{
    seen_frame() = {};
    ASSERT_TRUE(SendMessageA(m_capture, WM_CAP_SET_CALLBACK_FRAME, 0, reinterpret_cast<LPARAM>(remember_frame)));
    ASSERT_TRUE(SendMessageA(m_capture, WM_CAP_DRIVER_CONNECT, 0, 0));
    constexpr DWORD Mjpg = 0x47504A4D;
    // Odd widths leave padding; each format follows a larger frame, whose buffer is reused. A
    // format of another code than RGB holds a grey level and a neutral byte a pixel.
    struct Case {
        int width;
        WORD bits;
        DWORD compression;
    };
    for (Case format : { Case { 320, 24, BI_RGB }, Case { 61, 24, BI_RGB }, Case { 62, 32, BI_RGB }, Case { 63, 16, Mjpg },
             Case { 61, 24, BI_RGB } }) {
        sim::set_camera_format(format.bits, format.compression);
        ASSERT_TRUE(sim::set_camera_frame_size(format.width, 40));
        ASSERT_TRUE(SendMessageA(m_capture, WM_CAP_GRAB_FRAME, 0, 0));
        sim::Bitmap picture = sim::camera_picture(sim::now_ms());
        size_t pixel_bytes = format.bits / 8u;
        size_t stride = (format.width * pixel_bytes + 3) / 4 * 4;
        const std::vector<BYTE>& bytes = seen_frame().bytes;
        ASSERT_EQ(bytes.size(), stride * 40);
        for (int y = 0; y < 40; ++y) {
            const BYTE* row = bytes.data() + stride * static_cast<size_t>(39 - y);
            for (int x = 0; x < format.width; ++x) {
                uint32_t colour = picture.pixel(x, y);
                BYTE blue = colour & 0xFF;
                BYTE green = (colour >> 8) & 0xFF;
                BYTE red = (colour >> 16) & 0xFF;
                std::vector<BYTE> expected { blue, green, red, 0 };
                if (format.compression != BI_RGB)
                    expected = { static_cast<BYTE>((red * 77 + green * 150 + blue * 29) >> 8), 128 };
                expected.resize(pixel_bytes);
                ASSERT_EQ(std::vector<BYTE>(row + x * pixel_bytes, row + (x + 1) * pixel_bytes), expected)
                    << format.width << " wide, " << format.bits << " bits, at " << x << "," << y;
            }
            for (size_t padding = format.width * pixel_bytes; padding < stride; ++padding)
                ASSERT_EQ(row[padding], 0) << format.width << " wide, " << format.bits << " bits, row " << y;
        }
    }
}

TEST_F(Capture, UserDataIsKeptPerWindow)
{
    HWND second = capCreateCaptureWindowA("Second", 0, 0, 0, 320, 240, m_owner, 0);
    EXPECT_EQ(SendMessageA(m_capture, WM_CAP_GET_USER_DATA, 0, 0), 0);
    SendMessageA(m_capture, WM_CAP_SET_USER_DATA, 0, 0x12345678);
    SendMessageA(second, WM_CAP_SET_USER_DATA, 0, 7);
    EXPECT_EQ(SendMessageA(m_capture, WM_CAP_GET_USER_DATA, 0, 0), 0x12345678);
    EXPECT_EQ(SendMessageA(second, WM_CAP_GET_USER_DATA, 0, 0), 7);
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
