// Colours as the drawing code works with them: floating-point channels, straight alpha.
#pragma once

#include <algorithm>
#include <cstdint>

namespace artwork {

struct Colour {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;

    bool operator==(const Colour&) const = default;
};

constexpr Colour transparent { 0, 0, 0, 0 };

constexpr Colour rgb(int r, int g, int b, float a = 1)
{
    return { r / 255.0f, g / 255.0f, b / 255.0f, a };
}

inline float clamp01(float value)
{
    return std::clamp(value, 0.0f, 1.0f);
}

inline Colour mix(Colour from, Colour to, float t)
{
    t = clamp01(t);
    return { from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
        from.a + (to.a - from.a) * t };
}

inline Colour with_alpha(Colour colour, float alpha)
{
    colour.a = alpha;
    return colour;
}

inline Colour faded(Colour colour, float factor)
{
    colour.a *= clamp01(factor);
    return colour;
}

// Lighter (amount > 0) or darker (amount < 0), keeping the hue.
inline Colour shaded(Colour colour, float amount)
{
    Colour target = amount >= 0 ? Colour { 1, 1, 1, colour.a } : Colour { 0, 0, 0, colour.a };
    return mix(colour, target, amount >= 0 ? amount : -amount);
}

inline std::uint8_t to_byte(float channel)
{
    return static_cast<std::uint8_t>(clamp01(channel) * 255.0f + 0.5f);
}

inline std::uint32_t to_argb(Colour colour)
{
    return std::uint32_t(to_byte(colour.a)) << 24 | std::uint32_t(to_byte(colour.r)) << 16
        | std::uint32_t(to_byte(colour.g)) << 8 | to_byte(colour.b);
}

}
