// Regions: CombineRgn's answers and results, GetRgnBox, the shapes of rounded and elliptic
// regions row by row, and a window's region through SetWindowRgn and GetWindowRgn.
#include "tests/conformance/conformance.h"

#include <string>

namespace {

std::string region_type(int type)
{
    switch (type) {
    case NULLREGION:
        return "NULLREGION";
    case SIMPLEREGION:
        return "SIMPLEREGION";
    case COMPLEXREGION:
        return "COMPLEXREGION";
    case ERROR:
        return "ERROR";
    default:
        return std::to_string(type);
    }
}

void print_box(const std::string& key, HRGN region)
{
    RECT box {};
    int type = GetRgnBox(region, &box);
    print_line(key + ".GetRgnBox", region_type(type) + " " + rect_text(box));
}

// The region's points inside the rectangle, one line per row: '#' inside, '.' outside.
void print_shape(const std::string& key, HRGN region, int width, int height)
{
    for (int y = -1; y <= height; ++y) {
        std::string row;
        for (int x = -1; x <= width; ++x)
            row += PtInRegion(region, x, y) ? '#' : '.';
        print_line(key + ".row" + std::to_string(y), row);
    }
}

void probe_combinations()
{
    HRGN left = CreateRectRgn(0, 0, 10, 10);
    HRGN right = CreateRectRgn(5, 5, 15, 15);
    HRGN far_away = CreateRectRgn(20, 20, 30, 30);
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    const std::pair<const char*, int> modes[] = { { "RGN_AND", RGN_AND }, { "RGN_OR", RGN_OR }, { "RGN_XOR", RGN_XOR },
        { "RGN_DIFF", RGN_DIFF }, { "RGN_COPY", RGN_COPY } };
    for (auto [name, mode] : modes) {
        std::string key = std::string("region.") + name;
        print_line(key + ".returns", region_type(CombineRgn(result, left, right, mode)));
        print_box(key, result);
        print_line(key + ".points",
            std::to_string(PtInRegion(result, 2, 2)) + std::to_string(PtInRegion(result, 7, 7))
                + std::to_string(PtInRegion(result, 12, 12)) + std::to_string(PtInRegion(result, 10, 10))
                + std::to_string(PtInRegion(result, 9, 9)));
    }
    print_line("region.disjoint_AND.returns", region_type(CombineRgn(result, left, far_away, RGN_AND)));
    print_box("region.disjoint_AND", result);
    print_line("region.self_DIFF.returns", region_type(CombineRgn(result, left, left, RGN_DIFF)));
    HRGN inner = CreateRectRgn(2, 2, 4, 4);
    print_line("region.contained_OR.returns", region_type(CombineRgn(result, left, inner, RGN_OR)));
    DeleteObject(inner);
    // The result may be one of the sources.
    print_line("region.into_source.returns", region_type(CombineRgn(left, left, right, RGN_OR)));
    print_box("region.into_source", left);
    print_line("region.OffsetRgn.returns", region_type(OffsetRgn(left, -5, 3)));
    print_box("region.OffsetRgn", left);
    HRGN same = CreateRectRgn(0, 0, 10, 10);
    HRGN also_same = CreateRectRgn(0, 0, 10, 10);
    print_yes_no("region.EqualRgn.same", EqualRgn(same, also_same));
    print_yes_no("region.EqualRgn.different", EqualRgn(same, right));
    for (HRGN region : { left, right, far_away, result, same, also_same })
        DeleteObject(region);

    HRGN empty = CreateRectRgn(5, 5, 5, 10);
    print_box("region.empty_rect", empty);
    HRGN reversed = CreateRectRgn(10, 10, 0, 0);
    print_box("region.reversed_rect", reversed);
    DeleteObject(empty);
    DeleteObject(reversed);
}

void probe_shapes()
{
    HRGN rounded = CreateRoundRectRgn(0, 0, 16, 12, 7, 7);
    print_box("region.round_rect", rounded);
    print_shape("region.round_rect", rounded, 16, 12);
    DeleteObject(rounded);
    HRGN ellipse = CreateEllipticRgn(0, 0, 14, 9);
    print_box("region.ellipse", ellipse);
    print_shape("region.ellipse", ellipse, 14, 9);
    DeleteObject(ellipse);
}

void probe_window_region()
{
    HWND window = create_probe_window(WS_POPUP | WS_CAPTION, 0, nullptr, { 100, 100, 300, 200 });
    HRGN query = CreateRectRgn(0, 0, 0, 0);
    print_line("window_region.none.GetWindowRgn", region_type(GetWindowRgn(window, query)));
    print_yes_no("window_region.SetWindowRgn.returns", SetWindowRgn(window, CreateRectRgn(5, 5, 50, 40), FALSE) != 0);
    print_line("window_region.rect.GetWindowRgn", region_type(GetWindowRgn(window, query)));
    print_box("window_region.rect", query);
    HRGN shaped = CreateRoundRectRgn(0, 0, 201, 101, 9, 9);
    SetWindowRgn(window, shaped, FALSE);
    print_line("window_region.round.GetWindowRgn", region_type(GetWindowRgn(window, query)));
    print_box("window_region.round", query);
    // The window owns the region it was given and deletes it when it is replaced.
    SetWindowRgn(window, nullptr, FALSE);
    RECT box {};
    print_yes_no("window_region.replaced_region_deleted", GetRgnBox(shaped, &box) == ERROR);
    print_line("window_region.removed.GetWindowRgn", region_type(GetWindowRgn(window, query)));
    DeleteObject(query);
    DestroyWindow(window);
}

}

void probe_regions()
{
    probe_combinations();
    probe_shapes();
    probe_window_region();
}
