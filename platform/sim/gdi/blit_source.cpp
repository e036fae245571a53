#include "platform/sim/gdi/blit.h"

#include "platform/sim/gdi/color.h"

#include <algorithm>

namespace sim {

void BlitSource::set_aside(const RECT& area)
{
    const Bitmap& pixels = *m_read.bitmap;
    RECT part = normalised(offset_rect(area, m_read.origin));
    part = { std::max<LONG>(part.left, 0), std::max<LONG>(part.top, 0), std::min<LONG>(part.right, pixels.width()),
        std::min<LONG>(part.bottom, pixels.height()) };
    int width = std::max<int>(part.right - part.left, 0);
    int height = width > 0 ? std::max<int>(part.bottom - part.top, 0) : 0;
    auto copy = std::make_shared<Bitmap>(width, height);
    copy->set_bits_per_pixel(pixels.bits_per_pixel());
    for (int y = 0; y < height; ++y)
        std::copy_n(pixels.row(part.top + y) + part.left, width, copy->row(y));
    m_read.keep_alive = std::move(copy);
    m_read.bitmap = m_read.keep_alive.get();
    m_read.origin = { m_read.origin.x - part.left, m_read.origin.y - part.top };
}

BlitSource::BlitSource(const DeviceContext& source, const DeviceContext& destination,
    const Bitmap& destination_bitmap, const RECT& area, Overlap overlap)
    : m_read(read_source(source, area))
{
    if (!m_read.bitmap)
        return;
    if (m_read.bitmap == &destination_bitmap && overlap == Overlap::SetAside)
        set_aside(area);
    bool is_source_monochrome = m_read.bitmap->is_monochrome();
    bool is_destination_monochrome = destination_bitmap.is_monochrome();
    if (is_source_monochrome && !is_destination_monochrome) {
        m_is_from_monochrome = true;
        m_black_becomes = gdi_pixel(destination.state.text_color);
        m_white_becomes = gdi_pixel(destination.state.background_color);
    }
    if (!is_source_monochrome && is_destination_monochrome) {
        m_is_to_monochrome = true;
        m_background = gdi_pixel(source.state.background_color);
    }
}

}
