// Canvas: the drawing surface of forms and picture boxes: the device context (hDC), the persistent
// image (Image) drawing goes to while AutoRedraw is True, the loaded picture (Picture), and the
// drawing methods (Cls, Print, Line, PSet, PaintPicture) in the canvas's scale units.
#pragma once

#include "runtime/container.h"
#include "runtime/drawing_tools.h"
#include "runtime/error.h"

#include <optional>
#include <string_view>

namespace runtime {

// Raster operations of PaintPicture, as the language names them.
inline constexpr DWORD vbSrcCopy = 0x00CC0020;
inline constexpr DWORD vbSrcPaint = 0x00EE0086;
inline constexpr DWORD vbSrcAnd = 0x008800C6;
inline constexpr DWORD vbSrcInvert = 0x00660046;

// Draw modes (SetROP2 values) and what Line draws.
inline constexpr int vbCopyPen = 13;
inline constexpr int vbInvert = 6;
inline constexpr int vbXorPen = 7;
enum class LineShape { Segment, Box, FilledBox };

class Canvas : public Container {
public:
    Canvas(Container& container, std::string name, int index = -1);
    ~Canvas() override;

    bool AutoRedraw() const { return m_is_auto_redraw; }
    void AutoRedraw(bool auto_redraw);
    long BackColor() const { return m_back_color; }
    // Setting the back colour clears what the drawing methods drew.
    void BackColor(long colour);
    long ForeColor() const { return m_fore_color; }
    void ForeColor(long colour) { m_fore_color = colour; }
    int DrawMode() const { return m_draw_mode; }
    void DrawMode(int mode) { m_draw_mode = mode; }
    int DrawWidth() const { return m_draw_width; }
    void DrawWidth(int width) { m_draw_width = width > 0 ? width : 1; }
    // 0 solid in FillColor, 1 transparent; what shapes drawn on hDC are filled with.
    int FillStyle() const { return m_fill_style; }
    void FillStyle(int style);
    long FillColor() const { return m_fill_color; }
    void FillColor(long colour) { m_fill_color = colour; }
    bool FontTransparent() const { return m_is_font_transparent; }
    void FontTransparent(bool transparent) { m_is_font_transparent = transparent; }
    float CurrentX() const { return m_current_x; }
    float CurrentY() const { return m_current_y; }
    void CurrentX(float x) { m_current_x = x; }
    void CurrentY(float y) { m_current_y = y; }

    // Where drawing goes: the persistent image's context while AutoRedraw is True, the window's
    // otherwise. It carries the pen of ForeColor and DrawWidth and the brush of FillStyle and FillColor.
    HDC hDC();
    // The persistent image, a 32-bit DIB section as large as the client area (a form's as large
    // as its client area has been).
    StdPicture Image();
    StdPicture Picture() const { return m_picture; }
    void Picture(const StdPicture& picture);

    // Clears the drawing: back colour, then the Picture at the top left; CurrentX and CurrentY go to 0.
    void Cls();
    // Prints a text at CurrentX, CurrentY in the font and fore colour; then the position moves to the
    // start of the next line, or, with end_line false, to the end of the text.
    void Print(std::string_view text, bool end_line = true);
    void Line(float x1, float y1, float x2, float y2, std::optional<long> colour = {}, LineShape shape = LineShape::Segment);
    void PSet(float x, float y, std::optional<long> colour = {});
    long Point(float x, float y);
    // Draws a picture at a place; with a size, stretched; with a source rectangle, only that part.
    void PaintPicture(const StdPicture& picture, float x, float y, std::optional<float> width = {},
        std::optional<float> height = {}, std::optional<float> source_x = {}, std::optional<float> source_y = {},
        std::optional<float> source_width = {}, std::optional<float> source_height = {}, DWORD raster_operation = vbSrcCopy);
    float TextWidth(std::string_view text);
    float TextHeight(std::string_view text);
    // Shows what was drawn at once.
    void Refresh();

protected:
    // The form's own canvas.
    Canvas(Form& form, std::string name);

    void create_window() override;
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void paint(HDC dc) override;
    float mouse_x_from_pixels(int x) const override;
    float mouse_y_from_pixels(int y) const override;

    // A new Picture was assigned; a picture box that sizes itself to its picture does it here.
    virtual void picture_changed() { }
    // Resizes the persistent image, once made, to the client area, keeping what is drawn at the
    // top left; a form's image keeps its larger size.
    void fit_image_to_client();
    // The canvas has been drawn on: repaint it from the persistent image.
    void drawn();
    int x_pixels(float x) const;
    int y_pixels(float y) const;

    StdPicture m_picture;
    long m_back_color = 0x8000000F;
    long m_fore_color = 0x80000012;

private:
    // The persistent image is made when it is first drawn on or asked for, and the window's device
    // context when drawing first goes to the window: a box that only shows its picture holds neither.
    HDC image_dc();
    HDC window_dc();
    void make_image_fit_client();
    void release_image();
    void clear_image();
    void release_window_dc();

    HDC m_image_dc = nullptr;
    HBITMAP m_image = nullptr;
    HGDIOBJ m_image_dc_previous = nullptr;
    SIZE m_image_size { 0, 0 };
    HDC m_window_dc = nullptr;
    float m_current_x = 0;
    float m_current_y = 0;
    int m_draw_mode = vbCopyPen;
    int m_draw_width = 1;
    int m_fill_style = 1;
    long m_fill_color = 0;
    DrawingTools m_drawing_tools;
    bool m_is_auto_redraw = false;
    bool m_is_font_transparent = true;
    bool m_is_image_kept_larger = false;
};

}
