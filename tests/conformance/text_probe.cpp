// Text measurement, as far as it does not depend on the fonts a system has: how a font's height
// request maps to its metrics, and how extents and DT_CALCRECT relate to them. The raw metrics are
// printed too, for a person to compare.
#include "tests/conformance/conformance.h"

#include <string>

namespace {

void probe_font(const char* name, int height)
{
    std::string key = std::string("text.") + name;
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics {};
    print_yes_no(key + ".GetTextMetricsA", GetTextMetricsA(dc, &metrics));
    print_line(key + ".metric.tmHeight", metrics.tmHeight);
    print_line(key + ".metric.tmInternalLeading", metrics.tmInternalLeading);
    print_yes_no(key + ".height_is_ascent_plus_descent", metrics.tmHeight == metrics.tmAscent + metrics.tmDescent);
    if (height < 0)
        print_yes_no(key + ".character_height_is_requested", metrics.tmHeight - metrics.tmInternalLeading == -height);
    else
        print_yes_no(key + ".cell_height_is_requested", metrics.tmHeight == height);

    SIZE one {};
    SIZE four {};
    SIZE none {};
    GetTextExtentPoint32A(dc, "M", 1, &one);
    GetTextExtentPoint32A(dc, "MMMM", 4, &four);
    GetTextExtentPoint32A(dc, "", 0, &none);
    print_yes_no(key + ".extent_height_is_tmHeight", one.cy == metrics.tmHeight);
    print_yes_no(key + ".extent_adds_up", four.cx == 4 * one.cx);
    print_line(key + ".empty_extent",
        std::to_string(none.cx) + "x" + (none.cy == metrics.tmHeight ? std::string("tmHeight") : std::to_string(none.cy)));

    RECT single { 0, 0, 0, 0 };
    DrawTextA(dc, "Hello", -1, &single, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SIZE hello {};
    GetTextExtentPoint32A(dc, "Hello", 5, &hello);
    print_yes_no(key + ".calcrect_single_line_is_extent",
        single.right == hello.cx && single.bottom == metrics.tmHeight && single.left == 0 && single.top == 0);
    RECT lines { 0, 0, 0, 0 };
    DrawTextA(dc, "a\nb\nc", -1, &lines, DT_CALCRECT | DT_NOPREFIX);
    print_yes_no(key + ".calcrect_three_lines", lines.bottom == 3 * metrics.tmHeight);
    RECT wrapped { 0, 0, 4 * one.cx, 0 };
    DrawTextA(dc, "MM MM MM", -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    print_line(key + ".calcrect_wordbreak_lines", wrapped.bottom / (metrics.tmHeight ? metrics.tmHeight : 1));
    RECT prefixed { 0, 0, 0, 0 };
    RECT plain { 0, 0, 0, 0 };
    DrawTextA(dc, "&File", -1, &prefixed, DT_CALCRECT | DT_SINGLELINE);
    DrawTextA(dc, "File", -1, &plain, DT_CALCRECT | DT_SINGLELINE);
    print_yes_no(key + ".calcrect_prefix_takes_no_room", prefixed.right == plain.right);

    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

}

void probe_text()
{
    probe_font("character_height_13", -13);
    probe_font("cell_height_16", 16);
}
