#include "settings/Module1.h"

#include "settings/frmColor.h"

#include <cstring>

namespace {

constexpr int SquareSize = 256;
constexpr int SquareStride = SquareSize * 3;
constexpr int SliderWidth = 15;
constexpr int SliderStride = 48;

// Where the bytes of screen row q (0 at the top) of a square image start: rows are bottom-up.
uint8_t* square_row(uint8_t* image, int q)
{
    return image + static_cast<size_t>(SquareSize - 1 - q) * SquareStride;
}

// The roles of the channels in one of the six hue segments of the saturation and brightness
// squares, as byte offsets within a blue, green, red pixel.
struct HueSegment {
    int last_column;
    int full;
    int zero;
    int ramped;
};
constexpr int Blue = 0;
constexpr int Green = 1;
constexpr int Red = 2;

// The ramp of image column j. The segment bounds are the sixths of the square, rounded: 42, 85,
// 128, 170, 212, 255.
int hue_ramp(int j)
{
    if (j <= 42)
        return 6 * j;
    if (j <= 85)
        return 6 * 42 + 255 - 6 * j;
    if (j <= 128)
        return 6 * (j - 86);
    if (j <= 170)
        return 6 * 128 + 255 - 6 * j;
    if (j <= 212)
        return 6 * (j - 171);
    return 6 * 212 + 255 - 6 * j;
}

const HueSegment& hue_segment(int j)
{
    static constexpr HueSegment Segments[] = {
        { 42, Red, Green, Blue },
        { 85, Blue, Green, Red },
        { 128, Blue, Red, Green },
        { 170, Green, Red, Blue },
        { 212, Green, Blue, Red },
        { 255, Red, Blue, Green },
    };
    for (const HueSegment& segment : Segments) {
        if (j <= segment.last_column)
            return segment;
    }
    return Segments[5];
}

// The image of the saturation and brightness squares: the hues along the columns, and down each
// column the channels given by `full`, `zero` and `ramped` for the ramp t, the row q and
// f = 1 - q / 255. A ramped value below 0 leaves its byte 0.
template<typename Full, typename Zero, typename Ramped>
void build_hue_columns(uint8_t* image, Full full, Zero zero, Ramped ramped)
{
    for (int q = 0; q < SquareSize; ++q) {
        uint8_t* row = square_row(image, q);
        double f = 1 - q / 255.0;
        for (int j = 0; j < SquareSize; ++j) {
            const HueSegment& segment = hue_segment(j);
            uint8_t* pixel = row + j * 3;
            pixel[segment.full] = static_cast<uint8_t>(full(q));
            pixel[segment.zero] = static_cast<uint8_t>(zero(q));
            int value = runtime::CLng(ramped(hue_ramp(j), f, q));
            pixel[segment.ramped] = static_cast<uint8_t>(value >= 0 ? value : 0);
        }
    }
}

enum class ImagePlace { Square, MirroredSquare, Slider };

// Puts an image of 24-bit bottom-up rows on the window: the square images unchanged or mirrored
// left to right at the square, the hue slider's image upside down at the slider. build(bytes)
// writes the image straight into the memory of the bitmap section that is copied.
template<typename Build>
void put_image(frmColor& form, ImagePlace place, Build build)
{
    Module1Values& m = module1(form.program());
    bool is_slider = place == ImagePlace::Slider;
    BITMAPINFO info {};
    info.bmiHeader = m.dibHeader;
    info.bmiHeader.biWidth = is_slider ? SliderWidth : SquareSize;
    info.bmiHeader.biHeight = SquareSize;
    HDC memory = CreateCompatibleDC(nullptr);
    void* bytes = nullptr;
    HBITMAP image = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bytes, nullptr, 0);
    if (!image) {
        DeleteDC(memory);
        return;
    }
    build(static_cast<uint8_t*>(bytes));
    HGDIOBJ previous = SelectObject(memory, image);
    HDC dc = form.hDC();
    const RECT& square = m.squareRect;
    const RECT& slider = m.sliderRect;
    switch (place) {
    case ImagePlace::Square:
        BitBlt(dc, square.left, square.top, SquareSize, SquareSize, memory, 0, 0, SRCCOPY);
        break;
    case ImagePlace::MirroredSquare:
        StretchBlt(dc, square.right, square.top, -SquareSize, SquareSize, memory, 0, 0, SquareSize, SquareSize, SRCCOPY);
        break;
    case ImagePlace::Slider:
        StretchBlt(dc, slider.left, slider.bottom, SliderWidth, -SquareSize, memory, 0, 0, SliderWidth, SquareSize, SRCCOPY);
        break;
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(image);
}

// One channel along a row of the hue square: floor((2N + 65025) / 130050) for a numerator N that
// starts at grey * 65025 and falls by grey * (255 - channel) a pixel, kept as quotient and
// remainder so that no pixel needs a division.
class FallingByte {
public:
    FallingByte(int grey, int channel)
        : m_quotient(grey)
        , m_decrease(2 * grey * (255 - channel))
    {
    }
    uint8_t next()
    {
        auto value = static_cast<uint8_t>(m_quotient);
        m_remainder -= m_decrease;
        int borrow = m_remainder < 0 ? 1 : 0;
        m_remainder += borrow * Divisor;
        m_quotient -= borrow;
        return value;
    }

private:
    static constexpr int Divisor = 2 * 255 * 255;
    int m_quotient;
    int m_remainder = Divisor / 2;
    int m_decrease;
};

// Builds and draws a square image with the square's marker kept over it.
template<typename Build>
void draw_square(frmColor& form, ImagePlace place, Build build)
{
    DrawPicker(form);
    put_image(form, place, build);
    DrawSelFrame(form);
    DrawPicker(form);
}

// Redraws the slider with its marker kept over it: the marker's ticks reach into the frame, which
// the redraw paints afresh.
template<typename Draw>
void draw_slider(frmColor& form, Draw draw)
{
    int marker = runtime::CLng(module1(form.program()).sliderY);
    DrawSliderMarker(form, marker);
    draw();
    DrawMainFrame(form);
    DrawSliderMarker(form, marker);
}

// Shows a changed area of the persistent image at the next paint.
void show_area(frmColor& form, RECT area)
{
    InvalidateRect(form.hWnd(), &area, FALSE);
}

// The slider of the saturation and brightness modes: one line a row in the colour the channel
// formula gives for the row.
template<typename Channel>
void draw_slider_lines(frmColor& form, Channel channel)
{
    Module1Values& m = module1(form.program());
    HDC dc = form.hDC();
    int previous_mode = SetROP2(dc, R2_COPYPEN);
    HGDIOBJ previous_pen = SelectObject(dc, GetStockObject(DC_PEN));
    COLORREF previous_colour = SetDCPenColor(dc, 0);
    for (int i = 0; i < SquareSize; ++i) {
        SetDCPenColor(dc, RGB(channel(0, i), channel(1, i), channel(2, i)));
        MoveToEx(dc, m.sliderRect.left, m.sliderRect.top + i, nullptr);
        LineTo(dc, m.sliderRect.right, m.sliderRect.top + i);
    }
    SetDCPenColor(dc, previous_colour);
    SelectObject(dc, previous_pen);
    SetROP2(dc, previous_mode);
    show_area(form, RECT { m.sliderRect.left, m.sliderRect.top, m.sliderRect.right, m.sliderRect.bottom + 1 });
}

void draw_frame(frmColor& form, const RECT& around)
{
    RECT edge { around.left - 1, around.top - 1, around.right + 3, around.bottom + 3 };
    DrawEdge(form.hDC(), &edge, BDR_SUNKENINNER, BF_RECT);
    // The window is repainted where it changed: the frame and what it holds.
    show_area(form, edge);
    UpdateWindow(form.hWnd());
}

}

Module1Values& module1(runtime::Program& program)
{
    return program.module<Module1Values>();
}

void DrawHueSquare(frmColor& form, int red, int green, int blue)
{
    // Channel c of pixel (p, q) is (255 - p) * step + row colour with row colour = c - q * c / 255
    // and step = (255 - q - row colour) / 255, which is exactly
    // N / 65025 with N = (255 - q) * 65025 - p * (255 - q) * (255 - c). The denominator is odd,
    // so the value is never half way between two whole numbers, and the byte is
    // floor((2N + 65025) / 130050): what the floating-point formula rounds to. Along a row that
    // quotient is kept with its remainder and lowered step by step, without a division.
    draw_square(form, ImagePlace::Square, [&](uint8_t* image) {
        for (int q = 0; q < SquareSize; ++q) {
            uint8_t* pixel = square_row(image, q);
            int grey = 255 - q;
            FallingByte b { grey, blue }, g { grey, green }, r { grey, red };
            for (int p = 0; p < SquareSize; ++p, pixel += 3) {
                pixel[0] = b.next();
                pixel[1] = g.next();
                pixel[2] = r.next();
            }
        }
    });
    form.lblSelColor.BackColor(RGB(red, green, blue));
}

void DrawSatSquare(frmColor& form)
{
    draw_square(form, ImagePlace::MirroredSquare, [](uint8_t* image) {
        build_hue_columns(image, [](int q) { return 255 - q; }, [](int) { return 0; },
            [](int t, double f, int) { return t * f; });
    });
}

void DrawBrightSquare(frmColor& form)
{
    draw_square(form, ImagePlace::MirroredSquare, [](uint8_t* image) {
        build_hue_columns(image, [](int) { return 255; }, [](int q) { return q; },
            [](int t, double f, int q) { return t * f + q; });
    });
}

void DrawSatSlider(frmColor& form, int red, int green, int blue)
{
    const int colour[3] = { red, green, blue };
    draw_slider(form, [&] { draw_slider_lines(form, [&](int c, int i) { return runtime::CLng(i + colour[c] * (1 - i / 255.0)); }); });
}

void DrawBrightSlider(frmColor& form, int red, int green, int blue)
{
    const int colour[3] = { red, green, blue };
    draw_slider(form, [&] { draw_slider_lines(form, [&](int c, int i) { return runtime::CLng(colour[c] - i * colour[c] / 255.0); }); });
}

void DrawPicker(frmColor& form)
{
    Module1Values& m = module1(form.program());
    HDC dc = form.hDC();
    int previous_mode = SetROP2(dc, R2_NOT);
    HGDIOBJ previous_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ previous_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RECT circle { m.markerX - 5, m.markerY - 5, m.markerX + 6, m.markerY + 6 };
    Ellipse(dc, circle.left, circle.top, circle.right, circle.bottom);
    SelectObject(dc, previous_brush);
    SelectObject(dc, previous_pen);
    SetROP2(dc, previous_mode);
    show_area(form, circle);
}

void DrawSliderMarker(frmColor& form, int y)
{
    Module1Values& m = module1(form.program());
    HDC dc = form.hDC();
    int previous_mode = SetROP2(dc, R2_NOT);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    HGDIOBJ previous_pen = SelectObject(dc, pen);
    MoveToEx(dc, m.sliderRect.right + 2, y, nullptr);
    LineTo(dc, m.sliderRect.right + 5, y);
    MoveToEx(dc, m.sliderRect.left - 2, y, nullptr);
    LineTo(dc, m.sliderRect.left - 5, y);
    SelectObject(dc, previous_pen);
    DeleteObject(pen);
    SetROP2(dc, previous_mode);
    // The ticks and their pen's reach on every side.
    show_area(form, RECT { m.sliderRect.left - 7, y - 2, m.sliderRect.right + 8, y + 3 });
}

void DrawSelFrame(frmColor& form)
{
    draw_frame(form, module1(form.program()).squareRect);
}

void DrawMainFrame(frmColor& form)
{
    draw_frame(form, module1(form.program()).sliderRect);
}

void DrawSliderImage(frmColor& form, const uint8_t* bytes)
{
    draw_slider(form, [&] {
        put_image(form, ImagePlace::Slider, [&](uint8_t* image) { std::memcpy(image, bytes, SliderStride * SquareSize); });
    });
}

void SplitRGB(long colour, int& red, int& green, int& blue)
{
    red = static_cast<int>(colour % 256);
    green = static_cast<int>((colour / 256) % 256);
    blue = static_cast<int>((colour / 65536) % 256);
}
