// A picture being drawn: a grid of colours that shaders are laid over, source over destination.
#pragma once

#include "resources/tool/colour.h"

#include <cstdint>
#include <vector>

namespace artwork {

struct Area {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height, Colour fill = transparent);

    int width() const { return m_width; }
    int height() const { return m_height; }
    Area area() const { return { 0, 0, m_width, m_height }; }

    Colour pixel(int x, int y) const;
    void set_pixel(int x, int y, Colour colour);
    void fill(Colour colour);

    // Lays shader(x, y), evaluated at each pixel centre, over the pixels of the area.
    template<typename Shader>
    void paint(Area area, Shader shader)
    {
        clip(area);
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x)
                blend(x, y, shader(x + 0.5f, y + 0.5f));
        }
    }
    template<typename Shader>
    void paint(Shader shader) { paint(area(), shader); }

    // Replaces every pixel by shader(x, y, current colour).
    template<typename Filter>
    void transform(Filter filter)
    {
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x)
                set_pixel(x, y, filter(x, y, pixel(x, y)));
        }
    }

    void draw(const Canvas& source, int left, int top);
    void blend(int x, int y, Colour colour);

    // Pixels as 0xAARRGGBB, top row first.
    std::vector<std::uint32_t> to_argb() const;

private:
    void clip(Area& area) const;

    int m_width = 0;
    int m_height = 0;
    std::vector<Colour> m_pixels;
};

}
