// Loading "\data.dat" and "\exlst.dat": what a bad line costs, how keys and numbers are read, and how
// the blur strength and the transparency come back through the settings window's load.
#include "tests/settings/settings_fixture.h"

namespace {

// Lines that a load applies after a bad one, with the exclusion list present.
const std::string LinesAfterBadLine = "SATURATION_VAL:500\r\nTRANSPARENCY_VAL:200\r\nBORDERCOLOR_VAL:255\r\n";

struct BadLine {
    const char* name;
    std::string line;
};

class SettingsLoadBadLine : public SettingsTest, public ::testing::WithParamInterface<BadLine> { };

TEST_P(SettingsLoadBadLine, CostsAtMostItsOwnSettingInTheWindowAndInTheNextSave)
{
    write_program_file("data.dat", "REFLECTIONS:1\r\nHUE_VAL:100\r\n" + GetParam().line + "\r\n" + LinesAfterBadLine);
    write_program_file("exlst.dat", "notepad.exe\r\n");
    frmSettings& settings = start_settings_window();

    EXPECT_EQ(settings.Check1.Value(), 1);
    EXPECT_TRUE(globals().ReflectionsOn);
    EXPECT_EQ(settings.scrHue.Value(), 100);
    EXPECT_EQ(settings.scrSaturation.Value(), 500);
    EXPECT_EQ(settings.HScroll1.Value(), 200);
    EXPECT_EQ(globals().TransparencyPercent, 20);
    EXPECT_EQ(settings.Picture2.BackColor(), 255);
    EXPECT_EQ(settings.List1.ListCount(), 1);
    EXPECT_EQ(globals().VersionString, "3.0");
    EXPECT_TRUE(m_fatal_errors.empty());

    save();
    std::string saved = read_program_file("data.dat").value_or("");
    for (const char* line : { "REFLECTIONS:1\r\n", "HUE_VAL:100\r\n", "SATURATION_VAL:500\r\n", "TRANSPARENCY_VAL:200\r\n",
             "BORDERCOLOR_VAL:255\r\n" })
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    EXPECT_EQ(read_program_file("exlst.dat"), "notepad.exe\r\n");
}

INSTANTIATE_TEST_SUITE_P(BadLines, SettingsLoadBadLine,
    ::testing::Values(BadLine { "EmptyLine", "" }, BadLine { "BlankInsteadOfColon", "HUE_VAL 5" },
        BadLine { "ScrollValueAboveMax", "HUE_VAL:4000" }, BadLine { "ScrollValueBelowMin", "BLUR_VAL:-31" },
        BadLine { "CheckValueThree", "BLUR:3" }, BadLine { "CheckValueMinusOne", "STARTUP:-1" },
        BadLine { "BeyondSixteenBits", "REFLECTIONS:32768" },
        BadLine { "ColourBeyondThirtyTwoBits", "BORDERCOLOR_VAL:2147483648" },
        BadLine { "ViewIndexFour", "DESKTOPSTYLE:4" }, BadLine { "ViewIndexMinusOne", "DESKTOPSTYLE:-1" },
        BadLine { "ColourDialogOutOfRange", "COL_TRANSPARENCY:1" }),
    [](const ::testing::TestParamInfo<BadLine>& info) { return info.param.name; });

TEST_F(SettingsTest, EachFileIsReadWithoutTheOther)
{
    write_program_file("exlst.dat", "notepad.exe\r\n");
    frmSettings& first_run = start_settings_window();
    ASSERT_EQ(first_run.List1.ListCount(), 1);
    EXPECT_EQ(first_run.List1.List(0), "notepad.exe");
    EXPECT_EQ(globals().VersionString, "");

    restart_program();
    std::filesystem::remove(program_file("exlst.dat"));
    write_program_file("data.dat", "SATURATION_VAL:500\r\n");
    frmSettings& without_list = start_settings_window();
    EXPECT_EQ(without_list.scrSaturation.Value(), 500);
    EXPECT_EQ(globals().VersionString, "3.0");
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(SettingsTest, KeysAreExactAndOthersAreReadPast)
{
    write_program_file("data.dat",
        "reflections:1\r\nEFFECTS:1\r\nFADEOUT_VAL:9\r\nFADEIN_VAL:9\r\nVERSION:9.9\r\nNOSUCHKEY:x\r\n"
        ":1\r\nBLUR_VAL :-5\r\nBC:a:b:c\r\nSATURATION_VAL:300\r\n");
    write_program_file("exlst.dat", "\r\n a.exe \r\n\r\nb.exe");
    frmSettings& settings = start_settings_window();

    EXPECT_EQ(settings.Check1.Value(), 0);
    EXPECT_EQ(settings.VScroll1.Value(), -8);
    EXPECT_EQ(globals().ColorSchemeFile, "a:b:c");
    EXPECT_EQ(settings.scrSaturation.Value(), 300);
    ASSERT_EQ(settings.List1.ListCount(), 2);
    EXPECT_EQ(settings.List1.List(0), " a.exe ");
    EXPECT_EQ(settings.List1.List(1), "b.exe");
    EXPECT_EQ(globals().VersionString, "3.0");
}

TEST_F(SettingsTest, EmptySchemeLineGivesEmptySchemeFile)
{
    write_program_file("data.dat", "BC:cb.rcol\r\nBC:\r\n");
    write_program_file("exlst.dat", "");
    start_settings_window();
    EXPECT_EQ(globals().ColorSchemeFile, "");
    EXPECT_EQ(globals().VersionString, "3.0");
}

TEST_F(SettingsTest, NumbersReadAsValAndRoundHalfToEven)
{
    write_program_file("data.dat",
        "HUE_VAL:   1234xyz\r\nSATURATION_VAL:abc\r\nBRIGHTNESS_VAL:-12.5\r\nCONTROLBOXLIGHT_VAL:600.5\r\n"
        "REFLECTIONS:0.5\r\nCAPTIONCOLOR_VAL:+255\r\nLIFEREF_VAL:1.5\r\nTRANSPARENCY_VAL:355\r\n");
    frmSettings& settings = start_settings_window();

    EXPECT_EQ(settings.scrHue.Value(), 1234);
    EXPECT_EQ(settings.scrSaturation.Value(), 0);
    EXPECT_EQ(settings.scrBrightness.Value(), -12);
    EXPECT_EQ(settings.HScroll2.Value(), 600);
    EXPECT_EQ(settings.Check1.Value(), 0);
    EXPECT_EQ(settings.Picture3.BackColor(), 255);
    EXPECT_EQ(settings.HScroll5.Value(), 2);
    EXPECT_EQ(globals().TransparencyPercent, 36);
    EXPECT_EQ(settings.HScroll1.Value(), 360);
    EXPECT_EQ(settings.Label4.Caption(), "36 %");
}

TEST_F(SettingsTest, TransparencyRoundsToEvenPercentAtStartUp)
{
    write_program_file("data.dat", "TRANSPARENCY_VAL:25\r\n");
    frmSettings& settings = start_settings_window();
    EXPECT_EQ(globals().TransparencyPercent, 2);
    EXPECT_EQ(settings.HScroll1.Value(), 20);
}

class SavedBlurStrength : public SettingsTest, public ::testing::WithParamInterface<int> { };

TEST_P(SavedBlurStrength, ComesBackExactly)
{
    write_program_file("data.dat", "BLUR:1\r\nBLUR_VAL:" + std::to_string(GetParam()) + "\r\n");
    frmSettings& settings = start_settings_window();
    EXPECT_EQ(settings.VScroll1.Value(), GetParam());
    EXPECT_EQ(globals().BlurAmount, -GetParam());
    EXPECT_EQ(settings.Label3.Caption(), "Strength:  " + std::to_string(1 - GetParam()));
}

INSTANTIATE_TEST_SUITE_P(EveryStrength, SavedBlurStrength, ::testing::Range(-30, 0));

TEST_F(SettingsTest, BlurStrengthZeroAndOneFollowTheStartValueAndSwitchOff)
{
    write_program_file("data.dat", "BLUR:0\r\nBLUR_VAL:0\r\n");
    frmSettings& zero = start_settings_window();
    EXPECT_EQ(zero.VScroll1.Value(), -8);
    EXPECT_EQ(globals().BlurAmount, 8);

    restart_program();
    write_program_file("data.dat", "BLUR:0\r\nBLUR_VAL:1\r\n");
    frmSettings& off = start_settings_window();
    EXPECT_EQ(off.VScroll1.Value(), 0);
    EXPECT_EQ(globals().BlurAmount, 0);
    EXPECT_EQ(off.Label3.Caption(), "Strength:  1");
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(SettingsTest, BorderColourFlagsChangeOnlyWhenTheBoxChanges)
{
    write_program_file("data.dat", "BORDERCOLOR:0\r\n");
    start_settings_window();
    EXPECT_TRUE(globals().BorderColorOn);
    EXPECT_TRUE(globals().BorderColorOff);

    restart_program();
    write_program_file("data.dat", "BORDERCOLOR:1\r\n");
    frmSettings& ticked = start_settings_window();
    EXPECT_TRUE(globals().BorderColorOn);
    EXPECT_FALSE(globals().BorderColorOff);
    EXPECT_TRUE(ticked.Picture2.Enabled());
    EXPECT_TRUE(ticked.Command2.Enabled());
}

TEST_F(SettingsTest, ViewIndexSelectsOneOption)
{
    write_program_file("data.dat", "DESKTOPSTYLE:2\r\n");
    frmSettings& settings = start_settings_window();
    EXPECT_TRUE(settings.Option1[2].Value());
    EXPECT_FALSE(settings.Option1[1].Value());
}

}
