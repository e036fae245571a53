// The border's glass: one caption-drag render pass with the whole composition (reflections on with
// "cd.rcol") of a 1280 x 800 border at blur strength 9 and 31 over a desktop with 20 windows behind
// it, and one full layout of that border.
#include "border/frmTrans.h"
#include "control/frmGethWnd.h"
#include "control/start_kelmor.h"
#include "platform/sim/driver.h"
#include "platform/sim/kernel/paths.h"
#include "services/modGlobal.h"
#include "services/modLoadPicBox.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

class GlassBench {
public:
    explicit GlassBench(int blur_amount = 8)
    {
        sim::driver::reset();
        // The effects library and the skin images, from the build's program folder.
        sim::install_program_folder(std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin");
        uint32_t process = sim::driver::create_process("C:\\Apps\\behind.exe");
        for (int i = 0; i < 20; ++i) {
            sim::driver::AppWindow window;
            window.title = "Behind " + std::to_string(i);
            window.rect = { 20 + 40 * i, 10 + 25 * i, 820 + 40 * i, 610 + 25 * i };
            sim::driver::open_app_window(process, window);
        }
        sim::driver::run_program([&] { start_kelmor(*m_program); });
        sim::driver::AppWindow target;
        target.title = "Target";
        target.rect = { 300, 100, 1500, 850 };
        m_target = sim::driver::open_app_window(sim::driver::create_process("C:\\Apps\\target.exe"), target);
        sim::driver::run_for(200);
        run([&] {
            Globals& g = globals(*m_program);
            g.BlurAmount = blur_amount;
            g.ReflectionsOn = true;
            g.ColorSchemeFile = "cd.rcol";
            for (runtime::Form* form : m_program->forms()) {
                if (auto* border = dynamic_cast<frmTrans*>(form))
                    m_border = border;
            }
            m_border->Move(300 * 15, 100 * 15, 1280 * 15, 800 * 15);
        });
    }
    ~GlassBench()
    {
        sim::driver::run_program([&] { m_program.reset(); });
    }

    template<typename Code>
    void run(Code&& code)
    {
        sim::driver::run_program([&] { m_program->dispatch(code); });
    }

    frmTrans& border() { return *m_border; }

private:
    std::unique_ptr<runtime::Program> m_program = std::make_unique<runtime::Program>();
    frmTrans* m_border = nullptr;
    HWND m_target = nullptr;
};

// The argument is the blur strength: blur passes per piece.
void BM_DragPass(benchmark::State& state)
{
    GlassBench bench(static_cast<int>(state.range(0)) - 1);
    frmTrans& border = bench.border();
    bench.run([&] { border.Picture1_MouseDown(runtime::vbLeftButton, 0, 6000, 150); });
    // Back and forth by 2 pixels, so that every pass scrolls and fetches a strip on both axes.
    int step = 0;
    for (auto _ : state) {
        float offset = (step++ % 2 == 0) ? 30.0f : -30.0f;
        bench.run([&] { border.Picture1_MouseMove(runtime::vbLeftButton, 0, 6000 + offset, 150 + offset); });
    }
    state.counters["border_px"] = static_cast<double>(border.Width() / 15 * border.Height() / 15);
}
BENCHMARK(BM_DragPass)->Arg(9)->Arg(31)->Unit(benchmark::kMillisecond);

// A repaint pass (a setting changed): the same pass without the scroll, the strips and the move.
void BM_RepaintPass(benchmark::State& state)
{
    GlassBench bench;
    frmTrans& border = bench.border();
    for (auto _ : state)
        bench.run([&] { border.RefreshMe(); });
}
BENCHMARK(BM_RepaintPass)->Unit(benchmark::kMillisecond);

// One drawing of an unchanged caption-sized image (the reflection, 1600 x 64) into the caption.
void BM_DrawCaptionImage(benchmark::State& state)
{
    GlassBench bench;
    frmTrans& border = bench.border();
    std::string error;
    for (auto _ : state)
        bench.run([&] { LoadPictureGDIPlus("C:\\Program Files\\Kelmor\\reflections2.refl", border.Picture1, -257, 0, true, error); });
    state.counters["drawn"] = error.empty() ? 1 : 0;
}
BENCHMARK(BM_DrawCaptionImage)->Unit(benchmark::kMicrosecond);

void BM_Layout(benchmark::State& state)
{
    GlassBench bench;
    frmTrans& border = bench.border();
    for (auto _ : state)
        bench.run([&] { border.Form_Resize(); });
}
BENCHMARK(BM_Layout)->Unit(benchmark::kMillisecond);

// A caption-button hover, glow included: the minimise and close buttons in turn, so that every
// hover shows a new glow and releases the one before.
void BM_ButtonHover(benchmark::State& state)
{
    GlassBench bench;
    sim::install_program_folder(std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin");
    frmTrans& border = bench.border();
    int step = 0;
    for (auto _ : state) {
        int index = (step++ % 2 == 0) ? 0 : 2;
        bench.run([&] { border.Picture11_MouseMove(index, 0, 0, 1, 1); });
    }
}
BENCHMARK(BM_ButtonHover)->Unit(benchmark::kMicrosecond);

// A pointer-leave tick with the pointer still inside the border.
void BM_PointerLeaveTick(benchmark::State& state)
{
    GlassBench bench;
    frmTrans& border = bench.border();
    sim::driver::mouse_move(900, 500);
    for (auto _ : state)
        bench.run([&] { border.Timer6_Timer(); });
}
BENCHMARK(BM_PointerLeaveTick)->Unit(benchmark::kMicrosecond);

// A grip move of the 1280 x 800 border: its size, region and outline.
void BM_GripMove(benchmark::State& state)
{
    GlassBench bench;
    frmTrans& border = bench.border();
    bench.run([&] {
        border.Picture6_MouseDown(runtime::vbLeftButton, 0, 1, 1);
        border.IsSizing = true;
    });
    int step = 0;
    for (auto _ : state) {
        sim::driver::mouse_move((step++ % 2 == 0) ? 1570 : 1590, 500);
        bench.run([&] { border.DoResize(); });
    }
}
BENCHMARK(BM_GripMove)->Unit(benchmark::kMicrosecond);

}
