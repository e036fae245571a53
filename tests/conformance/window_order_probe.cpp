// Stacking: where a new child and a new top-level window go among their siblings, what
// SetWindowPos and SetParent change, and which window WindowFromPoint and ChildWindowFromPoint
// find where siblings overlap.
#include "tests/conformance/conformance.h"

#include <string>
#include <vector>

namespace {

struct Named {
    HWND window;
    const char* name;
};

std::string name_among(const std::vector<Named>& names, HWND window)
{
    if (!window)
        return "none";
    for (const Named& named : names) {
        if (named.window == window)
            return named.name;
    }
    return "other";
}

// The children of `parent`, front to back.
std::string child_order(const std::vector<Named>& names, HWND parent)
{
    std::string order;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!order.empty())
            order += ' ';
        order += name_among(names, child);
    }
    return order;
}

void print_hits(const std::string& step, const std::vector<Named>& names, HWND parent)
{
    // Every child covers the client point (40, 40).
    POINT client { 40, 40 };
    POINT screen = client;
    ClientToScreen(parent, &screen);
    print_line("order." + step + ".children", child_order(names, parent));
    print_line("order." + step + ".WindowFromPoint", name_among(names, WindowFromPoint(screen)));
    print_line("order." + step + ".ChildWindowFromPoint", name_among(names, ChildWindowFromPoint(parent, client)));
}

// Whether `front` comes before `back` in the z-order of the top-level windows.
bool lies_in_front(HWND front, HWND back)
{
    for (HWND window = GetWindow(front, GW_HWNDNEXT); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == back)
            return true;
    }
    return false;
}

}

void probe_window_order()
{
    HWND parent = create_probe_window(WS_POPUP | WS_VISIBLE, 0, nullptr, { 200, 200, 400, 400 }, "parent");
    RECT overlap { 10, 10, 110, 110 };
    HWND first = create_probe_window(WS_CHILD | WS_VISIBLE, 0, parent, overlap);
    HWND second = create_probe_window(WS_CHILD | WS_VISIBLE, 0, parent, overlap);
    HWND hidden = create_probe_window(WS_CHILD, 0, parent, overlap);
    std::vector<Named> names { { parent, "parent" }, { first, "first" }, { second, "second" }, { hidden, "hidden" } };
    print_hits("created", names, parent);

    ShowWindow(hidden, SW_SHOW);
    print_hits("hidden_shown", names, parent);
    SetWindowPos(hidden, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    print_hits("HWND_TOP", names, parent);
    SetWindowPos(first, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    print_hits("HWND_BOTTOM", names, parent);
    SetWindowPos(second, first, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    print_hits("after_first", names, parent);
    BringWindowToTop(first);
    print_hits("BringWindowToTop", names, parent);

    // A window given a new parent goes in front of its new siblings.
    HWND moved = create_probe_window(WS_POPUP, 0, nullptr, { 0, 0, 100, 100 });
    names.push_back({ moved, "moved" });
    SetWindowLongA(moved, GWL_STYLE, WS_CHILD);
    SetParent(moved, parent);
    SetWindowPos(moved, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    print_hits("SetParent", names, parent);

    // A new top-level window goes in front of the others.
    HWND later = create_probe_window(WS_POPUP, 0, nullptr, { 0, 0, 10, 10 });
    print_yes_no("order.top_level.new_in_front", lies_in_front(later, parent));
    DestroyWindow(later);
    DestroyWindow(parent);
}
