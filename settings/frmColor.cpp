#include "settings/frmColor.h"

#include "services/modGlobal.h"
#include "settings/Module1.h"
#include "settings/frmSettings.h"

#include <algorithm>
#include <array>

namespace {

constexpr const char* HueRangeMessage = "Enter an Integer Value Between 0 and 360";

// A whole number of a marker's place as a box shows it.
std::string whole_text(double value)
{
    return std::to_string(static_cast<long>(runtime::Int(value)));
}

}

frmColor::frmColor(runtime::Program& program)
    : Form(program, "frmColor")
{
    set_designer_values();
    wire_events();
}

void frmColor::set_designer_values()
{
    Caption("Kelmor - Choose color");
    BorderStyle(runtime::vbFixedSingle);
    MinButton(false);
    MaxButton(false);
    StartUpPosition(runtime::vbStartUpScreen);
    // The client area is 6510 x 4155 twips; the window adds its frame and caption.
    RECT outer { 0, 0, 6510 / runtime::TwipsPerPixel, 4155 / runtime::TwipsPerPixel };
    AdjustWindowRectEx(&outer, window_style(), FALSE, window_ex_style());
    Move(0, 0, static_cast<float>((outer.right - outer.left) * runtime::TwipsPerPixel),
        static_cast<float>((outer.bottom - outer.top) * runtime::TwipsPerPixel));

    Frame1.Move(4620, 30, 1695, 1005);
    Label1.Caption("Color");
    Label1.Move(660, 150, 465, 195);
    lblSelColor.Move(120, 360, 1455, 435);

    // The right-hand frame keeps its left edge and starts below the colour frame; it is narrowed
    // to end inside the window and shortened to end above Frame3, still holding its three rows.
    Frame2.Move(4590, 1095, 1845, 1905);
    struct Row {
        runtime::OptionButton& option;
        const char* option_caption;
        const char* option_tip;
        runtime::TextBox& entry;
        const char* entry_text;
        runtime::Label& unit;
        const char* unit_caption;
        runtime::Label& channel;
        const char* channel_caption;
        runtime::TextBox& channel_box;
        const char* channel_text;
        const char* channel_tip;
    };
    const std::array<Row, 3> rows { {
        { optH, "H:", "Hue", txtH, "0", lblH, "\xB0", lblR, "R:", Text1, "255", "Red" },
        { optS, "S:", "Saturation", txtS, "100", lblS, "%", lblG, "G:", Text2, "0", "Green" },
        { optB, "B:", "Brightness", txtB, "100", lblBB, "%", lblB, "B:", Text3, "0", "Blue" },
    } };
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        float top = 480 + 300 * static_cast<float>(i);
        row.option.Caption(row.option_caption);
        row.option.ToolTipText(row.option_tip);
        row.option.Move(0, top + 30, i == 2 ? 495 : 465, 255);
        row.entry.Text(row.entry_text);
        row.entry.Move(450, top, 375, 285);
        row.unit.Caption(row.unit_caption);
        row.unit.FontName("Arial");
        row.unit.FontSize(i == 0 ? 12 : 8.25f);
        row.unit.Move(840, i == 0 ? top : top + 30, 255, 285);
        row.channel.Caption(row.channel_caption);
        row.channel.Move(1200, top + 30, 255, 255);
        row.channel_box.Text(row.channel_text);
        row.channel_box.ToolTipText(row.channel_tip);
        row.channel_box.Move(1380, top, 375, 285);
    }
    optH.Value(true);

    Frame3.Move(4530, 3060, 975, 465);
    Command1.Caption("O&K");
    Command1.Move(5550, 3600, 825, 405);

    // The square and the slider are drawn in pixels on the persistent image.
    ScaleMode(runtime::vbPixels);
    AutoRedraw(true);
}

void frmColor::wire_events()
{
    Command1.on_click = [this] { Command1_Click(); };
    optH.on_click = [this] { optH_Click(); };
    optS.on_click = [this] { optS_Click(); };
    optB.on_click = [this] { optB_Click(); };
    txtH.on_key_up = [this](int& KeyCode, int Shift) { txtH_KeyUp(KeyCode, Shift); };
    txtS.on_key_up = [this](int& KeyCode, int Shift) { txtS_KeyUp(KeyCode, Shift); };
    txtB.on_key_up = [this](int& KeyCode, int Shift) { txtB_KeyUp(KeyCode, Shift); };
    txtH.on_lost_focus = [this] { txtH_LostFocus(); };
}

void frmColor::Form_Load()
{
    Module1Values& m = module1(program());
    m.dibHeader = BITMAPINFOHEADER {};
    m.dibHeader.biSize = 40;
    m.dibHeader.biPlanes = 1;
    m.dibHeader.biBitCount = 24;
    m.dibHeader.biCompression = BI_RGB;
    m.squareRect = RECT { 10, 10, 265, 265 };
    m.sliderRect = RECT { m.squareRect.right + 12, m.squareRect.top, m.squareRect.right + 27, m.squareRect.bottom };
    DrawHueSlider();
    m.markerX = m.squareRect.right;
    m.markerY = m.squareRect.top;
    m.sliderY = static_cast<float>(m.sliderRect.bottom);
    DrawSliderMarker(*this, m.sliderRect.bottom);
    DrawPicker(*this);
    Globals& g = globals(program());
    DrawHueSquare(*this, g.ColorR, g.ColorG, g.ColorB);
}

void frmColor::Command1_Click()
{
    frmSettings& settings = program().form<frmSettings>();
    runtime::PictureBox* swatch = settings.colour_swatch(globals(program()).ColorIndex);
    if (swatch)
        swatch->BackColor(lblSelColor.BackColor());
    program().unload(*this);
    // The borders take the new colour at once, once the picker no longer covers the glass they
    // copy from the screen, rather than whenever something else happens to repaint them.
    if (swatch)
        settings.UpdateWindows();
}

void frmColor::Form_MouseDown(int Button, int, float X, float Y)
{
    if (Button != runtime::vbLeftButton)
        return;
    const Module1Values& m = module1(program());
    const RECT& square = m.squareRect;
    const RECT& slider = m.sliderRect;
    if (X >= square.left && X <= square.right && Y >= square.top && Y <= square.bottom) {
        squareDrag = true;
        MovePicker(X, Y);
        return;
    }
    if (X >= slider.left && X < slider.right + 11 && Y >= slider.top - 2 && Y < slider.bottom + 3) {
        sliderDrag = true;
        MoveSlider(X, std::clamp<float>(Y, slider.top, slider.bottom));
    }
}

void frmColor::Form_MouseMove(int Button, int, float X, float Y)
{
    if (!(Button & runtime::vbLeftButton))
        return;
    const Module1Values& m = module1(program());
    const RECT& square = m.squareRect;
    const RECT& slider = m.sliderRect;
    if (squareDrag)
        MovePicker(std::clamp<float>(X, square.left, square.right), std::clamp<float>(Y, square.top, square.bottom));
    if (sliderDrag)
        MoveSlider(static_cast<float>(slider.left + 2), std::clamp<float>(Y, slider.top, slider.bottom));
}

void frmColor::Form_MouseUp(int, int, float, float)
{
    squareDrag = false;
    if (optH.Value() && sliderDrag) {
        const Module1Values& m = module1(program());
        int red, green, blue;
        SplitRGB(pixel(static_cast<float>(m.sliderRect.left + 3), static_cast<float>(runtime::CLng(m.sliderY))), red, green, blue);
        DrawHueSquare(*this, red, green, blue);
        show_chosen_colour(pixel(static_cast<float>(m.markerX), static_cast<float>(m.markerY)));
    }
    sliderDrag = false;
}

void frmColor::MovePicker(float x, float y)
{
    const Module1Values& m = module1(program());
    place_square_marker(runtime::CLng(x), runtime::CLng(y));
    long colour = pixel(x, y);
    double from_left = m.markerX - m.squareRect.left;
    double from_bottom = m.squareRect.bottom - m.markerY;
    int red, green, blue;
    SplitRGB(colour, red, green, blue);
    if (optH.Value()) {
        txtS.Text(whole_text(from_left * 100 / 255));
        txtB.Text(whole_text(from_bottom * 100 / 255));
    } else if (optS.Value()) {
        DrawSatSlider(*this, red, green, blue);
        txtB.Text(whole_text(from_bottom * 100 / 255));
        txtH.Text(whole_text(from_left * 360 / 255));
    } else {
        DrawBrightSlider(*this, red, green, blue);
        txtS.Text(whole_text(from_bottom * 100 / 255));
        txtH.Text(whole_text(from_left * 360 / 255));
    }
    show_chosen_colour(colour);
}

void frmColor::MoveSlider(float, float y)
{
    const Module1Values& m = module1(program());
    place_slider_marker(y);
    long colour = pixel(static_cast<float>(m.sliderRect.left + 5), y);
    double from_bottom = m.sliderRect.bottom - y;
    if (optH.Value()) {
        txtH.Text(whole_text(from_bottom * 360 / 255));
        SetHSBColor(runtime::CLng(percent_entry(txtS)), runtime::CLng(percent_entry(txtB)));
        return;
    }
    show_chosen_colour(colour);
    (optS.Value() ? txtS : txtB).Text(whole_text(from_bottom * 100 / 255));
}

void frmColor::SetHSBColor(int S, int B)
{
    const Module1Values& m = module1(program());
    int channels[3];
    SplitRGB(pixel(static_cast<float>(m.sliderRect.left + 5), m.sliderY), channels[0], channels[1], channels[2]);
    for (int& c : channels)
        c = runtime::CLng(((255 - c) * (100 - S) / 100.0 + c) * B / 100.0);
    lblSelColor.BackColor(RGB(channels[0], channels[1], channels[2]));
}

void frmColor::UpdateRGBText()
{
    const Module1Values& m = module1(program());
    show_chosen_colour(pixel(static_cast<float>(m.markerX), static_cast<float>(m.markerY)));
}

void frmColor::DrawHueSlider()
{
    // 15 pixels a row, padded to 48 bytes by a sixteenth pixel; row i = 0 is the top of the slider.
    constexpr int RowBytes = 48;
    constexpr double s = 42.5;
    std::array<uint8_t, RowBytes * 256> image {};
    for (int i = 0; i < 256; ++i) {
        double red = 255, green = 0, blue = 0;
        if (i <= 42) {
            blue = 6 * i;
        } else if (i <= 85) {
            red = 255 - 6 * (i - s);
            blue = 255;
        } else if (i <= 127) {
            red = 0;
            green = 6 * (i - 2 * s);
            blue = 255;
        } else if (i <= 170) {
            red = 0;
            green = 255;
            blue = 255 - 6 * (i - 3 * s);
        } else if (i <= 212) {
            red = 6 * (i - 4 * s);
            green = 255;
        } else {
            green = 255 - 6 * (i - 5 * s);
        }
        uint8_t* row = image.data() + i * RowBytes;
        for (int x = 0; x < RowBytes / 3; ++x) {
            row[x * 3] = static_cast<uint8_t>(blue);
            row[x * 3 + 1] = static_cast<uint8_t>(green);
            row[x * 3 + 2] = static_cast<uint8_t>(red);
        }
    }
    DrawSliderImage(*this, image.data());
}

void frmColor::optH_Click()
{
    const Module1Values& m = module1(program());
    DrawHueSlider();
    place_slider_marker(static_cast<float>(runtime::Int(m.sliderRect.bottom - hue_entry() * 255 / 360)));
    int red, green, blue;
    SplitRGB(pixel(static_cast<float>(m.sliderRect.left + 3), m.sliderY), red, green, blue);
    DrawHueSquare(*this, red, green, blue);
    place_square_marker(runtime::CLng(percent_entry(txtS) * 255 / 100 + m.squareRect.left),
        runtime::CLng(m.squareRect.bottom - percent_entry(txtB) * 255 / 100));
    lblSelColor.BackColor(pixel(static_cast<float>(m.markerX), static_cast<float>(m.markerY)));
}

void frmColor::optS_Click()
{
    show_hue_column_mode(DrawSatSquare, txtB, DrawSatSlider);
}

void frmColor::optB_Click()
{
    show_hue_column_mode(DrawBrightSquare, txtS, DrawBrightSlider);
}

void frmColor::show_hue_column_mode(void (*draw_square)(frmColor&), const runtime::TextBox& vertical,
    void (*draw_slider)(frmColor&, int, int, int))
{
    const Module1Values& m = module1(program());
    draw_square(*this);
    place_square_marker(runtime::CLng(hue_entry() * 255 / 360 + m.squareRect.left),
        runtime::CLng(m.squareRect.bottom - percent_entry(vertical) * 255 / 100));
    int red, green, blue;
    SplitRGB(pixel(static_cast<float>(m.markerX), static_cast<float>(m.markerY)), red, green, blue);
    draw_slider(*this, red, green, blue);
}

void frmColor::txtH_KeyUp(int&, int)
{
    if (!is_valid_hue()) {
        if (txtH.Text() != m_hue_text_at_key_up)
            show_hue_range_message();
        if (runtime::Val(txtH.Text()) < 0)
            txtH.Text("0");
    }
    m_hue_text_at_key_up = txtH.Text();
    if (!optH.Value())
        return;
    const Module1Values& m = module1(program());
    place_slider_marker(static_cast<float>(m.sliderRect.bottom - hue_entry() * 255 / 360));
    int red, green, blue;
    SplitRGB(pixel(static_cast<float>(m.sliderRect.left + 5), m.sliderY), red, green, blue);
    DrawHueSquare(*this, red, green, blue);
    UpdateRGBText();
}

void frmColor::txtS_KeyUp(int&, int)
{
    if (!optH.Value())
        return;
    const Module1Values& m = module1(program());
    place_square_marker(runtime::CLng(percent_entry(txtS) * 255 / 100 + m.squareRect.left), m.markerY);
    UpdateRGBText();
}

void frmColor::txtB_KeyUp(int&, int)
{
    if (!optH.Value())
        return;
    const Module1Values& m = module1(program());
    place_square_marker(m.markerX, runtime::CLng(m.squareRect.bottom - percent_entry(txtB) * 255 / 100));
    UpdateRGBText();
}

void frmColor::txtH_LostFocus()
{
    // The range message itself takes the keyboard; that is not the user leaving the box.
    if (m_is_showing_hue_message || is_valid_hue())
        return;
    show_hue_range_message();
    txtH.SetFocus();
}

long frmColor::pixel(float x, float y)
{
    return Point(x, y);
}

void frmColor::show_chosen_colour(long colour)
{
    int red, green, blue;
    SplitRGB(colour, red, green, blue);
    Text1.Text(std::to_string(red));
    Text2.Text(std::to_string(green));
    Text3.Text(std::to_string(blue));
    lblSelColor.BackColor(colour);
}

double frmColor::hue_entry() const
{
    return std::clamp(runtime::Val(txtH.Text()), 0.0, 360.0);
}

double frmColor::percent_entry(const runtime::TextBox& box)
{
    return std::clamp(runtime::Val(box.Text()), 0.0, 100.0);
}

bool frmColor::is_valid_hue() const
{
    double hue = runtime::Val(txtH.Text());
    return hue >= 0 && hue <= 360 && hue == runtime::Int(hue);
}

void frmColor::show_hue_range_message()
{
    m_is_showing_hue_message = true;
    runtime::MsgBox(HueRangeMessage, runtime::vbOKOnly);
    m_is_showing_hue_message = false;
}

void frmColor::place_slider_marker(float y)
{
    Module1Values& m = module1(program());
    DrawSliderMarker(*this, runtime::CLng(m.sliderY));
    m.sliderY = y;
    DrawSliderMarker(*this, runtime::CLng(y));
}

void frmColor::place_square_marker(LONG x, LONG y)
{
    Module1Values& m = module1(program());
    DrawPicker(*this);
    m.markerX = x;
    m.markerY = y;
    DrawPicker(*this);
}
