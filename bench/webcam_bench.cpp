// The webcam reflection: one frame tick of the loop (grab through the frame callback, mirror and
// zoom, blend with the caption image) at 320 x 240 and 640 x 480 with the synthetic camera, of RGB
// and of YUY2 frames, and one tick of a border's live caption copy.
#include "border/frmTrans.h"
#include "control/start_kelmor.h"
#include "platform/sim/driver.h"
#include "platform/sim/shell/capture.h"
#include "settings/frmSettings.h"
#include "webcam/frmCAM.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class WebcamBench {
public:
    WebcamBench(int width, int height, bool is_yuy2_only = false)
    {
        sim::driver::reset();
        sim::set_camera_frame_size(width, height);
        if (is_yuy2_only)
            sim::set_camera_format(16, 0x32595559, true);
        sim::driver::run_program([&] { start_kelmor(*m_program); });
        sim::driver::AppWindow target;
        target.title = "Target";
        m_target = sim::driver::open_app_window(sim::driver::create_process("C:\\Apps\\target.exe"), target);
        sim::driver::run_for(200);
        run([&] {
            m_program->form<frmSettings>().Check15.Value(runtime::vbChecked);
            // The loop is driven by the benchmark, not by the clock.
            m_program->form<frmCAM>().tmrMain.Enabled(false);
            for (runtime::Form* form : m_program->forms()) {
                if (auto* border = dynamic_cast<frmTrans*>(form))
                    m_border = border;
            }
        });
    }
    ~WebcamBench()
    {
        sim::driver::run_program([&] { m_program.reset(); });
    }

    template<typename Code>
    void run(Code&& code)
    {
        sim::driver::run_program([&] { m_program->dispatch(code); });
    }

    frmCAM& cam() { return m_program->form<frmCAM>(); }
    frmTrans& border() { return *m_border; }

private:
    std::unique_ptr<runtime::Program> m_program = std::make_unique<runtime::Program>();
    frmTrans* m_border = nullptr;
    HWND m_target = nullptr;
};

// The arguments are the camera's frame width and height.
void BM_FrameTick(benchmark::State& state)
{
    WebcamBench bench(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    frmCAM& cam = bench.cam();
    bench.run([&] {
        for (auto _ : state)
            cam.tmrMain_Timer();
    });
}
BENCHMARK(BM_FrameTick)->Args({ 320, 240 })->Args({ 640, 480 })->Unit(benchmark::kMicrosecond);

// The same with a camera that delivers only YUY2, whose frames are turned into RGB.
void BM_FrameTickYuy2(benchmark::State& state)
{
    WebcamBench bench(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), true);
    frmCAM& cam = bench.cam();
    bench.run([&] {
        for (auto _ : state)
            cam.tmrMain_Timer();
    });
}
BENCHMARK(BM_FrameTickYuy2)->Args({ 320, 240 })->Args({ 640, 480 })->Unit(benchmark::kMicrosecond);

void BM_CaptionCopy(benchmark::State& state)
{
    WebcamBench bench(320, 240);
    frmCAM& cam = bench.cam();
    frmTrans& border = bench.border();
    bench.run([&] {
        cam.tmrMain_Timer();
        for (auto _ : state)
            border.Timer8_Timer();
    });
}
BENCHMARK(BM_CaptionCopy)->Unit(benchmark::kMicrosecond);

}
