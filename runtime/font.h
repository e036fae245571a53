// StdFont: the font of a form or control, and the GDI font made from it.
#pragma once

#include "platform/win32.h"

#include <string>

namespace runtime {

struct StdFont {
    std::string Name = "MS Sans Serif";
    float Size = 8.25f;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;

    bool operator==(const StdFont&) const = default;
};

// A GDI font for a StdFont, made when first needed and again after the font changes.
class FontHandle {
public:
    FontHandle() = default;
    ~FontHandle();
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(const FontHandle&) = delete;

    HFONT get(const StdFont& font);

private:
    HFONT m_font = nullptr;
    StdFont m_made_for;
};

// The character height in pixels of a font of that many points at 96 dots per inch.
int font_pixel_height(float points);

}
