// The settings window's own handlers: the version comparison of the update check, the live
// desktop and autostart settings, the info toggle and the exclusion editor.
#include "settings/modUpdateCheck.h"
#include "webcam/frmCAM.h"
#include "tests/settings/settings_fixture.h"

#include "platform/sim/shell/registry_store.h"
#include "platform/sim/shell/shell_windows.h"

namespace {

TEST(UpdateVersion, PartsCompareAsNumbersAndMissingPartsCountZero)
{
    EXPECT_TRUE(IsNewerVersion("3.1", "3.0"));
    EXPECT_TRUE(IsNewerVersion("3.0.1", "3.0"));
    EXPECT_TRUE(IsNewerVersion("4", "3.0"));
    EXPECT_TRUE(IsNewerVersion(" 3.1\r\n", "3.0"));
    EXPECT_TRUE(IsNewerVersion("0.1", ""));
    EXPECT_FALSE(IsNewerVersion("3.0", "3.0"));
    EXPECT_FALSE(IsNewerVersion("3.0.0", "3.0"));
    EXPECT_FALSE(IsNewerVersion("2.9.9", "3.0"));
    EXPECT_FALSE(IsNewerVersion("2.10", "3.0"));
    EXPECT_FALSE(IsNewerVersion("new version", "3.0"));
    EXPECT_FALSE(IsNewerVersion("", "3.0"));
    EXPECT_TRUE(IsNewerVersion("3.10", "3.9"));
    EXPECT_FALSE(IsNewerVersion("99999999999999999999", "99999999999"));
}

constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST_F(SettingsTest, LiveDesktopAndAutostartSettingsTakeEffectAtOnce)
{
    frmSettings& settings = start_settings_window();
    run([&] { settings.Check11.Value(runtime::vbChecked); });
    // Quoted, so that a folder with a blank cannot run another program in its place.
    EXPECT_EQ(sim::string_value(HKEY_CURRENT_USER, RunKey, "Kelmor"),
        "\"" + std::string(sim::kelmor_program_folder) + "\\Kelmor 2.exe\"");
    run([&] { settings.Check11.Value(runtime::vbUnchecked); });
    EXPECT_EQ(sim::string_value(HKEY_CURRENT_USER, RunKey, "Kelmor"), "");

    run([&] { settings.Check10.Value(runtime::vbChecked); });
    EXPECT_FALSE(IsWindowVisible(sim::program_manager_window()));
    run([&] { settings.Check10.Value(runtime::vbUnchecked); });
    EXPECT_TRUE(IsWindowVisible(sim::program_manager_window()));

    const std::pair<int, sim::DesktopView> views[] = { { 3, sim::DesktopView::Details },
        { 0, sim::DesktopView::List }, { 2, sim::DesktopView::SmallIcons }, { 1, sim::DesktopView::Icons } };
    for (auto [option, view] : views) {
        run([&, option = option] { settings.Option1[option].Value(true); });
        EXPECT_EQ(sim::desktop_view(), view) << option;
    }

    EXPECT_FALSE(settings.Label18.Visible());
    run([&] { settings.Picture10_Click(); });
    EXPECT_TRUE(settings.Label18.Visible());
    run([&] { settings.Picture10_Click(); });
    EXPECT_FALSE(settings.Label18.Visible());
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(SettingsTest, ExclusionEditorAddsTheChosenFileAndChangesTheFileOnlyAtASave)
{
    std::ofstream(sim::host_path("C:\\Windows\\notepad.exe")) << "MZ";
    write_program_file("exlst.dat", "calc.exe\r\n");
    write_program_file("data.dat", "REFLECTIONS:0\r\n");
    frmSettings& settings = start_settings_window();
    ASSERT_EQ(settings.List1.ListCount(), 1);

    auto choose_notepad = [&] {
        settings.Command6_Click();
        EXPECT_TRUE(settings.Picture11.Visible());
        EXPECT_EQ(settings.Command6.Caption(), "OK");
        EXPECT_TRUE(settings.Command7.Visible());
        settings.Dir1.Path("C:\\Windows");
        for (int row = 0; row < settings.File1.ListCount(); ++row) {
            if (settings.File1.List(row) == "notepad.exe")
                settings.File1.ListIndex(row);
        }
    };
    // Cancel adds nothing; OK adds the bare file name, twice when chosen twice.
    run([&] {
        choose_notepad();
        settings.Command7_Click();
    });
    EXPECT_FALSE(settings.Picture11.Visible());
    EXPECT_EQ(settings.Command6.Caption(), "Browse...");
    EXPECT_EQ(settings.List1.ListCount(), 1);
    run([&] {
        choose_notepad();
        settings.Command6_Click();
        choose_notepad();
        settings.Command6_Click();
    });
    ASSERT_EQ(settings.List1.ListCount(), 3);
    EXPECT_EQ(settings.List1.List(2), "notepad.exe");
    EXPECT_EQ(read_program_file("exlst.dat"), "calc.exe\r\n");

    // "Remove entry" removes the selected entry only.
    run([&] {
        settings.List1.ListIndex(-1);
        settings.RemoveEntry_Click();
    });
    EXPECT_EQ(settings.List1.ListCount(), 3);
    run([&] {
        settings.List1.ListIndex(0);
        settings.RemoveEntry_Click();
    });
    EXPECT_EQ(settings.List1.ListCount(), 2);
    save();
    EXPECT_EQ(read_program_file("exlst.dat"), "notepad.exe\r\nnotepad.exe\r\n");
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(SettingsTest, TheListIsReadAndKeptWhateverTheSettingsFileHolds)
{
    write_program_file("data.dat", "BLUR:7\r\n");
    write_program_file("exlst.dat", "calc.exe\r\n");
    frmSettings& settings = start_settings_window();
    EXPECT_EQ(settings.List1.ListCount(), 1);
    save();
    EXPECT_EQ(read_program_file("exlst.dat"), "calc.exe\r\n");

    std::ofstream(sim::host_path("C:\\Windows\\notepad.exe")) << "MZ";
    run([&] {
        settings.Command6_Click();
        settings.Dir1.Path("C:\\Windows");
        settings.File1.ListIndex(0);
        settings.Command6_Click();
    });
    save();
    EXPECT_EQ(read_program_file("exlst.dat"), "calc.exe\r\n" + settings.File1.List(0) + "\r\n");
}

}

namespace {

TEST_F(SettingsTest, EveryCloseSavesHidesAndResumesTheWebcamLoopOnlyWhenTicked)
{
    frmSettings& settings = start_settings_window();
    frmCAM* cam = nullptr;
    run([&] {
        cam = &program().form<frmCAM>();
        settings.Show();
        cam->tmrMain.Enabled(false);
        settings.Command1_Click();
    });
    EXPECT_FALSE(settings.Visible());
    EXPECT_FALSE(cam->tmrMain.Enabled());
    EXPECT_TRUE(read_program_file("data.dat").has_value());

    // The close box acts as Close: the window stays loaded and the timer runs again.
    write_program_file("data.dat", "");
    run([&] {
        settings.Check15.Value(runtime::vbChecked);
        settings.Show();
        cam->tmrMain.Enabled(false);
        EXPECT_FALSE(program().unload(settings, runtime::vbFormControlMenu));
    });
    EXPECT_TRUE(program().is_loaded<frmSettings>());
    EXPECT_FALSE(settings.Visible());
    EXPECT_TRUE(cam->tmrMain.Enabled());
    EXPECT_NE(read_program_file("data.dat"), "");
    EXPECT_TRUE(m_fatal_errors.empty());
}

}

namespace {

TEST_F(SettingsTest, TheCaptionSwatchTakesTheSystemDialogsColourAndCancelKeepsIt)
{
    frmSettings& settings = start_settings_window();
    run([&] {
        settings.Picture2.BackColor(RGB(1, 2, 3));
        settings.Picture3.BackColor(RGB(10, 20, 30));
    });
    sim::driver::answer_color_dialog(RGB(0, 255, 0));
    run([&] { settings.Picture3_Click(); });
    EXPECT_EQ(settings.Picture3.BackColor(), RGB(0, 255, 0));
    EXPECT_EQ(settings.Picture2.BackColor(), RGB(1, 2, 3)) << "the border colour is not the caption's";

    sim::driver::cancel_color_dialog();
    run([&] { settings.Picture3_Click(); });
    EXPECT_EQ(settings.Picture3.BackColor(), RGB(0, 255, 0));
    EXPECT_EQ(settings.Picture2.BackColor(), RGB(1, 2, 3));
    EXPECT_TRUE(m_fatal_errors.empty());
}

}
