// Timers on the virtual clock, and loops that poll for messages while they wait.
#include "desktop_fixture.h"

#include "platform/sim/desktop.h"

#include <algorithm>

namespace {

using TimerTest = DesktopTest;

TEST_F(TimerTest, OneMillisecondTimerFiresEveryTenMilliseconds)
{
    HWND window = create_program_window(RECT {0, 0, 100, 100});
    SetTimer(window, 7, 1, nullptr);
    sim::driver::run_for(100);
    EXPECT_EQ(count(WM_TIMER, window), 10);
    for (auto& message : messages()) {
        if (message.message == WM_TIMER) {
            EXPECT_EQ(message.wparam, 7u);
        }
    }

    KillTimer(window, 7);
    sim::driver::run_for(100);
    EXPECT_EQ(count(WM_TIMER, window), 10);
}

TEST_F(TimerTest, TimerThatFellBehindFiresOnceAndWaitsForAnEmptyQueue)
{
    HWND window = create_program_window(RECT {0, 0, 100, 100});
    SetTimer(window, 1, 50, nullptr);
    sim::driver::run_for(0);
    PostMessageA(window, WM_USER, 0, 0);

    MSG msg;
    // 200 ms pass with nobody pumping: one WM_TIMER waits, behind the posted message.
    sim::let_time_pass(200);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_FALSE(PeekMessageA(&msg, window, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(TimerTest, BusyWaitPumpingMessagesEnds)
{
    HWND window = create_program_window(RECT {0, 0, 100, 100});
    SetTimer(window, 1, 15, nullptr);
    uint64_t end = sim::driver::now() + 200;
    MSG msg;
    while (sim::driver::now() < end)
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    EXPECT_GE(count(WM_TIMER, window), 12);
}

TEST_F(TimerTest, GetMessageWaitsForTheNextTimer)
{
    HWND window = create_program_window(RECT {0, 0, 100, 100});
    SetTimer(window, 1, 250, nullptr);
    MSG msg;
    do {
        ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
        DispatchMessageA(&msg);
    } while (msg.message != WM_TIMER);
    EXPECT_EQ(sim::driver::now(), 250u);

    PostQuitMessage(4);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 4u);

    // With nothing that could ever arrive, the wait wakes up empty-handed instead of hanging.
    KillTimer(window, 1);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_NULL));
}

}

namespace {

int g_slow_ticks = 0;

// A handler that pumps messages for 30 ms, longer than its own timer's period; the ticks that
// arrive inside it return at once, as a careful handler does.
void CALLBACK slow_tick(HWND, UINT, UINT_PTR, DWORD)
{
    static bool is_busy = false;
    if (is_busy)
        return;
    is_busy = true;
    ++g_slow_ticks;
    uint64_t end = sim::driver::now() + 30;
    MSG msg;
    while (sim::driver::now() < end)
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    is_busy = false;
}

TEST_F(TimerTest, SlowHandlersDoNotCarryTheClockPastTheRun)
{
    g_slow_ticks = 0;
    HWND window = create_program_window(RECT {0, 0, 100, 100});
    SetTimer(window, 1, 10, slow_tick);
    sim::driver::run_for(100);
    EXPECT_LE(sim::driver::now(), 100u + 30u * 2);
    EXPECT_GE(g_slow_ticks, 2);
    EXPECT_LE(g_slow_ticks, 10);
}

// Ten timers whose ticks each pump every pending message twice, as the program's poll does with
// its two DoEvents: a tick runs inside another's pump.
int g_chain_depth = 0;
int g_deepest_chain = 0;
int g_chain_ticks = 0;
// Bounds that end the run should the chain never end.
constexpr int chain_limit = 50;
constexpr int tick_limit = 3000;

VOID CALLBACK pumping_tick(HWND, UINT, UINT_PTR, DWORD)
{
    ++g_chain_ticks;
    g_deepest_chain = std::max(g_deepest_chain, ++g_chain_depth);
    MSG msg;
    for (int pump = 0; pump < 2 && g_chain_depth < chain_limit && g_chain_ticks < tick_limit; ++pump)
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    --g_chain_depth;
}

TEST_F(TimerTest, TicksThatEndInAPumpDoNotKeepEachOtherDueForEver)
{
    g_chain_depth = g_deepest_chain = g_chain_ticks = 0;
    for (UINT_PTR id = 1; id <= 10; ++id)
        SetTimer(create_program_window(RECT {0, 0, 100, 100}), id, 10, pumping_tick);
    sim::driver::run_for(1000);
    // An empty check costs microseconds, so a chain of ten ticks takes far less than a period:
    // every timer is behind the chain's start again only once the chain has ended.
    EXPECT_LE(g_deepest_chain, 10);
    EXPECT_GE(g_chain_ticks, 10 * 90);
    EXPECT_LT(g_chain_ticks, tick_limit);
    EXPECT_LT(sim::driver::now(), 1010u);
}

TEST_F(TimerTest, EmptyPollsMoveTheClockByMicroseconds)
{
    MSG msg;
    sim::driver::pump();
    uint64_t before = sim::driver::now();
    for (int poll = 0; poll < 100; ++poll)
        PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_LE(sim::driver::now() - before, 1u);
    for (int poll = 0; poll < 1000; ++poll)
        PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_GE(sim::driver::now() - before, 2u);
}

}
