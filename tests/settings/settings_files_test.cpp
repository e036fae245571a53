// The settings files as a whole: the first run, the exact bytes a save writes, a save and load
// giving back every value, and saves that fail without harming the files already there.
#include "tests/settings/settings_fixture.h"

namespace {

std::string file_of(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

const std::string FirstRunFile = file_of({ "REFLECTIONS:0", "BLUR:0", "BORDERCOLOR:0", "TRANSPARENCY:0",
    "CONTROLBOXLIGHT:0", "ABBERATION:0", "VISTASTYLE:0", "HIDEDESKTOP:0", "STARTUP:0", "BLURTASKBAR:0",
    "BLUR_VAL:-8", "HUE_VAL:0", "SATURATION_VAL:100", "BRIGHTNESS_VAL:0", "TRANSPARENCY_VAL:0",
    "CONTROLBOXLIGHT_VAL:500", "BORDERCOLOR_VAL:16777215", "CAPTIONCOLOR_VAL:0", "KEXPLEMU:0", "KWMP11EMU:0",
    "COL_TRANSPARENCY:0", "BC:", "LIFEREF:0", "LIFEREF_VAL:0", "LIFEREF_ZOOM:45", "OUTB_COL:16777215",
    "INB_COL:16777215", "BIDIR_COL:16777215", "VERSION:3.0", "DESKTOPSTYLE:1" });

TEST_F(SettingsTest, FirstRunKeepsDesignerAndStartValuesAndFirstSaveWritesBothFiles)
{
    frmSettings& settings = start_settings_window();

    EXPECT_EQ(settings.VScroll1.Value(), -8);
    EXPECT_EQ(globals().BlurAmount, 8);
    EXPECT_EQ(settings.Label3.Caption(), "Strength:  9");
    EXPECT_EQ(globals().TransparencyPercent, 0);
    EXPECT_EQ(settings.HScroll1.Value(), 0);
    EXPECT_TRUE(globals().BorderColorOn);
    EXPECT_TRUE(globals().BorderColorOff);
    EXPECT_EQ(settings.Picture2.BackColor(), 16777215);
    EXPECT_EQ(settings.Picture3.BackColor(), 0);
    EXPECT_EQ(settings.Picture12.BackColor(), 16777215);
    EXPECT_TRUE(settings.Option1[1].Value());
    EXPECT_EQ(settings.List1.ListCount(), 0);
    EXPECT_EQ(globals().VersionString, "");
    EXPECT_TRUE(m_fatal_errors.empty());

    save();
    EXPECT_EQ(read_program_file("data.dat"), FirstRunFile);
    EXPECT_EQ(read_program_file("exlst.dat"), "");
}

TEST_F(SettingsTest, SaveWritesEveryValueInOrderAndLoadGivesItBack)
{
    frmSettings& settings = start_settings_window();
    run([&] {
        settings.Check1.Value(1);
        settings.Check2.Value(1);
        settings.Check3.Value(1);
        settings.Check4.Value(1);
        settings.Check5.Value(1);
        settings.Check7.Value(1);
        settings.Check13.Value(1);
        settings.Check14.Value(1);
        settings.VScroll1.Value(-12);
        settings.scrHue.Value(1800);
        settings.scrSaturation.Value(250);
        settings.scrBrightness.Value(-2550);
        settings.HScroll1.Value(350);
        settings.HScroll2.Value(2550);
        settings.Picture2.BackColor(0x123456);
        settings.Picture3.BackColor(0xABCDEF);
        settings.Picture12.BackColor(1);
        settings.Picture13.BackColor(2);
        settings.Picture14.BackColor(3);
        colour_dialog().HScroll1.Value(-255);
        globals().ColorSchemeFile = "cr.rcol";
        settings.HScroll5.Value(128);
        settings.HScroll6.Value(66);
        settings.Option1[3].Value(true);
        settings.List1.AddItem("notepad.exe");
        settings.List1.AddItem(" Calc.EXE ");
        settings.List1.AddItem("notepad.exe");
    });
    save();

    EXPECT_EQ(read_program_file("data.dat"),
        file_of({ "REFLECTIONS:1", "BLUR:1", "BORDERCOLOR:1", "TRANSPARENCY:1", "CONTROLBOXLIGHT:1", "ABBERATION:1",
            "VISTASTYLE:0", "HIDEDESKTOP:0", "STARTUP:0", "BLURTASKBAR:0", "BLUR_VAL:-12", "HUE_VAL:1800",
            "SATURATION_VAL:250", "BRIGHTNESS_VAL:-2550", "TRANSPARENCY_VAL:350", "CONTROLBOXLIGHT_VAL:2550",
            "BORDERCOLOR_VAL:1193046", "CAPTIONCOLOR_VAL:11259375", "KEXPLEMU:1", "KWMP11EMU:1",
            "COL_TRANSPARENCY:-255", "BC:cr.rcol", "LIFEREF:0", "LIFEREF_VAL:128", "LIFEREF_ZOOM:66",
            "OUTB_COL:1", "INB_COL:2", "BIDIR_COL:3", "VERSION:3.0", "DESKTOPSTYLE:3" }));
    EXPECT_EQ(read_program_file("exlst.dat"), file_of({ "notepad.exe", " Calc.EXE ", "notepad.exe" }));

    restart_program();
    frmSettings& loaded = start_settings_window();
    EXPECT_EQ(loaded.Check1.Value(), 1);
    EXPECT_TRUE(globals().ReflectionsOn);
    EXPECT_EQ(loaded.Check2.Value(), 1);
    EXPECT_EQ(loaded.Check3.Value(), 1);
    EXPECT_TRUE(globals().BorderColorOn);
    EXPECT_FALSE(globals().BorderColorOff);
    EXPECT_EQ(loaded.Check4.Value(), 1);
    EXPECT_EQ(loaded.Check5.Value(), 1);
    EXPECT_EQ(loaded.Check7.Value(), 1);
    EXPECT_EQ(loaded.Check13.Value(), 1);
    EXPECT_EQ(loaded.Check14.Value(), 1);
    EXPECT_EQ(loaded.VScroll1.Value(), -12);
    EXPECT_EQ(globals().BlurAmount, 12);
    EXPECT_EQ(loaded.scrHue.Value(), 1800);
    EXPECT_EQ(loaded.labHue.Caption(), "180");
    EXPECT_EQ(loaded.scrSaturation.Value(), 250);
    EXPECT_EQ(loaded.labSaturation.Caption(), "25");
    EXPECT_EQ(loaded.scrBrightness.Value(), -2550);
    EXPECT_EQ(loaded.labBrightness.Caption(), "0");
    EXPECT_EQ(loaded.HScroll1.Value(), 350);
    EXPECT_EQ(globals().TransparencyPercent, 35);
    EXPECT_EQ(loaded.Label4.Caption(), "35 %");
    EXPECT_EQ(loaded.HScroll2.Value(), 2550);
    EXPECT_EQ(loaded.Picture2.BackColor(), 0x123456);
    EXPECT_EQ(loaded.Picture3.BackColor(), 0xABCDEF);
    EXPECT_EQ(loaded.Picture12.BackColor(), 1);
    EXPECT_EQ(loaded.Picture13.BackColor(), 2);
    EXPECT_EQ(loaded.Picture14.BackColor(), 3);
    EXPECT_EQ(colour_dialog().HScroll1.Value(), -255);
    EXPECT_EQ(globals().ColorSchemeFile, "cr.rcol");
    EXPECT_EQ(loaded.HScroll5.Value(), 128);
    EXPECT_EQ(loaded.Label17.Caption(), "Transparency: 128");
    EXPECT_EQ(loaded.HScroll6.Value(), 66);
    EXPECT_EQ(loaded.Label19.Caption(), "Zoom: 51%");
    EXPECT_TRUE(loaded.Option1[3].Value());
    EXPECT_FALSE(loaded.Option1[1].Value());
    ASSERT_EQ(loaded.List1.ListCount(), 3);
    EXPECT_EQ(loaded.List1.List(1), " Calc.EXE ");
    EXPECT_EQ(globals().VersionString, "3.0");
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(SettingsTest, SaveWithoutSelectedViewWritesTwentyNineLines)
{
    frmSettings& settings = start_settings_window();
    run([&] { settings.Option1[1].Value(false); });
    save();
    std::string expected = FirstRunFile.substr(0, FirstRunFile.find("DESKTOPSTYLE"));
    EXPECT_EQ(read_program_file("data.dat"), expected);
}

TEST_F(SettingsTest, FailedSaveKeepsThePreviousFiles)
{
    write_program_file("data.dat", "REFLECTIONS:1\r\n");
    write_program_file("exlst.dat", "old.exe\r\n");
    frmSettings& settings = start_settings_window();
    run([&] { settings.List1.AddItem("new.exe"); });

    // The data file cannot be written beside the old one: nothing changes, and the list is not saved either.
    std::filesystem::create_directory(program_file("data.dat.new"));
    save();
    EXPECT_EQ(read_program_file("data.dat"), "REFLECTIONS:1\r\n");
    EXPECT_EQ(read_program_file("exlst.dat"), "old.exe\r\n");
    std::filesystem::remove(program_file("data.dat.new"));

    // The list cannot be replaced: the data file is saved, the old list stays whole.
    std::filesystem::create_directory(program_file("exlst.dat.new"));
    save();
    EXPECT_EQ(read_program_file("data.dat")->substr(0, 15), "REFLECTIONS:1\r\n");
    EXPECT_EQ(read_program_file("exlst.dat"), "old.exe\r\n");
    std::filesystem::remove(program_file("exlst.dat.new"));

    save();
    EXPECT_EQ(read_program_file("exlst.dat"), "old.exe\r\nnew.exe\r\n");
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(SettingsTest, SaveThatCannotReplaceTheFileLeavesNoPartialFileBehind)
{
    start_settings_window();
    std::filesystem::create_directory(program_file("data.dat"));
    save();
    EXPECT_TRUE(std::filesystem::is_directory(program_file("data.dat")));
    EXPECT_FALSE(std::filesystem::exists(program_file("data.dat.new")));
    EXPECT_FALSE(std::filesystem::exists(program_file("exlst.dat")));
}

}
