// Shape and Line: windowless outlines drawn on their container; they take no mouse input.
#pragma once

#include "runtime/control.h"

namespace runtime {

enum ShapeKind : int {
    vbShapeRectangle = 0,
    vbShapeSquare = 1,
    vbShapeOval = 2,
    vbShapeCircle = 3,
    vbShapeRoundedRectangle = 4,
    vbShapeRoundedSquare = 5,
};

class Shape : public Control {
public:
    Shape(Container& container, std::string name, int index = -1);

    int ShapeKind() const { return m_shape; }
    void ShapeKind(int shape);
    long BorderColor() const { return m_border_color; }
    void BorderColor(long colour);
    int BorderWidth() const { return m_border_width; }
    void BorderWidth(int width);
    // 0 transparent border, 1 solid.
    int BorderStyle() const { return m_border_style; }
    void BorderStyle(int style);
    // 0 solid fill in FillColor, 1 no fill.
    int FillStyle() const { return m_fill_style; }
    void FillStyle(int style);
    long FillColor() const { return m_fill_color; }
    void FillColor(long colour);
    // 0 transparent, 1 the inside in BackColor (under the fill).
    int BackStyle() const { return m_back_style; }
    void BackStyle(int style);
    long BackColor() const { return m_back_color; }
    void BackColor(long colour);

protected:
    bool is_windowed() const override { return false; }
    bool is_hit(POINT) const override { return false; }
    void paint(HDC dc) override;

private:
    int m_shape = vbShapeRectangle;
    long m_border_color = static_cast<long>(0x80000008);
    int m_border_width = 1;
    int m_border_style = 1;
    int m_fill_style = 1;
    long m_fill_color = 0;
    int m_back_style = 0;
    long m_back_color = static_cast<long>(0x80000005);
};

class LineControl : public Control {
public:
    LineControl(Container& container, std::string name, int index = -1);

    // The end points in the container's scale units.
    float X1() const;
    float Y1() const;
    float X2() const;
    float Y2() const;
    void X1(float x);
    void Y1(float y);
    void X2(float x);
    void Y2(float y);
    long BorderColor() const { return m_border_color; }
    void BorderColor(long colour);
    int BorderWidth() const { return m_border_width; }
    void BorderWidth(int width);

protected:
    bool is_windowed() const override { return false; }
    bool is_hit(POINT) const override { return false; }
    void paint(HDC dc) override;

private:
    // The bounding box, kept as the control's geometry so that changes repaint the right area.
    void update_bounds();

    double m_x1 = 0;
    double m_y1 = 0;
    double m_x2 = 0;
    double m_y2 = 0;
    long m_border_color = static_cast<long>(0x80000008);
    int m_border_width = 1;
};

}
