#include "platform/sim/shell/capture.h"

#include "platform/api/gdi.h"
#include "platform/api/shell.h"
#include "platform/api/user.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/kernel/desktop_link.h"
#include "platform/sim/user/process_faults.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace sim {

namespace {

constexpr const char* capture_class = "SimCaptureWindow";
constexpr int largest_frame_side = 4096;
constexpr DWORD yuy2_code = 0x32595559;  // the four characters "YUY2"

struct CaptureState {
    bool is_connected = false;
    uint64_t connected_at_ms = 0;
    std::optional<Bitmap> frame;
    // The last frame as the driver hands it to the frame callback: 24-bit bottom-up rows.
    std::vector<BYTE> frame_bytes;
    VIDEOHDR header {};
    CAPVIDEOCALLBACK frame_callback = nullptr;
    LPARAM user_data = 0;
};

struct Capture {
    bool is_plugged = true;
    SIZE frame_size { 320, 240 };
    WORD bits_per_pixel = 24;
    DWORD compression = BI_RGB;
    // Whether the driver refuses every format but the camera's own, or also delivers RGB on request.
    bool is_only_format = false;
    std::map<HWND, CaptureState> windows;
};

Capture& capture()
{
    static Capture state;
    return state;
}

uint32_t pack(int red, int green, int blue)
{
    return 0xFF000000u | (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8)
        | static_cast<uint32_t>(blue);
}

size_t frame_stride(int width)
{
    int bits = capture().compression == BI_RGB ? capture().bits_per_pixel : 16;
    return (static_cast<size_t>(width) * bits + 31) / 32 * 4;
}

// The video format of the camera: a BITMAPINFOHEADER of bottom-up frames.
BITMAPINFOHEADER video_format()
{
    SIZE size = capture().frame_size;
    BITMAPINFOHEADER format {};
    format.biSize = sizeof(BITMAPINFOHEADER);
    format.biWidth = size.cx;
    format.biHeight = size.cy;
    format.biPlanes = 1;
    format.biBitCount = capture().bits_per_pixel;
    format.biCompression = capture().compression;
    format.biSizeImage = static_cast<DWORD>(frame_stride(size.cx) * static_cast<size_t>(size.cy));
    return format;
}

// Copies as much of the format as the caller's buffer holds; returns the format's whole size, as
// the driver answers the size question with a null buffer.
LRESULT copy_video_format(WPARAM buffer_size, LPARAM buffer)
{
    BITMAPINFOHEADER format = video_format();
    if (buffer)
        std::memcpy(reinterpret_cast<void*>(buffer), &format, std::min<size_t>(buffer_size, sizeof format));
    return sizeof format;
}

// One row of pixels as RGB bytes of the given depth: blue, green, red and a zero byte, as many of
// them as a pixel holds; a depth below 8 bits leaves its rows zero. Each pixel of three bytes or
// more but the last is stored as a whole word, whose byte beyond the pixel the next one overwrites.
template<size_t PixelBytes>
void pack_rgb_row(const uint32_t* source, BYTE* target, int width)
{
    if (width <= 0)
        return;
    constexpr size_t StoredBytes = PixelBytes >= 3 ? sizeof(uint32_t) : PixelBytes;
    int x = 0;
    for (; x + 1 < width; ++x, target += PixelBytes) {
        uint32_t colour = source[x] & 0xFFFFFF;
        std::memcpy(target, &colour, StoredBytes);
    }
    uint32_t colour = source[x] & 0xFFFFFF;
    std::memcpy(target, &colour, PixelBytes);
}

BYTE clamp_byte(int value)
{
    return static_cast<BYTE>(std::clamp(value, 0, 255));
}

// One row of pixels as YUY2: for each pair of pixels their two studio-range luma bytes around the
// pair's mean blue and red difference, Y0 U Y1 V. A lone last pixel pairs with itself.
void pack_yuy2_row(const uint32_t* source, BYTE* target, int width)
{
    for (int x = 0; x < width; x += 2, target += 4) {
        int red[2], green[2], blue[2];
        for (int i = 0; i < 2; ++i) {
            uint32_t colour = source[std::min(x + i, width - 1)];
            red[i] = static_cast<int>((colour >> 16) & 0xFF);
            green[i] = static_cast<int>((colour >> 8) & 0xFF);
            blue[i] = static_cast<int>(colour & 0xFF);
        }
        auto luma = [&](int i) { return clamp_byte(((66 * red[i] + 129 * green[i] + 25 * blue[i] + 128) >> 8) + 16); };
        int r = (red[0] + red[1] + 1) / 2;
        int g = (green[0] + green[1] + 1) / 2;
        int b = (blue[0] + blue[1] + 1) / 2;
        target[0] = luma(0);
        target[1] = clamp_byte(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
        target[2] = luma(1);
        target[3] = clamp_byte(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
    }
}

// One row of pixels as a grey level and a neutral colour byte each.
void pack_grey_row(const uint32_t* source, BYTE* target, int width)
{
    for (int x = 0; x < width; ++x, target += 2) {
        uint32_t blue = source[x] & 0xFF;
        uint32_t green = (source[x] >> 8) & 0xFF;
        uint32_t red = (source[x] >> 16) & 0xFF;
        target[0] = static_cast<BYTE>((red * 77 + green * 150 + blue * 29) >> 8);
        target[1] = 128;
    }
}

// Packs the frame in the video format: bottom-up rows of blue, green, red (and a zero byte) for
// RGB; top-down rows for YUY2, as every YUV format is stored whatever the sign of its height; a
// grey level and a neutral colour byte for any other format. Every byte is written, the padding
// of each row included, so the buffer of the last frame is reused as it is.
void pack_frame_bytes(CaptureState& state)
{
    const Bitmap& frame = *state.frame;
    bool is_rgb = capture().compression == BI_RGB;
    bool is_yuy2 = capture().compression == yuy2_code;
    size_t pixel_bytes = is_rgb ? std::min<size_t>(capture().bits_per_pixel / 8u, 4) : 2u;
    size_t stride = frame_stride(frame.width());
    // YUY2 stores whole pairs of pixels.
    size_t stored_pixels = is_yuy2 ? (static_cast<size_t>(frame.width()) + 1) / 2 * 2 : static_cast<size_t>(frame.width());
    size_t row_bytes = std::min(pixel_bytes * stored_pixels, stride);
    state.frame_bytes.resize(stride * static_cast<size_t>(frame.height()));
    for (int y = 0; y < frame.height(); ++y) {
        const uint32_t* source = frame.row(y);
        int stored_row = is_yuy2 ? y : frame.height() - 1 - y;
        BYTE* target = state.frame_bytes.data() + stride * static_cast<size_t>(stored_row);
        if (is_yuy2)
            pack_yuy2_row(source, target, frame.width());
        else if (!is_rgb)
            pack_grey_row(source, target, frame.width());
        else if (pixel_bytes == 4)
            pack_rgb_row<4>(source, target, frame.width());
        else if (pixel_bytes == 3)
            pack_rgb_row<3>(source, target, frame.width());
        else if (pixel_bytes == 2)
            pack_rgb_row<2>(source, target, frame.width());
        else if (pixel_bytes == 1)
            pack_rgb_row<1>(source, target, frame.width());
        std::fill(target + row_bytes, target + stride, BYTE { 0 });
    }
}

// The driver takes a new format when it is of the camera's frame size and either the camera's own
// format or, unless the camera delivers only that, uncompressed RGB of 24 or 32 bits.
bool set_video_format(WPARAM buffer_size, LPARAM buffer)
{
    if (!buffer || buffer_size < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER format {};
    std::memcpy(&format, reinterpret_cast<const void*>(buffer), sizeof format);
    SIZE size = capture().frame_size;
    if (format.biWidth != size.cx || format.biHeight != size.cy || format.biPlanes != 1)
        return false;
    bool is_own = format.biCompression == capture().compression && format.biBitCount == capture().bits_per_pixel;
    bool is_rgb = format.biCompression == BI_RGB && (format.biBitCount == 24 || format.biBitCount == 32);
    if (!is_own && (!is_rgb || capture().is_only_format))
        return false;
    capture().compression = format.biCompression;
    capture().bits_per_pixel = format.biBitCount;
    return true;
}

// Captures one frame and hands it to the frame callback, if one is set.
void grab_frame(HWND window, CaptureState& state)
{
    uint64_t now = kernel::now_ms();
    // The frame's picture is reused while the camera's size stays.
    SIZE size = capture().frame_size;
    if (!state.frame || state.frame->width() != size.cx || state.frame->height() != size.cy)
        state.frame.emplace(size.cx, size.cy);
    draw_camera_picture(*state.frame, now);
    pack_frame_bytes(state);
    state.header = VIDEOHDR {};
    state.header.lpData = state.frame_bytes.data();
    state.header.dwBufferLength = static_cast<DWORD>(state.frame_bytes.size());
    state.header.dwBytesUsed = static_cast<DWORD>(state.frame_bytes.size());
    state.header.dwTimeCaptured = static_cast<DWORD>(now - state.connected_at_ms);
    state.header.dwFlags = VHDR_DONE | VHDR_KEYFRAME;
    InvalidateRect(window, nullptr, FALSE);
    if (state.frame_callback)
        state.frame_callback(window, &state.header);
}

// Copies the last frame to the clipboard as a bitmap, as the driver's "copy" does.
bool copy_frame(HWND window, const CaptureState& state)
{
    if (!state.frame || !OpenClipboard(window))
        return false;
    EmptyClipboard();
    HBITMAP bitmap = add_bitmap(*state.frame);
    bool is_copied = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    if (!is_copied)
        DeleteObject(bitmap);
    CloseClipboard();
    return is_copied;
}

void paint_frame(HWND window, const CaptureState& state)
{
    PAINTSTRUCT paint {};
    HDC dc = BeginPaint(window, &paint);
    if (state.frame) {
        HBITMAP bitmap = add_bitmap(*state.frame);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        RECT client {};
        GetClientRect(window, &client);
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, state.frame->width(), state.frame->height(),
            SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(bitmap);
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK capture_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& state = capture().windows[window];
    switch (message) {
    case WM_CAP_DRIVER_CONNECT:
        // Only the first driver exists, and only while its camera is plugged in.
        if (wParam != 0 || !capture().is_plugged)
            return FALSE;
        state.is_connected = true;
        state.connected_at_ms = kernel::now_ms();
        return TRUE;
    case WM_CAP_DRIVER_DISCONNECT:
        if (!state.is_connected)
            return FALSE;
        state.is_connected = false;
        return TRUE;
    case WM_CAP_SET_CALLBACK_FRAME:
        state.frame_callback = reinterpret_cast<CAPVIDEOCALLBACK>(lParam);
        return TRUE;
    case WM_CAP_SET_USER_DATA:
        state.user_data = lParam;
        return TRUE;
    case WM_CAP_GET_USER_DATA:
        return state.user_data;
    case WM_CAP_GET_VIDEOFORMAT:
        if (!state.is_connected)
            return 0;
        return copy_video_format(wParam, lParam);
    case WM_CAP_SET_VIDEOFORMAT:
        if (!state.is_connected)
            return FALSE;
        return set_video_format(wParam, lParam) ? TRUE : FALSE;
    case WM_CAP_GRAB_FRAME:
    case WM_CAP_GRAB_FRAME_NOSTOP:
        if (!state.is_connected)
            return FALSE;
        grab_frame(window, state);
        return TRUE;
    case WM_CAP_EDIT_COPY:
        if (!state.is_connected)
            return FALSE;
        return copy_frame(window, state) ? TRUE : FALSE;
    case WM_PAINT:
        paint_frame(window, state);
        return 0;
    case WM_NCDESTROY:
        capture().windows.erase(window);
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void register_capture_class()
{
    WNDCLASSA window_class {};
    window_class.lpfnWndProc = capture_procedure;
    window_class.lpszClassName = capture_class;
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassA(&window_class);
}

}

SIZE camera_frame_size()
{
    return capture().frame_size;
}

bool set_camera_frame_size(int width, int height)
{
    if (width < 1 || height < 1 || width > largest_frame_side || height > largest_frame_side)
        return false;
    capture().frame_size = { width, height };
    return true;
}

Bitmap camera_picture(uint64_t time_ms)
{
    Bitmap picture(capture().frame_size.cx, capture().frame_size.cy);
    draw_camera_picture(picture, time_ms);
    return picture;
}

void draw_camera_picture(Bitmap& picture, uint64_t time_ms)
{
    static const uint32_t bars[] = { pack(192, 192, 192), pack(192, 192, 0), pack(0, 192, 192), pack(0, 192, 0),
        pack(192, 0, 192), pack(192, 0, 0), pack(0, 0, 192), pack(16, 16, 16) };
    int width = picture.width();
    int height = picture.height();
    int shift = static_cast<int>((time_ms / 10) % static_cast<uint64_t>(width));
    // Every row of the bars is the same, and so is every row of the ramp: each is made once.
    std::vector<uint32_t> bar_row(static_cast<size_t>(width));
    std::vector<uint32_t> ramp_row(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) {
        bar_row[x] = bars[static_cast<int64_t>((x + shift) % width) * 8 / width];
        int level = (x * 255) / std::max(1, width - 1);
        ramp_row[x] = pack(level, level, level);
    }
    for (int y = 0; y < height; ++y) {
        const auto& source = y >= height * 3 / 4 ? ramp_row : bar_row;
        std::memcpy(picture.row(y), source.data(), source.size() * sizeof(uint32_t));
    }
    // A white ball that bounces left and right once every two seconds.
    int period = 2000;
    int phase = static_cast<int>(time_ms % period);
    int travel = std::max(0, width - 60);
    int centre_x = 30 + (phase < period / 2 ? phase * travel / (period / 2) : (period - phase) * travel / (period / 2));
    int centre_y = height * 3 / 8;
    for (int y = centre_y - 20; y <= centre_y + 20; ++y) {
        for (int x = centre_x - 20; x <= centre_x + 20; ++x) {
            int dx = x - centre_x;
            int dy = y - centre_y;
            if (dx * dx + dy * dy <= 400 && picture.contains(x, y))
                picture.set_pixel(x, y, pack(255, 255, 255));
        }
    }
}

bool is_camera_plugged()
{
    return capture().is_plugged;
}

void set_camera_plugged(bool is_plugged)
{
    capture().is_plugged = is_plugged;
    if (is_plugged)
        return;
    for (auto& [window, state] : capture().windows)
        state.is_connected = false;
}

void set_camera_format(WORD bits_per_pixel, DWORD compression, bool is_only_format)
{
    capture().bits_per_pixel = bits_per_pixel;
    capture().compression = compression;
    capture().is_only_format = is_only_format;
}

std::vector<CaptureWindowState> capture_windows()
{
    std::vector<CaptureWindowState> windows;
    for (auto& [window, state] : capture().windows)
        windows.push_back({ window, state.is_connected });
    return windows;
}

void reset_capture()
{
    capture() = Capture {};
}

}

HWND WINAPI capCreateCaptureWindowA(LPCSTR lpszWindowName, DWORD dwStyle, int x, int y, int nWidth, int nHeight,
    HWND hwndParent, int nID)
{
    sim::ApiCall api_call;
    sim::register_capture_class();
    // A child window takes the identifier; any other window is owned by the parent.
    HMENU identifier = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<intptr_t>(nID)) : nullptr;
    HWND window = CreateWindowExA(0, sim::capture_class, lpszWindowName ? lpszWindowName : "", dwStyle, x, y, nWidth,
        nHeight, hwndParent, identifier, nullptr, nullptr);
    if (window)
        sim::capture().windows[window] = {};
    return window;
}
