#include "services/MOT.h"

#include "services/region_handover.h"

namespace {

constexpr COLORREF cut_out_colour = RGB(255, 0, 0);

void add_run(HRGN region, int left, int right, int y)
{
    HRGN run = CreateRectRgn(left, y, right, y + 1);
    CombineRgn(region, region, run, RGN_OR);
    DeleteObject(run);
}

// A box whose window was made with a sunken edge keeps it when BorderStyle changes later; the
// edge goes here, so that the region, which counts from the window's corner, meets the picture.
void remove_client_edge(HWND window)
{
    LONG ex_style = GetWindowLongA(window, GWL_EXSTYLE);
    if (!(ex_style & WS_EX_CLIENTEDGE))
        return;
    SetWindowLongA(window, GWL_EXSTYLE, ex_style & ~WS_EX_CLIENTEDGE);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}

HRGN RegionFromPicture(runtime::PictureBox& pic)
{
    if (!pic.hWnd())
        runtime::raise(runtime::ErrObjectVariableNotSet, "Object variable or With block variable not set");
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    HDC surface = pic.hDC();
    int width = pic.Picture().width_pixels();
    int height = pic.Picture().height_pixels();
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            while (x < width && GetPixel(surface, x, y) == cut_out_colour)
                ++x;
            int run_start = x;
            while (x < width && GetPixel(surface, x, y) != cut_out_colour)
                ++x;
            if (x > run_start)
                add_run(region, run_start, x, y);
        }
    }
    return region;
}

void ShapePictureBox(runtime::PictureBox& pic)
{
    if (!pic.hWnd())
        runtime::raise(runtime::ErrObjectVariableNotSet, "Object variable or With block variable not set");
    pic.BorderStyle(0);
    remove_client_edge(pic.hWnd());
    pic.AutoRedraw(true);
    pic.AutoSize(true);
    give_region_to_window(pic.hWnd(), RegionFromPicture(pic));
}
