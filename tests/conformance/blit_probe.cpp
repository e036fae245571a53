// BitBlt and StretchBlt pixels between 32-bit DIB sections: sub-rectangles, the raster operations
// in use, a source running off its bitmap, and stretching up, down and mirrored.
#include "tests/conformance/conformance.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr int side = 8;
constexpr uint32_t background = 0x00404040;

struct Surface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* pixels = nullptr;
    bool is_bottom_up = false;

    uint32_t& at(int x, int y) const { return pixels[(is_bottom_up ? side - 1 - y : y) * side + x]; }
};

Surface make_surface(bool is_bottom_up = false)
{
    Surface surface;
    void* bits = nullptr;
    surface.bitmap = create_section(side, is_bottom_up ? side : -side, &bits);
    surface.is_bottom_up = is_bottom_up;
    surface.pixels = static_cast<uint32_t*>(bits);
    surface.dc = CreateCompatibleDC(nullptr);
    surface.old = SelectObject(surface.dc, surface.bitmap);
    return surface;
}

void free_surface(Surface& surface)
{
    SelectObject(surface.dc, surface.old);
    DeleteDC(surface.dc);
    DeleteObject(surface.bitmap);
}

void fill_pattern(Surface& surface)
{
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x)
            surface.at(x, y) = static_cast<uint32_t>((x * 30) << 16 | (y * 30) << 8 | (x + y) * 10);
    }
}

void fill_background(Surface& surface)
{
    for (int i = 0; i < side * side; ++i)
        surface.pixels[i] = background;
}

// One line per row, colours as 0xRRGGBB; the alpha byte is left out.
void print_pixels(const std::string& key, const Surface& surface)
{
    GdiFlush();
    for (int y = 0; y < side; ++y) {
        std::string row;
        for (int x = 0; x < side; ++x) {
            char text[8];
            std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(surface.at(x, y) & 0x00FFFFFF));
            if (x)
                row += ' ';
            row += text;
        }
        print_line(key + ".row" + std::to_string(y), row);
    }
}

}

void probe_blits()
{
    Surface source = make_surface();
    Surface target = make_surface();
    fill_pattern(source);
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    HGDIOBJ old_brush = SelectObject(target.dc, brush);

    const std::pair<const char*, DWORD> operations[] = { { "SRCCOPY", SRCCOPY }, { "SRCINVERT", SRCINVERT },
        { "SRCAND", SRCAND }, { "SRCPAINT", SRCPAINT }, { "NOTSRCCOPY", NOTSRCCOPY }, { "DSTINVERT", DSTINVERT },
        { "PATCOPY", PATCOPY }, { "PATINVERT", PATINVERT } };
    for (auto [name, operation] : operations) {
        fill_background(target);
        print_yes_no(std::string("blit.") + name + ".returns", BitBlt(target.dc, 2, 1, 3, 4, source.dc, 3, 2, operation));
        print_pixels(std::string("blit.") + name, target);
    }

    // A source rectangle that runs past the source bitmap's right and bottom edges.
    fill_background(target);
    print_yes_no("blit.source_off_edge.returns", BitBlt(target.dc, 0, 0, 5, 5, source.dc, 5, 6, SRCCOPY));
    print_pixels("blit.source_off_edge", target);

    print_line("stretch.default_mode", GetStretchBltMode(target.dc));
    // A bottom-up source and a bottom-up target show whether the rows are stepped in memory order.
    Surface bottom_up_source = make_surface(true);
    Surface bottom_up_target = make_surface(true);
    fill_pattern(bottom_up_source);
    struct Stretch {
        const char* name;
        int mode;
        RECT to;
        RECT from;
        Surface* onto = nullptr;
        Surface* out_of = nullptr;
    };
    // Shrinking and stretching by several factors, mirrored, and in the two modes that combine the
    // pixels a shrink drops, pin which source rows and columns each destination pixel takes.
    const Stretch stretches[] = {
        { "up_coloroncolor", COLORONCOLOR, { 0, 0, 8, 8 }, { 2, 2, 6, 6 } },
        { "down_coloroncolor", COLORONCOLOR, { 1, 1, 4, 4 }, { 0, 0, 8, 8 } },
        { "down_blackonwhite", BLACKONWHITE, { 0, 0, 4, 4 }, { 0, 0, 8, 8 } },
        { "uneven_coloroncolor", COLORONCOLOR, { 0, 0, 7, 5 }, { 1, 0, 6, 8 } },
        // Negative widths and heights mirror.
        { "mirrored_x", COLORONCOLOR, { 7, 0, -6, 6 }, { 0, 0, 6, 6 } },
        { "mirrored_y", COLORONCOLOR, { 0, 7, 6, -6 }, { 0, 0, 6, 6 } },
        { "down_third", COLORONCOLOR, { 0, 0, 3, 3 }, { 0, 0, 8, 8 } },
        { "down_slight", COLORONCOLOR, { 0, 0, 5, 6 }, { 0, 1, 7, 7 } },
        { "down_steep", COLORONCOLOR, { 0, 0, 2, 3 }, { 1, 0, 7, 8 } },
        { "up_steep", COLORONCOLOR, { 0, 0, 8, 8 }, { 3, 3, 2, 3 } },
        { "up_uneven", COLORONCOLOR, { 0, 0, 7, 8 }, { 0, 2, 3, 5 } },
        { "mirrored_down_x", COLORONCOLOR, { 7, 0, -3, 5 }, { 0, 0, 8, 8 } },
        { "mirrored_down_y", COLORONCOLOR, { 0, 7, 3, -5 }, { 0, 0, 8, 8 } },
        { "mirrored_source_down", COLORONCOLOR, { 0, 0, 3, 5 }, { 7, 7, -8, -8 } },
        { "down_blackonwhite_uneven", BLACKONWHITE, { 0, 0, 3, 5 }, { 0, 0, 8, 8 } },
        { "down_whiteonblack", WHITEONBLACK, { 0, 0, 3, 5 }, { 0, 0, 8, 8 } },
        { "bottom_up_source", COLORONCOLOR, { 0, 0, 3, 5 }, { 0, 0, 8, 8 }, nullptr, &bottom_up_source },
        { "bottom_up_target", COLORONCOLOR, { 0, 0, 3, 5 }, { 0, 0, 8, 8 }, &bottom_up_target, nullptr },
    };
    for (const Stretch& stretch : stretches) {
        Surface& onto = stretch.onto ? *stretch.onto : target;
        Surface& out_of = stretch.out_of ? *stretch.out_of : source;
        fill_background(onto);
        SetStretchBltMode(onto.dc, stretch.mode);
        std::string key = std::string("stretch.") + stretch.name;
        // "to" and "from" hold x, y, width, height.
        print_yes_no(key + ".returns",
            StretchBlt(onto.dc, stretch.to.left, stretch.to.top, stretch.to.right, stretch.to.bottom, out_of.dc,
                stretch.from.left, stretch.from.top, stretch.from.right, stretch.from.bottom, SRCCOPY));
        print_pixels(key, onto);
    }
    free_surface(bottom_up_target);
    free_surface(bottom_up_source);

    SelectObject(target.dc, old_brush);
    DeleteObject(brush);
    free_surface(target);
    free_surface(source);
}
