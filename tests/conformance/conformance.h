// The conformance probes: small checks written once against platform/win32.h and built both for
// Windows (run under Wine) and for the simulated desktop. Each prints "key: value" lines; the two
// outputs are compared line by line by scripts/wine-conformance.sh.
#pragma once

#include "platform/win32.h"

#include <string>
#include <string_view>

void print_line(std::string_view key, std::string_view value);
void print_line(std::string_view key, long long value);
void print_yes_no(std::string_view key, bool value);
void print_hex(std::string_view key, DWORD value);
std::string rect_text(const RECT& rect);

// A 32-bit DIB section of the size given (a negative height makes it top-down) and its pixels.
HBITMAP create_section(int width, int height, void** bits);

// A window of the probes' own class, which leaves every message to DefWindowProcA.
HWND create_probe_window(DWORD style, DWORD ex_style, HWND parent, const RECT& rect, const char* text = "probe");

// A window of another thread or process that answers no message; made by each build's main.
HWND make_hung_window();
// A visible overlapped window, "Foreign", of another thread or process that answers its messages.
HWND make_foreign_window();

void probe_window_tree();
void probe_window_geometry();
void probe_window_state();
void probe_window_order();
void probe_adoption();
void probe_dib_sections();
void probe_blits();
void probe_regions();
void probe_text();
void probe_messages();
void probe_files();

int run_conformance_probes();
