// The taskbar skin's cost: one keep-on-top tick that changes nothing, and the idle program with
// the skin shown, where one iteration is one second of virtual time, so its time is the CPU the
// program (with the simulation under it) spends per second.
#include "control/start_kelmor.h"
#include "platform/sim/driver.h"
#include "runtime/program.h"
#include "settings/frmSettings.h"
#include "shellskin/frmTaskbar.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A program started on a fresh desktop with the skin shown in place of the system taskbar.
std::unique_ptr<runtime::Program> start_with_skin_shown()
{
    sim::driver::reset();
    auto program = std::make_unique<runtime::Program>();
    sim::driver::run_program([&] {
        start_kelmor(*program);
        program->dispatch([&] { program->form<frmSettings>().Check9.Value(1); });
    });
    sim::driver::run_for(2000);
    return program;
}

void BM_KeepOnTopTickThatChangesNothing(benchmark::State& state)
{
    auto program = start_with_skin_shown();
    frmTaskbar* skin = nullptr;
    sim::driver::run_program([&] { skin = &program->form<frmTaskbar>(); });
    sim::driver::run_program([&] {
        for (auto _ : state)
            skin->Timer2_Timer();
    });
    sim::driver::run_program([&] { program.reset(); });
}
BENCHMARK(BM_KeepOnTopTickThatChangesNothing)->Unit(benchmark::kMicrosecond);

void BM_IdleSecondWithTheSkinShown(benchmark::State& state)
{
    auto program = start_with_skin_shown();
    for (auto _ : state)
        sim::driver::run_for(1000);
    sim::driver::run_program([&] { program.reset(); });
}
BENCHMARK(BM_IdleSecondWithTheSkinShown)->Unit(benchmark::kMillisecond);

}
