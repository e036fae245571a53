// Fonts of the simulated GDI: the program's font descriptions mapped to real faces, with glyphs
// rendered through FreeType. The DejaVu family stands in for the Windows fonts.
#pragma once

#include "platform/api/gdi.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// One rendered glyph: coverage 0..255 per pixel, placed relative to the pen position on the
// baseline (left to the right, top upwards).
struct Glyph {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    int advance = 0;
    std::vector<uint8_t> coverage;
};

// A face at one pixel size with the decorations the description asks for.
class ScaledFont {
public:
    ScaledFont(const LOGFONTA&, void* face);
    ~ScaledFont();
    ScaledFont(const ScaledFont&) = delete;
    ScaledFont& operator=(const ScaledFont&) = delete;

    int ascent() const { return m_ascent; }
    int descent() const { return m_descent; }
    int height() const { return m_ascent + m_descent; }
    int em_size() const { return m_em_size; }
    int average_width() const { return m_average_width; }
    int max_width() const { return m_max_width; }
    const LOGFONTA& description() const { return m_description; }
    bool is_underlined() const { return m_description.lfUnderline != 0; }
    bool is_struck_out() const { return m_description.lfStrikeOut != 0; }
    // Rows below the baseline where an underline lies, and above it for the strike-out line.
    int underline_offset() const { return std::max(1, m_descent / 3); }
    int strike_out_offset() const { return std::max(1, m_ascent / 3); }
    int line_thickness() const { return std::max(1, m_em_size / 14); }

    const Glyph& glyph(uint32_t code_point);
    int advance_of(uint32_t code_point) { return glyph(code_point).advance; }

private:
    LOGFONTA m_description {};
    void* m_face = nullptr;
    bool m_is_antialiased = true;
    int m_em_size = 0;
    int m_ascent = 0;
    int m_descent = 0;
    int m_average_width = 0;
    int m_max_width = 0;
    std::map<uint32_t, Glyph> m_glyphs;
};

// The font for a description, made once and kept; null when no face can be loaded.
ScaledFont* scaled_font(const LOGFONTA&);

// The Unicode characters of a text in the Windows ANSI code page.
std::u32string decode_ansi(std::string_view text);

}
