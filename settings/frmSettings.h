// frmSettings: the settings window. Its controls are the live settings of the program; their change
// handlers set the program-wide variables and the states of the controls that depend on them.
#pragma once

#include "runtime/forms.h"

#include <optional>
#include <string>

class frmSettings : public runtime::Form {
public:
    explicit frmSettings(runtime::Program& program);

    // The menu panel on the left: its items, the highlight bar over the item under the pointer,
    // and the scratch box the highlight is rendered in.
    runtime::PictureBox Picture4 { *this, "Picture4" };
    runtime::ControlArray<runtime::Label> Label1 { Picture4, "Label1", 12 };
    runtime::PictureBox Picture5 { Picture4, "Picture5" };
    runtime::PictureBox Picture6 { *this, "Picture6" };
    runtime::LineControl Line1 { *this, "Line1" };
    runtime::LineControl Line2 { *this, "Line2" };
    // The page title, and the notice of a newer version.
    runtime::Label Label2 { *this, "Label2" };
    runtime::Label Label12 { *this, "Label12" };
    // The update page and the control that fetches from the update server.
    runtime::RichTextBox RTF1 { *this, "RTF1" };
    runtime::Inet Inet1 { *this, "Inet1" };

    // The pages of the window; each control below sits on its page.
    runtime::ControlArray<runtime::PictureBox> Picture1 { *this, "Picture1", 10 };

    // Page 0, Blur.
    runtime::CheckBox Check2 { Picture1[0], "Check2" };
    runtime::VScrollBar VScroll1 { Picture1[0], "VScroll1" };
    runtime::Label Label3 { Picture1[0], "Label3" };
    runtime::CheckBox Check12 { Picture1[0], "Check12" };

    // Page 1, Colors.
    runtime::Frame Frame1 { Picture1[1], "Frame1" };
    runtime::HScrollBar scrHue { Frame1, "scrHue" };
    runtime::Label labHue { Frame1, "labHue" };
    runtime::HScrollBar scrSaturation { Frame1, "scrSaturation" };
    runtime::Label labSaturation { Frame1, "labSaturation" };
    runtime::Frame Frame2 { Picture1[1], "Frame2" };
    runtime::HScrollBar scrBrightness { Frame2, "scrBrightness" };
    runtime::Label labBrightness { Frame2, "labBrightness" };
    runtime::Frame Frame4 { Picture1[1], "Frame4" };
    runtime::PictureBox Picture3 { Frame4, "Picture3" };
    runtime::CommandButton Command3 { Frame4, "Command3" };
    runtime::Frame Frame5 { Picture1[1], "Frame5" };
    runtime::PictureBox Picture9 { Frame5, "Picture9" };
    runtime::CommandButton Command5 { Frame5, "Command5" };
    runtime::Frame Frame3 { Picture1[1], "Frame3" };
    runtime::CheckBox Check3 { Frame3, "Check3" };
    runtime::PictureBox Picture2 { Frame3, "Picture2" };
    runtime::CommandButton Command2 { Frame3, "Command2" };
    // Shown instead of the two frames while reflections are on.
    runtime::Label Label15 { Picture1[1], "Label15" };

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
    runtime::Frame Frame6 { Picture1[6], "Frame6" };
    runtime::PictureBox Picture12 { Frame6, "Picture12" };
    runtime::CommandButton Command8 { Frame6, "Command8" };
    runtime::Frame Frame7 { Picture1[6], "Frame7" };
    runtime::PictureBox Picture13 { Frame7, "Picture13" };
    runtime::CommandButton Command9 { Frame7, "Command9" };
    runtime::Frame Frame8 { Picture1[6], "Frame8" };
    runtime::PictureBox Picture14 { Frame8, "Picture14" };
    runtime::CommandButton Command10 { Frame8, "Command10" };

    // Page 7, Exclusions: the executables that never get a border, and the file browser that
    // adds to them.
    runtime::Label Label10 { Picture1[7], "Label10" };
    runtime::ListBox List1 { Picture1[7], "List1" };
    runtime::CommandButton Command6 { Picture1[7], "Command6" };
    runtime::CommandButton Command7 { Picture1[7], "Command7" };
    runtime::PictureBox Picture11 { Picture1[7], "Picture11" };
    runtime::DriveListBox Drive1 { Picture11, "Drive1" };
    runtime::DirListBox Dir1 { Picture11, "Dir1" };
    runtime::FileListBox File1 { Picture11, "File1" };
    runtime::Menu mnuList { *this, "mnuList", "List" };
    runtime::Menu RemoveEntry { mnuList, "RemoveEntry", "Remove entry" };

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
    runtime::Label Label16 { Picture1[9], "Label16" };
    runtime::PictureBox Picture10 { Picture1[9], "Picture10" };
    runtime::Label Label18 { Picture1[9], "Label18" };

    // "Close", over every page.
    runtime::CommandButton Command1 { *this, "Command1" };

    // The caption colour's system dialog.
    runtime::CommonDialog CD1 { *this, "CD1" };

    // The blurred-taskbar wallpaper's work boxes, never shown, and its renderer's button.
    runtime::PictureBox Picture8 { *this, "Picture8" };
    runtime::PictureBox Picture7 { *this, "Picture7" };
    runtime::CommandButton Command4 { *this, "Command4" };

    // The version label; the program's version text is its caption from the 9th character on.
    runtime::Label Label13 { *this, "Label13" };

    void Form_Load() override;
    // The close box acts as Close: the window is saved and hidden, never unloaded.
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y);
    void Picture4_MouseMove(int Button, int Shift, float X, float Y);
    void Label1_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Label1_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Picture5_MouseDown(int Button, int Shift, float X, float Y);
    void Command1_Click();
    void Label12_Click();
    void Label12_MouseMove(int Button, int Shift, float X, float Y);

    // Repaints every border window and gives it the current transparency.
    void UpdateWindows();

    // Opens the colour picker, created afresh, for the swatch iColorIndex names with the colour in
    // ColorR, ColorG and ColorB, under the caption given.
    void ShowColDialog(int iColorIndex, std::optional<std::string> cCaption = {});
    // The colour swatch a ColorIndex names: 0 border, 1 caption, 2 caption halo, 3 outer border
    // line, 4 inner border line, 5 bidirectional light; none for any other index.
    runtime::PictureBox* colour_swatch(int ColorIndex);

    void Check1_Click();
    void Command4_Click();
    void Command6_Click();
    void Command7_Click();
    void Drive1_Change();
    void Dir1_Change();
    void List1_MouseUp(int Button, int Shift, float X, float Y);
    void RemoveEntry_Click();
    void Picture3_Click();
    void Picture10_Click();
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

    // The menu item last under the pointer, and whether an item was clicked (the pressed light).
    int MenuIndex = 0;
    bool MenuDown = false;

private:
    void set_designer_values();
    void set_menu_designer_values();
    void wire_events();
    void wire_menu_events();
    // Where the highlight bar stands over an item, in the panel's pixels.
    float highlight_top(int Index);
    // Saves the settings and hides the window, as every Close does.
    void close_window();
    // Hands a colour to the picker as ColorR, ColorG and ColorB.
    void SplitColor(const long& c);
    // Opens the picker for one swatch with that swatch's colour.
    void choose_colour(int iColorIndex);

    long SavedDeltaX = 0;
    long SavedDeltaY = 0;
};
