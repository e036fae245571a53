// Parents and owners: what GetParent, GetAncestor and GetWindow answer for top-level, owned and
// child windows, before and after SetParent moves them, and what destroying an owner takes along.
#include "tests/conformance/conformance.h"

#include <string>
#include <utility>
#include <vector>

namespace {

struct Named {
    HWND window;
    const char* name;
};

std::vector<Named> g_names;

std::string name_of(HWND window)
{
    if (!window)
        return "none";
    if (window == GetDesktopWindow())
        return "desktop";
    for (const Named& named : g_names) {
        if (named.window == window)
            return named.name;
    }
    return "other";
}

void print_relations(const Named& named)
{
    std::string key = std::string("tree.") + named.name;
    HWND window = named.window;
    print_line(key + ".GetParent", name_of(GetParent(window)));
    print_line(key + ".GA_PARENT", name_of(GetAncestor(window, GA_PARENT)));
    print_line(key + ".GA_ROOT", name_of(GetAncestor(window, GA_ROOT)));
    print_line(key + ".GA_ROOTOWNER", name_of(GetAncestor(window, GA_ROOTOWNER)));
    print_line(key + ".GW_OWNER", name_of(GetWindow(window, GW_OWNER)));
    print_yes_no(key + ".has_WS_CHILD", (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0);
}

void print_all(const char* step)
{
    print_line("tree.step", step);
    for (const Named& named : g_names)
        print_relations(named);
}

}

void probe_window_tree()
{
    HWND first = create_probe_window(WS_OVERLAPPEDWINDOW, 0, nullptr, { 100, 100, 400, 300 });
    HWND owned = create_probe_window(WS_POPUP | WS_CAPTION, 0, first, { 120, 120, 300, 200 });
    HWND child = create_probe_window(WS_CHILD | WS_VISIBLE, 0, first, { 10, 10, 60, 60 });
    HWND second = create_probe_window(WS_OVERLAPPEDWINDOW, 0, nullptr, { 500, 100, 800, 300 });
    HWND owned_by_owned = create_probe_window(WS_POPUP, 0, owned, { 130, 130, 200, 200 });
    g_names = { { first, "first" }, { owned, "owned" }, { child, "child" }, { second, "second" },
        { owned_by_owned, "owned_by_owned" } };
    print_all("created");
    print_yes_no("tree.IsChild(first,child)", IsChild(first, child));
    print_yes_no("tree.IsChild(first,owned)", IsChild(first, owned));

    // A top-level window moved into another without WS_CHILD: its parent changes, its style not.
    print_line("tree.SetParent(second,first).returns", name_of(SetParent(second, first)));
    print_all("second in first");
    print_yes_no("tree.IsChild(first,second)", IsChild(first, second));
    POINT origin { 0, 0 };
    RECT rect {};
    GetWindowRect(second, &rect);
    ClientToScreen(first, &origin);
    print_line("tree.second.rect_from_first_client",
        rect_text({ rect.left - origin.x, rect.top - origin.y, rect.right - origin.x, rect.bottom - origin.y }));

    print_line("tree.SetParent(second,null).returns", name_of(SetParent(second, nullptr)));
    print_line("tree.SetParent(child,second).returns", name_of(SetParent(child, second)));
    print_line("tree.SetParent(owned,second).returns", name_of(SetParent(owned, second)));
    print_all("moved");
    print_line("tree.SetParent(second,second).returns", name_of(SetParent(second, second)));
    print_line("tree.SetParent(second,child).returns", name_of(SetParent(second, child)));
    print_line("tree.SetParent(owned,null).returns", name_of(SetParent(owned, nullptr)));
    print_all("back on the desktop");

    // An owner takes its owned windows along when it is destroyed; a former child stays with its
    // new parent.
    HWND owned_by_second = create_probe_window(WS_POPUP, 0, second, { 0, 0, 10, 10 });
    DestroyWindow(second);
    print_yes_no("tree.destroyed_second.owned_by_second_exists", IsWindow(owned_by_second));
    print_yes_no("tree.destroyed_second.child_exists", IsWindow(child));
    print_yes_no("tree.destroyed_second.owned_exists", IsWindow(owned));
    DestroyWindow(first);
    print_yes_no("tree.destroyed_first.owned_by_owned_exists", IsWindow(owned_by_owned));
    DestroyWindow(owned);
    print_yes_no("tree.destroyed_owned.owned_by_owned_exists", IsWindow(owned_by_owned));
    if (IsWindow(owned_by_owned))
        DestroyWindow(owned_by_owned);
    g_names.clear();
}
