// The rich text of a document in the small part of the rich-text format that release notes use:
// paragraphs, bold, italic, underline, font sizes and colours. What the reader does not know
// (other control words, destinations such as the font table or pictures) it leaves out.
#pragma once

#include "platform/win32.h"

#include <string>
#include <string_view>
#include <vector>

namespace runtime {

struct RichTextStyle {
    bool is_bold = false;
    bool is_italic = false;
    bool is_underlined = false;
    // The font size in half points, as the format gives it (24: 12 points).
    int half_points = 24;
    // The colour of the text; automatic colour is black.
    COLORREF colour = RGB(0, 0, 0);

    bool operator==(const RichTextStyle&) const = default;
};

struct RichTextRun {
    std::string text;
    RichTextStyle style;
};

struct RichTextParagraph {
    std::vector<RichTextRun> runs;
};

struct RichTextDocument {
    std::vector<RichTextParagraph> paragraphs;

    // The text without formatting, paragraphs separated by CR LF.
    std::string plain_text() const;
};

// Reads a document. Text that does not start as rich text ("{\rtf") is one plain paragraph per
// line; rich text is read as far as it goes, so a cut-off document shows what arrived.
RichTextDocument read_rich_text(std::string_view text);

}
