#include "runtime/picture_box.h"

#include "runtime/numeric.h"

namespace runtime {

PictureBox::PictureBox(Container& container, std::string name, int index)
    : Canvas(container, std::move(name), index)
{
}

DWORD PictureBox::window_ex_style() const
{
    return m_border_style == 1 ? WS_EX_CLIENTEDGE : 0;
}

void PictureBox::AutoSize(bool auto_size)
{
    m_is_auto_size = auto_size;
    if (auto_size)
        fit_to_picture();
}

void PictureBox::picture_changed()
{
    if (m_is_auto_size)
        fit_to_picture();
}

void PictureBox::fit_to_picture()
{
    if (m_picture.is_empty())
        return;
    // The border around the client area stays: the client takes the picture's size.
    SIZE client = client_pixel_size();
    int border_width = pixel_width() - client.cx;
    int border_height = pixel_height() - client.cy;
    if (!m_window)
        border_width = border_height = m_border_style == 1 ? 4 : 0;
    set_geometry_twips(m_left, m_top, pixels_to_twips(m_picture.width_pixels() + border_width),
        pixels_to_twips(m_picture.height_pixels() + border_height));
}

}
