// The live caption copy: a border's Timer8 lays the composite into its caption from the top-left,
// and neither the loop nor the copy makes a drawing object per tick.
#include "tests/webcam/webcam_fixture.h"

namespace {

class WebcamCaptionTest : public WebcamTest {
protected:
    frmTrans& start_with_reflection()
    {
        frmTrans& border = start_with_border("Target");
        start_reflection_by_hand();
        set_transparency(0);
        run([&] { border.Picture1_MouseUp(runtime::vbLeftButton, 0, 1, 1); });
        return border;
    }
    void tick_loop_and_copy(frmTrans& border, int ticks)
    {
        run([&] {
            for (int i = 0; i < ticks; ++i) {
                cam().tmrMain_Timer();
                border.Timer8_Timer();
            }
        });
    }
};

TEST_F(WebcamCaptionTest, TheCaptionShowsTheCompositeFromItsTopLeftAndBlackBeyondIt)
{
    frmTrans& border = start_with_reflection();
    EXPECT_TRUE(border.Timer8.Enabled());
    tick_loop_and_copy(border, 1);
    SIZE caption = border.Picture1.client_pixel_size();
    ASSERT_GT(caption.cx, 320);
    for (int y = 0; y < caption.cy; y += 5) {
        for (int x = 0; x < 320; x += 9)
            ASSERT_EQ(pixel_of(border.Picture1, x, y), composite(x, y)) << x << "," << y;
        EXPECT_EQ(pixel_of(border.Picture1, 320, y), 0u);
        EXPECT_EQ(pixel_of(border.Picture1, caption.cx - 1, y), 0u);
    }
    // At opacity 0 the caption is the mirrored frame itself.
    EXPECT_EQ(pixel_of(border.Picture1, 10, 10), frame(309, 10));
}

TEST_F(WebcamCaptionTest, TheCopyStopsItselfOnceTheReflectionIsUnticked)
{
    frmTrans& border = start_with_reflection();
    tick_reflection(false);
    run([&] { border.Timer8_Timer(); });
    EXPECT_FALSE(border.Timer8.Enabled());
}

TEST_F(WebcamCaptionTest, TenThousandTicksLeaveTheDrawingObjectsAsAHundredDoAndMakeNone)
{
    frmTrans& border = start_with_reflection();
    auto usage = [] { return sim::driver::resource_usage(sim::driver::program_process()); };
    // Handles are handed out in order and never reused: a probe object shows whether any other
    // object was made between two probes.
    auto probe = [&] {
        uintptr_t handle = 0;
        run([&] {
            HBRUSH brush = CreateSolidBrush(0);
            handle = reinterpret_cast<uintptr_t>(brush);
            DeleteObject(brush);
        });
        return handle;
    };
    tick_loop_and_copy(border, 100);
    sim::driver::ResourceUsage after_hundred = usage();
    uintptr_t first = probe();
    uintptr_t step = probe() - first;
    uintptr_t before_ticks = probe();
    tick_loop_and_copy(border, 100);
    EXPECT_EQ(probe(), before_ticks + step) << "a tick made an object";

    tick_loop_and_copy(border, 9800);
    sim::driver::ResourceUsage after_ten_thousand = usage();
    EXPECT_EQ(after_ten_thousand.gdi_objects, after_hundred.gdi_objects);
    EXPECT_EQ(after_ten_thousand.screen_dcs, after_hundred.screen_dcs);
    EXPECT_EQ(after_ten_thousand.double_frees, 0);
}

}
