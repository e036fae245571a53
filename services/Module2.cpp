#include "services/Module2.h"

#include "runtime/numeric.h"
#include "services/region_handover.h"

namespace {

// The two low bits of a list view's style select its view.
constexpr LONG view_bits = 3;

void show_desktop_icons(int command)
{
    HWND program_manager = FindWindowA(nullptr, "Program Manager");
    if (!program_manager)
        return;
    ShowWindow(program_manager, command);
}

HWND desktop_list_view()
{
    HWND program_manager = FindWindowA("Progman", "Program Manager");
    if (!program_manager)
        return nullptr;
    HWND view = GetWindow(program_manager, GW_CHILD);
    if (!view)
        return nullptr;
    return GetWindow(view, GW_CHILD);
}

void subtract_run(HRGN region, int left, int right, int y)
{
    HRGN run = CreateRectRgn(left, y, right, y + 1);
    CombineRgn(region, region, run, RGN_DIFF);
    DeleteObject(run);
}

}

void PrepareFormForRegion(runtime::Form& form)
{
    form.let_by_name("AutoRedraw", runtime::Variant(true));
    form.let_by_name("ScaleMode", runtime::Variant(static_cast<int>(runtime::vbPixels)));
}

void FreeRegion(HRGN hRgn)
{
    DeleteObject(hRgn);
}

void ShapeFormByColor(runtime::Form& form, long TransColor)
{
    if (!form.hWnd())
        runtime::raise(runtime::ErrObjectVariableNotSet, "Object variable or With block variable not set");
    // Whatever the form's scale, the shape covers its client area in pixels.
    int width = static_cast<int>(runtime::round_half_even(form.to_pixels(form.ScaleWidth())));
    int height = static_cast<int>(runtime::round_half_even(form.to_pixels(form.ScaleHeight())));
    HRGN region = CreateRectRgn(0, 0, width, height);
    HDC surface = form.hDC();
    COLORREF key = static_cast<COLORREF>(TransColor);
    // The key pixels leave in horizontal runs: one region operation per run, not per pixel.
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            while (x < width && GetPixel(surface, x, y) != key)
                ++x;
            int run_start = x;
            while (x < width && GetPixel(surface, x, y) == key)
                ++x;
            if (x > run_start)
                subtract_run(region, run_start, x, y);
        }
    }
    give_region_to_window(form.hWnd(), region);
}

void HideDesktopIcons()
{
    show_desktop_icons(SW_HIDE);
}

void ShowDesktopIcons()
{
    show_desktop_icons(SW_SHOW);
}

void SetDesktopViewStyle(long Style)
{
    if (Style < 0 || Style > view_bits)
        return;
    HWND list_view = desktop_list_view();
    if (!list_view)
        return;
    LONG old_style = GetWindowLongA(list_view, GWL_STYLE);
    STYLESTRUCT change {};
    change.styleOld = static_cast<DWORD>(old_style);
    change.styleNew = static_cast<DWORD>((old_style & ~view_bits) | Style);
    // The list view belongs to the shell: a shell that does not answer must not stop the program.
    constexpr UINT answer_limit_ms = 1000;
    SendMessageTimeoutA(list_view, WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE), reinterpret_cast<LPARAM>(&change),
        SMTO_BLOCK | SMTO_ABORTIFHUNG, answer_limit_ms, nullptr);
}
