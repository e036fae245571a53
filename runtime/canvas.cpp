#include "runtime/canvas.h"

#include "runtime/colour.h"
#include "runtime/gdi_helpers.h"
#include "runtime/numeric.h"

#include <algorithm>

namespace runtime {

Canvas::Canvas(Container& container, std::string name, int index)
    : Container(container, std::move(name), index)
{
}

Canvas::Canvas(Form& form, std::string name)
    : Container(form, std::move(name))
    , m_is_image_kept_larger(true)
{
}

Canvas::~Canvas()
{
    release_image();
}

void Canvas::release_image()
{
    if (m_image_dc) {
        m_drawing_tools.detach(m_image_dc);
        if (m_image_dc_previous)
            SelectObject(m_image_dc, m_image_dc_previous);
        DeleteDC(m_image_dc);
    }
    if (m_image)
        DeleteObject(m_image);
    m_image_dc = nullptr;
    m_image_dc_previous = nullptr;
    m_image = nullptr;
    m_image_size = SIZE { 0, 0 };
}

void Canvas::create_window()
{
    Container::create_window();
    if (!m_window)
        return;
    fit_image_to_client();
    clear_image();
}

void Canvas::fit_image_to_client()
{
    if (m_image)
        make_image_fit_client();
}

HDC Canvas::image_dc()
{
    if (m_image)
        return m_image_dc;
    make_image_fit_client();
    clear_image();
    return m_image_dc;
}

HDC Canvas::window_dc()
{
    if (!m_window_dc && m_window)
        m_window_dc = GetDC(m_window);
    return m_window_dc;
}

void Canvas::make_image_fit_client()
{
    SIZE size = client_pixel_size();
    size.cx = std::max<LONG>(size.cx, 1);
    size.cy = std::max<LONG>(size.cy, 1);
    if (m_image && m_is_image_kept_larger) {
        // A form's image only grows: what was drawn beyond a smaller size is there again when
        // the form grows back, and a resize back and forth costs no new image.
        size.cx = std::max(size.cx, m_image_size.cx);
        size.cy = std::max(size.cy, m_image_size.cy);
    }
    if (m_image && size.cx == m_image_size.cx && size.cy == m_image_size.cy)
        return;
    HBITMAP image = create_dib_section(size.cx, size.cy);
    if (!image)
        return;
    {
        SelectedBitmap target(image);
        fill_rect(target.dc(), RECT { 0, 0, size.cx, size.cy }, to_colorref(m_back_color));
        if (m_image)
            BitBlt(target.dc(), 0, 0, std::min(size.cx, m_image_size.cx), std::min(size.cy, m_image_size.cy), m_image_dc, 0, 0, SRCCOPY);
    }
    if (!m_image_dc)
        m_image_dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(m_image_dc, image);
    if (!m_image_dc_previous)
        m_image_dc_previous = previous;
    if (m_image)
        DeleteObject(m_image);
    m_image = image;
    m_image_size = size;
}

void Canvas::clear_image()
{
    if (!m_image_dc)
        return;
    fill_rect(m_image_dc, RECT { 0, 0, m_image_size.cx, m_image_size.cy }, to_colorref(m_back_color));
    m_picture.draw(m_image_dc, 0, 0, m_picture.width_pixels(), m_picture.height_pixels());
}

void Canvas::AutoRedraw(bool auto_redraw)
{
    m_is_auto_redraw = auto_redraw;
    invalidate();
}

void Canvas::BackColor(long colour)
{
    m_back_color = colour;
    clear_image();
    invalidate();
}

void Canvas::FillStyle(int style)
{
    if (style != 0 && style != 1)
        raise(ErrInvalidPropertyValue, "Invalid property value");
    m_fill_style = style;
}

HDC Canvas::hDC()
{
    HDC dc = m_is_auto_redraw ? image_dc() : window_dc();
    m_drawing_tools.select_into(dc,
        DrawingSettings { to_colorref(m_fore_color), m_draw_width, m_fill_style == 0, to_colorref(m_fill_color) });
    return dc;
}

void Canvas::release_window_dc()
{
    if (!m_window_dc)
        return;
    m_drawing_tools.detach(m_window_dc);
    ReleaseDC(m_window, m_window_dc);
    m_window_dc = nullptr;
}

StdPicture Canvas::Image()
{
    image_dc();
    return StdPicture::from_bitmap(m_image, false, m_image_dc);
}

void Canvas::Picture(const StdPicture& picture)
{
    // A borrowed picture (another canvas's Image) is copied: the box keeps its own.
    m_picture = picture.is_borrowed() ? picture.copy() : picture;
    picture_changed();
    clear_image();
    invalidate();
}

void Canvas::Cls()
{
    clear_image();
    m_current_x = 0;
    m_current_y = 0;
    invalidate();
}

int Canvas::x_pixels(float x) const
{
    return static_cast<int>(round_half_even(to_pixels(x)));
}

int Canvas::y_pixels(float y) const
{
    return static_cast<int>(round_half_even(to_pixels(y)));
}

void Canvas::drawn()
{
    if (m_is_auto_redraw)
        invalidate();
}

void Canvas::Print(std::string_view text, bool end_line)
{
    HDC dc = hDC();
    if (!dc)
        return;
    HGDIOBJ previous_font = SelectObject(dc, m_font_handle.get(m_font));
    SetTextColor(dc, to_colorref(m_fore_color));
    SetBkColor(dc, to_colorref(m_back_color));
    SetBkMode(dc, m_is_font_transparent ? TRANSPARENT : OPAQUE);
    // Every line of the text starts at CurrentX; a line break moves CurrentY down by a line.
    size_t start = 0;
    while (true) {
        size_t line_end = text.find_first_of("\r\n", start);
        std::string_view line = text.substr(start, line_end == std::string_view::npos ? std::string_view::npos : line_end - start);
        TextOutA(dc, x_pixels(m_current_x), y_pixels(m_current_y), line.data(), static_cast<int>(line.size()));
        SIZE extent { 0, 0 };
        GetTextExtentPoint32A(dc, line.empty() ? " " : line.data(), line.empty() ? 1 : static_cast<int>(line.size()), &extent);
        bool is_last = line_end == std::string_view::npos;
        if (is_last && !end_line) {
            m_current_x += static_cast<float>(from_pixels(line.empty() ? 0 : extent.cx));
            break;
        }
        m_current_x = 0;
        m_current_y += static_cast<float>(from_pixels(extent.cy));
        if (is_last)
            break;
        start = line_end + 1;
        if (text[line_end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    SelectObject(dc, previous_font);
    drawn();
}

void Canvas::Line(float x1, float y1, float x2, float y2, std::optional<long> colour, LineShape shape)
{
    HDC dc = hDC();
    if (!dc)
        return;
    COLORREF rgb = to_colorref(colour.value_or(m_fore_color));
    int left = x_pixels(x1);
    int top = y_pixels(y1);
    int right = x_pixels(x2);
    int bottom = y_pixels(y2);
    int old_mode = SetROP2(dc, m_draw_mode);
    if (shape == LineShape::FilledBox) {
        HBRUSH brush = CreateSolidBrush(rgb);
        RECT box { std::min(left, right), std::min(top, bottom), std::max(left, right) + 1, std::max(top, bottom) + 1 };
        FillRect(dc, &box, brush);
        DeleteObject(brush);
    } else {
        HPEN pen = CreatePen(PS_SOLID, m_draw_width, rgb);
        HGDIOBJ previous_pen = SelectObject(dc, pen);
        if (shape == LineShape::Box) {
            HGDIOBJ previous_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, std::min(left, right), std::min(top, bottom), std::max(left, right) + 1, std::max(top, bottom) + 1);
            SelectObject(dc, previous_brush);
        } else {
            MoveToEx(dc, left, top, nullptr);
            LineTo(dc, right, bottom);
        }
        SelectObject(dc, previous_pen);
        DeleteObject(pen);
    }
    SetROP2(dc, old_mode);
    m_current_x = x2;
    m_current_y = y2;
    drawn();
}

void Canvas::PSet(float x, float y, std::optional<long> colour)
{
    HDC dc = hDC();
    if (!dc)
        return;
    SetPixelV(dc, x_pixels(x), y_pixels(y), to_colorref(colour.value_or(m_fore_color)));
    m_current_x = x;
    m_current_y = y;
    drawn();
}

long Canvas::Point(float x, float y)
{
    HDC dc = hDC();
    if (!dc)
        return -1;
    COLORREF colour = GetPixel(dc, x_pixels(x), y_pixels(y));
    return colour == CLR_INVALID ? -1 : static_cast<long>(colour);
}

void Canvas::PaintPicture(const StdPicture& picture, float x, float y, std::optional<float> width, std::optional<float> height,
    std::optional<float> source_x, std::optional<float> source_y, std::optional<float> source_width,
    std::optional<float> source_height, DWORD raster_operation)
{
    HDC dc = hDC();
    if (!dc)
        raise(ErrInvalidProcedureCall);
    if (picture.is_empty())
        raise(ErrInvalidPicture, "Invalid picture");
    auto pixels_or = [this](std::optional<float> value, int fallback) {
        return value ? static_cast<int>(round_half_even(to_pixels(*value))) : fallback;
    };
    int natural_width = picture.width_pixels();
    int natural_height = picture.height_pixels();
    int from_x = pixels_or(source_x, 0);
    int from_y = pixels_or(source_y, 0);
    int from_width = pixels_or(source_width, natural_width - from_x);
    int from_height = pixels_or(source_height, natural_height - from_y);
    int to_width = pixels_or(width, from_width);
    int to_height = pixels_or(height, from_height);
    picture.draw_part(dc, x_pixels(x), y_pixels(y), to_width, to_height, from_x, from_y, from_width, from_height, raster_operation);
    drawn();
}

float Canvas::TextWidth(std::string_view text)
{
    SelectedBitmap measure(nullptr);
    HGDIOBJ previous = SelectObject(measure.dc(), m_font_handle.get(m_font));
    SIZE extent { 0, 0 };
    GetTextExtentPoint32A(measure.dc(), text.data(), static_cast<int>(text.size()), &extent);
    SelectObject(measure.dc(), previous);
    return static_cast<float>(from_pixels(extent.cx));
}

float Canvas::TextHeight(std::string_view)
{
    SelectedBitmap measure(nullptr);
    HGDIOBJ previous = SelectObject(measure.dc(), m_font_handle.get(m_font));
    SIZE extent { 0, 0 };
    GetTextExtentPoint32A(measure.dc(), " ", 1, &extent);
    SelectObject(measure.dc(), previous);
    return static_cast<float>(from_pixels(extent.cy));
}

void Canvas::Refresh()
{
    if (!m_window)
        return;
    InvalidateRect(m_window, nullptr, FALSE);
    UpdateWindow(m_window);
}

LRESULT Canvas::handle_message(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_SIZE:
        // A minimised window has no client area; the image keeps its drawing for the restore.
        if (wparam == SIZE_MINIMIZED)
            break;
        fit_image_to_client();
        // The window's drawing surface follows its size; a device context taken before is taken afresh.
        if (m_window_dc) {
            release_window_dc();
            window_dc();
        }
        break;
    case WM_DESTROY:
        release_window_dc();
        break;
    default:
        break;
    }
    return Container::handle_message(message, wparam, lparam);
}

void Canvas::paint(HDC dc)
{
    SIZE size = client_pixel_size();
    if (m_is_auto_redraw && m_image_dc) {
        BitBlt(dc, 0, 0, size.cx, size.cy, m_image_dc, 0, 0, SRCCOPY);
    } else {
        fill_rect(dc, RECT { 0, 0, size.cx, size.cy }, to_colorref(m_back_color));
        m_picture.draw(dc, 0, 0, m_picture.width_pixels(), m_picture.height_pixels());
    }
    paint_windowless_children(dc);
}

float Canvas::mouse_x_from_pixels(int x) const
{
    return static_cast<float>(from_pixels(x));
}

float Canvas::mouse_y_from_pixels(int y) const
{
    return static_cast<float>(from_pixels(y));
}

}
