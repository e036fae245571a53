// Activating windows, the top-most band, and a pause that keeps the message loop running.
#include "platform/sim/desktop.h"
#include "runtime/statements.h"
#include "services/modGlobal.h"
#include "tests/services/probe_window.h"
#include "tests/services/services_fixture.h"

using sim::driver::foreground_window;
using sim::driver::window_state;

namespace {

bool is_topmost(HWND window)
{
    return (window_state(window)->ex_style & WS_EX_TOPMOST) != 0;
}

}

TEST_F(ServicesTest, ActivationBringsForwardOrRestoresAMinimisedWindow)
{
    HWND first = open_foreign_window("First", RECT { 100, 100, 500, 400 });
    HWND second = open_foreign_window("Second", RECT { 200, 150, 600, 450 });
    ASSERT_EQ(foreground_window(), second);
    run([&] { EXPECT_TRUE(ActivateWindow(first)); });
    EXPECT_EQ(foreground_window(), first);
    EXPECT_LT(window_state(first)->z_order, window_state(second)->z_order);

    sim::driver::minimise(second);
    run([&] { EXPECT_TRUE(ActivateWindow(second)); });
    EXPECT_FALSE(IsIconic(second));
    EXPECT_EQ(window_state(second)->rect.left, 200);
    EXPECT_EQ(window_state(second)->rect.bottom, 450);

    sim::driver::close(first);
    run([&] { EXPECT_FALSE(ActivateWindow(first)); });
}

TEST_F(ServicesTest, TopMostSwitchesKeepThePlaceAndOnlyReleaseActivates)
{
    HWND first = open_foreign_window("First", RECT { 100, 100, 500, 400 });
    HWND second = open_foreign_window("Second", RECT { 200, 150, 600, 450 });
    sim::driver::hide(first);
    run([&] { SetTopMost(first, true); });
    EXPECT_TRUE(is_topmost(first));
    EXPECT_TRUE(window_state(first)->is_visible);
    EXPECT_EQ(foreground_window(), second);
    EXPECT_EQ(window_state(first)->rect.right, 500);
    run([&] { SetTopMost(first, false); });
    EXPECT_FALSE(is_topmost(first));

    run([&] { ReleaseTopMost(first, false); });
    EXPECT_TRUE(is_topmost(first));
    EXPECT_EQ(foreground_window(), first);
    run([&] { ReleaseTopMost(first, true); });
    EXPECT_FALSE(is_topmost(first));
    EXPECT_EQ(window_state(first)->rect.top, 100);
}

TEST_F(ServicesTest, PauseLetsTimersRunForTheWholeWaitAlsoAcrossMidnight)
{
    run([&] {
        HWND probe = create_probe_window();
        PostMessageA(probe, probe_message, 0, 0);
        Pause(0);
        EXPECT_EQ(probe_counts().probes, 1);

        SetTimer(probe, 1, 10, nullptr);
        DWORD start = GetTickCount();
        Pause(0.2f);
        DWORD waited = GetTickCount() - start;
        EXPECT_GE(waited, 200u);
        EXPECT_LE(waited, 215u);
        EXPECT_GE(probe_counts().timers, 15);
    });
    // Go on to 0.1 s before midnight.
    double now = 0;
    run([&] { now = runtime::SecondsSinceMidnight(); });
    sim::let_time_pass(static_cast<uint64_t>((86399.9 - now) * 1000 + 0.5));
    run([&] {
        ASSERT_GT(runtime::SecondsSinceMidnight(), 86399.8);
        DWORD start = GetTickCount();
        Pause(0.2f);
        DWORD waited = GetTickCount() - start;
        EXPECT_GE(waited, 200u);
        EXPECT_LE(waited, 215u);
        EXPECT_LT(runtime::SecondsSinceMidnight(), 1);
    });
}
