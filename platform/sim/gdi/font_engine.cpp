#include "platform/sim/gdi/font_engine.h"

#include "platform/sim/letter_case.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <tuple>

#ifndef KELMOR_FONT_DIR
#define KELMOR_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace sim {

namespace {

FT_Library library()
{
    static FT_Library instance = [] {
        FT_Library created = nullptr;
        if (FT_Init_FreeType(&created) != 0)
            return static_cast<FT_Library>(nullptr);
        return created;
    }();
    return instance;
}

// The DejaVu file that stands in for a Windows face.
std::string font_file(const LOGFONTA& description)
{
    std::string face = folded_case(description.lfFaceName);
    auto names_any = [&](std::initializer_list<const char*> words) {
        return std::any_of(words.begin(), words.end(), [&](const char* word) { return face.find(word) != std::string::npos; });
    };
    bool is_bold = description.lfWeight >= FW_SEMIBOLD;
    bool is_italic = description.lfItalic != 0;
    bool is_fixed = (description.lfPitchAndFamily & 0x03) == FIXED_PITCH;
    std::string family = "DejaVuSans";
    std::string italic = "Oblique";
    if (is_fixed || names_any({ "courier", "mono", "console", "fixedsys", "terminal" })) {
        family = "DejaVuSansMono";
    } else if (names_any({ "times", "serif", "roman", "georgia", "garamond" }) && face.find("sans") == std::string::npos) {
        family = "DejaVuSerif";
        italic = "Italic";
    }
    std::string style;
    if (is_bold)
        style += "Bold";
    if (is_italic)
        style += is_bold && italic == "Italic" ? "Italic" : italic;
    if (!style.empty())
        family += "-" + style;
    return std::string(KELMOR_FONT_DIR) + "/" + family + ".ttf";
}

// Maps 0x80..0x9F of the Windows ANSI code page; the rest is Latin-1.
constexpr char32_t windows_1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}

std::u32string decode_ansi(std::string_view text)
{
    std::u32string result;
    result.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        result.push_back(byte >= 0x80 && byte < 0xA0 ? windows_1252_high[byte - 0x80] : char32_t(byte));
    }
    return result;
}

ScaledFont::ScaledFont(const LOGFONTA& description, void* face)
    : m_description(description)
    , m_face(face)
    , m_is_antialiased(description.lfQuality != NONANTIALIASED_QUALITY)
{
    auto* ft_face = static_cast<FT_Face>(m_face);
    double units = ft_face->units_per_EM;
    double ascender = ft_face->ascender;
    double descender = -ft_face->descender;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(ft_face, FT_SFNT_OS2))) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    // A negative height asks for the character height, a positive one for the cell height; zero
    // gives the default cell of 16 pixels.
    LONG height = description.lfHeight;
    if (height < 0)
        m_em_size = -height;
    else
        m_em_size = std::max(1, static_cast<int>(std::lround((height ? height : 16) * units / (ascender + descender))));
    FT_Set_Pixel_Sizes(ft_face, 0, m_em_size);
    m_ascent = static_cast<int>(std::lround(ascender * m_em_size / units));
    m_descent = static_cast<int>(std::lround(descender * m_em_size / units));
    m_average_width = std::max(1, advance_of('x'));
    m_max_width = static_cast<int>(std::lround(double(ft_face->max_advance_width) * m_em_size / units));
}

ScaledFont::~ScaledFont()
{
    FT_Done_Face(static_cast<FT_Face>(m_face));
}

const Glyph& ScaledFont::glyph(uint32_t code_point)
{
    auto found = m_glyphs.find(code_point);
    if (found != m_glyphs.end())
        return found->second;
    Glyph& glyph = m_glyphs[code_point];
    auto* face = static_cast<FT_Face>(m_face);
    FT_Int32 flags = FT_LOAD_RENDER | (m_is_antialiased ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
    if (FT_Load_Char(face, code_point, flags) != 0)
        return glyph;
    FT_GlyphSlot slot = face->glyph;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(slot->bitmap.width);
    glyph.height = static_cast<int>(slot->bitmap.rows);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
    for (int y = 0; y < glyph.height; ++y) {
        const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
        for (int x = 0; x < glyph.width; ++x) {
            uint8_t value = slot->bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x / 8] >> (7 - x % 8)) & 1) * 255 : row[x];
            glyph.coverage[static_cast<size_t>(y) * glyph.width + x] = value;
        }
    }
    return glyph;
}

ScaledFont* scaled_font(const LOGFONTA& description)
{
    using Key = std::tuple<std::string, LONG, LONG, BYTE, BYTE, BYTE, bool>;
    static std::map<Key, std::unique_ptr<ScaledFont>> fonts;
    std::string file = font_file(description);
    Key key { file, description.lfHeight, description.lfWeight, description.lfItalic, description.lfUnderline,
        description.lfStrikeOut, description.lfQuality == NONANTIALIASED_QUALITY };
    auto found = fonts.find(key);
    if (found != fonts.end())
        return found->second.get();
    FT_Face face = nullptr;
    if (!library() || FT_New_Face(library(), file.c_str(), 0, &face) != 0)
        return nullptr;
    auto& font = fonts[key];
    font = std::make_unique<ScaledFont>(description, face);
    return font.get();
}

}
