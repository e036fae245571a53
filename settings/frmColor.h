// frmColor: the colour picker window. The user picks a colour in a colour square and a slider, in
// the hue, saturation or brightness mode, or types hue, saturation and brightness; OK writes it into
// the settings window's swatch that ColorIndex names. The chosen colour is read back from the
// pixels the picker drew (Module1).
#pragma once

#include "runtime/forms.h"

#include <string>

class frmColor : public runtime::Form {
public:
    explicit frmColor(runtime::Program& program);

    runtime::Frame Frame1 { *this, "Frame1" };
    runtime::Label Label1 { Frame1, "Label1" };
    // The preview: its back colour is the chosen colour.
    runtime::Label lblSelColor { Frame1, "lblSelColor" };

    runtime::Frame Frame2 { *this, "Frame2" };
    runtime::OptionButton optH { Frame2, "optH" };
    runtime::OptionButton optS { Frame2, "optS" };
    runtime::OptionButton optB { Frame2, "optB" };
    runtime::TextBox txtH { Frame2, "txtH" };
    runtime::TextBox txtS { Frame2, "txtS" };
    runtime::TextBox txtB { Frame2, "txtB" };
    runtime::Label lblH { Frame2, "lblH" };
    runtime::Label lblS { Frame2, "lblS" };
    runtime::Label lblBB { Frame2, "lblBB" };
    runtime::Label lblR { Frame2, "lblR" };
    runtime::Label lblG { Frame2, "lblG" };
    runtime::Label lblB { Frame2, "lblB" };
    // The chosen colour's red, green and blue; only shown.
    runtime::TextBox Text1 { Frame2, "Text1" };
    runtime::TextBox Text2 { Frame2, "Text2" };
    runtime::TextBox Text3 { Frame2, "Text3" };

    runtime::Frame Frame3 { *this, "Frame3" };
    runtime::CommandButton Command1 { *this, "Command1" };

    void Form_Load() override;
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void Form_MouseUp(int Button, int Shift, float X, float Y) override;

    // OK: writes the chosen colour into the swatch ColorIndex names, unloads the picker and repaints
    // the borders with it.
    void Command1_Click();
    void optH_Click();
    void optS_Click();
    void optB_Click();
    void txtH_KeyUp(int& KeyCode, int Shift);
    void txtS_KeyUp(int& KeyCode, int Shift);
    void txtB_KeyUp(int& KeyCode, int Shift);
    void txtH_LostFocus();

    // The hue rainbow of the hue mode's slider: red at the top, through magenta, blue, cyan,
    // green and yellow, red again at the bottom.
    void DrawHueSlider();
    // Moves the square's marker to a point and takes the colour under it.
    void MovePicker(float x, float y);
    // Moves the slider's marker to a height and applies what the slider means in the mode.
    void MoveSlider(float x, float y);
    // The preview becomes the slider's hue at saturation S and brightness B (percent).
    void SetHSBColor(int S, int B);
    // The preview and the R, G, B boxes take the colour under the square's marker.
    void UpdateRGBText();

private:
    void set_designer_values();
    void wire_events();

    // The colour of the drawn image at a point of the window.
    long pixel(float x, float y);
    // The chosen colour into the preview and the R, G, B boxes.
    void show_chosen_colour(long colour);
    // The typed hue, saturation and brightness, cut to 0..360 and 0..100 so that a marker never
    // leaves its square or slider.
    double hue_entry() const;
    static double percent_entry(const runtime::TextBox& box);
    // Whether txtH holds a whole number from 0 to 360.
    bool is_valid_hue() const;
    void show_hue_range_message();
    void place_slider_marker(float y);
    void place_square_marker(LONG x, LONG y);
    // The S and B modes: their square, the marker at the typed hue across and the other entry
    // upwards, and their slider for the colour under the marker.
    void show_hue_column_mode(void (*draw_square)(frmColor&), const runtime::TextBox& vertical,
        void (*draw_slider)(frmColor&, int, int, int));

    bool squareDrag = false;
    bool sliderDrag = false;
    // The text of txtH at its last key release: a release that changed nothing (the key that
    // dismissed the range message) does not show the message again.
    std::string m_hue_text_at_key_up = "0";
    bool m_is_showing_hue_message = false;
};
