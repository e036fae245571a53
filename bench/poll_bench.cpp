// One poll tick of the controller without a new window, on a desktop of 200 application windows.
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
    for (int i = 0; i < 200; ++i) {
        sim::driver::AppWindow window;
        window.title = "Window " + std::to_string(i);
        window.rect = { 10 + i, 10 + i, 410 + i, 310 + i };
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
BENCHMARK(BM_PollTickWithoutNewWindow)->Unit(benchmark::kMicrosecond);

}
