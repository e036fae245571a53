// Check boxes, scroll bars, option groups, list boxes and control arrays: the value rules the
// settings rely on.
#include "runtime/forms.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

using namespace runtime;

class frmValues : public Form {
public:
    explicit frmValues(Program& program)
        : Form(program, "frmValues")
    {
        BorderStyle(vbBSNone);
        Move(0, 0, 6000, 4500);
        Check1.Move(150, 150, 1500, 300);
        Check1.on_click = [this] { Check1_Click(); };
        HScroll1.Move(150, 600, 3000, 255);
        HScroll1.Min(-30);
        HScroll1.Max(1);
        HScroll1.LargeChange(5);
        HScroll1.on_change = [this] { HScroll1_Change(); };
        HScroll1.on_scroll = [this] { ++scrolls; };
        Option1.connect(&OptionButton::on_click, [this](int Index) { Option1_Click(Index); });
        for (auto& option : Option1)
            option->Move(150, 1000 + option->Index() * 300, 1500, 300);
        List1.Move(3000, 1000, 2000, 1500);
        List1.on_click = [this] { ++list_clicks; };
    }
    CheckBox Check1 { *this, "Check1" };
    HScrollBar HScroll1 { *this, "HScroll1" };
    ControlArray<OptionButton> Option1 { *this, "Option1", 4 };
    ListBox List1 { *this, "List1" };
    std::vector<int> check_values;
    std::vector<int> scroll_values;
    std::vector<int> chosen_options;
    int scrolls = 0;
    int list_clicks = 0;

    void Check1_Click() { check_values.push_back(Check1.Value()); }
    void HScroll1_Change() { scroll_values.push_back(HScroll1.Value()); }
    void Option1_Click(int Index) { chosen_options.push_back(Index); }
};

TEST_F(RuntimeTest, CheckBoxValueRunsClickOnlyOnChangeAndRefusesOtherValues)
{
    run([&] {
        auto& form = program().form<frmValues>();
        form.Check1.Value(0);
        form.Check1.Value(1);
        form.Check1.Value(1);
        form.Check1.Value(2);
        EXPECT_FALSE(skip_on_error([&] { form.Check1.Value(3); }));
        EXPECT_FALSE(skip_on_error([&] { form.Check1.Value(-1); }));
        EXPECT_EQ(form.Check1.Value(), 2);
        EXPECT_EQ(form.check_values, (std::vector<int> { 1, 2 }));
    });
}

TEST_F(RuntimeTest, ScrollBarValueRunsChangeOnlyOnChangeAndRefusesOutOfRange)
{
    run([&] {
        auto& form = program().form<frmValues>();
        form.HScroll1.Value(-8);
        form.HScroll1.Value(-8);
        EXPECT_FALSE(skip_on_error([&] { form.HScroll1.Value(2); }));
        EXPECT_FALSE(skip_on_error([&] { form.HScroll1.Value(-31); }));
        EXPECT_EQ(form.HScroll1.Value(), -8);
        form.HScroll1.Value(1);
        EXPECT_EQ(form.scroll_values, (std::vector<int> { -8, 1 }));
        // A range that leaves the value outside pulls it in, which is a change.
        form.HScroll1.Max(0);
        EXPECT_EQ(form.HScroll1.Value(), 0);
        EXPECT_EQ(form.scroll_values.back(), 0);
        EXPECT_FALSE(skip_on_error([&] { form.HScroll1.Max(40000); }));
    });
}

TEST_F(RuntimeTest, ScrollBarFollowsTheMouse)
{
    run([&] {
        auto& form = program().form<frmValues>();
        form.Show();
        form.HScroll1.Value(-30);
    });
    auto& form = *static_cast<frmValues*>(program().forms()[0]);
    RECT rect;
    GetWindowRect(form.HScroll1.hWnd(), &rect);
    int middle = (rect.top + rect.bottom) / 2;
    sim::driver::run_program([&] {
        // The right arrow adds SmallChange, the track right of the thumb LargeChange.
        sim::driver::click(rect.right - 3, middle);
        sim::driver::click(rect.right - 40, middle);
    });
    EXPECT_EQ(form.scroll_values, (std::vector<int> { -30, -29, -24 }));
    sim::driver::run_program([&] {
        int thumb = rect.left + 17 + (rect.right - rect.left - 51) * 6 / 31 + 8;
        sim::driver::drag(POINT { thumb, middle }, POINT { rect.right - 20, middle });
    });
    EXPECT_GT(form.scrolls, 0);
    EXPECT_EQ(form.HScroll1.Value(), 1);
    EXPECT_EQ(form.scroll_values.back(), 1);
}

TEST_F(RuntimeTest, OptionGroupKeepsOneSelectedAndMissingIndexNamesNoControl)
{
    run([&] {
        auto& form = program().form<frmValues>();
        form.Option1[2].Value(true);
        form.Option1[1].Value(true);
        form.Option1[1].Value(true);
        EXPECT_FALSE(form.Option1[2].Value());
        EXPECT_TRUE(form.Option1[1].Value());
        EXPECT_EQ(form.chosen_options, (std::vector<int> { 2, 1 }));
        EXPECT_EQ(form.Option1.UBound(), 3);
        long error = 0;
        try {
            form.Option1[4].Value(true);
        } catch (const Error& failure) {
            error = failure.number;
        }
        EXPECT_EQ(error, ErrControlArrayElementMissing);
    });
}

TEST_F(RuntimeTest, OptionButtonClickedWithTheMouse)
{
    run([&] { program().form<frmValues>().Show(); });
    auto& form = *static_cast<frmValues*>(program().forms()[0]);
    RECT rect;
    GetWindowRect(form.Option1[3].hWnd(), &rect);
    sim::driver::run_program([&] { sim::driver::click(rect.left + 5, rect.top + 5); });
    EXPECT_TRUE(form.Option1[3].Value());
    EXPECT_EQ(form.chosen_options, (std::vector<int> { 3 }));
    GetWindowRect(form.Check1.hWnd(), &rect);
    sim::driver::run_program([&] {
        sim::driver::click(rect.left + 5, rect.top + 5);
        sim::driver::click(rect.left + 5, rect.top + 5);
    });
    EXPECT_EQ(form.check_values, (std::vector<int> { 1, 0 }));
}

TEST_F(RuntimeTest, ListBoxRowsAndSelection)
{
    run([&] {
        auto& list = program().form<frmValues>().List1;
        list.AddItem("b");
        list.AddItem("c");
        list.AddItem("a", 0);
        EXPECT_EQ(list.ListCount(), 3);
        EXPECT_EQ(list.List(0), "a");
        EXPECT_EQ(list.List(5), "");
        EXPECT_EQ(list.ListIndex(), -1);
        list.ListIndex(2);
        list.ListIndex(2);
        EXPECT_EQ(list.Text(), "c");
        list.RemoveItem(0);
        EXPECT_EQ(list.ListIndex(), 1);
        list.RemoveItem(1);
        EXPECT_EQ(list.ListIndex(), -1);
        EXPECT_EQ(list.Text(), "");
        EXPECT_FALSE(skip_on_error([&] { list.RemoveItem(4); }));
        EXPECT_FALSE(skip_on_error([&] { list.ListIndex(1); }));
        EXPECT_EQ(program().form<frmValues>().list_clicks, 1);
    });
}

}

namespace {

using namespace runtime;

TEST_F(RuntimeTest, ListBoxRowChosenWithTheMouseAndRightClickKeepsTheSelection)
{
    std::vector<std::string> events;
    run([&] {
        auto& form = program().form<frmValues>();
        form.List1.AddItem("Untitled - Notepad");
        form.List1.AddItem("Calculator");
        form.List1.on_mouse_up = [&](int Button, int, float, float) { events.push_back("MouseUp " + std::to_string(Button)); };
        form.List1.on_click = [&] { events.push_back("Click " + form.List1.Text()); };
        form.Show();
    });
    auto& form = *static_cast<frmValues*>(program().forms()[0]);
    RECT rect;
    GetWindowRect(form.List1.hWnd(), &rect);
    int second_row = rect.top + 2 + form.List1.Font().Size * 96 / 72 + 2 + 4;
    sim::driver::run_program([&] {
        sim::driver::click(rect.left + 10, second_row);
        sim::driver::click(rect.left + 10, rect.top + 5, sim::driver::Button::Right);
    });
    EXPECT_EQ(events, (std::vector<std::string> { "Click Calculator", "MouseUp 1", "MouseUp 2" }));
    EXPECT_EQ(form.List1.ListIndex(), 1);
}

}

namespace {

using namespace runtime;

class frmFrames : public Form {
public:
    explicit frmFrames(Program& program)
        : Form(program, "frmFrames")
    {
        Frame1.Move(0, 0, 2000, 2000);
        Frame2.Move(2000, 0, 2000, 2000);
        optH.Value(true);
        optX.Value(true);
    }
    Frame Frame1 { *this, "Frame1" };
    Frame Frame2 { *this, "Frame2" };
    OptionButton optH { Frame1, "optH" };
    OptionButton optS { Frame1, "optS" };
    OptionButton optX { Frame2, "optX" };
};

TEST_F(RuntimeTest, OptionButtonsGroupByTheirContainer)
{
    run([&] {
        auto& form = program().form<frmFrames>();
        EXPECT_TRUE(form.optH.Value());
        EXPECT_TRUE(form.optX.Value());
        form.optS.Value(true);
        EXPECT_FALSE(form.optH.Value());
        EXPECT_TRUE(form.optX.Value());
        EXPECT_EQ(sim::driver::window_state(form.optS.hWnd())->parent, form.Frame1.hWnd());
    });
}

}
