// The program's idle cost: ten adopted windows and nothing happening; one iteration is one second
// of virtual time, so its time is the CPU the program (with the simulation under it) spends per
// second. The poll and the ten watchers are what runs.
#include "control/frmGethWnd.h"
#include "control/start_kelmor.h"
#include "platform/sim/driver.h"
#include "runtime/program.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

void BM_IdleSecondWithTenAdoptedWindows(benchmark::State& state)
{
    sim::driver::reset();
    auto program = std::make_unique<runtime::Program>();
    sim::driver::run_program([&] { start_kelmor(*program); });
    for (int i = 0; i < 10; ++i) {
        sim::driver::AppWindow window;
        window.title = "Document " + std::to_string(i);
        window.rect = { 40 * i, 30 * i, 40 * i + 640, 30 * i + 480 };
        sim::driver::open_app_window(sim::driver::create_process("C:\\Apps\\editor.exe"), window);
        sim::driver::run_for(100);
    }
    sim::driver::run_for(2000);

    for (auto _ : state)
        sim::driver::run_for(1000);

    state.counters["borders"] = static_cast<double>(program->forms().size());
    sim::driver::run_program([&] { program.reset(); });
}
BENCHMARK(BM_IdleSecondWithTenAdoptedWindows)->Unit(benchmark::kMillisecond);

}
