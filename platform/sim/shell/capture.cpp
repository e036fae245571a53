#include "platform/sim/shell/capture.h"

#include "platform/api/gdi.h"
#include "platform/api/shell.h"
#include "platform/api/user.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/kernel/desktop_link.h"

#include <map>
#include <optional>

namespace sim {

namespace {

constexpr const char* capture_class = "SimCaptureWindow";

struct CaptureState {
    bool is_connected = false;
    std::optional<Bitmap> frame;
};

struct Capture {
    bool is_plugged = true;
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
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, camera_width, camera_height, SRCCOPY);
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
        return TRUE;
    case WM_CAP_DRIVER_DISCONNECT:
        if (!state.is_connected)
            return FALSE;
        state.is_connected = false;
        return TRUE;
    case WM_CAP_GRAB_FRAME:
    case WM_CAP_GRAB_FRAME_NOSTOP:
        if (!state.is_connected)
            return FALSE;
        state.frame = camera_picture(kernel::now_ms());
        InvalidateRect(window, nullptr, FALSE);
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

Bitmap camera_picture(uint64_t time_ms)
{
    static const uint32_t bars[] = { pack(192, 192, 192), pack(192, 192, 0), pack(0, 192, 192), pack(0, 192, 0),
        pack(192, 0, 192), pack(192, 0, 0), pack(0, 0, 192), pack(16, 16, 16) };
    Bitmap picture(camera_width, camera_height);
    int shift = static_cast<int>((time_ms / 10) % camera_width);
    for (int y = 0; y < camera_height; ++y) {
        auto* row = picture.row(y);
        for (int x = 0; x < camera_width; ++x) {
            if (y >= camera_height * 3 / 4) {
                int level = (x * 255) / (camera_width - 1);
                row[x] = pack(level, level, level);
                continue;
            }
            row[x] = bars[((x + shift) % camera_width) * 8 / camera_width];
        }
    }
    // A white ball that bounces left and right once every two seconds.
    int period = 2000;
    int phase = static_cast<int>(time_ms % period);
    int travel = camera_width - 60;
    int centre_x = 30 + (phase < period / 2 ? phase * travel / (period / 2) : (period - phase) * travel / (period / 2));
    int centre_y = camera_height * 3 / 8;
    for (int y = centre_y - 20; y <= centre_y + 20; ++y) {
        for (int x = centre_x - 20; x <= centre_x + 20; ++x) {
            int dx = x - centre_x;
            int dy = y - centre_y;
            if (dx * dx + dy * dy <= 400 && picture.contains(x, y))
                picture.set_pixel(x, y, pack(255, 255, 255));
        }
    }
    return picture;
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

void reset_capture()
{
    capture() = Capture {};
}

}

HWND WINAPI capCreateCaptureWindowA(LPCSTR lpszWindowName, DWORD dwStyle, int x, int y, int nWidth, int nHeight,
    HWND hwndParent, int nID)
{
    sim::register_capture_class();
    // A child window takes the identifier; any other window is owned by the parent.
    HMENU identifier = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<intptr_t>(nID)) : nullptr;
    HWND window = CreateWindowExA(0, sim::capture_class, lpszWindowName ? lpszWindowName : "", dwStyle, x, y, nWidth,
        nHeight, hwndParent, identifier, nullptr, nullptr);
    if (window)
        sim::capture().windows[window] = {};
    return window;
}
