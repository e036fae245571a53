// Layered transparency and clearing an adopted window's style: both let pending messages run first.
#include "services/CtlTranz1.h"
#include "tests/services/probe_window.h"
#include "tests/services/services_fixture.h"

using sim::driver::window_state;

TEST_F(ServicesTest, TransparencyGivesTheRoundedAlphaAndKeepsOneLayeredBit)
{
    HWND target = open_foreign_window("Target");
    SetWindowLongA(target, GWL_EXSTYLE, GetWindowLongA(target, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    const std::pair<long, int> expected[] = { { 0, 255 }, { 10, 230 }, { 13, 222 }, { 20, 204 }, { 30, 178 },
        { 40, 153 }, { 50, 128 }, { 60, 102 }, { 70, 77 }, { 80, 51 }, { 90, 25 }, { 100, 0 } };
    for (auto [percent, alpha] : expected) {
        run([&, percent = percent] { SetTransparency(target, percent); });
        auto state = window_state(target);
        ASSERT_TRUE(state && state->layered_alpha);
        EXPECT_EQ(*state->layered_alpha, alpha) << percent << " %";
        EXPECT_EQ(state->ex_style & (WS_EX_LAYERED | WS_EX_TOOLWINDOW), DWORD(WS_EX_LAYERED | WS_EX_TOOLWINDOW));
    }
    // Out of range: still layered, the alpha stays as it was.
    run([&] { SetTransparency(target, 40); });
    for (long percent : { -1L, 101L, 400L }) {
        run([&, percent = percent] { SetTransparency(target, percent); });
        EXPECT_EQ(window_state(target)->layered_alpha, BYTE(153)) << percent << " %";
    }
    run([&] { SetTransparency(nullptr, 50); });
}

TEST_F(ServicesTest, FullTransparencyShowsWhatLiesBehindWhileTheWindowStaysShown)
{
    sim::driver::pump();
    sim::Bitmap before = sim::driver::screenshot();
    HWND target = open_foreign_window("Target", RECT { 100, 100, 500, 400 });
    EXPECT_NE(sim::driver::screenshot().pixel(300, 300), before.pixel(300, 300));
    run([&] { SetTransparency(target, 100); });
    sim::driver::pump();
    EXPECT_EQ(sim::driver::screenshot().pixel(300, 300), before.pixel(300, 300));
    EXPECT_TRUE(window_state(target)->is_visible);
    run([&] { SetTransparency(target, 0); });
    sim::driver::pump();
    EXPECT_NE(sim::driver::screenshot().pixel(300, 300), before.pixel(300, 300));
}

TEST_F(ServicesTest, StyleClearingAndTransparencyRunPendingMessagesFirst)
{
    HWND target = open_foreign_window("Target");
    run([&] {
        HWND probe = create_probe_window();
        PostMessageA(probe, probe_message, 0, 0);
        SetTransparency(probe, 10);
        EXPECT_EQ(probe_counts().probes, 1);
        PostMessageA(probe, probe_message, 0, 0);
        ClearWindowStyle(target);
        EXPECT_EQ(probe_counts().probes, 2);
    });
    // A top-level window keeps WS_CLIPSIBLINGS whatever style it is given.
    EXPECT_EQ(GetWindowLongA(target, GWL_STYLE), WS_CLIPSIBLINGS);
    EXPECT_FALSE(IsWindowVisible(target));
}
