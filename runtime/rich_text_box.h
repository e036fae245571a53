// RichTextBox: shows a rich-text document given as TextRTF; Text is its plain text.
#pragma once

#include "runtime/control.h"

namespace runtime {

class RichTextBox : public Control {
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

private:
    std::string m_rtf;
    std::string m_text;
    long m_back_color = static_cast<long>(0x80000005);
};

// The plain text of a rich-text document: groups of fonts, colours and other tables left out,
// control words dropped, "\par" and "\line" as line breaks, "\'hh" as the character hh.
std::string plain_text_from_rtf(std::string_view rtf);

}
