#include "runtime/rich_text.h"

#include <cctype>
#include <cstdlib>

namespace runtime {

namespace {

bool is_rich_text(std::string_view text)
{
    size_t start = text.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && text.substr(start, 5) == "{\\rtf";
}

RichTextDocument plain_document(std::string_view text)
{
    RichTextDocument document;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string line(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        document.paragraphs.push_back(RichTextParagraph { { RichTextRun { line, {} } } });
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return document;
}

// Groups whose content is not text: tables, document information, pictures, headers.
bool is_skipped_destination(const std::string& word)
{
    static const char* const destinations[] = { "fonttbl", "colortbl", "stylesheet", "info", "pict", "object",
        "header", "footer", "headerl", "headerr", "footerl", "footerr", "footnote", "listtable",
        "listoverridetable", "revtbl", "rsidtbl", "generator", "themedata", "colorschememapping",
        "datastore", "latentstyles", "xmlnstbl", "filetbl", "fldinst" };
    for (auto destination : destinations) {
        if (word == destination)
            return true;
    }
    return false;
}

class Reader {
public:
    explicit Reader(std::string_view rtf)
        : m_rtf(rtf)
    {
    }

    RichTextDocument read()
    {
        m_document.paragraphs.emplace_back();
        m_groups.push_back(Group {});
        while (m_position < m_rtf.size())
            step();
        end_paragraph_if_empty_trailing();
        return std::move(m_document);
    }

private:
    struct Group {
        RichTextStyle style;
        bool is_skipped = false;
        bool is_colour_table = false;
        int unicode_skip = 1;
    };

    Group& group() { return m_groups.back(); }

    void step()
    {
        char c = m_rtf[m_position++];
        switch (c) {
        case '{': {
            Group inner = group();
            inner.is_colour_table = false;
            m_groups.push_back(inner);
            return;
        }
        case '}':
            if (m_groups.size() > 1)
                m_groups.pop_back();
            return;
        case '\\':
            control();
            return;
        case '\r':
        case '\n':
            return;
        case ';':
            if (group().is_colour_table) {
                m_colours.push_back(RGB(m_red, m_green, m_blue));
                m_red = m_green = m_blue = 0;
                return;
            }
            text(c);
            return;
        default:
            text(c);
            return;
        }
    }

    void text(char c)
    {
        if (group().is_skipped)
            return;
        if (m_pending_skip > 0) {
            --m_pending_skip;
            return;
        }
        auto& runs = m_document.paragraphs.back().runs;
        if (runs.empty() || !(runs.back().style == group().style))
            runs.push_back(RichTextRun { {}, group().style });
        runs.back().text += c;
    }

    void new_paragraph()
    {
        if (!group().is_skipped)
            m_document.paragraphs.emplace_back();
    }

    void control()
    {
        if (m_position >= m_rtf.size())
            return;
        char next = m_rtf[m_position];
        if (!std::isalpha(static_cast<unsigned char>(next))) {
            ++m_position;
            symbol(next);
            return;
        }
        size_t start = m_position;
        while (m_position < m_rtf.size() && std::isalpha(static_cast<unsigned char>(m_rtf[m_position])))
            ++m_position;
        std::string word(m_rtf.substr(start, m_position - start));
        bool has_parameter = false;
        int parameter = 0;
        size_t number_start = m_position;
        if (m_position < m_rtf.size() && m_rtf[m_position] == '-')
            ++m_position;
        while (m_position < m_rtf.size() && std::isdigit(static_cast<unsigned char>(m_rtf[m_position])))
            ++m_position;
        if (m_position > number_start && std::isdigit(static_cast<unsigned char>(m_rtf[m_position - 1]))) {
            has_parameter = true;
            parameter = std::atoi(std::string(m_rtf.substr(number_start, m_position - number_start)).c_str());
        } else {
            m_position = number_start;
        }
        if (m_position < m_rtf.size() && m_rtf[m_position] == ' ')
            ++m_position;
        word_control(word, has_parameter, parameter);
    }

    void symbol(char symbol)
    {
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            text(symbol);
            return;
        case '~':
            text(' ');
            return;
        case '_':
            text('-');
            return;
        case '*':
            group().is_skipped = true;
            return;
        case '\r':
        case '\n':
            new_paragraph();
            return;
        case '\'':
            if (m_position + 2 <= m_rtf.size()) {
                std::string hex(m_rtf.substr(m_position, 2));
                m_position += 2;
                char* end = nullptr;
                long value = std::strtol(hex.c_str(), &end, 16);
                if (end == hex.c_str() + 2)
                    text(static_cast<char>(value));
            }
            return;
        default:
            return;
        }
    }

    void word_control(const std::string& word, bool has_parameter, int parameter)
    {
        RichTextStyle& style = group().style;
        bool is_on = !has_parameter || parameter != 0;
        if (is_skipped_destination(word)) {
            group().is_skipped = word != "colortbl";
            group().is_colour_table = word == "colortbl";
        } else if (word == "par" || word == "line") {
            new_paragraph();
        } else if (word == "tab") {
            text(' ');
            text(' ');
            text(' ');
            text(' ');
        } else if (word == "b") {
            style.is_bold = is_on;
        } else if (word == "i") {
            style.is_italic = is_on;
        } else if (word == "ul") {
            style.is_underlined = is_on;
        } else if (word == "ulnone") {
            style.is_underlined = false;
        } else if (word == "fs" && has_parameter && parameter > 0) {
            style.half_points = std::min(parameter, 400);
        } else if (word == "cf" && has_parameter) {
            style.colour = parameter > 0 && parameter < static_cast<int>(m_colours.size()) ? m_colours[parameter] : RGB(0, 0, 0);
        } else if (word == "plain") {
            style = RichTextStyle {};
        } else if (word == "red" && group().is_colour_table) {
            m_red = parameter & 0xFF;
        } else if (word == "green" && group().is_colour_table) {
            m_green = parameter & 0xFF;
        } else if (word == "blue" && group().is_colour_table) {
            m_blue = parameter & 0xFF;
        } else if (word == "uc" && has_parameter) {
            group().unicode_skip = std::max(parameter, 0);
        } else if (word == "u" && has_parameter) {
            int code = parameter < 0 ? parameter + 65536 : parameter;
            text(code < 256 ? static_cast<char>(code) : '?');
            m_pending_skip = group().unicode_skip;
        }
    }

    // A document's closing "\par" ends the last paragraph rather than starting an empty one.
    void end_paragraph_if_empty_trailing()
    {
        auto& paragraphs = m_document.paragraphs;
        if (paragraphs.size() > 1 && paragraphs.back().runs.empty())
            paragraphs.pop_back();
    }

    std::string_view m_rtf;
    size_t m_position = 0;
    RichTextDocument m_document;
    std::vector<Group> m_groups;
    // The colour table; entry 0 is the automatic colour.
    std::vector<COLORREF> m_colours;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    int m_pending_skip = 0;
};

}

std::string RichTextDocument::plain_text() const
{
    std::string text;
    for (size_t index = 0; index < paragraphs.size(); ++index) {
        if (index > 0)
            text += "\r\n";
        for (auto& run : paragraphs[index].runs)
            text += run.text;
    }
    return text;
}

RichTextDocument read_rich_text(std::string_view text)
{
    if (!is_rich_text(text))
        return plain_document(text);
    size_t start = text.find('{');
    return Reader(text.substr(start)).read();
}

}
