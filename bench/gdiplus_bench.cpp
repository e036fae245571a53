// GDI+ drawing in the simulation: a 64 x 64 texture with soft alpha stretched over a 1280 x 32
// caption (again at the same place, and each time at another), and a 1600 x 64 picture drawn at
// its own size into it, as the border's glass does on every pass.
#include "platform/sim/driver.h"
#include "platform/sim/gdi/png_encoder.h"
#include "platform/sim/kernel/paths.h"
#include "platform/win32.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

// A picture of every kind of pixel: opaque, fully transparent and soft alpha.
sim::Bitmap soft_picture(int width, int height)
{
    sim::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t alpha = x < width / 3 ? 255 : x < 2 * width / 3 ? (x * 7 + y * 3) & 0xFF : 0;
            picture.set_pixel(x, y, (alpha << 24) | ((x * 13) & 0xFF) << 16 | ((y * 29) & 0xFF) << 8 | 0x40);
        }
    }
    return picture;
}

class Caption {
public:
    Caption(int picture_width, int picture_height)
    {
        sim::driver::reset();
        auto path = sim::host_path("C:\\bench.png");
        auto bytes = sim::encode_png(soft_picture(picture_width, picture_height));
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
        GdipLoadImageFromFile(L"C:\\bench.png", &m_image);
        BITMAPINFO info {};
        info.bmiHeader = { sizeof(BITMAPINFOHEADER), 1280, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
        m_dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        GdipCreateFromHDC(m_dc, &m_graphics);
    }
    ~Caption()
    {
        GdipDeleteGraphics(m_graphics);
        GdipDisposeImage(m_image);
        Gdiplus::GdiplusShutdown(m_token);
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }

    void draw(float x, float y, float width, float height) { GdipDrawImageRect(m_graphics, m_image, x, y, width, height); }

private:
    ULONG_PTR m_token = 0;
    Gdiplus::GpImage* m_image = nullptr;
    Gdiplus::GpGraphics* m_graphics = nullptr;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

void BM_DrawStretched(benchmark::State& state)
{
    Caption caption(64, 64);
    for (auto _ : state)
        caption.draw(0, 0, 1280, 32);
    state.SetItemsProcessed(state.iterations() * 1280 * 32);
}
BENCHMARK(BM_DrawStretched)->Unit(benchmark::kMicrosecond);

// Each drawing at another of more placements than the picture keeps samples for: sampled anew.
void BM_DrawStretchedAnew(benchmark::State& state)
{
    Caption caption(64, 64);
    int step = 0;
    for (auto _ : state)
        caption.draw(0, 0, static_cast<float>(1280 - step++ % 8), 32);
    state.SetItemsProcessed(state.iterations() * 1280 * 32);
}
BENCHMARK(BM_DrawStretchedAnew)->Unit(benchmark::kMicrosecond);

void BM_DrawAtOwnSize(benchmark::State& state)
{
    Caption caption(1600, 64);
    for (auto _ : state)
        caption.draw(-257, 0, 1600, 64);
    state.SetItemsProcessed(state.iterations() * 1280 * 32);
}
BENCHMARK(BM_DrawAtOwnSize)->Unit(benchmark::kMicrosecond);

}
