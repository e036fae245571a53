#include "runtime/image_control.h"

#include "runtime/numeric.h"

namespace runtime {

ImageControl::ImageControl(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
}

void ImageControl::Picture(const StdPicture& picture)
{
    m_picture = picture.is_borrowed() ? picture.copy() : picture;
    invalidate();
    if (!m_is_stretched && !m_picture.is_empty())
        set_geometry_twips(m_left, m_top, pixels_to_twips(m_picture.width_pixels()), pixels_to_twips(m_picture.height_pixels()));
}

void ImageControl::Stretch(bool stretch)
{
    m_is_stretched = stretch;
    invalidate();
}

void ImageControl::paint(HDC dc)
{
    RECT rect = pixel_rect();
    if (m_is_stretched)
        m_picture.draw(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    else
        m_picture.draw(dc, rect.left, rect.top, m_picture.width_pixels(), m_picture.height_pixels());
}

}
