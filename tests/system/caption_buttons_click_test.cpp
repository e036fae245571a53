// The caption buttons' clicks: the close button's request closes the target through its own
// program and is undone when the target refuses; the inert maximise button and the lone close button; the address overlay.
#include "tests/system/system_fixture.h"

#include "platform/sim/kernel/paths.h"
#include "settings/frmSettings.h"
#include "tests/resources/artwork_paths.h"

namespace {

class CaptionClickTest : public SystemTest {
protected:
    HWND open_target(DWORD style = 0x10CF0000, bool keeps_open = false)
    {
        sim::driver::AppWindow window;
        window.title = "Target";
        window.style = style;
        window.keeps_open = keeps_open;
        HWND target = sim::driver::open_app_window(sim::driver::create_process("C:\\Apps\\editor.exe"), window);
        wait_ticks(30);
        return target;
    }
    frmTrans& border(HWND target)
    {
        frmTrans* found = border_of(target);
        EXPECT_NE(found, nullptr);
        return *found;
    }
};

TEST_F(CaptionClickTest, CloseClosesTheTargetThroughItsOwnProgramAndTheBorderGoes)
{
    start();
    HWND target = open_target();
    run([&] { border(target).Picture11_MouseUp(2, 1, 0, 1, 1); });
    wait_ticks(100);
    EXPECT_FALSE(IsWindow(target));
    EXPECT_TRUE(borders().empty());
    EXPECT_TRUE(rows(window_manager().List1).empty());
    EXPECT_FALSE(globals().GlowSuppressed);
}

TEST_F(CaptionClickTest, AWindowThatTakesTheForegroundDuringThePauseIsNotClosedInsteadOfTheTarget)
{
    start();
    HWND target = open_target();
    // A borderless pop-up, which gets no border of its own.
    sim::driver::AppWindow other;
    other.title = "Chat";
    other.style = WS_POPUP | WS_VISIBLE;
    other.rect = RECT {1200, 600, 1500, 800};
    HWND chat = sim::driver::open_app_window(sim::driver::create_process("C:\\Apps\\chat.exe"), other);
    wait_ticks(30);
    frmTrans& frame = border(target);
    // The chat window pops up by itself while the close button waits its 0.2 s for the target: the
    // foreground is no longer the target's, and Alt+F4 would close the chat.
    sim::driver::activate(chat, 100);
    run([&] { frame.Picture11_MouseUp(2, 1, 0, 1, 1); });
    EXPECT_EQ(sim::driver::foreground_window(), chat);
    wait_ticks(100);
    EXPECT_FALSE(IsWindow(target));
    EXPECT_TRUE(IsWindowVisible(chat));
    EXPECT_TRUE(borders().empty());
}

TEST_F(CaptionClickTest, ARefusedCloseKeepsWindowBorderGlowAndWebcamAsTheyWere)
{
    start();
    HWND target = open_target(0x10CF0000, true);
    frmTrans& frame = border(target);
    run([&] { program().form<frmSettings>().Check15.Value(runtime::vbChecked); });
    ASSERT_TRUE(webcam_loop().Enabled());
    run([&] { frame.Picture11_MouseUp(2, 1, 0, 1, 1); });
    wait_ticks(20);
    EXPECT_TRUE(IsWindowVisible(target));
    EXPECT_EQ(borders().size(), 1u);
    // The live reflection keeps the glow suppressed, as it was before the click.
    EXPECT_TRUE(globals().GlowSuppressed);
    EXPECT_TRUE(webcam_loop().Enabled());
    EXPECT_EQ(frame.Picture11[2].Picture(), frame.Picture13[2].Picture());
}

TEST_F(CaptionClickTest, ManyHoverThenCloseCyclesOnARefusingTargetLeaveResourcesFlat)
{
    sim::install_program_folder(artwork_test::program_folder());
    start();
    HWND target = open_target(0x10CF0000, true);
    frmTrans& frame = border(target);
    auto usage = [] { return sim::driver::resource_usage(sim::driver::program_process()); };
    auto cycle = [&] {
        sim::driver::mouse_move(900, 300);
        wait_ticks(1);
        sim::driver::click(720, 111);
        wait_ticks(1);
    };
    cycle();
    sim::driver::ResourceUsage before = usage();
    // Each close waits its 0.2 s for the target, over 1,000 cycles.
    for (int i = 0; i < 1000; ++i)
        cycle();
    sim::driver::ResourceUsage after = usage();
    EXPECT_TRUE(IsWindowVisible(target));
    EXPECT_LE(after.gdi_objects, before.gdi_objects + 2);
    EXPECT_LE(after.gdiplus_startups, before.gdiplus_startups + 2);
    EXPECT_EQ(after.screen_dcs, before.screen_dcs);
    EXPECT_EQ(after.double_frees, 0);
    EXPECT_FALSE(globals().GlowSuppressed);
    EXPECT_EQ(borders().size(), 1u);
    EXPECT_EQ(frame.Picture11[2].Picture(), frame.Picture13[2].Picture());
}

TEST_F(CaptionClickTest, APressOnTheCaptionGivesItsTextTheCaptionColourOrWhiteWhenMaximised)
{
    start();
    HWND target = open_target();
    frmTrans& frame = border(target);
    constexpr long Other = 0x123456;
    run([&] {
        program().form<frmSettings>().Picture3.BackColor(0x0080FF);
        frame.Label1.ForeColor(Other);
    });
    sim::driver::mouse_move(500, 106);
    sim::driver::mouse_down();
    EXPECT_EQ(frame.Label1.ForeColor(), 0x0080FF);
    sim::driver::mouse_up();
    wait_ticks(5);

    run([&] { frame.MaxMe(); });
    run([&] { frame.Label1.ForeColor(Other); });
    sim::driver::mouse_move(400, 5);
    sim::driver::mouse_down();
    EXPECT_EQ(frame.Label1.ForeColor(), 0xFFFFFF);
    sim::driver::mouse_up();
}

TEST_F(CaptionClickTest, WithoutAMaximiseBoxNeitherTheButtonNorADoubleClickMaximises)
{
    start();
    HWND target = open_target(0x10CA0000);  // caption, system menu and minimise box only
    frmTrans& frame = border(target);
    EXPECT_TRUE(frame.Picture19.Visible());
    run([&] { frame.MaxMe(); });
    run([&] { frame.Picture1.on_dbl_click(); });
    EXPECT_FALSE(frame.is_maximised());
}

TEST_F(CaptionClickTest, ATargetWithOnlyASystemMenuGetsTheLoneCloseButton)
{
    start();
    HWND target = open_target(0x10C80000);  // caption and system menu
    frmTrans& frame = border(target);
    EXPECT_EQ(frame.Picture12[2].Picture(), frame.Picture18[0].Picture());
    EXPECT_EQ(frame.Picture13[2].Picture(), frame.Picture18[1].Picture());
    EXPECT_EQ(frame.Picture14[2].Picture(), frame.Picture18[2].Picture());
}

TEST_F(CaptionClickTest, ACaptionDoubleClickTogglesMaximiseAndRestore)
{
    start();
    HWND target = open_target();
    frmTrans& frame = border(target);
    sim::driver::double_click(400, 108);
    wait_ticks(5);
    EXPECT_TRUE(frame.is_maximised());
    EXPECT_EQ(frame.Picture11[0].Picture(), frame.Picture20[0].Picture());
    sim::driver::double_click(400, 8);
    wait_ticks(5);
    EXPECT_FALSE(frame.is_maximised());
    EXPECT_EQ(state_of(frame.hWnd()).rect.right, 748);
    EXPECT_EQ(frame.Picture12[0].Picture(), frame.Picture21[0].Picture());
}

TEST_F(CaptionClickTest, TheLiveCaptionCopyRunsFromCaptionReleaseToPressAndStopsWithoutTheSetting)
{
    start();
    HWND target = open_target();
    frmTrans& frame = border(target);
    run([&] {
        program().form<frmSettings>().Check15.Value(1);
        frame.Picture1_MouseUp(runtime::vbLeftButton, 0, 1, 1);
    });
    EXPECT_TRUE(frame.Timer8.Enabled());
    run([&] { frame.Picture1_MouseDown(runtime::vbLeftButton, 0, 1, 1); });
    EXPECT_FALSE(frame.Timer8.Enabled());

    run([&] {
        frame.Picture1_MouseUp(runtime::vbLeftButton, 0, 1, 1);
        program().form<frmSettings>().Check15.Value(0);
    });
    wait_ticks(1);
    EXPECT_FALSE(frame.Timer8.Enabled());
}

TEST_F(CaptionClickTest, ThePressOnTheAddressShowsTheOverlayWithItsTextSelected)
{
    start();
    HWND target = open_target();
    frmTrans& frame = border(target);
    run([&] {
        frame.Text2.Text("C:\\Folder");
        frame.Label7_MouseDown(runtime::vbLeftButton, 0, 1, 1);
    });
    EXPECT_TRUE(frame.Text2.Visible());
    EXPECT_EQ(frame.Text2.SelStart(), 0);
    EXPECT_EQ(frame.Text2.SelLength(), 9);
    run([&] { frame.Text2.on_lost_focus(); });
    EXPECT_FALSE(frame.Text2.Visible());
}

}
