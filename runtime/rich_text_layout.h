// RichTextLayout: a rich-text document broken into lines that fit a width, word by word, each
// piece of text in its own font and colour; and the fonts it needs, made once per style.
#pragma once

#include "runtime/font.h"
#include "runtime/rich_text.h"

#include <memory>
#include <utility>
#include <vector>

namespace runtime {

// The fonts of the document's styles, in one face.
class RichTextFonts {
public:
    explicit RichTextFonts(std::string face)
        : m_face(std::move(face))
    {
    }

    HFONT get(const RichTextStyle& style);

private:
    std::string m_face;
    std::vector<std::pair<StdFont, std::unique_ptr<FontHandle>>> m_fonts;
};

struct RichTextPiece {
    int left = 0;
    std::string text;
    RichTextStyle style;
};

struct RichTextLine {
    int top = 0;
    int height = 0;
    // The distance from the line's top to the base line all its pieces stand on.
    int ascent = 0;
    std::vector<RichTextPiece> pieces;
};

struct RichTextLayout {
    std::vector<RichTextLine> lines;
    int height = 0;
};

// Breaks the paragraphs into lines no wider than `width` pixels; a word longer than a line stands alone.
RichTextLayout lay_out_rich_text(HDC dc, RichTextFonts& fonts, const RichTextDocument& document, int width);

// Draws the lines that fall into the area, the layout's top `scrolled` pixels above the area's top.
void paint_rich_text(HDC dc, RichTextFonts& fonts, const RichTextLayout& layout, const RECT& area, int scrolled);

}
