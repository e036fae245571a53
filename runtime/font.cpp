#include "runtime/font.h"

#include "runtime/numeric.h"

#include <cstring>

namespace runtime {

int font_pixel_height(float points)
{
    return static_cast<int>(round_half_even(points * 96.0 / 72.0));
}

FontHandle::~FontHandle()
{
    if (m_font)
        DeleteObject(m_font);
}

HFONT FontHandle::get(const StdFont& font)
{
    if (m_font && font == m_made_for)
        return m_font;
    if (m_font)
        DeleteObject(m_font);
    LOGFONTA description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = -font_pixel_height(font.Size);
    description.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    description.lfItalic = font.Italic ? 1 : 0;
    description.lfUnderline = font.Underline ? 1 : 0;
    description.lfStrikeOut = font.Strikethrough ? 1 : 0;
    description.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(description.lfFaceName, font.Name.c_str(), sizeof description.lfFaceName - 1);
    m_font = CreateFontIndirectA(&description);
    m_made_for = font;
    return m_font;
}

}
