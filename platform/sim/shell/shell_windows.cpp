#include "platform/sim/shell/shell_windows.h"

#include "platform/api/gdi.h"
#include "platform/api/shell.h"
#include "platform/api/user.h"
#include "platform/sim/desktop.h"
#include "platform/sim/shell/notification_area.h"
#include "platform/sim/shell/wallpaper.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/process_table.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace sim {

namespace {

constexpr int taskbar_thickness = 30;
constexpr int side_taskbar_width = 60;
constexpr DWORD list_view_style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | 0x0348;
constexpr COLORREF taskbar_color = RGB(36, 82, 190);
constexpr COLORREF start_button_color = RGB(56, 152, 56);
constexpr COLORREF tray_color = RGB(20, 140, 230);

struct ShellWindows {
    HWND taskbar = nullptr;
    HWND program_manager = nullptr;
    HWND default_view = nullptr;
    HWND list_view = nullptr;
    DesktopView view = DesktopView::Icons;
    UINT edge = ABE_BOTTOM;
};

ShellWindows& shell()
{
    static ShellWindows state;
    return state;
}

void fill(HDC dc, RECT rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void draw_label(HDC dc, const char* text, RECT rect, UINT format)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, text, -1, &rect, format | DT_NOPREFIX);
}

void paint_taskbar(HWND window)
{
    PAINTSTRUCT paint {};
    HDC dc = BeginPaint(window, &paint);
    RECT client {};
    GetClientRect(window, &client);
    fill(dc, client, taskbar_color);
    // Along a side edge the start button is a strip across the top of the bar.
    bool is_upright = client.bottom > client.right;
    RECT start = is_upright ? RECT { 0, 0, client.right, taskbar_thickness } : RECT { 0, 0, 80, client.bottom };
    fill(dc, start, start_button_color);
    draw_label(dc, "start", start, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const auto& icons = tray_icons();
    if (!icons.empty()) {
        RECT first = tray_icon_rect(0, client.right, client.bottom);
        RECT area { first.left - 6, 0, client.right, client.bottom };
        fill(dc, area, tray_color);
    }
    for (size_t i = 0; i < icons.size(); ++i) {
        if (!icons[i].icon)
            continue;
        RECT slot = tray_icon_rect(i, client.right, client.bottom);
        DrawIconEx(dc, slot.left, slot.top, icons[i].icon, slot.right - slot.left, slot.bottom - slot.top, 0, nullptr,
            DI_NORMAL);
    }
    EndPaint(window, &paint);
}

bool is_mouse_message(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

LRESULT CALLBACK taskbar_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        paint_taskbar(window);
        return 0;
    }
    if (message == WM_DISPLAYCHANGE) {
        layout_shell_windows();
        return 0;
    }
    if (is_mouse_message(message) && message != WM_MOUSEWHEEL) {
        RECT client {};
        GetClientRect(window, &client);
        POINT point { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        if (auto index = tray_icon_at(point, client.right, client.bottom))
            send_tray_mouse_message(*index, message);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The desktop's items, shown in the chosen view over the wallpaper.
const char* const desktop_items[] = { "My Computer", "My Documents", "Recycle Bin", "Internet Explorer" };
const COLORREF item_colors[] = { RGB(200, 200, 190), RGB(240, 210, 90), RGB(150, 180, 200), RGB(60, 120, 220) };

void paint_items(HDC dc, DesktopView view)
{
    int count = static_cast<int>(sizeof(desktop_items) / sizeof(desktop_items[0]));
    int top = 0;
    if (view == DesktopView::Details) {
        fill(dc, RECT { 0, 0, 400, 20 }, RGB(236, 233, 216));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        RECT name { 6, 0, 200, 20 };
        DrawTextA(dc, "Name", -1, &name, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        RECT type { 206, 0, 400, 20 };
        DrawTextA(dc, "Type", -1, &type, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        top = 22;
    }
    for (int i = 0; i < count; ++i) {
        if (view == DesktopView::Icons) {
            RECT cell { 4, 4 + i * 76, 79, 4 + (i + 1) * 76 };
            fill(dc, RECT { cell.left + 21, cell.top + 4, cell.left + 53, cell.top + 36 }, item_colors[i]);
            draw_label(dc, desktop_items[i], RECT { cell.left, cell.top + 40, cell.right, cell.bottom },
                DT_CENTER | DT_WORDBREAK);
            continue;
        }
        RECT cell {};
        if (view == DesktopView::SmallIcons)
            cell = RECT { 4 + i * 130, 4, 4 + (i + 1) * 130, 24 };
        else
            cell = RECT { 4, top + 4 + i * 20, 200, top + 4 + (i + 1) * 20 };
        fill(dc, RECT { cell.left, cell.top + 2, cell.left + 16, cell.top + 18 }, item_colors[i]);
        draw_label(dc, desktop_items[i], RECT { cell.left + 20, cell.top, cell.right, cell.bottom },
            DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

void paint_list_view(HWND window)
{
    PAINTSTRUCT paint {};
    HDC dc = BeginPaint(window, &paint);
    RECT client {};
    GetClientRect(window, &client);
    paint_desktop_background(dc, client);
    paint_items(dc, shell().view);
    EndPaint(window, &paint);
}

LRESULT CALLBACK list_view_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint_list_view(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_STYLECHANGED:
        // The list view takes its view from the new style it is told about; the window's stored
        // style is whatever it was.
        if (static_cast<int>(wParam) == GWL_STYLE && lParam) {
            auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
            shell().view = static_cast<DesktopView>(change->styleNew & 3);
            InvalidateRect(window, nullptr, TRUE);
        }
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Program Manager and its view are covered by the list view; they only need to stay quiet.
// Program Manager stays beneath every other window, also when it is shown or activated.
LRESULT CALLBACK container_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1;
    if (message == WM_WINDOWPOSCHANGING && window == shell().program_manager) {
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(position->flags & SWP_NOZORDER))
            position->hwndInsertAfter = HWND_BOTTOM;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void register_class(const char* name, WNDPROC procedure, UINT style)
{
    WNDCLASSA window_class {};
    window_class.style = style;
    window_class.lpfnWndProc = procedure;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = name;
    RegisterClassA(&window_class);
}

RECT taskbar_rect(SIZE screen, UINT edge)
{
    switch (edge) {
    case ABE_TOP:
        return { 0, 0, screen.cx, taskbar_thickness };
    case ABE_LEFT:
        return { 0, 0, side_taskbar_width, screen.cy };
    case ABE_RIGHT:
        return { screen.cx - side_taskbar_width, 0, screen.cx, screen.cy };
    default:
        return { 0, screen.cy - taskbar_thickness, screen.cx, screen.cy };
    }
}

// The taskbar, docked to its edge, above every window that is not top-most itself.
HWND create_taskbar(SIZE screen, UINT edge)
{
    RECT bar = taskbar_rect(screen, edge);
    return CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "Shell_TrayWnd", "",
        WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, bar.left, bar.top, bar.right - bar.left,
        bar.bottom - bar.top, nullptr, nullptr, nullptr, nullptr);
}

void place(HWND window, RECT rect, HWND insert_after, UINT flags)
{
    SetWindowPos(window, insert_after, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
        flags | SWP_NOACTIVATE);
}

}

HWND taskbar_window()
{
    return shell().taskbar;
}

HWND program_manager_window()
{
    return shell().program_manager;
}

HWND desktop_list_view()
{
    return shell().list_view;
}

DesktopView desktop_view()
{
    return shell().view;
}

const char* desktop_view_name(DesktopView view)
{
    switch (view) {
    case DesktopView::Icons:
        return "icons";
    case DesktopView::Details:
        return "details";
    case DesktopView::SmallIcons:
        return "small icons";
    case DesktopView::List:
        return "list";
    }
    return "icons";
}

UINT taskbar_edge()
{
    return shell().edge;
}

void set_taskbar_edge(UINT edge)
{
    shell().edge = edge <= ABE_BOTTOM ? edge : ABE_BOTTOM;
    layout_shell_windows();
}

RECT work_area()
{
    SIZE screen = screen_size();
    RECT area { 0, 0, screen.cx, screen.cy };
    RECT bar {};
    if (!GetWindowRect(shell().taskbar, &bar))
        return area;
    switch (shell().edge) {
    case ABE_TOP:
        area.top = std::clamp<LONG>(bar.bottom, 0, screen.cy);
        break;
    case ABE_LEFT:
        area.left = std::clamp<LONG>(bar.right, 0, screen.cx);
        break;
    case ABE_RIGHT:
        area.right = std::clamp<LONG>(bar.left, 0, screen.cx);
        break;
    default:
        area.bottom = std::clamp<LONG>(bar.top, 0, screen.cy);
        break;
    }
    return area;
}

void layout_shell_windows()
{
    auto& state = shell();
    SIZE screen = screen_size();
    RECT whole { 0, 0, screen.cx, screen.cy };
    if (IsWindow(state.taskbar))
        place(state.taskbar, taskbar_rect(screen, state.edge), nullptr, SWP_NOZORDER);
    if (IsWindow(state.program_manager))
        place(state.program_manager, whole, nullptr, SWP_NOZORDER);
    if (IsWindow(state.default_view))
        place(state.default_view, whole, nullptr, SWP_NOZORDER);
    if (IsWindow(state.list_view))
        place(state.list_view, whole, nullptr, SWP_NOZORDER);
}

void create_shell_windows()
{
    auto& state = shell();
    state = ShellWindows {};
    ProcessScope scope(shell_process_id());
    register_class("Shell_TrayWnd", taskbar_procedure, CS_DBLCLKS);
    register_class("Progman", container_procedure, 0);
    register_class("SHELLDLL_DefView", container_procedure, 0);
    register_class("SysListView32", list_view_procedure, CS_DBLCLKS);

    SIZE screen = screen_size();
    state.program_manager = CreateWindowExA(WS_EX_TOOLWINDOW, "Progman", "Program Manager",
        WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, screen.cx, screen.cy, nullptr, nullptr,
        nullptr, nullptr);
    state.default_view = CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
        0, 0, screen.cx, screen.cy, state.program_manager, nullptr, nullptr, nullptr);
    state.list_view = CreateWindowExA(0, "SysListView32", "FolderView", list_view_style, 0, 0, screen.cx, screen.cy,
        state.default_view, nullptr, nullptr, nullptr);
    state.taskbar = create_taskbar(screen, state.edge);
    // The desktop's icons lie beneath every other window.
    SetWindowPos(state.program_manager, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void restart_shell()
{
    auto& state = shell();
    {
        ProcessScope scope(shell_process_id());
        if (IsWindow(state.taskbar))
            DestroyWindow(state.taskbar);
        reset_notification_area();
        state.taskbar = create_taskbar(screen_size(), state.edge);
    }
    // Every top-level window hears that the taskbar is new, so that programs add their icons again.
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}

}

UINT_PTR WINAPI SHAppBarMessage(DWORD dwMessage, PAPPBARDATA pData)
{
    sim::ApiCall api_call;
    switch (dwMessage) {
    case ABM_GETTASKBARPOS: {
        HWND taskbar = sim::taskbar_window();
        if (!pData || !IsWindow(taskbar))
            return FALSE;
        pData->hWnd = taskbar;
        pData->uEdge = sim::taskbar_edge();
        GetWindowRect(taskbar, &pData->rc);
        return TRUE;
    }
    case ABM_GETSTATE:
        return ABS_ALWAYSONTOP;
    default:
        return 0;
    }
}
