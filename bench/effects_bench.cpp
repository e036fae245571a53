// Throughput of the image effects on a taskbar-wide strip and a screen-sized bitmap, in pixels
// per second: the kernels on both paths, and the norvex.dll entry points on bitmaps of the
// simulated desktop.
#include "effects/kernels/alpha_blend.h"
#include "effects/kernels/blur.h"
#include "effects/kernels/brightness.h"
#include "effects/kernels/hsl.h"
#include "platform/sim/driver.h"
#include "platform/sim/kernel/paths.h"
#include "services/basFoxCBmp3.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <vector>

namespace {

using norvex::KernelPath;
using norvex::PixelView;

struct Picture {
    std::vector<uint32_t> pixels;
    PixelView view;

    Picture(int width, int height, unsigned seed)
        : pixels(static_cast<size_t>(width) * height)
    {
        std::mt19937 generator(seed);
        for (auto& pixel : pixels)
            pixel = generator() | 0xFF000000u;
        view = PixelView { pixels.data(), width, height, width };
    }
};

// The third argument picks the path: 0 scalar, 1 SSE2, 2 AVX2 (SSE2 where a kernel or the
// processor has no AVX2 path).
KernelPath path_of(const benchmark::State& state)
{
    const KernelPath paths[] = { KernelPath::Scalar, KernelPath::Simd, KernelPath::WideSimd };
    return paths[state.range(2)];
}

void count_pixels(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

void BM_Blur(benchmark::State& state)
{
    Picture picture(state.range(0), state.range(1), 1);
    for (auto _ : state) {
        norvex::blur_once(picture.view, path_of(state));
        benchmark::ClobberMemory();
    }
    count_pixels(state);
}

void BM_Brightness(benchmark::State& state)
{
    Picture picture(state.range(0), state.range(1), 2);
    int amount = 35;
    for (auto _ : state) {
        norvex::shift_brightness(picture.view, picture.view, amount, path_of(state));
        amount = -amount;
        benchmark::ClobberMemory();
    }
    count_pixels(state);
}

void BM_AlphaBlend(benchmark::State& state)
{
    Picture destination(state.range(0), state.range(1), 3);
    Picture source(state.range(0), state.range(1), 4);
    for (size_t i = 0; i < source.pixels.size(); i += 7)
        source.pixels[i] = 0xFFFF00FFu;
    for (auto _ : state) {
        norvex::blend_over(destination.view, source.view, 128, 0x00FF00FFu, path_of(state));
        benchmark::ClobberMemory();
    }
    count_pixels(state);
}

// The factor is the fourth argument in hundredths: 100 only turns the hue, below it the colours
// fade, above it they strengthen and the per-pixel limit that keeps the hue comes into play.
void BM_Hsl(benchmark::State& state)
{
    Picture picture(state.range(0), state.range(1), 5);
    auto change = norvex::make_hsl_change(37.5f, static_cast<float>(state.range(3)) / 100.0f);
    for (auto _ : state) {
        norvex::recolour(picture.view, picture.view, change, path_of(state));
        benchmark::ClobberMemory();
    }
    count_pixels(state);
}

void kernel_sizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({ "width", "height", "simd" });
    for (int simd : { 2, 1, 0 }) {
        benchmark->Args({ 1920, 40, simd });
        benchmark->Args({ 1280, 800, simd });
    }
}

// The entry points as the program calls them, through basFoxCBmp3 and the simulated desktop, on
// a 32-bit DIB section selected into a memory DC (the fourth argument 1) or on a device-dependent
// bitmap, which costs a copy in and out (0).
class DesktopPicture {
public:
    DesktopPicture(int width, int height, bool is_dib_section)
    {
        sim::driver::reset();
        sim::install_program_folder(std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin");
        BITMAPINFO format {};
        format.bmiHeader = { sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
        void* bits = nullptr;
        m_bitmap = is_dib_section ? CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0)
                                  : CreateBitmap(width, height, 1, 32, nullptr);
        Picture noise(width, height, 6);
        SetDIBits(nullptr, m_bitmap, 0, height, noise.pixels.data(), &format, DIB_RGB_COLORS);
        m_dc = CreateCompatibleDC(nullptr);
        SelectObject(m_dc, m_bitmap);
    }
    ~DesktopPicture()
    {
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    DesktopPicture(const DesktopPicture&) = delete;
    DesktopPicture& operator=(const DesktopPicture&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
};

void BM_FoxBlur(benchmark::State& state)
{
    DesktopPicture picture(state.range(0), state.range(1), state.range(2));
    LONG zero = 0;
    for (auto _ : state)
        FoxBlur(picture.dc(), picture.bitmap(), picture.dc(), picture.bitmap(), zero, 0, 0);
    count_pixels(state);
}

void BM_FoxBrightness(benchmark::State& state)
{
    DesktopPicture picture(state.range(0), state.range(1), state.range(2));
    for (auto _ : state)
        FoxBrightness(picture.dc(), picture.bitmap(), picture.dc(), picture.bitmap(), 35, 0, 0);
    count_pixels(state);
}

void BM_FoxAlphaBlend(benchmark::State& state)
{
    DesktopPicture destination(state.range(0), state.range(1), state.range(2));
    HDC source_dc = CreateCompatibleDC(nullptr);
    BITMAPINFO format {};
    format.bmiHeader
        = { sizeof(BITMAPINFOHEADER), int(state.range(0)), -int(state.range(1)), 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void* bits = nullptr;
    HBITMAP source = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(source_dc, source);
    for (auto _ : state)
        FoxAlphaBlend(destination.dc(), 0, 0, state.range(0), state.range(1), source_dc, 0, 0, 128, 0xFF00FF, 1);
    count_pixels(state);
    DeleteDC(source_dc);
    DeleteObject(source);
}

void BM_FoxHSL(benchmark::State& state)
{
    DesktopPicture picture(state.range(0), state.range(1), state.range(2));
    for (auto _ : state)
        FoxHSL(picture.dc(), 0, 0, state.range(0), state.range(1), picture.dc(), 0, 0, 37.5f, 1.4f, 0, 0, 0);
    count_pixels(state);
}

void entry_sizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({ "width", "height", "dib" });
    for (int is_dib_section : { 1, 0 }) {
        benchmark->Args({ 1920, 40, is_dib_section });
        benchmark->Args({ 1280, 800, is_dib_section });
    }
}

// The blur also on the narrow pictures of a border's side pieces, 4 pixels wide, and a little wider.
BENCHMARK(BM_Blur)->Apply(kernel_sizes)->Apply([](benchmark::internal::Benchmark* benchmark) {
    for (int simd : { 2, 1, 0 }) {
        for (int width : { 4, 16, 31, 40 })
            benchmark->Args({ width, 767, simd });
    }
});
BENCHMARK(BM_Brightness)->Apply(kernel_sizes);
BENCHMARK(BM_AlphaBlend)->Apply(kernel_sizes);
BENCHMARK(BM_Hsl)->Apply([](benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({ "width", "height", "simd", "factor" });
    for (int simd : { 2, 1, 0 }) {
        for (int factor : { 100, 60, 140 }) {
            benchmark->Args({ 1920, 40, simd, factor });
            benchmark->Args({ 1280, 800, simd, factor });
        }
    }
});
BENCHMARK(BM_FoxBlur)->Apply(entry_sizes)->Args({ 4, 767, 1 });
BENCHMARK(BM_FoxBrightness)->Apply(entry_sizes);
BENCHMARK(BM_FoxAlphaBlend)->Apply(entry_sizes);
BENCHMARK(BM_FoxHSL)->Apply(entry_sizes);

}
