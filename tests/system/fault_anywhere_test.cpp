// A fault of ours at any moment of an adoption, a fade-in or a fade-out: whatever call it hits,
// every window comes back to the desktop as it was and the shell is left as the user had it.
#include "tests/system/system_fixture.h"

#include "platform/sim/shell/notification_area.h"
#include "platform/sim/shell/shell_windows.h"

#include <vector>

namespace {

struct Watched {
    HWND window;
    sim::driver::WindowState before;
};

class FaultAnywhere : public SystemTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        SystemTest::SetUp();
        // The program as the Windows entry starts it, with its own fatal path.
        run([&] { m_controller = &start_kelmor(program()); });
    }

    Watched watch(HWND window) { return { window, state_of(window) }; }

    // Lets the fault come, or quits in order when the calls ran out before it.
    void end_the_program()
    {
        sim::driver::run_for(600);
        if (sim::driver::is_process_alive(sim::driver::program_process()))
            sim::driver::run_program([&] { m_program->dispatch([&] { m_controller->Command7_Click(); }); });
        ASSERT_FALSE(sim::driver::is_process_alive(sim::driver::program_process()));
    }

    void expect_back(const Watched& watched, bool is_shown = true)
    {
        ASSERT_TRUE(IsWindow(watched.window));
        auto after = state_of(watched.window);
        EXPECT_EQ(after.parent, nullptr);
        EXPECT_EQ(after.is_visible, is_shown);
        EXPECT_EQ(after.style & ~WS_VISIBLE, watched.before.style & ~WS_VISIBLE);
        EXPECT_EQ(after.ex_style, watched.before.ex_style);
    }

    void expect_shell_as_the_user_had_it()
    {
        EXPECT_TRUE(sim::tray_icons().empty());
        EXPECT_TRUE(state_of(sim::taskbar_window()).is_visible);
        EXPECT_TRUE(state_of(sim::program_manager_window()).is_visible);
    }

    uint32_t calls_before_fault() const { return static_cast<uint32_t>(GetParam()); }
};

TEST_P(FaultAnywhere, DuringThePollAdoptionAndFadeIn)
{
    Watched adopted = watch(open_window("Adopted Before"));
    wait_ticks(20);
    Watched arriving = watch(open_window("Arriving"));
    sim::driver::fault_next_call(sim::driver::program_process(), calls_before_fault());

    end_the_program();

    expect_back(adopted);
    expect_back(arriving);
    expect_shell_as_the_user_had_it();
}

TEST_P(FaultAnywhere, DuringTheFadeOutOfAWindowThatHidItself)
{
    Watched staying = watch(open_window("Staying"));
    Watched leaving = watch(open_window("Leaving"));
    wait_ticks(20);
    sim::driver::hide(leaving.window);
    sim::driver::fault_next_call(sim::driver::program_process(), calls_before_fault());

    end_the_program();

    expect_back(staying);
    expect_back(leaving, false);
    expect_shell_as_the_user_had_it();
}

INSTANTIATE_TEST_SUITE_P(EveryFewCalls, FaultAnywhere, ::testing::Range(0, 700, 7));

}
