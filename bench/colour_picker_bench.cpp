// The colour picker's drawing: the hue square built and copied onto the window, an S-mode slider
// of 256 lines, and one step of a drag in the square as the mouse delivers it.
#include "platform/sim/driver.h"
#include "runtime/program.h"
#include "settings/Module1.h"
#include "settings/frmColor.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A fresh desktop with the picker shown on it.
class ShownPicker {
public:
    ShownPicker()
    {
        sim::driver::reset();
        m_program = std::make_unique<runtime::Program>();
        sim::driver::run_program([&] {
            m_picker = &m_program->form<frmColor>();
            m_picker->Show();
        });
        sim::driver::pump();
    }
    ~ShownPicker()
    {
        sim::driver::run_program([&] { m_program.reset(); });
    }

    frmColor& picker() { return *m_picker; }
    template<typename Code>
    void run(Code&& code)
    {
        sim::driver::run_program([&] { m_program->dispatch(code); });
    }
    POINT screen_point(int x, int y)
    {
        RECT client = sim::driver::window_state(m_picker->hWnd())->client;
        return POINT { client.left + x, client.top + y };
    }

private:
    std::unique_ptr<runtime::Program> m_program;
    frmColor* m_picker = nullptr;
};

// Draws with a value that changes every iteration and lets the window repaint.
template<typename Draw>
void draw_repeatedly(benchmark::State& state, Draw draw)
{
    ShownPicker shown;
    int value = 0;
    for (auto _ : state) {
        shown.run([&] { draw(shown.picker(), value); });
        sim::driver::pump();
        value = (value + 1) % 256;
    }
}

void BM_DrawHueSquare(benchmark::State& state)
{
    draw_repeatedly(state, [](frmColor& picker, int green) { DrawHueSquare(picker, 255, green, 0); });
}
BENCHMARK(BM_DrawHueSquare)->Unit(benchmark::kMicrosecond);

void BM_DrawSatSlider(benchmark::State& state)
{
    draw_repeatedly(state, [](frmColor& picker, int green) { DrawSatSlider(picker, 100, green, 50); });
}
BENCHMARK(BM_DrawSatSlider)->Unit(benchmark::kMicrosecond);

void BM_SquareDragStep(benchmark::State& state)
{
    ShownPicker shown;
    POINT origin = shown.screen_point(0, 0);
    sim::driver::mouse_move(origin.x + 100, origin.y + 100);
    sim::driver::mouse_down();
    int step = 0;
    for (auto _ : state) {
        sim::driver::mouse_move(origin.x + 20 + step % 200, origin.y + 30 + step % 180);
        ++step;
    }
    sim::driver::mouse_up();
}
BENCHMARK(BM_SquareDragStep)->Unit(benchmark::kMicrosecond);

}
