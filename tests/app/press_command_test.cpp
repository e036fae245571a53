// The scenario command `press FORM.CONTROL`: a click on a control of the program by its name.
#include "tests/app/scenario_fixture.h"

namespace {

using PressCommand = ScenarioFixture;

TEST_F(PressCommand, ClicksAnEnabledControlAndRefusesADisabledOne)
{
    EXPECT_EQ(outcome("start Kelmor\nwait 50\npress frmSettings.Command9\nwait 20\n"
                      "expect kelmor:frmColor visible\nexpect kelmor:frmColor text \"Kelmor - Innerbordercolor\"\n"),
        "");
    // The border colour's button is disabled until "Enable Bordercolor" is ticked.
    EXPECT_EQ(outcome("start Kelmor\nwait 50\npress frmSettings.Command2\n"),
        "s.scn:3: press: frmSettings.Command2 is disabled");
    EXPECT_EQ(outcome("start Kelmor\nwait 50\npress frmSettings.Check3\npress frmSettings.Command2\nwait 20\n"
                      "expect kelmor:frmColor text \"Kelmor - Bordercolor\"\n"),
        "");
}

TEST_F(PressCommand, NamesWhatIsMissing)
{
    EXPECT_EQ(outcome("press frmSettings.Command3\n"), "s.scn:1: press: Kelmor is not running");
    EXPECT_EQ(outcome("start Kelmor\npress frmSettings.Command99\n"),
        "s.scn:2: press: frmSettings has no control Command99");
    EXPECT_EQ(outcome("start Kelmor\npress Command3\n").rfind("s.scn:2: press: expects FORM.CONTROL", 0), 0u);
}

}
