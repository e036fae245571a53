// A fault in the program (an access violation inside a Windows call) reaches the runtime's fatal
// path through the system's unhandled-exception filter, and the process ends after it.
#include "runtime/forms.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

using namespace runtime;

class frmPolling : public Form {
public:
    explicit frmPolling(Program& program)
        : Form(program, "frmPolling")
    {
        Timer1.Interval(50);
        Timer1.on_timer = [this] {
            ++ticks;
            IsWindowVisible(hWnd());
        };
    }
    Timer Timer1 { *this, "Timer1" };
    int ticks = 0;
};

const long access_violation = static_cast<long>(EXCEPTION_ACCESS_VIOLATION);

TEST_F(RuntimeTest, FaultInATimerTickTakesTheFatalPathThenTheProcessEnds)
{
    run([&] { program().form<frmPolling>(); });
    sim::driver::run_for(120);
    auto& form = *static_cast<frmPolling*>(program().forms()[0]);
    EXPECT_EQ(form.ticks, 2);
    EXPECT_TRUE(m_fatal_errors.empty());

    sim::driver::fault_next_call(sim::driver::program_process());
    sim::driver::run_for(60);

    EXPECT_EQ(m_fatal_errors, std::vector<long> { access_violation });
    ASSERT_TRUE(program().last_unhandled_error().has_value());
    EXPECT_EQ(program().last_unhandled_error()->number, access_violation);
    EXPECT_FALSE(sim::driver::is_process_alive(sim::driver::program_process()));
}

TEST_F(RuntimeTest, OnlyTheProgramsOwnCodeFaults)
{
    run([&] { program().form<frmPolling>(); });
    sim::driver::fault_next_call(sim::driver::program_process());
    // The driver's own reads and another process's code are no call of the program.
    sim::driver::window_tree();
    sim::driver::AppWindow window;
    window.title = "Editor";
    sim::driver::open_app_window(sim::driver::create_process("C:\\Apps\\editor.exe"), window);
    EXPECT_TRUE(m_fatal_errors.empty());
    EXPECT_TRUE(sim::driver::is_process_alive(sim::driver::program_process()));

    EXPECT_FALSE(sim::driver::run_program([] { GetDesktopWindow(); }));
    EXPECT_EQ(m_fatal_errors.size(), 1u);
}

TEST_F(RuntimeTest, AFaultWithoutAFatalHookStillEndsTheProcess)
{
    m_program.reset();
    sim::driver::fault_next_call(sim::driver::program_process());
    EXPECT_FALSE(sim::driver::run_program([] { GetDesktopWindow(); }));
    EXPECT_FALSE(sim::driver::is_process_alive(sim::driver::program_process()));
}

}
