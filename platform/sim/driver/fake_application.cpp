#include "platform/sim/driver/fake_application.h"

#include "platform/api/gdi.h"
#include "platform/sim/desktop.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/self_painted_window.h"
#include "platform/sim/user/system_icons.h"
#include "platform/sim/user/window_class.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_tree.h"

#include <map>

namespace sim {

namespace {

struct AppData {
    bool answers_get_icon = true;
    bool keeps_open = false;
    HICON small_icon = nullptr;
    HICON big_icon = nullptr;
};

std::map<HWND, AppData>& app_data()
{
    static std::map<HWND, AppData> data;
    return data;
}

const bool forgets_on_reset = (on_reset([] { app_data().clear(); }), true);

// The timer with which an application brings its window to the front by itself.
constexpr UINT_PTR activation_timer = 0x4B01;

constexpr COLORREF client_colour = RGB(255, 255, 255);
constexpr COLORREF text_colour = RGB(0, 0, 0);

uint32_t icon_colour(uint32_t process_id)
{
    return 0x204080 + (process_id * 0x1F3B5) % 0x7F7F7F;
}

void paint(HWND hwnd)
{
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    fill_with_colour(hdc, client, client_colour);
    if (Window* window = find_window(hwnd); window && !(window->style & WS_CHILD)) {
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, text_colour);
        RECT text_area {8, 8, client.right - 8, client.bottom - 8};
        DrawTextA(hdc, window->text.c_str(), -1, &text_area, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
    }
    EndPaint(hwnd, &paint);
}

// A process ends when its last main window is gone, as an application does; a main window is one
// the driver opened, wherever it lives now.
void end_process_without_windows(HWND closing, uint32_t process_id)
{
    for (auto& [hwnd, data] : app_data()) {
        Window* window = find_window(hwnd);
        if (hwnd != closing && window && window->process_id == process_id && !window->is_destroying)
            return;
    }
    if (process_id != shell_process_id() && process_id != program_process_id())
        end_process(process_id);
}

LRESULT CALLBACK fake_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_GETICON: {
        auto it = app_data().find(hwnd);
        if (it == app_data().end() || !it->second.answers_get_icon)
            return DefWindowProcA(hwnd, message, wparam, lparam);
        return reinterpret_cast<LRESULT>(wparam == ICON_BIG ? it->second.big_icon : it->second.small_icon);
    }
    case WM_TIMER:
        if (wparam != activation_timer)
            return DefWindowProcA(hwnd, message, wparam, lparam);
        KillTimer(hwnd, activation_timer);
        SetForegroundWindow(hwnd);
        return 0;
    case WM_CLOSE: {
        auto it = app_data().find(hwnd);
        if (it != app_data().end() && it->second.keeps_open)
            return 0;
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
    case WM_NCDESTROY: {
        Window* window = find_window(hwnd);
        bool is_main = app_data().erase(hwnd) != 0;
        if (window && is_main)
            end_process_without_windows(hwnd, window->process_id);
        return 0;
    }
    default:
        return text_window_procedure(hwnd, message, wparam, lparam, paint);
    }
}

}

void activate_later(HWND hwnd, uint32_t milliseconds)
{
    SetTimer(hwnd, activation_timer, milliseconds, nullptr);
}

void ensure_fake_class(const std::string& class_name, uint32_t process_id, bool has_icon)
{
    if (find_class(class_name.c_str()))
        return;
    WindowClass window_class;
    window_class.name = class_name;
    window_class.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    window_class.procedure = fake_procedure;
    window_class.process_id = process_id;
    window_class.cursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    if (has_icon) {
        window_class.icon = make_plain_icon(32, icon_colour(process_id));
        window_class.small_icon = make_plain_icon(16, icon_colour(process_id));
    }
    register_class(window_class);
}

HWND open_fake_window(uint32_t process_id, const driver::AppWindow& window)
{
    if (!is_process_alive(process_id))
        return nullptr;
    ProcessScope scope(process_id);
    ensure_fake_class(window.class_name, process_id, window.has_icon);
    CreateRequest request;
    request.ex_style = window.ex_style;
    request.class_name = window.class_name;
    request.title = window.title;
    request.style = window.style;
    request.x = window.rect.left;
    request.y = window.rect.top;
    request.width = window.rect.right - window.rect.left;
    request.height = window.rect.bottom - window.rect.top;
    request.handle = window.handle;
    HWND hwnd = create_window(request);
    if (!hwnd)
        return nullptr;
    AppData data;
    data.answers_get_icon = window.answers_get_icon;
    data.keeps_open = window.keeps_open;
    if (window.has_icon) {
        data.small_icon = make_plain_icon(16, icon_colour(process_id) ^ 0x404040);
        data.big_icon = make_plain_icon(32, icon_colour(process_id) ^ 0x404040);
    }
    app_data()[hwnd] = data;
    return hwnd;
}

}
