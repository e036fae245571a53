// The whole road of a colour with the program running: the settings window's Colors page, its
// "Choose color..." button, a press in the picker's square and OK, by mouse; the picked colour
// reaches the swatch and the settings file, with borders open meanwhile.
#include "settings/frmColor.h"
#include "settings/frmSettings.h"
#include "settings/modSaveLoadSettings.h"
#include "tests/system/system_fixture.h"

#include "platform/sim/kernel/paths.h"

#include <fstream>
#include <iterator>

namespace {

class ColourPathTest : public SystemTest {
protected:
    // Starts the program and shows the settings window on its Colors page.
    frmSettings& show_colors_page()
    {
        start();
        frmSettings* settings = nullptr;
        run([&] {
            settings = &program().form<frmSettings>();
            settings->Show();
            settings->Picture1[1].Visible(true);
        });
        wait_ticks(2);
        return *settings;
    }

    void click_control(const runtime::Control& control)
    {
        RECT rect {};
        sim::driver::run_program([&] { GetWindowRect(control.hWnd(), &rect); });
        sim::driver::click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        wait_ticks(1);
    }

    void click_in_picker(int x, int y)
    {
        RECT client = sim::driver::window_state(picker().hWnd())->client;
        sim::driver::click(client.left + x, client.top + y);
        wait_ticks(1);
    }

    frmColor& picker()
    {
        frmColor* form = nullptr;
        run([&] { form = &program().form<frmColor>(); });
        return *form;
    }

    static std::string data_file()
    {
        std::ifstream file(sim::host_path(std::string(sim::kelmor_program_folder) + "\\data.dat"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
};

TEST_F(ColourPathTest, PickedCaptionColourReachesSwatchFileAndBorders)
{
    frmSettings& settings = show_colors_page();
    open_adopted_window("Editor");
    open_adopted_window("Notes");
    ASSERT_EQ(borders().size(), 2u);
    run([&] { settings.Picture3.BackColor(RGB(0, 0, 255)); });

    click_control(settings.Command3);
    frmColor& form = picker();
    ASSERT_TRUE(form.Visible());
    EXPECT_EQ(form.Caption(), "Kelmor - Captioncolor");

    EXPECT_EQ(form.lblSelColor.BackColor(), RGB(0, 0, 255));

    // 130 pixels right and 190 down in the square of pure blue.
    click_in_picker(140, 200);
    long picked = form.lblSelColor.BackColor();
    EXPECT_EQ(picked, RGB(32, 32, 65));
    click_control(form.Command1);
    EXPECT_FALSE(picker().Visible());
    EXPECT_EQ(settings.Picture3.BackColor(), picked);

    // What the settings window's Close does with it.
    run([&] { SaveSettings(program()); });
    EXPECT_NE(data_file().find("\r\nCAPTIONCOLOR_VAL:" + std::to_string(picked) + "\r\n"), std::string::npos);
    EXPECT_EQ(borders().size(), 2u);
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(ColourPathTest, BorderColourOpensOnlyWhileItIsEnabled)
{
    frmSettings& settings = show_colors_page();
    click_control(settings.Command2);
    click_control(settings.Picture2);
    EXPECT_FALSE(picker().Visible());

    click_control(settings.Check3);
    ASSERT_EQ(settings.Check3.Value(), runtime::vbChecked);
    click_control(settings.Picture2);
    EXPECT_TRUE(picker().Visible());
    EXPECT_EQ(picker().Caption(), "Kelmor - Bordercolor");
    EXPECT_EQ(picker().lblSelColor.BackColor(), RGB(255, 255, 255));

    sim::driver::close(picker().hWnd());
    click_control(settings.Command2);
    ASSERT_TRUE(picker().Visible());
    click_in_picker(10, 265);
    click_control(picker().Command1);
    EXPECT_EQ(settings.Picture2.BackColor(), 0);
    EXPECT_EQ(settings.Picture3.BackColor(), 0);
    EXPECT_EQ(settings.Picture9.BackColor(), RGB(255, 255, 255));
}

}
