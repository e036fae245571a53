#include "webcam/frmCAM.h"

#include "settings/frmSettings.h"
#include "webcam/frame_pixels.h"
#include "webcam/frmFlipImage.h"

#include <cstdlib>
#include <vector>

namespace {

constexpr int CaptureWidth = 320;
constexpr int CaptureHeight = 240;

// The driver calls this inside the grab, on the program's one thread; the capture window's user
// data is the webcam form it belongs to.
LRESULT CALLBACK frame_arrived(HWND window, LPVIDEOHDR frame)
{
    auto* cam = reinterpret_cast<frmCAM*>(SendMessageA(window, WM_CAP_GET_USER_DATA, 0, 0));
    if (cam && frame)
        runtime::skip_on_error([&] { cam->take_frame(*frame); });
    return TRUE;
}

}

frmCAM::frmCAM(runtime::Program& program)
    : Form(program, "frmCAM")
{
    ShowInTaskbar(false);
    ScaleMode(runtime::vbPixels);
    for (auto* box : { &picDestination, &picSource }) {
        box->AutoRedraw(true);
        box->AutoSize(true);
        box->BorderStyle(0);
        box->BackColor(0);
        box->ScaleMode(runtime::vbPixels);
        box->Move(0, 0, 323, 240);
    }
    picSource.Visible(false);
    barAmount.Visible(false);
    barAmount.Max(255);
    barAmount.Value(60);
    tmrMain.Enabled(false);
    tmrMain.Interval(1);

    tmrMain.on_timer = [this] { tmrMain_Timer(); };
}

void frmCAM::show_status(const char* text)
{
    runtime::skip_on_error([&] { program().form<frmSettings>().Label16.Caption(text); });
}

void frmCAM::Command1_Click()
{
    show_status("Connecting to Webcam...");
    m_has_composite = false;
    // A start replaces the capture window of an earlier one.
    destroy_capture_window();
    CaptureWindow = capCreateCaptureWindowA("WebcamCapture", 0, 0, 0, CaptureWidth, CaptureHeight, hWnd(), 0);
    runtime::DoEvents();
    if (!CaptureWindow || !SendMessageA(CaptureWindow, WM_CAP_DRIVER_CONNECT, 0, 0)) {
        show_status("No Webcam found. Plugin your Webcam or update your Webcamdriver.");
        return;
    }
    SendMessageA(CaptureWindow, WM_CAP_SET_USER_DATA, 0, reinterpret_cast<LPARAM>(this));
    SendMessageA(CaptureWindow, WM_CAP_SET_CALLBACK_FRAME, 0, reinterpret_cast<LPARAM>(&frame_arrived));
    choose_video_format();
    if (!m_has_usable_format) {
        // A camera whose frames cannot be read is let go, and the captions keep what they show.
        SendMessageA(CaptureWindow, WM_CAP_DRIVER_DISCONNECT, 0, 0);
        show_status("No Webcam found. Plugin your Webcam or update your Webcamdriver.");
        return;
    }
    tmrMain.Enabled(true);
    show_status("Webcam ready.");
}

void frmCAM::Command2_Click()
{
    show_status("Disconnecting Webcam...");
    tmrMain.Enabled(false);
    runtime::DoEvents();
    if (CaptureWindow)
        SendMessageA(CaptureWindow, WM_CAP_DRIVER_DISCONNECT, 0, 0);
}

void frmCAM::Form_QueryUnload(int&, int)
{
    runtime::DoEvents();
    destroy_capture_window();
}

void frmCAM::destroy_capture_window()
{
    if (!CaptureWindow)
        return;
    SendMessageA(CaptureWindow, WM_CAP_SET_CALLBACK_FRAME, 0, 0);
    SendMessageA(CaptureWindow, WM_CAP_DRIVER_DISCONNECT, 0, 0);
    DestroyWindow(CaptureWindow);
    CaptureWindow = nullptr;
    m_has_usable_format = false;
}

// RGB frames are taken as they come; a camera of another format is asked for 24-bit RGB of its
// own size, and YUY2 frames are turned into RGB where its driver refuses.
void frmCAM::choose_video_format()
{
    read_video_format();
    if (m_has_usable_format && is_rgb_frame_format(m_format))
        return;
    BITMAPINFOHEADER rgb {};
    rgb.biSize = sizeof rgb;
    rgb.biWidth = m_format.biWidth > 0 ? m_format.biWidth : CaptureWidth;
    rgb.biHeight = m_format.biHeight != 0 ? std::abs(m_format.biHeight) : CaptureHeight;
    rgb.biPlanes = 1;
    rgb.biBitCount = 24;
    rgb.biCompression = BI_RGB;
    rgb.biSizeImage = static_cast<DWORD>(frame_size_in_bytes(rgb));
    if (SendMessageA(CaptureWindow, WM_CAP_SET_VIDEOFORMAT, sizeof rgb, reinterpret_cast<LPARAM>(&rgb)))
        read_video_format();
}

void frmCAM::read_video_format()
{
    m_has_usable_format = false;
    m_format = {};
    auto size = static_cast<size_t>(SendMessageA(CaptureWindow, WM_CAP_GET_VIDEOFORMAT, 0, 0));
    if (size < sizeof(BITMAPINFOHEADER))
        return;
    // The format may carry more than its header (a colour table, bit masks); only the header counts.
    std::vector<BYTE> buffer(size);
    if (!SendMessageA(CaptureWindow, WM_CAP_GET_VIDEOFORMAT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer.data())))
        return;
    m_format = *reinterpret_cast<const BITMAPINFOHEADER*>(buffer.data());
    m_has_usable_format = is_usable_frame_format(m_format);
}

void frmCAM::take_frame(const VIDEOHDR& frame)
{
    if (!m_has_usable_format || !frame.lpData || frame.dwBytesUsed < frame_size_in_bytes(m_format))
        return;
    // The frame goes straight into the pixels of the transform's source picture.
    size_t stride = 0;
    uint32_t* pixels = program().form<frmFlipImage>().source_pixels(m_format.biWidth, std::abs(m_format.biHeight), stride);
    if (!pixels)
        return;
    copy_frame_pixels(m_format, frame.lpData, pixels, stride);
    m_has_new_frame = true;
}

void frmCAM::tmrMain_Timer()
{
    // Frames come only through the frame callback: the user's clipboard is never touched.
    m_has_new_frame = false;
    if (CaptureWindow)
        SendMessageA(CaptureWindow, WM_CAP_GRAB_FRAME, 0, 0);
    if (!m_has_new_frame)
        return;
    frmFlipImage& flip = program().form<frmFlipImage>();
    // The composite takes the frame's size; sizes that stay the same keep their pictures.
    runtime::skip_on_error([&] { picDestination.Move(0, 0, flip.ps.ScaleWidth(), flip.ps.ScaleHeight()); });
    runtime::skip_on_error([&] {
        flip.HScroll2.Value(flip.HScroll2.Max());
        flip.HScroll2_Change();
    });
    runtime::skip_on_error([&] { barAmount_Scroll(); });
    m_has_composite = true;
    // Until the next render pass replaces it, the blend background has the frame's size.
    runtime::skip_on_error([&] {
        picSource.Height(picDestination.Height());
        picSource.Width(picDestination.Width());
    });
}

void frmCAM::barAmount_Scroll()
{
    // The composite starts again from the transformed frame.
    SIZE size = picDestination.client_pixel_size();
    HDC composite = picDestination.hDC();
    BitBlt(composite, 0, 0, size.cx, size.cy, program().form<frmFlipImage>().pd.hDC(), 0, 0, SRCCOPY);
    BLENDFUNCTION blend { AC_SRC_OVER, 0, static_cast<BYTE>(255 - barAmount.Value()), 0 };
    // The caption image lies 1:1 from the top-left corner; what lies outside the frame is cut off.
    SIZE source = picSource.client_pixel_size();
    AlphaBlend(composite, 0, 0, source.cx, source.cy, picSource.hDC(), 0, 0, source.cx, source.cy, blend);
    picDestination.Refresh();
}
