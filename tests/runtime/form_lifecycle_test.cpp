// Forms: load on first touch, the collection in load order, Unload and its cancel, deferred freeing.
#include "runtime/form.h"
#include "runtime/timer.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

using namespace runtime;

struct LoadCounter {
    int loads = 0;
    int unloads = 0;
    std::vector<std::string> order;
};

class frmFirst : public Form {
public:
    explicit frmFirst(Program& program)
        : Form(program, "frmFirst")
    {
    }
    void Form_Load() override
    {
        auto& counter = program().module<LoadCounter>();
        ++counter.loads;
        counter.order.push_back(Name());
    }
    void Form_Unload(int& Cancel) override
    {
        ++program().module<LoadCounter>().unloads;
        Cancel = m_refuses_unload ? 1 : 0;
    }
    bool m_refuses_unload = false;
};

// A form whose load touches another single-instance form, as the settings window touches its neighbours.
class frmSecond : public Form {
public:
    explicit frmSecond(Program& program)
        : Form(program, "frmSecond")
    {
    }
    void Form_Load() override
    {
        program().module<LoadCounter>().order.push_back(Name());
        program().form<frmFirst>().Caption("touched");
    }
};

class frmSelfUnloading : public Form {
public:
    explicit frmSelfUnloading(Program& program)
        : Form(program, "frmSelfUnloading")
    {
        Timer1.Interval(10);
        Timer1.on_timer = [this] { Timer1_Timer(); };
    }
    Timer Timer1 { *this, "Timer1" };
    int ticks = 0;

    void Timer1_Timer()
    {
        ++ticks;
        program().unload(*this);
        // The form's members are still there after its own unload, until the handler returns.
        ticks += 10;
        Timer1.Enabled(false);
    }
};

TEST_F(RuntimeTest, SingleInstanceFormLoadsOnFirstTouchAndRunsLoadOnce)
{
    run([&] {
        EXPECT_FALSE(program().is_loaded<frmFirst>());
        auto& first = program().form<frmFirst>();
        auto& again = program().form<frmFirst>();
        EXPECT_EQ(&first, &again);
        EXPECT_TRUE(first.is_loaded());
        EXPECT_NE(first.hWnd(), nullptr);
        EXPECT_FALSE(IsWindowVisible(first.hWnd()));
    });
    EXPECT_EQ(program().module<LoadCounter>().loads, 1);
}

TEST_F(RuntimeTest, CollectionKeepsLoadOrderIncludingFormsLoadedInsideLoad)
{
    run([&] {
        program().form<frmSecond>();
        auto& border = program().load_new<frmFirst>();
        (void)border;
    });
    auto forms = program().forms();
    ASSERT_EQ(forms.size(), 3u);
    EXPECT_EQ(forms[0]->Name(), "frmSecond");
    EXPECT_EQ(forms[1]->Name(), "frmFirst");
    EXPECT_EQ(forms[2]->Name(), "frmFirst");
    EXPECT_NE(forms[1], forms[2]);
    EXPECT_EQ(forms[1]->Caption(), "touched");
    // A separate instance is not the single instance.
    EXPECT_EQ(&program().form<frmFirst>(), forms[1]);
}

TEST_F(RuntimeTest, UnloadCancelledKeepsTheFormAndUnloadedSingleInstanceLoadsAgain)
{
    run([&] {
        auto& first = program().form<frmFirst>();
        first.m_refuses_unload = true;
        EXPECT_FALSE(program().unload(first));
        EXPECT_TRUE(first.is_loaded());
        EXPECT_TRUE(IsWindow(first.hWnd()));
        first.m_refuses_unload = false;
        HWND window = first.hWnd();
        EXPECT_TRUE(program().unload(first));
        EXPECT_FALSE(IsWindow(window));
        EXPECT_TRUE(program().forms().empty());
        EXPECT_FALSE(program().is_loaded<frmFirst>());
        program().form<frmFirst>();
    });
    EXPECT_EQ(program().module<LoadCounter>().loads, 2);
    EXPECT_EQ(program().module<LoadCounter>().unloads, 2);
}

TEST_F(RuntimeTest, UnloadFromInsideOwnTimerHandlerIsSafe)
{
    frmSelfUnloading* form = nullptr;
    run([&] { form = &program().form<frmSelfUnloading>(); });
    sim::driver::run_program([&] { sim::driver::run_for(50); });
    EXPECT_TRUE(program().forms().empty());
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(RuntimeTest, CloseRequestRunsQueryUnloadAndCanBeRefused)
{
    run([&] {
        auto& first = program().form<frmFirst>();
        first.m_refuses_unload = true;
        first.Show();
    });
    HWND window = program().forms()[0]->hWnd();
    sim::driver::run_program([&] { sim::driver::close(window); });
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(program().module<LoadCounter>().unloads, 1);
}

TEST_F(RuntimeTest, TwoProgramsShareOneDesktopWithSeparateForms)
{
    Program other;
    run([&] {
        program().form<frmFirst>();
        other.form<frmFirst>();
    });
    EXPECT_NE(program().forms()[0], other.forms()[0]);
    EXPECT_NE(program().forms()[0]->hWnd(), other.forms()[0]->hWnd());
    EXPECT_EQ(program().module<LoadCounter>().loads, 1);
    EXPECT_EQ(other.module<LoadCounter>().loads, 1);
    sim::driver::run_program([&] { other.forms(); });
}

}

namespace {

using namespace runtime;

class frmStartup : public Form {
public:
    explicit frmStartup(Program& program)
        : Form(program, "frmStartup")
    {
    }
    void Form_Load() override { Hide(); }
};

TEST_F(RuntimeTest, StartLoadsTheStartupFormAndShowsIt)
{
    run([&] { program().start<frmStartup>(); });
    ASSERT_EQ(program().forms().size(), 1u);
    EXPECT_TRUE(IsWindowVisible(program().forms()[0]->hWnd()));
    EXPECT_TRUE(program().forms()[0]->Visible());
}

TEST_F(RuntimeTest, SystemEndingTheProgramRunsItsEndRequestInsteadOfDestroyingItsForms)
{
    int requests = 0;
    HWND owner = nullptr;
    run([&] {
        program().set_end_request_hook([&] { ++requests; });
        owner = program().owner_window();
    });
    sim::driver::run_program([&] {
        EXPECT_EQ(SendMessageA(owner, WM_CLOSE, 0, 0), 0);
        EXPECT_EQ(SendMessageA(owner, WM_QUERYENDSESSION, 0, 0), TRUE);
        SendMessageA(owner, WM_ENDSESSION, FALSE, 0);
        EXPECT_EQ(requests, 1);
        SendMessageA(owner, WM_ENDSESSION, TRUE, 0);
    });
    EXPECT_EQ(requests, 2);
    EXPECT_TRUE(IsWindow(owner));
}

}
