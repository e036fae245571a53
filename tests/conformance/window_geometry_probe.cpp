// Window and client rectangles of windows of each frame style the program meets, and how a style
// change shows in them only once SWP_FRAMECHANGED is given. The frame sizes come from the system
// metrics printed first; whether a rectangle agrees with AdjustWindowRectEx holds on any theme.
#include "tests/conformance/conformance.h"

#include <string>

namespace {

struct StyledWindow {
    const char* name;
    DWORD style;
    DWORD ex_style;
};

constexpr StyledWindow styled_windows[] = {
    { "overlapped", WS_OVERLAPPEDWINDOW, 0 },
    { "popup", WS_POPUP, 0 },
    { "popup_border", WS_POPUP | WS_BORDER, 0 },
    { "popup_caption", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0 },
    { "popup_thickframe", WS_POPUP | WS_THICKFRAME, 0 },
    { "popup_dlgframe", WS_POPUP | WS_DLGFRAME, 0 },
    { "toolwindow", WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW },
    { "clientedge", WS_POPUP, WS_EX_CLIENTEDGE },
    { "dlgmodalframe", WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME },
    { "layered_toolwindow", WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW },
};

constexpr RECT placed { 50, 60, 350, 260 };

// The client rectangle in screen coordinates, relative to the window's top-left corner.
RECT client_in_window(HWND window)
{
    RECT window_rect {};
    RECT client {};
    GetWindowRect(window, &window_rect);
    GetClientRect(window, &client);
    POINT origin { 0, 0 };
    ClientToScreen(window, &origin);
    return { origin.x - window_rect.left, origin.y - window_rect.top, origin.x - window_rect.left + client.right,
        origin.y - window_rect.top + client.bottom };
}

bool same_rect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool agrees_with_adjust(HWND window)
{
    RECT client {};
    GetClientRect(window, &client);
    RECT window_rect {};
    GetWindowRect(window, &window_rect);
    RECT adjusted = client;
    AdjustWindowRectEx(&adjusted, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
        static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    return adjusted.right - adjusted.left == window_rect.right - window_rect.left
        && adjusted.bottom - adjusted.top == window_rect.bottom - window_rect.top;
}

void print_metrics()
{
    const std::pair<const char*, int> metrics[] = { { "SM_CXSCREEN", SM_CXSCREEN }, { "SM_CYSCREEN", SM_CYSCREEN },
        { "SM_CYCAPTION", SM_CYCAPTION }, { "SM_CXBORDER", SM_CXBORDER }, { "SM_CXDLGFRAME", SM_CXDLGFRAME },
        { "SM_CXFRAME", SM_CXFRAME }, { "SM_CYSMCAPTION", SM_CYSMCAPTION } };
    for (auto [name, index] : metrics)
        print_line(std::string("metric.") + name, GetSystemMetrics(index));
    RECT work_area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work_area, 0);
    print_line("metric.work_area", rect_text(work_area));
}

void print_geometry(const std::string& key, HWND window)
{
    RECT rect {};
    GetWindowRect(window, &rect);
    RECT client {};
    GetClientRect(window, &client);
    print_line(key + ".window_rect", rect_text(rect));
    print_line(key + ".client_rect_origin", std::to_string(client.left) + "," + std::to_string(client.top));
    // The caption's height is the theme's; the frame below it is compared.
    RECT insets = client_in_window(window);
    auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    auto ex_style = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    if ((style & WS_CAPTION) == WS_CAPTION)
        insets.top -= GetSystemMetrics((ex_style & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    print_line(key + ".insets_below_caption", rect_text(insets));
    print_yes_no(key + ".agrees_with_AdjustWindowRectEx", agrees_with_adjust(window));
}

void probe_style_change()
{
    HWND window = create_probe_window(WS_OVERLAPPEDWINDOW, 0, nullptr, placed);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    RECT before {};
    GetClientRect(window, &before);
    LONG returned = SetWindowLongA(window, GWL_STYLE, style & ~(WS_CAPTION | WS_THICKFRAME));
    print_yes_no("style_change.SetWindowLongA.returns_old_style", returned == style);
    print_hex("style_change.style_after", static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)));
    RECT unchanged {};
    GetClientRect(window, &unchanged);
    print_yes_no("style_change.client_unchanged_before_FRAMECHANGED", same_rect(before, unchanged));
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    print_geometry("style_change.frameless", window);
    SetWindowLongA(window, GWL_STYLE, style);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT restored {};
    GetClientRect(window, &restored);
    print_yes_no("style_change.client_restored", same_rect(before, restored));
    // A move that gives the size the window has leaves the frame as it was.
    SetWindowLongA(window, GWL_STYLE, style & ~(WS_CAPTION | WS_THICKFRAME));
    MoveWindow(window, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, FALSE);
    RECT moved {};
    GetClientRect(window, &moved);
    print_yes_no("style_change.same_size_move_keeps_frame", moved.right != placed.right - placed.left);
    SetWindowLongA(window, GWL_STYLE, style);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE | SWP_FRAMECHANGED);
    SetWindowLongA(window, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    print_hex("style_change.exstyle_after", static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    print_geometry("style_change.toolwindow", window);
    DestroyWindow(window);
}

}

void probe_window_geometry()
{
    print_metrics();
    for (const StyledWindow& styled : styled_windows) {
        HWND window = create_probe_window(styled.style, styled.ex_style, nullptr, placed);
        std::string key = std::string("geometry.") + styled.name;
        print_hex(key + ".style", static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)));
        print_hex(key + ".exstyle", static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
        print_geometry(key, window);
        DestroyWindow(window);
    }

    // A child with a border inside a popup: its rectangles are in its parent's client coordinates.
    HWND parent = create_probe_window(WS_POPUP, 0, nullptr, placed);
    HWND child = create_probe_window(WS_CHILD | WS_BORDER, WS_EX_CLIENTEDGE, parent, { 10, 20, 110, 90 });
    print_geometry("geometry.child_border_clientedge", child);
    DestroyWindow(parent);
    probe_style_change();
}
