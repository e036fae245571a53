// Labels (auto-size, transparency, their mouse events) and mouse events in scale units.
#include "runtime/forms.h"
#include "platform/sim/shell/notification_area.h"
#include "tests/runtime/runtime_fixture.h"

#include <cstring>

namespace {

using namespace runtime;

struct MouseRecord {
    std::string event;
    int button = 0;
    float x = 0;
    float y = 0;
};

class frmMouse : public Form {
public:
    explicit frmMouse(Program& program)
        : Form(program, "frmMouse")
    {
        BorderStyle(vbBSNone);
        Move(1500, 1500, 6000, 4500);
        BackColor(0xFFFFFF);
        Picture1.BorderStyle(0);
        Picture1.Move(0, 0, 6000, 1500);
        Picture1.BackColor(0x0000FF);
        Picture1.AutoRedraw(true);
        Label1.BackStyle(0);
        Label1.AutoSize(true);
        Label1.ForeColor(0xFFFFFF);
        Label1.FontName("Segoe UI");
        Label1.FontSize(9);
        Label1.Move(150, 150);
        Picture1.on_mouse_down = [this](int Button, int, float X, float Y) { record("Picture1_MouseDown", Button, X, Y); };
        Picture1.on_mouse_up = [this](int Button, int, float X, float Y) { record("Picture1_MouseUp", Button, X, Y); };
        Picture1.on_mouse_move = [this](int Button, int, float X, float Y) { record("Picture1_MouseMove", Button, X, Y); };
        Picture1.on_click = [this] { record("Picture1_Click", 0, 0, 0); };
        Picture1.on_dbl_click = [this] { record("Picture1_DblClick", 0, 0, 0); };
        Label1.on_mouse_down = [this](int Button, int, float X, float Y) { record("Label1_MouseDown", Button, X, Y); };
        Label1.on_click = [this] { record("Label1_Click", 0, 0, 0); };
    }
    PictureBox Picture1 { *this, "Picture1" };
    Label Label1 { Picture1, "Label1" };
    std::vector<MouseRecord> events;

    void Form_MouseDown(int Button, int, float X, float Y) override { record("Form_MouseDown", Button, X, Y); }

    void record(std::string event, int button, float x, float y) { events.push_back({ std::move(event), button, x, y }); }
    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (auto& record : events) {
            if (record.event != "Picture1_MouseMove")
                result.push_back(record.event);
        }
        return result;
    }
};

frmMouse& shown_form(RuntimeTest&, Program& program)
{
    sim::driver::run_program([&] { program.dispatch([&] { program.form<frmMouse>().Show(); }); });
    return *static_cast<frmMouse*>(program.forms()[0]);
}

TEST_F(RuntimeTest, LabelAutoSizesToItsCaption)
{
    run([&] {
        auto& label = program().form<frmMouse>().Label1;
        label.Caption("Short");
        float short_width = label.Width();
        float height = label.Height();
        label.Caption("A much longer caption");
        EXPECT_GT(short_width, 0);
        EXPECT_GT(label.Width(), short_width * 2);
        EXPECT_EQ(label.Height(), height);
        EXPECT_GE(height, 12 * 15);
        label.Caption("Two\r\nlines");
        EXPECT_GT(label.Height(), height * 1.5f);
    });
}

TEST_F(RuntimeTest, TransparentLabelShowsOverThePictureBoxImage)
{
    auto& form = shown_form(*this, program());
    run([&] { form.Label1.Caption("MMMMMMMM"); });
    sim::driver::run_program([] { sim::driver::run_for(20); });
    auto screen = sim::driver::screenshot();
    int inked = 0;
    int red = 0;
    for (int y = 110; y < 125; ++y) {
        for (int x = 110; x < 160; ++x) {
            uint32_t pixel = screen.pixel(x, y) & 0xFFFFFF;
            inked += pixel != 0xFF0000;
            red += pixel == 0xFF0000;
        }
    }
    // White ink on the red image: the label's back lets the image through.
    EXPECT_GT(inked, 20);
    EXPECT_GT(red, 100);
}

TEST_F(RuntimeTest, MouseEventsComeInTheControlsScaleUnits)
{
    auto& form = shown_form(*this, program());
    sim::driver::run_program([&] {
        sim::driver::mouse_move(100 + 300, 100 + 60);
        sim::driver::mouse_down(sim::driver::Button::Right);
        sim::driver::mouse_up(sim::driver::Button::Right);
    });
    run([&] { form.Picture1.ScaleMode(vbPixels); });
    sim::driver::run_program([&] { sim::driver::click(100 + 200, 100 + 50); });
    std::vector<std::string> expected { "Picture1_MouseDown", "Picture1_MouseUp", "Picture1_MouseDown", "Picture1_MouseUp",
        "Picture1_Click" };
    EXPECT_EQ(form.names(), expected);
    ASSERT_GE(form.events.size(), 3u);
    auto& right_down = form.events[1].event == "Picture1_MouseDown" ? form.events[1] : form.events[0];
    EXPECT_EQ(right_down.button, vbRightButton);
    EXPECT_EQ(right_down.x, 300 * 15);
    EXPECT_EQ(right_down.y, 60 * 15);
    auto& left_up = form.events[form.events.size() - 2];
    EXPECT_EQ(left_up.button, vbLeftButton);
    EXPECT_EQ(left_up.x, 200);
    EXPECT_EQ(left_up.y, 50);
}

TEST_F(RuntimeTest, DoubleClickAndClicksOnAWindowlessLabel)
{
    auto& form = shown_form(*this, program());
    run([&] { form.Label1.Caption("Caption"); });
    sim::driver::run_program([&] { sim::driver::double_click(100 + 300, 100 + 80); });
    std::vector<std::string> expected { "Picture1_MouseDown", "Picture1_MouseUp", "Picture1_Click", "Picture1_DblClick",
        "Picture1_MouseUp" };
    EXPECT_EQ(form.names(), expected);
    form.events.clear();
    sim::driver::run_program([&] { sim::driver::click(100 + 12, 100 + 12); });
    expected = { "Label1_MouseDown", "Label1_Click" };
    EXPECT_EQ(form.names(), expected);
    EXPECT_EQ(form.events[0].x, 2 * 15);
    form.events.clear();
    // The form's own events come where no control is.
    sim::driver::run_program([&] { sim::driver::click(100 + 50, 100 + 200); });
    EXPECT_EQ(form.names(), std::vector<std::string> { "Form_MouseDown" });
}

}

namespace {

using namespace runtime;

// A hidden controller form that takes notification-area events as mouse moves.
class frmTray : public Form {
public:
    explicit frmTray(Program& program)
        : Form(program, "frmTray")
    {
        ShowInTaskbar(false);
    }
    std::vector<float> moves;
    void Form_MouseMove(int, int, float X, float) override { moves.push_back(X / Screen().TwipsPerPixelX()); }
    ScreenObject& Screen() { return program().Screen(); }
};

TEST_F(RuntimeTest, NotificationAreaEventsArriveAsMouseMovesCarryingTheMessage)
{
    run([&] {
        auto& form = program().form<frmTray>();
        NOTIFYICONDATAA data;
        std::memset(&data, 0, sizeof data);
        data.cbSize = sizeof data;
        data.hWnd = form.hWnd();
        data.uID = 1;
        data.uFlags = NIF_MESSAGE | NIF_TIP;
        data.uCallbackMessage = WM_MOUSEMOVE;
        std::strcpy(data.szTip, "Kelmor");
        Shell_NotifyIconA(NIM_ADD, &data);
    });
    ASSERT_EQ(sim::tray_icons().size(), 1u);
    sim::driver::run_program([] {
        EXPECT_TRUE(sim::send_tray_mouse_message(0, WM_RBUTTONUP));
        sim::driver::run_for(10);
    });
    auto& form = *static_cast<frmTray*>(program().forms()[0]);
    EXPECT_EQ(form.moves, std::vector<float> { 517 });
}

}

namespace {

using namespace runtime;

TEST_F(RuntimeTest, MousePointerShowsOverTheControl)
{
    auto& form = shown_form(*this, program());
    run([&] { form.Picture1.MousePointer(7); });
    sim::driver::run_program([] { sim::driver::mouse_move(100 + 300, 100 + 60); });
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZENS));
    run([&] { form.Picture1.MousePointer(8); });
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZENWSE));
}

}
