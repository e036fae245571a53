// A border-like form as the system writes one: a separate instance per adopted window, the foreign
// window hosted in a picture box, fade timers, the by-name quit, and Unload from its own timer.
#include "runtime/forms.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

using namespace runtime;

struct Globals {
    int BorderCount = 0;
};

class frmBorder : public Form {
public:
    explicit frmBorder(Program& program)
        : Form(program, "frmBorder")
    {
        BorderStyle(vbBSNone);
        ShowInTaskbar(false);
        BackColor(0xFFFF00);
        Move(0, 0, 9030, 7170);
        Picture10.BorderStyle(0);
        Picture10.Move(120, 450, 8790, 6600);
        Label2.Visible(false);
        Timer2.Enabled(false);
        Timer2.Interval(1);
        Timer2.on_timer = [this] { Timer2_Timer(); };
    }
    PictureBox Picture10 { *this, "Picture10" };
    Label Label2 { *this, "Label2" };
    Timer Timer2 { *this, "Timer2" };
    int FadeLevel = 0;

    void Form_Load() override { ++program().module<Globals>().BorderCount; }

    void QuitMe()
    {
        FadeLevel = 0;
        Timer2.Enabled(true);
    }

    void Timer2_Timer()
    {
        FadeLevel += 10;
        if (FadeLevel < 100)
            return;
        Timer2.Enabled(false);
        Hide();
        --program().module<Globals>().BorderCount;
        program().unload(*this);
    }

    Variant call_by_name(std::string_view name) override
    {
        if (name == "QuitMe") {
            QuitMe();
            return {};
        }
        return Form::call_by_name(name);
    }
};

TEST_F(RuntimeTest, BorderInstancesHostForeignWindowsAndQuitByName)
{
    HWND targets[2] = {};
    sim::driver::run_program([&] {
        uint32_t process = sim::driver::create_process("C:\\Windows\\notepad.exe");
        sim::driver::AppWindow window;
        window.title = "Untitled - Notepad";
        targets[0] = sim::driver::open_app_window(process, window);
        window.title = "Second";
        targets[1] = sim::driver::open_app_window(process, window);
    });
    run([&] {
        for (HWND target : targets) {
            auto& border = program().load_new<frmBorder>();
            border.Label2.Caption(std::to_string(reinterpret_cast<uintptr_t>(target)));
            SetParent(target, border.Picture10.hWnd());
            MoveWindow(target, 0, 0, 586, 440, TRUE);
            border.Show();
        }
    });
    ASSERT_EQ(program().forms().size(), 2u);
    EXPECT_EQ(program().module<Globals>().BorderCount, 2);
    EXPECT_EQ(sim::driver::window_state(targets[0])->parent, program().forms()[0]->control_by_name("Picture10").hWnd());
    sim::driver::run_program([] { sim::driver::run_for(20); });

    // The window manager finds the border by its handle text and quits it by name.
    run([&] {
        for (Form* form : program().forms()) {
            if (form->control_by_name<Label>("Label2").Caption() == std::to_string(reinterpret_cast<uintptr_t>(targets[1])))
                form->call_by_name("QuitMe");
        }
    });
    sim::driver::run_program([] { sim::driver::run_for(300); });
    ASSERT_EQ(program().forms().size(), 1u);
    EXPECT_EQ(program().module<Globals>().BorderCount, 1);
    EXPECT_TRUE(m_fatal_errors.empty());
    // The hosted window went with its border; the other one stays hosted.
    EXPECT_FALSE(IsWindow(targets[1]));
    EXPECT_TRUE(IsWindow(targets[0]));
    EXPECT_TRUE(IsWindowVisible(targets[0]));
}

}
