// DIB sections: what GetObject reports for top-down and bottom-up sections, and which row of the
// memory is the picture's top.
#include "tests/conformance/conformance.h"

#include <cstdint>
#include <string>

namespace {

void probe_section(const char* name, int height)
{
    std::string key = std::string("dib.") + name;
    void* bits = nullptr;
    HBITMAP bitmap = create_section(4, height, &bits);
    print_yes_no(key + ".created", bitmap && bits);
    if (!bitmap)
        return;

    DIBSECTION section {};
    print_yes_no(key + ".GetObject(DIBSECTION).returns_its_size",
        GetObjectA(bitmap, sizeof section, &section) == static_cast<int>(sizeof section));
    print_line(key + ".dsBm", std::to_string(section.dsBm.bmWidth) + "x" + std::to_string(section.dsBm.bmHeight)
            + " widthbytes=" + std::to_string(section.dsBm.bmWidthBytes) + " planes="
            + std::to_string(section.dsBm.bmPlanes) + " bpp=" + std::to_string(section.dsBm.bmBitsPixel));
    print_yes_no(key + ".dsBm.bmBits_is_bits", section.dsBm.bmBits == bits);
    print_line(key + ".dsBmih", std::to_string(section.dsBmih.biWidth) + "x" + std::to_string(section.dsBmih.biHeight)
            + " bpp=" + std::to_string(section.dsBmih.biBitCount) + " compression="
            + std::to_string(section.dsBmih.biCompression) + " sizeimage=" + std::to_string(section.dsBmih.biSizeImage));
    BITMAP plain {};
    print_yes_no(key + ".GetObject(BITMAP).returns_its_size",
        GetObjectA(bitmap, sizeof plain, &plain) == static_cast<int>(sizeof plain));
    print_line(key + ".bitmap.bmHeight", plain.bmHeight);
    // Named rather than counted: the sizes differ between a 32-bit and a 64-bit build.
    int size = GetObjectA(bitmap, 0, nullptr);
    std::string size_name = std::to_string(size);
    if (size == static_cast<int>(sizeof(BITMAP)))
        size_name = "sizeof(BITMAP)";
    else if (size == static_cast<int>(sizeof(DIBSECTION)))
        size_name = "sizeof(DIBSECTION)";
    print_line(key + ".GetObject(null).returns", size_name);

    // Memory rows red, green, blue: which one GetPixel sees at the top.
    auto* pixels = static_cast<uint32_t*>(bits);
    const uint32_t rows[] = { 0x00FF0000, 0x0000FF00, 0x000000FF };
    int row_count = height < 0 ? -height : height;
    for (int y = 0; y < row_count; ++y) {
        for (int x = 0; x < 4; ++x)
            pixels[y * 4 + x] = rows[y % 3];
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    print_hex(key + ".GetPixel(0,0)", GetPixel(dc, 0, 0));
    print_hex(key + ".GetPixel(0,bottom)", GetPixel(dc, 0, row_count - 1));
    SetPixel(dc, 1, 0, RGB(1, 2, 3));
    GdiFlush();
    int top_row = height < 0 ? 0 : row_count - 1;
    print_hex(key + ".SetPixel(1,0).in_memory", pixels[top_row * 4 + 1] & 0x00FFFFFF);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

}

void probe_dib_sections()
{
    probe_section("top_down", -3);
    probe_section("bottom_up", 3);
}
