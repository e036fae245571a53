// The simulated screen: composing 1920 x 1080 of 20 overlapping windows, some layered and some
// shaped, and a BitBlt copy of a 1000 x 700 area from the screen's device context, as a border
// captures its glass.
#include "platform/sim/driver.h"
#include "platform/sim/user/window_surface.h"
#include "platform/win32.h"

#include <benchmark/benchmark.h>

namespace {

LRESULT CALLBACK plain_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

void build_desktop()
{
    sim::driver::reset();
    WNDCLASSA window_class {};
    window_class.lpfnWndProc = plain_procedure;
    window_class.lpszClassName = "BenchWindow";
    RegisterClassA(&window_class);
    for (int i = 0; i < 20; ++i) {
        int x = (i * 83) % 1100;
        int y = (i * 47) % 500;
        DWORD ex_style = i % 5 == 0 ? WS_EX_LAYERED : 0;
        HWND hwnd = CreateWindowExA(ex_style, "BenchWindow", "", WS_POPUP | WS_VISIBLE, x, y, 800, 560, nullptr,
            nullptr, nullptr, nullptr);
        sim::window_surface(hwnd, true).bitmap->fill(0xFF000000 | static_cast<uint32_t>(i * 0x0A0B0C));
        if (ex_style)
            SetLayeredWindowAttributes(hwnd, 0, 160, LWA_ALPHA);
        if (i % 7 == 3)
            SetWindowRgn(hwnd, CreateRoundRectRgn(0, 0, 800, 560, 40, 40), FALSE);
    }
    sim::driver::pump();
}

void BM_ComposeFullScreen(benchmark::State& state)
{
    build_desktop();
    for (auto _ : state) {
        auto screen = sim::compose_screen(RECT {0, 0, 1920, 1080}, true);
        benchmark::DoNotOptimize(screen.row(0));
    }
}
BENCHMARK(BM_ComposeFullScreen)->Unit(benchmark::kMillisecond);

void BM_ComposeWithoutLayered(benchmark::State& state)
{
    build_desktop();
    for (auto _ : state) {
        auto screen = sim::compose_screen(RECT {0, 0, 1920, 1080}, false);
        benchmark::DoNotOptimize(screen.row(0));
    }
}
BENCHMARK(BM_ComposeWithoutLayered)->Unit(benchmark::kMillisecond);


void BM_BitBltFromScreenDC(benchmark::State& state)
{
    build_desktop();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1000, 700);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (auto _ : state)
        benchmark::DoNotOptimize(BitBlt(memory, 0, 0, 1000, 700, screen, 400, 200, SRCCOPY));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}
BENCHMARK(BM_BitBltFromScreenDC)->Unit(benchmark::kMillisecond);

void BM_ComposeCopyArea(benchmark::State& state)
{
    build_desktop();
    for (auto _ : state) {
        auto area = sim::compose_screen(RECT {400, 200, 1400, 900}, false);
        benchmark::DoNotOptimize(area.row(0));
    }
}
BENCHMARK(BM_ComposeCopyArea)->Unit(benchmark::kMillisecond);

}
