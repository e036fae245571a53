// What a border costs: N adopted windows of 640 x 480, each in its border. One iteration adopts
// them all on a fresh desktop; the counters give what the program's process then holds per border
// (GDI objects, bitmap bytes) and the peak memory of the whole run (the simulation's windows too).
#include "control/start_kelmor.h"
#include "platform/sim/driver.h"
#include "runtime/program.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>
#include <string>

namespace {

void BM_AdoptWindows(benchmark::State& state)
{
    auto count = static_cast<int>(state.range(0));
    sim::driver::ResourceUsage usage;
    for (auto _ : state) {
        sim::driver::reset();
        auto program = std::make_unique<runtime::Program>();
        sim::driver::run_program([&] { start_kelmor(*program); });
        sim::driver::run_for(30);
        uint32_t process = sim::driver::create_process("C:\\Apps\\editor.exe");
        for (int i = 0; i < count; ++i) {
            sim::driver::AppWindow window;
            window.title = "Document " + std::to_string(i);
            int x = (i * 7) % 1200;
            int y = (i * 5) % 500;
            window.rect = { x, y, x + 640, y + 480 };
            sim::driver::open_app_window(process, window);
        }
        sim::driver::run_for(1000);
        usage = sim::driver::resource_usage(sim::driver::program_process());
        sim::driver::run_program([&] { program.reset(); });
    }
    state.counters["gdi_objects"] = usage.gdi_objects;
    state.counters["bitmap_MB"] = static_cast<double>(usage.bitmap_bytes) / (1024 * 1024);
    rusage own {};
    getrusage(RUSAGE_SELF, &own);
    state.counters["peak_rss_MB"] = static_cast<double>(own.ru_maxrss) / 1024;
}
BENCHMARK(BM_AdoptWindows)->Arg(1)->Arg(10)->Arg(100)->Arg(200)->Iterations(1)->Unit(benchmark::kMillisecond);

}
