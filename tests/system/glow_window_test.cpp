// The glow around a hovered caption button: a layered, click-through, never activated top-most
// window over the button; one glow layer at a time, its GDI+ start-up and GDI objects given back.
#include "tests/system/system_fixture.h"

#include "border/Form1.h"
#include "platform/sim/kernel/paths.h"
#include "tests/resources/artwork_paths.h"

namespace {

constexpr int CloseX = 720;
constexpr int MaximiseX = 685;
constexpr int ButtonY = 111;

class GlowTest : public SystemTest {
protected:
    frmTrans& adopt()
    {
        // The glow pictures the build made.
        sim::install_program_folder(artwork_test::program_folder());
        start();
        HWND target = open_adopted_window("Glow");
        wait_ticks(30);
        frmTrans* border = border_of(target);
        EXPECT_NE(border, nullptr);
        return *border;
    }
    Form1& glow()
    {
        Form1* form = nullptr;
        run([&] { form = &program().form<Form1>(); });
        return *form;
    }
    void hover(int x)
    {
        sim::driver::mouse_move(x, ButtonY);
        wait_ticks(1);
    }
    sim::driver::ResourceUsage usage() { return sim::driver::resource_usage(sim::driver::program_process()); }
};

TEST_F(GlowTest, HoverShowsAClickThroughTopMostGlowWithoutTakingTheFocus)
{
    frmTrans& border = adopt();
    HWND focused = sim::driver::focus_window();
    HWND foreground = sim::driver::foreground_window();
    hover(CloseX);
    sim::driver::WindowState state = state_of(glow().hWnd());
    EXPECT_TRUE(state.is_visible);
    EXPECT_TRUE(state.is_per_pixel);
    EXPECT_EQ(state.rect.left, 689);
    EXPECT_EQ(state.rect.top, 93);
    EXPECT_EQ(state.rect.right, 778);
    EXPECT_EQ(state.rect.bottom, 145);
    EXPECT_TRUE(state.ex_style & WS_EX_TOPMOST);
    EXPECT_TRUE(state.ex_style & WS_EX_TRANSPARENT);
    EXPECT_EQ(sim::driver::focus_window(), focused);
    EXPECT_EQ(sim::driver::foreground_window(), foreground);
    EXPECT_TRUE(border.Timer6.Enabled());

    // A press on the glowing button reaches the button: its pressed look.
    sim::driver::mouse_down();
    wait_ticks(1);
    EXPECT_EQ(border.Picture11[2].Picture(), border.Picture14[2].Picture());
    EXPECT_FALSE(state_of(glow().hWnd()).is_visible);
}

TEST_F(GlowTest, HoverWithAButtonHeldOrGlowSuppressedShowsNoGlow)
{
    frmTrans& border = adopt();
    run([&] { border.Picture11_MouseMove(2, runtime::vbLeftButton, 0, 1, 1); });
    EXPECT_EQ(border.Picture11[2].Picture(), border.Picture12[2].Picture());

    globals().GlowSuppressed = true;
    hover(CloseX);
    EXPECT_EQ(border.Picture11[2].Picture(), border.Picture13[2].Picture());
    EXPECT_FALSE(glow().Visible());
}

TEST_F(GlowTest, LeavingTheBorderPutsButtonAndGlowAwayButItsEdgeCountsAsInside)
{
    frmTrans& border = adopt();
    hover(CloseX);
    // The pixel right of the border still counts as its edge.
    sim::driver::mouse_move(748, 300);
    wait_ticks(1);
    EXPECT_TRUE(glow().Visible());
    sim::driver::mouse_move(900, 300);
    wait_ticks(1);
    EXPECT_FALSE(glow().Visible());
    EXPECT_EQ(border.Picture11[2].Picture(), border.Picture12[2].Picture());
    EXPECT_FALSE(border.Timer6.Enabled());
    // Hovered again, the button shows its hover look, not at once its normal one.
    hover(CloseX);
    EXPECT_EQ(border.Picture11[2].Picture(), border.Picture13[2].Picture());
}

TEST_F(GlowTest, AMissingGlowFileShowsNothingAndReportsNothing)
{
    frmTrans& border = adopt();
    run([&] { DeleteFileA((program().App().Path() + "\\close_glow.cbg").c_str()); });
    size_t boxes = sim::driver::modal_history().size();
    hover(CloseX);
    EXPECT_EQ(border.Picture11[2].Picture(), border.Picture13[2].Picture());
    EXPECT_FALSE(glow().Visible());
    EXPECT_EQ(sim::driver::modal_history().size(), boxes);
}

TEST_F(GlowTest, AGlowFarRightIsPlacedWhereItsButtonIs)
{
    adopt();
    run([&] { glow().ShowGlow(2, 40000, 1500); });
    sim::driver::WindowState state = state_of(glow().hWnd());
    EXPECT_EQ(state.rect.left, 2667);
    EXPECT_EQ(state.rect.top, 100);
}

TEST_F(GlowTest, ManyHoversAndTheBordersEndLeaveNoLayerBehind)
{
    frmTrans& border = adopt();
    hover(CloseX);
    hover(MaximiseX);
    sim::driver::ResourceUsage before = usage();
    for (int i = 0; i < 1000; ++i)
        hover(i % 2 ? MaximiseX : CloseX);
    sim::driver::ResourceUsage after = usage();
    EXPECT_LE(after.gdi_objects, before.gdi_objects + 2);
    EXPECT_LE(after.gdiplus_startups, before.gdiplus_startups + 2);
    EXPECT_EQ(after.double_frees, 0);

    run([&] { border.QuitMe(); });
    EXPECT_FALSE(glow().Visible());
    EXPECT_EQ(usage().gdiplus_startups, 0);
}

}
