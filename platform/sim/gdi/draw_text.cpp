// DrawTextA: text laid out in a rectangle, with alignment, line breaks, word wrapping and prefixes.
#include "platform/api/gdi.h"

#include "platform/sim/gdi/text_painter.h"
#include "platform/sim/user/process_faults.h"

#include <cstring>
#include <vector>

using namespace sim;

namespace {

struct Character {
    char32_t code = 0;
    bool is_underlined = false;
};
using Line = std::vector<Character>;

// Takes out the "&" prefixes: "&&" stands for "&", "&x" underlines x.
Line remove_prefixes(const std::u32string& text, UINT format)
{
    Line result;
    bool shows_prefix = !(format & DT_HIDEPREFIX);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != U'&' || (format & DT_NOPREFIX)) {
            result.push_back({ text[i], false });
            continue;
        }
        if (i + 1 == text.size())
            break;
        ++i;
        result.push_back({ text[i], text[i] != U'&' && shows_prefix });
    }
    return result;
}

int line_width(ScaledFont& font, const Line& line)
{
    int width = 0;
    for (auto& character : line)
        width += font.advance_of(character.code);
    return width;
}

std::vector<Line> split_paragraphs(const Line& text, UINT format)
{
    std::vector<Line> paragraphs(1);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i].code;
        bool is_break = code == U'\r' || code == U'\n';
        if (is_break && (format & DT_SINGLELINE))
            continue;
        if (!is_break) {
            paragraphs.back().push_back(text[i]);
            continue;
        }
        if (code == U'\r' && i + 1 < text.size() && text[i + 1].code == U'\n')
            ++i;
        paragraphs.emplace_back();
    }
    return paragraphs;
}

// Greedy wrapping at blanks; a word wider than the limit stays whole on its own line.
void wrap_paragraph(ScaledFont& font, const Line& paragraph, int limit, std::vector<Line>& lines)
{
    Line current;
    size_t i = 0;
    while (i < paragraph.size()) {
        size_t end = i;
        while (end < paragraph.size() && paragraph[end].code != U' ')
            ++end;
        while (end < paragraph.size() && paragraph[end].code == U' ')
            ++end;
        Line word(paragraph.begin() + i, paragraph.begin() + end);
        Line trimmed = word;
        while (!trimmed.empty() && trimmed.back().code == U' ')
            trimmed.pop_back();
        if (!current.empty() && line_width(font, current) + line_width(font, trimmed) > limit) {
            while (!current.empty() && current.back().code == U' ')
                current.pop_back();
            lines.push_back(std::move(current));
            current.clear();
        }
        current.insert(current.end(), word.begin(), word.end());
        i = end;
    }
    while (!current.empty() && current.back().code == U' ')
        current.pop_back();
    lines.push_back(std::move(current));
}

void add_end_ellipsis(ScaledFont& font, Line& line, int limit)
{
    if (line_width(font, line) <= limit)
        return;
    Line dots(3, Character { U'.', false });
    int dots_width = line_width(font, dots);
    while (!line.empty() && line_width(font, line) + dots_width > limit)
        line.pop_back();
    line.insert(line.end(), dots.begin(), dots.end());
}

}

int WINAPI DrawTextA(HDC handle, LPCSTR text, int count, LPRECT rect, UINT format)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc || !rect || !text)
        return 0;
    ScaledFont* font = selected_font(*dc);
    if (!font)
        return 0;
    size_t length = count < 0 ? std::strlen(text) : static_cast<size_t>(count);
    if (length == 0) {
        if (format & DT_CALCRECT) {
            rect->right = rect->left;
            rect->bottom = rect->top;
        }
        return 0;
    }
    std::u32string decoded = decode_ansi(std::string_view(text, length));
    for (auto& code : decoded) {
        if (code == U'\t')
            code = U' ';
    }
    int limit = rect->right - rect->left;
    std::vector<Line> lines;
    for (auto& paragraph : split_paragraphs(remove_prefixes(decoded, format), format)) {
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE))
            wrap_paragraph(*font, paragraph, limit, lines);
        else
            lines.push_back(paragraph);
    }
    if (format & DT_END_ELLIPSIS) {
        for (auto& line : lines)
            add_end_ellipsis(*font, line, limit);
    }

    int line_height = font->height();
    int text_height = line_height * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (auto& line : lines)
            widest = std::max(widest, line_width(*font, line));
        rect->right = rect->left + widest;
        rect->bottom = rect->top + text_height;
        return text_height;
    }

    int top = rect->top;
    bool is_single = format & DT_SINGLELINE;
    if (is_single && (format & DT_VCENTER))
        top += (rect->bottom - rect->top - text_height) / 2;
    else if (is_single && (format & DT_BOTTOM))
        top = rect->bottom - text_height;
    for (auto& line : lines) {
        std::u32string codes;
        int underlined = -1;
        for (auto& character : line) {
            if (character.is_underlined)
                underlined = static_cast<int>(codes.size());
            codes.push_back(character.code);
        }
        int width = text_width(*font, codes);
        int left = rect->left;
        if (format & DT_CENTER)
            left += (limit - width) / 2;
        else if (format & DT_RIGHT)
            left = rect->right - width;
        TextRun run { codes, { left, top }, {}, std::nullopt, underlined };
        if (!(format & DT_NOCLIP))
            run.limit = *rect;
        draw_text_run(*dc, *font, run);
        top += line_height;
    }
    if (is_single && (format & (DT_VCENTER | DT_BOTTOM)))
        return top - rect->top;
    return text_height;
}
