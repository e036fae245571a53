// A command button's caption: an "&" marks the access key, so "O&K" shows as "OK" with its K
// underlined, not as three characters.
#include "runtime/forms.h"
#include "tests/runtime/runtime_fixture.h"

#include <set>

namespace {

using namespace runtime;

class frmButtons : public Form {
public:
    explicit frmButtons(Program& program)
        : Form(program, "frmButtons")
    {
        BorderStyle(vbBSNone);
        Move(0, 0, 3000, 1500);
        Command1.Move(0, 0, 1200, 405);
        Command2.Move(1500, 0, 1200, 405);
    }
    CommandButton Command1 { *this, "Command1" };
    CommandButton Command2 { *this, "Command2" };
};

// The rows in which the two buttons (80 x 27 pixels, 100 pixels apart) differ.
std::set<int> rows_that_differ()
{
    auto screen = sim::driver::screenshot();
    std::set<int> rows;
    for (int y = 0; y < 27; ++y) {
        for (int x = 0; x < 80; ++x) {
            if (screen.pixel(x, y) != screen.pixel(x + 100, y))
                rows.insert(y);
        }
    }
    return rows;
}

TEST_F(RuntimeTest, AnAmpersandInAButtonCaptionUnderlinesTheAccessKey)
{
    run([&] {
        auto& form = program().form<frmButtons>();
        form.Command1.Caption("O&K");
        form.Command2.Caption("OK");
        form.Show();
    });
    sim::driver::run_program([] { sim::driver::run_for(20); });
    // The same letters in the same places; the underline is the one difference.
    EXPECT_EQ(rows_that_differ().size(), 1u);

    run([&] { program().form<frmButtons>().Command2.Caption("O&&K"); });
    sim::driver::run_program([] { sim::driver::run_for(20); });
    EXPECT_GT(rows_that_differ().size(), 3u) << "\"&&\" shows one \"&\"";
}

}
