// Timers on the virtual clock: interval, Enabled, no overlapping ticks, DoEvents inside a handler.
#include "runtime/form.h"
#include "runtime/statements.h"
#include "runtime/timer.h"
#include "tests/runtime/runtime_fixture.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace {

using namespace runtime;

class frmTicking : public Form {
public:
    explicit frmTicking(Program& program)
        : Form(program, "frmTicking")
    {
        Timer1.Enabled(false);
        Timer1.Interval(100);
        Timer1.on_timer = [this] { Timer1_Timer(); };
        Timer2.Enabled(false);
        Timer2.Interval(1);
        Timer2.on_timer = [this] { Timer2_Timer(); };
    }
    Timer Timer1 { *this, "Timer1" };
    Timer Timer2 { *this, "Timer2" };
    int ticks1 = 0;
    int ticks2 = 0;
    int nested_ticks2 = 0;
    bool pumps_in_tick = false;
    bool in_tick2 = false;

    void Timer1_Timer() { ++ticks1; }
    void Timer2_Timer()
    {
        if (in_tick2)
            ++nested_ticks2;
        in_tick2 = true;
        ++ticks2;
        if (pumps_in_tick)
        {
            Sleep(30);
            DoEvents();
        }
        in_tick2 = false;
    }
};

// A form whose handler pumps messages, as the border watcher and the poll do.
class frmPumping : public Form {
public:
    explicit frmPumping(Program& program)
        : Form(program, "frmPumping")
    {
        Timer1.Enabled(false);
        Timer1.Interval(50);
        Timer1.on_timer = [this] { Timer1_Timer(); };
    }
    Timer Timer1 { *this, "Timer1" };
    int other_ticks_seen = -1;

    void Timer1_Timer()
    {
        Timer1.Enabled(false);
        auto& other = program().form<frmTicking>();
        int before = other.ticks1;
        // Let the other form's timer come due, then let pending messages run.
        Sleep(250);
        DoEvents();
        other_ticks_seen = other.ticks1 - before;
    }
};

TEST_F(RuntimeTest, TimerFiresAtItsIntervalAndStopsWhenDisabled)
{
    frmTicking* form = nullptr;
    run([&] {
        form = &program().form<frmTicking>();
        form->Timer1.Enabled(true);
    });
    sim::driver::run_program([] { sim::driver::run_for(1000); });
    EXPECT_EQ(form->ticks1, 10);
    run([&] { form->Timer1.Enabled(false); });
    sim::driver::run_program([] { sim::driver::run_for(1000); });
    EXPECT_EQ(form->ticks1, 10);
}

TEST_F(RuntimeTest, OneMillisecondTimerRunsAtTheSystemMinimum)
{
    frmTicking* form = nullptr;
    run([&] {
        form = &program().form<frmTicking>();
        form->Timer2.Enabled(true);
    });
    sim::driver::run_program([] { sim::driver::run_for(100); });
    EXPECT_GE(form->ticks2, 9);
    EXPECT_LE(form->ticks2, 11);
}

TEST_F(RuntimeTest, TickNeverRunsInsideTheSameTimersTick)
{
    frmTicking* form = nullptr;
    run([&] {
        form = &program().form<frmTicking>();
        form->pumps_in_tick = true;
        form->Timer2.Enabled(true);
    });
    sim::driver::run_program([] { sim::driver::run_for(200); });
    EXPECT_GT(form->ticks2, 1);
    EXPECT_EQ(form->nested_ticks2, 0);
}

TEST_F(RuntimeTest, DoEventsInsideAHandlerLetsAnotherFormsTimerRun)
{
    frmPumping* pumping = nullptr;
    run([&] {
        program().form<frmTicking>().Timer1.Enabled(true);
        pumping = &program().form<frmPumping>();
        pumping->Timer1.Enabled(true);
    });
    sim::driver::run_program([] { sim::driver::run_for(60); });
    EXPECT_GE(pumping->other_ticks_seen, 1);
}

// The deepest nesting of timer ticks the watching forms saw.
int deepest_tick_nesting = 0;
// Runs once in the first tick that starts inside another, before that tick pumps.
std::function<void()> in_nested_tick;

// Many windows whose ticks each pump messages, as the border watchers do.
class frmWatching : public Form {
public:
    explicit frmWatching(Program& program)
        : Form(program, "frmWatching")
    {
        Timer1.Enabled(false);
        Timer1.Interval(1);
        Timer1.on_timer = [this] { Timer1_Timer(); };
    }
    Timer Timer1 { *this, "Timer1" };
    int ticks = 0;

    void Timer1_Timer()
    {
        ++ticks;
        deepest_tick_nesting = std::max(deepest_tick_nesting, timer_ticks_in_progress());
        if (in_nested_tick && timer_ticks_in_progress() == MaxTickNesting)
            std::exchange(in_nested_tick, nullptr)();
        DoEvents();
    }
};

TEST_F(RuntimeTest, PumpingTicksOfManyWindowsNestAtMostTwoDeepAndAllProgress)
{
    deepest_tick_nesting = 0;
    std::vector<frmWatching*> forms;
    run([&] {
        for (int i = 0; i < 30; ++i) {
            auto& form = program().load_new<frmWatching>();
            form.Timer1.Enabled(true);
            forms.push_back(&form);
        }
    });
    uint64_t start = sim::driver::now();
    sim::driver::run_program([] { sim::driver::run_for(500); });
    EXPECT_GE(sim::driver::now() - start, 500u);
    EXPECT_EQ(deepest_tick_nesting, MaxTickNesting);
    for (auto* form : forms)
        EXPECT_GT(form->ticks, 5);
}

// The buttons and keys a window of the program got, in order.
std::vector<UINT> input_seen;

LRESULT CALLBACK record_input(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if ((message >= WM_LBUTTONDOWN && message <= WM_LBUTTONDBLCLK) || message == WM_KEYDOWN || message == WM_KEYUP)
        input_seen.push_back(message);
    return DefWindowProcA(window, message, wparam, lparam);
}

TEST_F(RuntimeTest, DoEventsInANestedTickTakesTheUsersInputInItsOrderWithItsDoubleClicks)
{
    input_seen.clear();
    run([&] {
        WNDCLASSA input_class {};
        input_class.style = CS_DBLCLKS;
        input_class.lpfnWndProc = record_input;
        input_class.lpszClassName = "InputOrder";
        RegisterClassA(&input_class);
        HWND window = CreateWindowExA(0, "InputOrder", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr,
            nullptr, nullptr, nullptr);
        SetForegroundWindow(window);
        SetFocus(window);
        for (int i = 0; i < 2; ++i)
            program().load_new<frmWatching>().Timer1.Enabled(true);
    });
    // A double click and a key, quicker than the program: all of it waits when the inner tick pumps.
    in_nested_tick = [] {
        sim::driver::hold_input();
        sim::driver::double_click(200, 200);
        sim::driver::press_key('A');
    };
    sim::driver::run_program([] { sim::driver::run_for(20); });
    sim::driver::release_input();
    EXPECT_EQ(in_nested_tick, nullptr);
    std::vector<UINT> expected { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_KEYDOWN, WM_KEYUP };
    EXPECT_EQ(input_seen, expected);
}

}
