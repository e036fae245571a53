// frmSettings: the settings window. Its controls are the live settings of the program; their change
// handlers set the program-wide variables and the states of the controls that depend on them.
#pragma once

#include "runtime/forms.h"

#include <optional>
#include <string>

class frmSettings : public runtime::Form {
public:
    explicit frmSettings(runtime::Program& program);

    // The pages of the window; each control below sits on its page.
    runtime::ControlArray<runtime::PictureBox> Picture1 { *this, "Picture1", 10 };

    // Page 0, Blur.
    runtime::CheckBox Check2 { Picture1[0], "Check2" };
    runtime::VScrollBar VScroll1 { Picture1[0], "VScroll1" };
    runtime::Label Label3 { Picture1[0], "Label3" };
    runtime::CheckBox Check12 { Picture1[0], "Check12" };

    // Page 1, Colors.
    runtime::HScrollBar scrHue { Picture1[1], "scrHue" };
    runtime::Label labHue { Picture1[1], "labHue" };
    runtime::HScrollBar scrSaturation { Picture1[1], "scrSaturation" };
    runtime::Label labSaturation { Picture1[1], "labSaturation" };
    runtime::HScrollBar scrBrightness { Picture1[1], "scrBrightness" };
    runtime::Label labBrightness { Picture1[1], "labBrightness" };
    runtime::PictureBox Picture3 { Picture1[1], "Picture3" };
    runtime::CommandButton Command3 { Picture1[1], "Command3" };
    runtime::PictureBox Picture9 { Picture1[1], "Picture9" };
    runtime::CommandButton Command5 { Picture1[1], "Command5" };
    runtime::CheckBox Check3 { Picture1[1], "Check3" };
    runtime::PictureBox Picture2 { Picture1[1], "Picture2" };
    runtime::CommandButton Command2 { Picture1[1], "Command2" };

    // Page 2, Reflections.
    runtime::CheckBox Check1 { Picture1[2], "Check1" };
    runtime::CheckBox Check7 { Picture1[2], "Check7" };

    // Page 3, Startup.
    runtime::CheckBox Check11 { Picture1[3], "Check11" };

    // Page 4, Transparency.
    runtime::CheckBox Check4 { Picture1[4], "Check4" };
    runtime::Label Label6 { Picture1[4], "Label6" };
    runtime::HScrollBar HScroll1 { Picture1[4], "HScroll1" };
    runtime::Label Label4 { Picture1[4], "Label4" };
    runtime::CheckBox Check6 { Picture1[4], "Check6" };

    // Page 5, Controlbox (never shown).
    runtime::CheckBox Check5 { Picture1[5], "Check5" };
    runtime::HScrollBar HScroll2 { Picture1[5], "HScroll2" };
    runtime::Label Label7 { Picture1[5], "Label7" };
    runtime::Label Label8 { Picture1[5], "Label8" };

    // Page 6, Borderlines.
    runtime::PictureBox Picture12 { Picture1[6], "Picture12" };
    runtime::CommandButton Command8 { Picture1[6], "Command8" };
    runtime::PictureBox Picture13 { Picture1[6], "Picture13" };
    runtime::CommandButton Command9 { Picture1[6], "Command9" };
    runtime::PictureBox Picture14 { Picture1[6], "Picture14" };
    runtime::CommandButton Command10 { Picture1[6], "Command10" };

    // Page 7, Exclusions: the executables that never get a border.
    runtime::Label Label10 { Picture1[7], "Label10" };
    runtime::ListBox List1 { Picture1[7], "List1" };

    // Page 8, Change Style.
    runtime::CheckBox Check9 { Picture1[8], "Check9" };
    runtime::CheckBox Check10 { Picture1[8], "Check10" };
    runtime::ControlArray<runtime::OptionButton> Option1 { Picture1[8], "Option1", 4 };
    runtime::CheckBox Check13 { Picture1[8], "Check13" };
    runtime::CheckBox Check14 { Picture1[8], "Check14" };

    // Page 9, LiveReflection.
    runtime::CheckBox Check15 { Picture1[9], "Check15" };
    runtime::HScrollBar HScroll5 { Picture1[9], "HScroll5" };
    runtime::Label Label17 { Picture1[9], "Label17" };
    runtime::HScrollBar HScroll6 { Picture1[9], "HScroll6" };
    runtime::Label Label19 { Picture1[9], "Label19" };

    // The version label; the program's version text is its caption from the 9th character on.
    runtime::Label Label13 { *this, "Label13" };

    void Form_Load() override;

    // Repaints every border window and gives it the current transparency.
    void UpdateWindows();

    // Opens the colour picker, created afresh, for the swatch iColorIndex names with the colour in
    // ColorR, ColorG and ColorB, under the caption given.
    void ShowColDialog(int iColorIndex, std::optional<std::string> cCaption = {});
    // The colour swatch a ColorIndex names: 0 border, 1 caption, 2 caption halo, 3 outer border
    // line, 4 inner border line, 5 bidirectional light; none for any other index.
    runtime::PictureBox* colour_swatch(int ColorIndex);

    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check9_Click();
    void Check10_Click();
    void Check11_Click();
    void Check12_Click();
    void Check15_Click();
    void Option1_Click(int Index);
    void VScroll1_Change();
    void scrHue_Change();
    void scrSaturation_Change();
    void scrBrightness_Change();
    void HScroll1_Change();
    void HScroll2_Change();
    void HScroll5_Change();
    void HScroll6_Change();
    // The "Choose color..." buttons of the six swatches, and the border swatch itself.
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Picture2_Click();

private:
    void set_designer_values();
    void wire_events();
    // Hands a colour to the picker as ColorR, ColorG and ColorB.
    void SplitColor(const long& c);
    // Opens the picker for one swatch with that swatch's colour.
    void choose_colour(int iColorIndex);

    long SavedDeltaX = 0;
    long SavedDeltaY = 0;
};
