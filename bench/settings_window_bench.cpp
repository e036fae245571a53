// The settings window's renders: the blurred-taskbar wallpaper at 1920 x 1080 with the taskbar at
// the bottom (a 30-pixel strip) and at the side (the whole picture processed), and one render of
// the menu highlight.
#include "control/start_kelmor.h"
#include "platform/sim/driver.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/shell/shell_windows.h"
#include "runtime/picture_file.h"
#include "runtime/program.h"
#include "settings/frmSettings.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

// A started program on a 1920 x 1080 screen whose wallpaper is a 640 x 480 picture, with the
// build's program folder, so that the effects library blurs the strip as in the real program.
class StartedProgram {
public:
    explicit StartedProgram(UINT taskbar_edge)
    {
        sim::driver::reset();
        sim::install_program_folder(std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin");
        sim::driver::set_screen_size(1920, 1080);
        sim::set_taskbar_edge(taskbar_edge);
        sim::driver::run_program([&] {
            std::vector<uint32_t> pixels(640 * 480);
            for (size_t i = 0; i < pixels.size(); ++i)
                pixels[i] = 0xFF000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
            std::string path = "C:\\Windows\\wall.bmp";
            runtime::SavePicture(runtime::StdPicture::from_pixels(pixels.data(), 640, 480), path);
            SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE);
            start_kelmor(*m_program);
        });
    }
    ~StartedProgram()
    {
        sim::driver::run_program([&] { m_program.reset(); });
    }

    frmSettings& settings() { return m_program->form<frmSettings>(); }

    void run(const std::function<void()>& work) { sim::driver::run_program(work); }

private:
    std::unique_ptr<runtime::Program> m_program = std::make_unique<runtime::Program>();
};

void BM_BlurredTaskbarWallpaper(benchmark::State& state)
{
    StartedProgram program(static_cast<UINT>(state.range(0)));
    frmSettings& settings = program.settings();
    for (auto _ : state)
        program.run([&] { settings.Command4_Click(); });
}
BENCHMARK(BM_BlurredTaskbarWallpaper)->Arg(ABE_BOTTOM)->Arg(ABE_LEFT)->Unit(benchmark::kMillisecond);

void BM_MenuHighlight(benchmark::State& state)
{
    StartedProgram program(ABE_BOTTOM);
    frmSettings& settings = program.settings();
    int item = 0;
    for (auto _ : state) {
        // Alternating between two items makes every move render.
        item = 1 - item;
        program.run([&] { settings.Label1_MouseMove(item, 0, 0, 1, 1); });
    }
}
BENCHMARK(BM_MenuHighlight)->Unit(benchmark::kMicrosecond);

}
