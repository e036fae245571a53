// The event dispatch: errors a handler lets through go to the fatal hook and never cross the
// message loop; End ends the process without unload handlers; unloaded forms outlive the handler.
#include "runtime/forms.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

using namespace runtime;

class frmFailing : public Form {
public:
    explicit frmFailing(Program& program)
        : Form(program, "frmFailing")
    {
        Timer1.Interval(100);
        Timer1.on_timer = [this] {
            ++ticks;
            CInt(100000);
        };
    }
    Timer Timer1 { *this, "Timer1" };
    Label Label2 { *this, "Label2" };
    int ticks = 0;
    int unloads = 0;
    void Form_Unload(int&) override { ++unloads; }
};

class frmCloser : public Form {
public:
    explicit frmCloser(Program& program)
        : Form(program, "frmCloser")
    {
        Timer1.Interval(50);
        Timer1.on_timer = [this] { Timer1_Timer(); };
    }
    Timer Timer1 { *this, "Timer1" };
    std::string caption_after_unload;

    // Unloads every other form, as the quit routine does, and reads them afterwards.
    void Timer1_Timer()
    {
        Timer1.Enabled(false);
        for (Form* other : program().forms()) {
            if (other == this)
                continue;
            auto& failing = *static_cast<frmFailing*>(other);
            failing.Label2.Caption("still here");
            program().unload(*other);
            caption_after_unload = failing.Label2.Caption();
        }
    }
};

TEST_F(RuntimeTest, ErrorInAHandlerGoesToTheFatalHookAndTheLoopGoesOn)
{
    run([&] { program().form<frmFailing>(); });
    auto& form = *static_cast<frmFailing*>(program().forms()[0]);
    sim::driver::run_program([] { sim::driver::run_for(350); });
    EXPECT_EQ(form.ticks, 3);
    EXPECT_EQ(m_fatal_errors, (std::vector<long> { ErrOverflow, ErrOverflow, ErrOverflow }));
    ASSERT_TRUE(program().last_unhandled_error().has_value());
    EXPECT_EQ(program().last_unhandled_error()->number, ErrOverflow);
}

TEST_F(RuntimeTest, WithoutAHookAnUnhandledErrorEndsTheProgram)
{
    program().set_fatal_hook(nullptr);
    run([&] { program().form<frmFailing>(); });
    sim::driver::run_program([] { sim::driver::run_for(150); });
    EXPECT_FALSE(sim::driver::is_process_alive(sim::driver::program_process()));
}

TEST_F(RuntimeTest, EndStopsAtOnceWithoutUnloadHandlers)
{
    frmFailing* form = nullptr;
    bool has_returned = sim::driver::run_program([&] {
        program().dispatch([&] {
            form = &program().form<frmFailing>();
            form->Timer1.Enabled(false);
            program().End();
        });
    });
    EXPECT_FALSE(has_returned);
    EXPECT_EQ(form->unloads, 0);
}

TEST_F(RuntimeTest, FormUnloadedByAnotherFormsHandlerStaysValidUntilTheHandlerEnds)
{
    run([&] {
        program().form<frmFailing>().Timer1.Enabled(false);
        program().form<frmCloser>();
    });
    auto& closer = *static_cast<frmCloser*>(program().forms()[1]);
    sim::driver::run_program([] { sim::driver::run_for(60); });
    EXPECT_EQ(closer.caption_after_unload, "still here");
    ASSERT_EQ(program().forms().size(), 1u);
    EXPECT_EQ(program().forms()[0], &closer);
}

}
