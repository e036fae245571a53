// The simulated window system's own steps on a desktop of N top-level windows: a sibling step
// (GetWindow GW_HWNDNEXT), a window lookup (IsWindow) and a timer message. Each should cost the
// same whatever N is, as on Windows.
#include "platform/sim/driver.h"
#include "platform/win32.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<HWND> open_windows(int count)
{
    sim::driver::reset();
    uint32_t process = sim::driver::create_process("C:\\Apps\\many.exe");
    std::vector<HWND> windows;
    for (int i = 0; i < count; ++i) {
        sim::driver::AppWindow window;
        window.title = "Window " + std::to_string(i);
        window.rect = { i % 1000, i % 600, i % 1000 + 400, i % 600 + 300 };
        windows.push_back(sim::driver::open_app_window(process, window));
    }
    return windows;
}

void BM_SiblingStep(benchmark::State& state)
{
    open_windows(static_cast<int>(state.range(0)));
    HWND first = GetTopWindow(nullptr);
    HWND window = first;
    for (auto _ : state) {
        window = GetWindow(window, GW_HWNDNEXT);
        if (!window)
            window = first;
        benchmark::DoNotOptimize(window);
    }
}
BENCHMARK(BM_SiblingStep)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

void BM_WindowLookup(benchmark::State& state)
{
    auto windows = open_windows(static_cast<int>(state.range(0)));
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsWindow(windows[next]));
        next = (next + 1) % windows.size();
    }
}
BENCHMARK(BM_WindowLookup)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

// Every window has a timer of the shortest period; one iteration lets 10 ms pass, in which each
// fires once: the time per timer message is the iteration's time divided by N.
void BM_TimerMessages(benchmark::State& state)
{
    auto windows = open_windows(static_cast<int>(state.range(0)));
    sim::driver::run_program([&] {
        for (HWND window : windows)
            SetTimer(window, 1, 10, nullptr);
    });
    for (auto _ : state)
        sim::driver::run_for(10);
    state.counters["per_timer"] = benchmark::Counter(static_cast<double>(state.iterations() * windows.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TimerMessages)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}
