#include "webcam/frmFlipImage.h"

#include "webcam/flip_corners.h"
#include "webcam/frmCAM.h"

frmFlipImage::frmFlipImage(runtime::Program& program)
    : Form(program, "frmFlipImage")
{
    ShowInTaskbar(false);
    ps.Visible(false);
    for (auto* box : { &ps, &pd }) {
        box->AutoRedraw(true);
        box->BorderStyle(0);
        box->BackColor(0);
        box->ScaleMode(runtime::vbPixels);
    }
    ps.Move(0, 0, 1755, 3960);
    pd.Move(0, 0, 10020, 4560);
    for (TransformAngle* angle : { &HScroll1, &HScroll2, &HScroll3, &HScroll4 })
        angle->on_change = [this] { DoRedraw(); };
}

void frmFlipImage::Form_Load()
{
    DoRedraw();
    HScroll2.Value(HScroll2.Max());
}

void frmFlipImage::HScroll2_Change()
{
    DoRedraw();
}

uint32_t* frmFlipImage::source_pixels(int width, int height, size_t& stride)
{
    // The persistent image of a picture box is a top-down 32-bit DIB section of its client size.
    ps.Move(0, 0, width * 15.0f, height * 15.0f);
    DIBSECTION section {};
    if (!GetObjectA(ps.Image().bitmap(), sizeof section, &section) || !section.dsBm.bmBits
        || section.dsBm.bmBitsPixel != 32 || section.dsBm.bmWidth != width || section.dsBm.bmHeight != height)
        return nullptr;
    GdiFlush();
    m_has_source = true;
    stride = static_cast<size_t>(section.dsBm.bmWidthBytes) / 4;
    return static_cast<uint32_t*>(section.dsBm.bmBits);
}

void frmFlipImage::DoRedraw()
{
    // The result takes the size of the webcam form's composite; the corners centre on that size.
    SIZE output { 0, 0 };
    runtime::skip_on_error([&] { output = program().form<frmCAM>().picDestination.client_pixel_size(); });
    float width = ps.ScaleWidth();
    float height = ps.ScaleHeight();
    DestPoints = flip_corners(width, height, output.cx, output.cy,
        FlipAngles { HScroll1.Value(), HScroll2.Value(), HScroll3.Value(), HScroll4.Value() });

    // Sizes are set only when they differ, so a run of frames of one size reuses the same pictures.
    pd.Move(0, 0, output.cx * 15.0f, output.cy * 15.0f);
    // Before the first frame there is nothing to copy, and the result stays empty.
    if (!m_has_source)
        return;
    // Cleared to its black back colour with the stock brush: every frame clears it, and makes no
    // brush of its own for that.
    HDC result = pd.hDC();
    RECT whole { 0, 0, output.cx, output.cy };
    FillRect(result, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    PlgBlt(result, DestPoints.data(), ps.hDC(), 0, 0, static_cast<int>(width), static_cast<int>(height), nullptr, 0, 0);
    pd.Refresh();
}
