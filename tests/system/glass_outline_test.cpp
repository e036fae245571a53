// The border's outline in its three colours, the title's halo prints, and the target's icon in
// the caption with the lookup order that finds it.
#include "settings/frmSettings.h"
#include "tests/system/glass_test_support.h"
#include "tests/system/system_fixture.h"

namespace {

constexpr uint32_t Red = 0xFF0000;
constexpr uint32_t Green = 0x00FF00;
constexpr uint32_t Blue = 0x0000FF;

class OutlineTest : public SystemTest {
protected:
    HWND open_with_icons(const std::string& class_name, bool has_icon, bool answers_get_icon)
    {
        sim::driver::AppWindow window;
        window.title = "Icons";
        window.class_name = class_name;
        window.has_icon = has_icon;
        window.answers_get_icon = answers_get_icon;
        HWND opened = sim::driver::open_app_window(sim::driver::create_process("C:\\Apps\\icons.exe"), window);
        wait_ticks(12);
        return opened;
    }
};

TEST_F(OutlineTest, OutlineTakesItsThreeColoursAndSurvivesARepaint)
{
    start();
    run([&] {
        auto& settings = program().form<frmSettings>();
        settings.Picture12.BackColor(0x0000FF);
        settings.Picture13.BackColor(0x00FF00);
        settings.Picture14.BackColor(0xFF0000);
    });
    HWND target = open_adopted_window("Outlined");
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);

    auto check = [&] {
        sim::Bitmap screen = sim::driver::screenshot();
        EXPECT_EQ(screen_pixel(screen, 100, 300), Red);
        EXPECT_EQ(screen_pixel(screen, 101, 300), Green);
        EXPECT_EQ(screen_pixel(screen, 746, 300), Blue);
        EXPECT_EQ(screen_pixel(screen, 747, 300), Red);
        EXPECT_EQ(screen_pixel(screen, 400, 588), Red);
        EXPECT_EQ(screen_pixel(screen, 400, 587), Blue);
        EXPECT_EQ(screen_pixel(screen, 400, 100), Red);
        EXPECT_EQ(screen_pixel(screen, 400, 101), Green);
        EXPECT_NE(screen_pixel(screen, 100, 100), Red);
    };
    check();
    run([&] {
        RedrawWindow(border->hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
    sim::driver::pump();
    check();
}

TEST_F(OutlineTest, CaptionHaloIsPrintedInTheHaloColourAtTheTitlesPlace)
{
    start();
    run([&] { program().form<frmSettings>().Picture9.BackColor(0x0000FF); });
    HWND target = open_adopted_window("WWWWWWWW");
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    auto count_red = [&] {
        int red = 0;
        auto pixels = pixels_of(border->Picture1.hDC(), 0, 0, 200, 25);
        for (uint32_t pixel : pixels)
            red += pixel == Red;
        return red;
    };
    int before = count_red();
    run([&] {
        border->Picture1.ScaleMode(runtime::vbPixels);
        border->CopyCaption(2, 2, 0);
        border->Picture1.ScaleMode(runtime::vbTwips);
    });
    EXPECT_GT(count_red(), before);
    EXPECT_EQ(border->Picture1.ForeColor(), program().form<frmSettings>().Picture3.BackColor());

    run([&] { border->Label1.Visible(false); });
    int hidden_before = count_red();
    run([&] { border->CopyCaption(0, 0, 0); });
    EXPECT_EQ(count_red(), hidden_before);
}

TEST_F(OutlineTest, WindowsOwnSmallIconComesFirst)
{
    start();
    HWND target = open_with_icons("OwnIcons", true, true);
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    HICON expected = reinterpret_cast<HICON>(SendMessageA(target, WM_GETICON, ICON_SMALL, 0));
    HICON found = nullptr;
    run([&] { found = border->GetIcons(target); });
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(border->Picture17.Visible());
    // The box shows the icon over the caption's glass.
    auto pixels = pixels_of(border->Picture17.hDC(), 0, 0, 17, 17);
    EXPECT_NE(pixels[8 * 17 + 8], 0x3A6EA5u);
    EXPECT_EQ(pixels[16 * 17 + 16], 0x3A6EA5u);
    EXPECT_EQ(border->Label1.pixel_rect().left + 102, 135);
}

TEST_F(OutlineTest, ClassSmallIconStandsInForAWindowThatGivesNone)
{
    start();
    HWND target = open_with_icons("ClassIconOnly", true, false);
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    HICON found = nullptr;
    run([&] { found = border->GetIcons(target); });
    EXPECT_EQ(found, reinterpret_cast<HICON>(static_cast<uintptr_t>(GetClassLongA(target, GCL_HICONSM))));
    EXPECT_NE(found, nullptr);
    EXPECT_TRUE(border->Picture17.Visible());
}

TEST_F(OutlineTest, WindowWithoutIconGivesItsPlaceToTheTitle)
{
    start();
    HWND target = open_with_icons("NoIcons", false, true);
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    HICON found = nullptr;
    run([&] { found = border->GetIcons(target); });
    EXPECT_EQ(found, nullptr);
    EXPECT_FALSE(border->Picture17.Visible());
    EXPECT_EQ(border->Label1.pixel_rect().left + 102, 110);
}

TEST_F(OutlineTest, TargetThatStopsAnsweringCostsTheIconLookupOneWaitAndAHungOneNone)
{
    start();
    HWND target = open_with_icons("HungIcons", true, true);
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    HICON class_small_icon = reinterpret_cast<HICON>(static_cast<uintptr_t>(GetClassLongA(target, GCL_HICONSM)));
    sim::driver::set_hung(state_of(target).process_id, true);
    auto lookup = [&] {
        uint64_t before = sim::driver::now();
        HICON found = nullptr;
        run([&] { found = border->GetIcons(target); });
        // The class's icon still answers without the window.
        EXPECT_EQ(found, class_small_icon);
        return sim::driver::now() - before;
    };
    // Not yet hung by Windows' rule: the first query waits its time-out, the next ones are not sent.
    EXPECT_EQ(lookup(), 50u);
    EXPECT_EQ(lookup(), 0u);
    sim::driver::run_for(5000);
    EXPECT_EQ(lookup(), 0u);
    for (const auto& freeze : sim::driver::freezes())
        EXPECT_NE(freeze.message, static_cast<UINT>(WM_GETICON));

    // Answering again, it is asked again once the pause after its last time-out is over.
    sim::driver::set_hung(state_of(target).process_id, false);
    sim::driver::run_for(AnswerPause::LengthMs);
    HICON found = nullptr;
    run([&] { found = border->GetIcons(target); });
    EXPECT_EQ(found, reinterpret_cast<HICON>(SendMessageA(target, WM_GETICON, ICON_SMALL, 0)));
}

}
