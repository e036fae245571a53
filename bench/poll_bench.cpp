// One poll tick of the controller without a new window, on a desktop of N application windows:
// the tick should grow with N, not with N squared.
#include "control/frmGethWnd.h"
#include "control/start_kelmor.h"
#include "platform/sim/driver.h"
#include "runtime/program.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

void BM_PollTickWithoutNewWindow(benchmark::State& state)
{
    sim::driver::reset();
    uint32_t process = sim::driver::create_process("C:\\Apps\\many.exe");
    for (int i = 0; i < state.range(0); ++i) {
        sim::driver::AppWindow window;
        window.title = "Window " + std::to_string(i);
        window.rect = { 10 + i % 1000, 10 + i % 600, 410 + i % 1000, 310 + i % 600 };
        sim::driver::open_app_window(process, window);
    }
    auto program = std::make_unique<runtime::Program>();
    frmGethWnd* controller = nullptr;
    sim::driver::run_program([&] { controller = &start_kelmor(*program); });
    // The benchmark drives the ticks itself.
    sim::driver::run_program([&] { controller->Timer4.Enabled(false); });
    sim::driver::run_program([&] { program->dispatch([&] { controller->Timer4_Timer(); }); });

    for (auto _ : state)
        sim::driver::run_program([&] { program->dispatch([&] { controller->Timer4_Timer(); }); });

    state.counters["listed"] = controller->List1[0].ListCount();
    sim::driver::run_program([&] { program.reset(); });
}
BENCHMARK(BM_PollTickWithoutNewWindow)->Arg(10)->Arg(100)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

}
