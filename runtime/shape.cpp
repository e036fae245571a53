#include "runtime/shape.h"

#include "runtime/colour.h"
#include "runtime/container.h"
#include "runtime/numeric.h"

#include <algorithm>

namespace runtime {

Shape::Shape(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
}

void Shape::ShapeKind(int shape)
{
    m_shape = shape;
    invalidate();
}

void Shape::BorderColor(long colour)
{
    m_border_color = colour;
    invalidate();
}

void Shape::BorderWidth(int width)
{
    m_border_width = std::max(width, 1);
    invalidate();
}

void Shape::BorderStyle(int style)
{
    m_border_style = style;
    invalidate();
}

void Shape::FillStyle(int style)
{
    m_fill_style = style;
    invalidate();
}

void Shape::FillColor(long colour)
{
    m_fill_color = colour;
    invalidate();
}

void Shape::BackStyle(int style)
{
    m_back_style = style;
    invalidate();
}

void Shape::BackColor(long colour)
{
    m_back_color = colour;
    invalidate();
}

void Shape::paint(HDC dc)
{
    RECT rect = pixel_rect();
    // Squares and circles take the shorter side, centred in the control.
    if (m_shape == vbShapeSquare || m_shape == vbShapeCircle || m_shape == vbShapeRoundedSquare) {
        int side = std::min(rect.right - rect.left, rect.bottom - rect.top);
        int left = rect.left + (rect.right - rect.left - side) / 2;
        int top = rect.top + (rect.bottom - rect.top - side) / 2;
        rect = RECT { left, top, left + side, top + side };
    }
    auto draw = [&](HGDIOBJ pen, HGDIOBJ brush) {
        HGDIOBJ previous_pen = SelectObject(dc, pen);
        HGDIOBJ previous_brush = SelectObject(dc, brush);
        if (m_shape == vbShapeOval || m_shape == vbShapeCircle)
            Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
        else if (m_shape == vbShapeRoundedRectangle || m_shape == vbShapeRoundedSquare)
            RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 16, 16);
        else
            Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
        SelectObject(dc, previous_pen);
        SelectObject(dc, previous_brush);
    };
    HGDIOBJ no_pen = GetStockObject(NULL_PEN);
    if (m_back_style == 1) {
        HBRUSH back = CreateSolidBrush(to_colorref(m_back_color));
        draw(no_pen, back);
        DeleteObject(back);
    }
    HBRUSH fill = m_fill_style == 0 ? CreateSolidBrush(to_colorref(m_fill_color)) : nullptr;
    HPEN pen = m_border_style != 0 ? CreatePen(PS_SOLID, m_border_width, to_colorref(m_border_color)) : nullptr;
    draw(pen ? static_cast<HGDIOBJ>(pen) : no_pen, fill ? static_cast<HGDIOBJ>(fill) : GetStockObject(NULL_BRUSH));
    if (fill)
        DeleteObject(fill);
    if (pen)
        DeleteObject(pen);
}

LineControl::LineControl(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
}

float LineControl::X1() const
{
    return static_cast<float>(container()->from_twips(m_x1));
}

float LineControl::Y1() const
{
    return static_cast<float>(container()->from_twips(m_y1));
}

float LineControl::X2() const
{
    return static_cast<float>(container()->from_twips(m_x2));
}

float LineControl::Y2() const
{
    return static_cast<float>(container()->from_twips(m_y2));
}

void LineControl::X1(float x)
{
    m_x1 = container()->to_twips(x);
    update_bounds();
}

void LineControl::Y1(float y)
{
    m_y1 = container()->to_twips(y);
    update_bounds();
}

void LineControl::X2(float x)
{
    m_x2 = container()->to_twips(x);
    update_bounds();
}

void LineControl::Y2(float y)
{
    m_y2 = container()->to_twips(y);
    update_bounds();
}

void LineControl::BorderColor(long colour)
{
    m_border_color = colour;
    invalidate();
}

void LineControl::BorderWidth(int width)
{
    m_border_width = std::max(width, 1);
    update_bounds();
}

void LineControl::update_bounds()
{
    double margin = pixels_to_twips(m_border_width);
    double left = std::min(m_x1, m_x2) - margin;
    double top = std::min(m_y1, m_y2) - margin;
    set_geometry_twips(left, top, std::abs(m_x2 - m_x1) + 2 * margin, std::abs(m_y2 - m_y1) + 2 * margin);
    invalidate();
}

void LineControl::paint(HDC dc)
{
    auto pixel = [](double twips) { return static_cast<int>(round_half_even(twips_to_pixels(twips))); };
    HPEN pen = CreatePen(PS_SOLID, m_border_width, to_colorref(m_border_color));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, pixel(m_x1), pixel(m_y1), nullptr);
    LineTo(dc, pixel(m_x2), pixel(m_y2));
    SelectObject(dc, previous);
    DeleteObject(pen);
}

}
