#include "platform/sim/gdi/blit.h"

#include "platform/sim/gdi/color.h"

namespace sim {

BlitSource::BlitSource(const DeviceContext& source, const DeviceContext& destination,
    const Bitmap& destination_bitmap, const RECT& area)
    : m_read(read_source(source, area))
{
    if (!m_read.bitmap)
        return;
    // A copy within one bitmap reads what was there before the copy began.
    if (m_read.bitmap == &destination_bitmap) {
        m_read.keep_alive = std::make_shared<Bitmap>(destination_bitmap);
        m_read.bitmap = m_read.keep_alive.get();
    }
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
