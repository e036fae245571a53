#include "runtime/rich_text_layout.h"

#include <algorithm>

namespace runtime {

namespace {

struct Metrics {
    int height = 0;
    int ascent = 0;
};

Metrics metrics_of(HDC dc, HFONT font)
{
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    return Metrics { static_cast<int>(metrics.tmHeight), static_cast<int>(metrics.tmAscent) };
}

int text_width(HDC dc, HFONT font, const std::string& text)
{
    if (text.empty())
        return 0;
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent { 0, 0 };
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    return extent.cx;
}

// Splits a run into words, each with the blanks that follow it, so lines break after blanks.
std::vector<std::string> words_of(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (size_t index = 0; index < text.size(); ++index) {
        word += text[index];
        bool ends_word = text[index] == ' ' && (index + 1 == text.size() || text[index + 1] != ' ');
        if (ends_word) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

class LineBreaker {
public:
    LineBreaker(HDC dc, RichTextFonts& fonts, int width)
        : m_dc(dc)
        , m_fonts(fonts)
        , m_width(std::max(width, 1))
    {
    }

    void add_word(const std::string& word, const RichTextStyle& style)
    {
        HFONT font = m_fonts.get(style);
        int width = text_width(m_dc, font, word);
        std::string trimmed = word.substr(0, word.find_last_not_of(' ') + 1);
        if (m_x > 0 && m_x + text_width(m_dc, font, trimmed) > m_width)
            end_line();
        place(word, style, font, width);
    }

    // An empty paragraph still takes a line of its style's height.
    void end_paragraph(const RichTextStyle& style)
    {
        if (m_line.pieces.empty())
            measure(style, m_fonts.get(style));
        end_line();
    }

    RichTextLayout finish()
    {
        m_layout.height = m_top;
        return std::move(m_layout);
    }

private:
    void place(const std::string& word, const RichTextStyle& style, HFONT font, int width)
    {
        measure(style, font);
        auto& pieces = m_line.pieces;
        if (!pieces.empty() && pieces.back().style == style)
            pieces.back().text += word;
        else
            pieces.push_back(RichTextPiece { m_x, word, style });
        m_x += width;
    }

    void measure(const RichTextStyle&, HFONT font)
    {
        Metrics metrics = metrics_of(m_dc, font);
        int descent = std::max(m_line.height - m_line.ascent, metrics.height - metrics.ascent);
        m_line.ascent = std::max(m_line.ascent, metrics.ascent);
        m_line.height = m_line.ascent + descent;
    }

    void end_line()
    {
        m_line.top = m_top;
        m_top += m_line.height;
        m_layout.lines.push_back(std::move(m_line));
        m_line = RichTextLine {};
        m_x = 0;
    }

    HDC m_dc;
    RichTextFonts& m_fonts;
    int m_width;
    int m_x = 0;
    int m_top = 0;
    RichTextLine m_line;
    RichTextLayout m_layout;
};

}

HFONT RichTextFonts::get(const RichTextStyle& style)
{
    StdFont font;
    font.Name = m_face;
    font.Size = style.half_points / 2.0f;
    font.Bold = style.is_bold;
    font.Italic = style.is_italic;
    font.Underline = style.is_underlined;
    for (auto& [made_for, handle] : m_fonts) {
        if (made_for == font)
            return handle->get(font);
    }
    m_fonts.emplace_back(font, std::make_unique<FontHandle>());
    return m_fonts.back().second->get(font);
}

RichTextLayout lay_out_rich_text(HDC dc, RichTextFonts& fonts, const RichTextDocument& document, int width)
{
    LineBreaker breaker(dc, fonts, width);
    for (auto& paragraph : document.paragraphs) {
        RichTextStyle last_style;
        for (auto& run : paragraph.runs) {
            for (auto& word : words_of(run.text))
                breaker.add_word(word, run.style);
            last_style = run.style;
        }
        breaker.end_paragraph(last_style);
    }
    return breaker.finish();
}

void paint_rich_text(HDC dc, RichTextFonts& fonts, const RichTextLayout& layout, const RECT& area, int scrolled)
{
    SetBkMode(dc, TRANSPARENT);
    HRGN clip = CreateRectRgn(area.left, area.top, area.right, area.bottom);
    SelectClipRgn(dc, clip);
    for (auto& line : layout.lines) {
        int top = area.top + line.top - scrolled;
        if (top + line.height <= area.top)
            continue;
        if (top >= area.bottom)
            break;
        for (auto& piece : line.pieces) {
            HFONT font = fonts.get(piece.style);
            HGDIOBJ previous = SelectObject(dc, font);
            TEXTMETRICA metrics {};
            GetTextMetricsA(dc, &metrics);
            SetTextColor(dc, piece.style.colour);
            int y = top + line.ascent - static_cast<int>(metrics.tmAscent);
            TextOutA(dc, area.left + piece.left, y, piece.text.c_str(), static_cast<int>(piece.text.size()));
            SelectObject(dc, previous);
        }
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
}

}
