// The program's idle cost: N adopted windows and nothing happening; one iteration is one second
// of virtual time, so its time is the CPU the program (with the simulation under it) spends per
// second. The poll and the N watchers are what runs: the cost should grow with N, not faster.
#include "control/frmGethWnd.h"
#include "control/start_kelmor.h"
#include "platform/sim/driver.h"
#include "runtime/program.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

void BM_IdleSecondWithAdoptedWindows(benchmark::State& state)
{
    sim::driver::reset();
    auto program = std::make_unique<runtime::Program>();
    sim::driver::run_program([&] { start_kelmor(*program); });
    for (int i = 0; i < state.range(0); ++i) {
        sim::driver::AppWindow window;
        window.title = "Document " + std::to_string(i);
        window.rect = { 40 * (i % 30), 30 * (i % 20), 40 * (i % 30) + 640, 30 * (i % 20) + 480 };
        sim::driver::open_app_window(sim::driver::create_process("C:\\Apps\\editor.exe"), window);
        sim::driver::run_for(100);
    }
    sim::driver::run_for(2000);

    for (auto _ : state)
        sim::driver::run_for(1000);

    state.counters["borders"] = static_cast<double>(program->forms().size());
    sim::driver::run_program([&] { program.reset(); });
}
BENCHMARK(BM_IdleSecondWithAdoptedWindows)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

}
