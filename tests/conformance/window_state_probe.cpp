// Visibility, minimised and maximised states, and what GetWindowPlacement reports through a
// minimise, restore and maximise cycle. Rectangles of the maximised window are given against the
// work area, whose size depends on the taskbar.
#include "tests/conformance/conformance.h"

#include <string>

namespace {

constexpr RECT normal_rect { 100, 100, 500, 400 };

RECT work_area()
{
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

void print_state(const std::string& step, HWND window)
{
    std::string key = "state." + step;
    print_yes_no(key + ".IsWindowVisible", IsWindowVisible(window));
    print_yes_no(key + ".IsIconic", IsIconic(window));
    print_yes_no(key + ".IsZoomed", IsZoomed(window));
    RECT rect {};
    GetWindowRect(window, &rect);
    if (IsZoomed(window) && !IsIconic(window)) {
        RECT area = work_area();
        print_line(key + ".rect_beyond_work_area", rect_text({ area.left - rect.left, area.top - rect.top,
                                                          rect.right - area.right, rect.bottom - area.bottom }));
    } else if (IsIconic(window)) {
        print_line(key + ".rect_origin", std::to_string(rect.left) + "," + std::to_string(rect.top));
    } else {
        print_line(key + ".rect", rect_text(rect));
    }
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    print_yes_no(key + ".GetWindowPlacement", GetWindowPlacement(window, &placement));
    print_line(key + ".placement.showCmd", placement.showCmd);
    print_line(key + ".placement.flags", placement.flags);
    RECT area = work_area();
    RECT normal = placement.rcNormalPosition;
    // Top-level windows report their normal place in work-area coordinates.
    print_line(key + ".placement.normal_in_screen",
        rect_text({ normal.left + area.left, normal.top + area.top, normal.right + area.left, normal.bottom + area.top }));
}

}

void probe_window_state()
{
    HWND window = create_probe_window(WS_OVERLAPPEDWINDOW, 0, nullptr, normal_rect);
    print_state("created", window);
    print_yes_no("state.ShowWindow(SW_SHOWNORMAL).was_visible", ShowWindow(window, SW_SHOWNORMAL));
    print_yes_no("state.ShowWindow(SW_SHOWNORMAL).again.was_visible", ShowWindow(window, SW_SHOWNORMAL));
    print_state("shown", window);
    ShowWindow(window, SW_MINIMIZE);
    print_state("minimised", window);
    ShowWindow(window, SW_RESTORE);
    print_state("restored", window);
    ShowWindow(window, SW_MAXIMIZE);
    print_state("maximised", window);
    ShowWindow(window, SW_MINIMIZE);
    print_state("maximised_then_minimised", window);
    ShowWindow(window, SW_RESTORE);
    print_state("restored_to_maximised", window);
    ShowWindow(window, SW_RESTORE);
    print_state("restored_to_normal", window);
    ShowWindow(window, SW_HIDE);
    print_state("hidden", window);

    // A visible child of a hidden window is not visible; its style still says WS_VISIBLE.
    HWND parent = create_probe_window(WS_POPUP, 0, nullptr, normal_rect);
    HWND child = create_probe_window(WS_CHILD | WS_VISIBLE, 0, parent, { 0, 0, 20, 20 });
    print_yes_no("state.child_of_hidden.IsWindowVisible", IsWindowVisible(child));
    print_yes_no("state.child_of_hidden.has_WS_VISIBLE", (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0);
    ShowWindow(parent, SW_SHOWNA);
    print_yes_no("state.child_of_shown.IsWindowVisible", IsWindowVisible(child));
    // A minimised parent leaves its children visible, as IsWindowVisible counts it.
    ShowWindow(parent, SW_MINIMIZE);
    print_yes_no("state.child_of_minimised.IsWindowVisible", IsWindowVisible(child));
    print_yes_no("state.child_of_minimised.IsIconic", IsIconic(child));
    DestroyWindow(parent);
    DestroyWindow(window);
}
