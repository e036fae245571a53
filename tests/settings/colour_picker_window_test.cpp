// The colour picker window: opened from the settings window's buttons, picking with the mouse in
// the square and on the slider, typing hue, saturation and brightness, and OK or the close box.
#include "tests/settings/colour_picker_fixture.h"

#include "platform/sim/handle_table.h"

namespace {

TEST_F(ColourPickerTest, OpensCentredInHueModeOnTheSwatchColour)
{
    frmColor& form = open_from(settings().Picture3, &frmSettings::Command3_Click, RGB(100, 150, 200));
    EXPECT_EQ(form.Caption(), "Kelmor - Captioncolor");
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(form.optH.Value());
    EXPECT_EQ(form.lblSelColor.BackColor(), 13145700);
    EXPECT_EQ(at(265, 10), RGB(100, 150, 200));
    EXPECT_EQ(values().markerX, 265);
    EXPECT_EQ(values().markerY, 10);
    EXPECT_EQ(values().sliderY, 265);
    EXPECT_EQ(form.txtH.Text(), "0");
    EXPECT_EQ(form.txtS.Text(), "100");
    EXPECT_EQ(form.Text1.Text(), "255");

    // The drawing area is 6510 x 4155 twips, centred on the 1920 x 1080 screen.
    auto state = sim::driver::window_state(form.hWnd()).value();
    EXPECT_EQ(state.client.right - state.client.left, 434);
    EXPECT_EQ(state.client.bottom - state.client.top, 277);
    EXPECT_EQ(state.rect.left + state.rect.right, 1920);
    EXPECT_NEAR(state.rect.top + state.rect.bottom, 1080, 1);

    run([&] { form.Command1_Click(); });
    EXPECT_EQ(settings().Picture3.BackColor(), 13145700);
    EXPECT_FALSE(is_picker_loaded());
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(ColourPickerTest, FramesAndOkLieInsideTheWindowApartFromEachOther)
{
    frmColor& form = open_from(settings().Picture3, &frmSettings::Command3_Click, RGB(100, 150, 200));
    RECT client {};
    GetClientRect(form.hWnd(), &client);
    const std::vector<const runtime::Control*> parts { &form.Frame1, &form.Frame2, &form.Frame3, &form.Command1 };
    for (size_t i = 0; i < parts.size(); ++i) {
        RECT rect = parts[i]->pixel_rect();
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom)
            << parts[i]->Name() << " is cut by the window's edge";
        for (size_t j = i + 1; j < parts.size(); ++j) {
            RECT other = parts[j]->pixel_rect();
            bool overlaps = rect.left < other.right && other.left < rect.right && rect.top < other.bottom
                && other.top < rect.bottom;
            EXPECT_FALSE(overlaps) << parts[i]->Name() << " overlaps " << parts[j]->Name();
        }
    }
}

TEST_F(ColourPickerTest, EachButtonEditsItsOwnSwatch)
{
    struct Button {
        void (frmSettings::*click)();
        runtime::PictureBox* swatch;
        const char* caption;
    };
    frmSettings& s = settings();
    const Button buttons[] = {
        { &frmSettings::Command2_Click, &s.Picture2, "Kelmor - Bordercolor" },
        { &frmSettings::Command3_Click, &s.Picture3, "Kelmor - Captioncolor" },
        { &frmSettings::Command5_Click, &s.Picture9, "Kelmor - Captionblur color" },
        { &frmSettings::Command8_Click, &s.Picture12, "Kelmor - Outerbordercolor" },
        { &frmSettings::Command9_Click, &s.Picture13, "Kelmor - Innerbordercolor" },
        { &frmSettings::Command10_Click, &s.Picture14, "Kelmor - Bidirectional light color" },
    };
    for (size_t i = 0; i < std::size(buttons); ++i) {
        const Button& button = buttons[i];
        std::vector<long> others;
        for (const Button& other : buttons)
            others.push_back(other.swatch->BackColor());
        long picked = RGB(10 * i, 20, 30);
        frmColor& form = open_from(*button.swatch, button.click, picked);
        EXPECT_EQ(form.Caption(), button.caption);
        EXPECT_EQ(globals().ColorIndex, static_cast<int>(i));
        // A press in the bottom-left corner picks black.
        click_at(10, 265);
        run([&] { form.Command1_Click(); });
        EXPECT_EQ(button.swatch->BackColor(), 0) << button.caption;
        for (size_t j = 0; j < std::size(buttons); ++j) {
            if (j != i) {
                EXPECT_EQ(buttons[j].swatch->BackColor(), others[j]) << button.caption;
            }
        }
    }
}

TEST_F(ColourPickerTest, TheBorderSwatchOpensThePickerForItself)
{
    run([&] {
        settings().Picture12.BackColor(RGB(1, 2, 3));
        settings().Command8_Click();
    });
    click_at(265, 265);
    run([&] { picker().Command1_Click(); });

    frmColor& form = open_from(settings().Picture2, &frmSettings::Picture2_Click, RGB(9, 8, 7));
    EXPECT_EQ(form.Caption(), "Kelmor - Bordercolor");
    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(9, 8, 7));
    click_at(10, 265);
    run([&] { form.Command1_Click(); });
    EXPECT_EQ(settings().Picture2.BackColor(), 0);
    EXPECT_EQ(settings().Picture12.BackColor(), 0);
}

TEST_F(ColourPickerTest, CloseBoxAndUnknownIndexWriteNothing)
{
    frmColor& form = open_from(settings().Picture13, &frmSettings::Command9_Click, RGB(200, 100, 0));
    click_at(10, 265);
    sim::driver::close(form.hWnd());
    EXPECT_FALSE(is_picker_loaded());
    EXPECT_EQ(settings().Picture13.BackColor(), RGB(200, 100, 0));

    auto swatch_colours = [&] {
        std::vector<long> colours;
        for (int index = 0; index < 6; ++index)
            colours.push_back(settings().colour_swatch(index)->BackColor());
        return colours;
    };
    std::vector<long> before = swatch_colours();
    run([&] {
        globals().ColorR = 5;
        settings().ShowColDialog(6, "Kelmor - Choose color");
    });
    click_at(265, 10);
    run([&] { picker().Command1_Click(); });
    EXPECT_FALSE(is_picker_loaded());
    EXPECT_EQ(swatch_colours(), before);
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(ColourPickerTest, PressesInTheSquarePickItsCorners)
{
    frmColor& form = open_from(settings().Picture3, &frmSettings::Command3_Click, RGB(0, 0, 255));
    click_at(10, 265);
    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(0, 0, 0));
    EXPECT_EQ(form.txtS.Text(), "0");
    EXPECT_EQ(form.txtB.Text(), "0");
    EXPECT_EQ(form.Text3.Text(), "0");

    click_at(265, 10);
    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(0, 0, 255));
    EXPECT_EQ(form.txtS.Text(), "100");
    EXPECT_EQ(form.txtB.Text(), "100");
    EXPECT_EQ(form.Text3.Text(), "255");

    // A drag leaving the square keeps the marker on its edge.
    press(100, 100);
    move_to(400, 120);
    release();
    EXPECT_EQ(values().markerX, 265);
    EXPECT_EQ(values().markerY, 120);
    EXPECT_EQ(form.txtS.Text(), "100");
}

TEST_F(ColourPickerTest, HueSliderSetsTheHueAndRedrawsTheSquareAtTheRelease)
{
    frmColor& form = open_from(settings().Picture3, &frmSettings::Command3_Click, RGB(255, 0, 0));
    press(284, 150);
    move_to(284, 0);
    EXPECT_EQ(form.txtH.Text(), "360");
    move_to(290, 95);
    // During the drag the square still shows the old hue.
    EXPECT_EQ(at(265, 10), RGB(255, 0, 0));
    release();
    EXPECT_EQ(at(265, 10), RGB(0, 0, 255));
    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(0, 0, 255));
    EXPECT_EQ(form.Text3.Text(), "255");

    press(284, 200);
    move_to(284, 400);
    release();
    EXPECT_EQ(form.txtH.Text(), "0");
    EXPECT_EQ(values().sliderY, 265);

    // The catch area reaches ten pixels right of the slider, not eleven.
    press(302, 100);
    release();
    EXPECT_EQ(values().sliderY, 100);
    press(303, 50);
    release();
    EXPECT_EQ(values().sliderY, 100);
}

TEST_F(ColourPickerTest, SliderPressMixesTheHueWithTypedSaturationAndBrightness)
{
    frmColor& form = open_from(settings().Picture3, &frmSettings::Command3_Click, RGB(0, 255, 0));
    retype(form.txtS, "50");
    retype(form.txtB, "50");
    EXPECT_EQ(values().markerX, 138);
    EXPECT_EQ(values().markerY, 138);
    press(284, 10);
    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(128, 64, 64));
    // At the release the colour under the marker in the new square is the chosen one.
    release();
    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(127, 63, 63));
    EXPECT_EQ(form.Text1.Text(), "127");
}

TEST_F(ColourPickerTest, OutOfRangeEntriesStopAtTheEdges)
{
    frmColor& form = open_from(settings().Picture3, &frmSettings::Command3_Click, RGB(255, 0, 0));
    retype(form.txtS, "150");
    EXPECT_EQ(values().markerX, 265);
    retype(form.txtB, "-20");
    EXPECT_EQ(values().markerY, 265);
    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(0, 0, 0));
    press(284, 100);
    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(0, 0, 0));
    release();
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(ColourPickerTest, HueEntryIsCheckedOncePerChangedText)
{
    frmColor& form = open_from(settings().Picture3, &frmSettings::Command3_Click, RGB(255, 0, 0));
    retype(form.txtH, "40");
    EXPECT_EQ(range_messages(), 0);
    type_into(form.txtH, "0");
    EXPECT_EQ(range_messages(), 1);
    // The H value is cut to 360 for the slider: the marker stays on the slider.
    EXPECT_EQ(values().sliderY, 10);
    // The Enter that dismissed the message is released into the box: nothing changed, no message.
    sim::driver::key_up(VK_RETURN);
    EXPECT_EQ(range_messages(), 1);

    retype(form.txtH, "-5");
    EXPECT_EQ(range_messages(), 2);
    EXPECT_EQ(form.txtH.Text(), "0");
    EXPECT_EQ(values().sliderY, 265);

    // A fraction is refused too; leaving the box then keeps the keyboard in it.
    retype(form.txtH, "1");
    run([&] { form.txtH.SelText(".5"); });
    sim::driver::key_up('5');
    EXPECT_EQ(range_messages(), 3);
    run([&] { form.txtS.SetFocus(); });
    EXPECT_EQ(range_messages(), 4);
    EXPECT_EQ(sim::driver::focus_window(), form.txtH.hWnd());

    retype(form.txtH, "120");
    run([&] { form.txtS.SetFocus(); });
    EXPECT_EQ(range_messages(), 4);
    EXPECT_EQ(sim::driver::focus_window(), form.txtS.hWnd());
    EXPECT_EQ(values().sliderY, 180);
    EXPECT_EQ(at(265, 10), RGB(0, 255, 0));
}

TEST_F(ColourPickerTest, SaturationAndBrightnessModesMoveTheMarkersByTheEntries)
{
    frmColor& form = open_from(settings().Picture3, &frmSettings::Command3_Click, RGB(255, 0, 0));
    retype(form.txtH, "240");
    retype(form.txtB, "50");
    run([&] { form.optS.Value(true); });
    EXPECT_EQ(values().markerX, 180);
    EXPECT_EQ(values().markerY, 138);
    EXPECT_EQ(at(180, 138), RGB(0, 0, 127));
    // The slider runs from the colour under the marker to white.
    EXPECT_EQ(at(284, 10), RGB(0, 0, 127));
    EXPECT_EQ(at(284, 265), RGB(255, 255, 255));

    // In S mode the slider is the saturation, and typing changes nothing until the mode changes.
    press(284, 265);
    release();
    EXPECT_EQ(form.txtS.Text(), "0");
    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(255, 255, 255));
    retype(form.txtB, "100");
    EXPECT_EQ(values().markerY, 138);

    run([&] { form.optB.Value(true); });
    EXPECT_EQ(values().markerY, 265);
    EXPECT_EQ(at(180, 265), RGB(255, 255, 255));
    click_at(10, 10);
    EXPECT_EQ(form.txtH.Text(), "0");
    EXPECT_EQ(form.txtS.Text(), "100");
    EXPECT_EQ(at(284, 10), RGB(255, 0, 0));
    EXPECT_EQ(at(284, 265), RGB(0, 0, 0));

    run([&] { form.optH.Value(true); });
    EXPECT_EQ(at(284, 10), RGB(255, 0, 0));
    EXPECT_EQ(values().sliderY, 265);
    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(255, 0, 0));
    EXPECT_TRUE(m_fatal_errors.empty());
}

size_t live_handles()
{
    size_t count = 0;
    sim::handles().for_each([&](uintptr_t, const sim::Object&) { ++count; });
    return count;
}

TEST_F(ColourPickerTest, UsingThePickerAgainAndAgainLeavesNoObjectsBehind)
{
    auto use_once = [&] {
        frmColor& form = open_from(settings().Picture14, &frmSettings::Command10_Click, RGB(10, 200, 90));
        press(50, 50);
        move_to(120, 200);
        release();
        press(284, 40);
        move_to(284, 180);
        release();
        run([&] { form.optS.Value(true); });
        click_at(200, 100);
        run([&] { form.optB.Value(true); });
        click_at(284, 120);
        run([&] { form.optH.Value(true); });
        run([&] { form.Command1_Click(); });
        sim::driver::run_for(20);
    };
    use_once();
    size_t before = live_handles();
    for (int i = 0; i < 10; ++i)
        use_once();
    // Windows, device contexts, bitmaps and pens: every one made is let go again.
    EXPECT_EQ(live_handles(), before);
}

}
