// RichTextBox: shows a rich-text document given as TextRTF (paragraphs, bold, italic, underline,
// font sizes and colours), wrapped to the box's width and scrolled when it is taller than the
// box; Text is its plain text. Text that is not rich text shows as it is.
#pragma once

#include "runtime/rich_text.h"
#include "runtime/rich_text_layout.h"
#include "runtime/scrolling_control.h"

#include <optional>

namespace runtime {

class RichTextBox : public ScrollingControl {
public:
    RichTextBox(Container& container, std::string name, int index = -1);

    const std::string& TextRTF() const { return m_rtf; }
    void TextRTF(std::string rtf);
    const std::string& Text() const { return m_text; }
    void Text(std::string text);
    long BackColor() const { return m_back_color; }
    void BackColor(long colour);

protected:
    void paint(HDC dc) override;
    void measure_content(Scroller& scroller) override;
    void geometry_changed() override;
    void text_layout_changed() override;

private:
    void set_document(RichTextDocument document);
    // The document's lines for the box's width as it is now, made when first needed.
    const RichTextLayout& layout();
    int text_width(bool with_bar) const;

    std::string m_rtf;
    std::string m_text;
    RichTextDocument m_document;
    std::optional<RichTextLayout> m_layout;
    std::optional<RichTextFonts> m_fonts;
    bool m_is_laid_out_with_bar = false;
    long m_back_color = static_cast<long>(0x80000005);
};

// The plain text of a rich-text document: paragraphs separated by CR LF, formatting and tables left out.
std::string plain_text_from_rtf(std::string_view rtf);

}
