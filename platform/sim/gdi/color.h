// Conversions between the program's colour values (COLORREF, red in the low byte) and pixels.
#pragma once

#include "platform/api/types.h"

#include <cstdint>

namespace sim {

// The pixel GDI lays down for a colour. As on Windows, GDI knows no alpha: what it draws into a
// 32-bit bitmap has the alpha byte 0; only copies and alpha-aware drawing carry other alphas.
constexpr uint32_t gdi_pixel(COLORREF color)
{
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

constexpr COLORREF colorref_of(uint32_t pixel)
{
    return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}

constexpr uint8_t alpha_of(uint32_t pixel) { return uint8_t(pixel >> 24); }
constexpr uint8_t red_of(uint32_t pixel) { return uint8_t(pixel >> 16); }
constexpr uint8_t green_of(uint32_t pixel) { return uint8_t(pixel >> 8); }
constexpr uint8_t blue_of(uint32_t pixel) { return uint8_t(pixel); }

constexpr uint32_t make_pixel(uint32_t alpha, uint32_t red, uint32_t green, uint32_t blue)
{
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

// value * factor / 255, rounded, for bytes.
constexpr uint32_t scale_byte(uint32_t value, uint32_t factor)
{
    uint32_t product = value * factor + 128;
    return (product + (product >> 8)) >> 8;
}

}
