#include "resources/tool/canvas.h"

#include <algorithm>

namespace artwork {

Canvas::Canvas(int width, int height, Colour fill)
    : m_width(width)
    , m_height(height)
    , m_pixels(std::size_t(width) * height, fill)
{
}

Colour Canvas::pixel(int x, int y) const
{
    return m_pixels[std::size_t(y) * m_width + x];
}

void Canvas::set_pixel(int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[std::size_t(y) * m_width + x] = colour;
}

void Canvas::fill(Colour colour)
{
    std::fill(m_pixels.begin(), m_pixels.end(), colour);
}

void Canvas::blend(int x, int y, Colour source)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    float source_alpha = clamp01(source.a);
    if (source_alpha <= 0)
        return;
    Colour& destination = m_pixels[std::size_t(y) * m_width + x];
    float kept = destination.a * (1 - source_alpha);
    float alpha = source_alpha + kept;
    destination = { (source.r * source_alpha + destination.r * kept) / alpha,
        (source.g * source_alpha + destination.g * kept) / alpha,
        (source.b * source_alpha + destination.b * kept) / alpha, alpha };
}

void Canvas::draw(const Canvas& source, int left, int top)
{
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x)
            blend(left + x, top + y, source.pixel(x, y));
    }
}

std::vector<std::uint32_t> Canvas::to_argb() const
{
    std::vector<std::uint32_t> result;
    result.reserve(m_pixels.size());
    for (auto& colour : m_pixels)
        result.push_back(artwork::to_argb(colour));
    return result;
}

void Canvas::clip(Area& area) const
{
    area.left = std::max(area.left, 0);
    area.top = std::max(area.top, 0);
    area.right = std::min(area.right, m_width);
    area.bottom = std::min(area.bottom, m_height);
}

}
