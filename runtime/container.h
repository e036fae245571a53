// Container: a control that holds others (forms, picture boxes, frames): the scale its children's
// geometry is given in, and the windowless children it paints and passes mouse input to.
#pragma once

#include "runtime/control.h"

#include <vector>

namespace runtime {

enum ScaleModeKind : int {
    vbUser = 0,
    vbTwips = 1,
    vbPoints = 2,
    vbPixels = 3,
};

class Container : public Control {
public:
    using Control::Control;

    int ScaleMode() const { return m_scale_mode; }
    void ScaleMode(int mode);
    // The client area in the container's own scale units.
    float ScaleWidth() const;
    float ScaleHeight() const;

    const std::vector<Control*>& children() const { return m_children; }

    // Conversions between the container's scale units and twips or pixels.
    double to_twips(double value) const;
    double from_twips(double twips) const;
    double to_pixels(double value) const;
    double from_pixels(double pixels) const;

    // The client area's size in pixels.
    virtual SIZE client_pixel_size() const;
    // Repaints a rectangle of the client area (pixels), for windowless children that changed.
    void invalidate_area(const RECT& area);

protected:
    friend class Control;

    void add_child(Control& child) { m_children.push_back(&child); }
    void remove_child(Control& child);

    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    // Paints the visible windowless children in z-order over what the container drew.
    void paint_windowless_children(HDC dc);
    // The windowless child that takes the mouse at a point of the client area, topmost first.
    Control* windowless_child_at(POINT point) const;

private:
    bool route_mouse_to_windowless_child(UINT message, WPARAM wparam, LPARAM lparam);

    std::vector<Control*> m_children;
    Control* m_captured_child = nullptr;
    int m_scale_mode = vbTwips;
};

}
