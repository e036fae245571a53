// Timers on the virtual clock, and loops that poll for messages while they wait.
#include "desktop_fixture.h"

#include "platform/sim/desktop.h"

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

}
