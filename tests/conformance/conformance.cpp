// The probes' shared helpers and the order they run in.
#include "tests/conformance/conformance.h"

#include <cstdio>

void print_line(std::string_view key, std::string_view value)
{
    std::printf("%.*s: %.*s\n", static_cast<int>(key.size()), key.data(), static_cast<int>(value.size()), value.data());
    std::fflush(stdout);
}

void print_line(std::string_view key, long long value)
{
    print_line(key, std::to_string(value));
}

void print_yes_no(std::string_view key, bool value)
{
    print_line(key, value ? "yes" : "no");
}

void print_hex(std::string_view key, DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(value));
    print_line(key, text);
}

std::string rect_text(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + ","
        + std::to_string(rect.bottom);
}

HBITMAP create_section(int width, int height, void** bits)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

namespace {

constexpr const char* probe_class = "KelmorConformanceProbe";

void register_probe_class()
{
    WNDCLASSA window_class {};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = probe_class;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    RegisterClassA(&window_class);
}

}

HWND create_probe_window(DWORD style, DWORD ex_style, HWND parent, const RECT& rect, const char* text)
{
    return CreateWindowExA(ex_style, probe_class, text, style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

int run_conformance_probes()
{
    register_probe_class();
    probe_window_tree();
    probe_window_geometry();
    probe_window_state();
    probe_window_order();
    probe_adoption();
    probe_dib_sections();
    probe_blits();
    probe_regions();
    probe_text();
    probe_messages();
    probe_files();
    print_line("probes", "done");
    return 0;
}
