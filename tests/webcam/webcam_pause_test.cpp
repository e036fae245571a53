// The loop's pause switch at the sites of the border and the controller: an adoption pauses it; a
// caption's mouse-up and the end of a border's fade-out let it run again, only while the live
// reflection is ticked.
#include "tests/webcam/webcam_fixture.h"

namespace {

class WebcamPauseTest : public WebcamTest, public ::testing::WithParamInterface<bool> { };

TEST_P(WebcamPauseTest, AdoptionPausesAndCaptionReleaseAndFadeOutEndResumeOnlyWhileTicked)
{
    bool is_ticked = GetParam();
    start();
    tick_reflection(true);
    if (!is_ticked)
        tick_reflection(false);
    run([&] { cam().tmrMain.Enabled(true); });
    HWND target = open_adopted_window("Target");
    EXPECT_FALSE(webcam_loop().Enabled()) << "an adoption pauses the loop";

    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    run([&] { border->Picture1_MouseUp(runtime::vbLeftButton, 0, 1, 1); });
    EXPECT_EQ(webcam_loop().Enabled(), is_ticked);

    run([&] { cam().tmrMain.Enabled(false); });
    sim::driver::close(target);
    wait_ticks(30);
    ASSERT_TRUE(borders().empty());
    EXPECT_EQ(webcam_loop().Enabled(), is_ticked) << "the end of the fade-out";
}

INSTANTIATE_TEST_SUITE_P(Reflection, WebcamPauseTest, ::testing::Values(true, false),
    [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Ticked" : "Unticked"; });

}
