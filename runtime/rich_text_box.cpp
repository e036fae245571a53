#include "runtime/rich_text_box.h"

#include "runtime/colour.h"
#include "runtime/gdi_helpers.h"

#include <cctype>
#include <vector>

namespace runtime {

std::string plain_text_from_rtf(std::string_view rtf)
{
    if (rtf.substr(0, 5) != "{\\rtf")
        return std::string(rtf);
    std::string text;
    // Depth of each open group and whether it is skipped (a destination such as the font table).
    std::vector<bool> skipped { false };
    size_t position = 0;
    auto is_skipping = [&] { return !skipped.empty() && skipped.back(); };
    while (position < rtf.size()) {
        char c = rtf[position];
        if (c == '{') {
            skipped.push_back(is_skipping());
            ++position;
            continue;
        }
        if (c == '}') {
            if (skipped.size() > 1)
                skipped.pop_back();
            ++position;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++position;
            continue;
        }
        if (c != '\\') {
            if (!is_skipping())
                text += c;
            ++position;
            continue;
        }
        ++position;
        if (position >= rtf.size())
            break;
        char next = rtf[position];
        if (next == '\\' || next == '{' || next == '}') {
            if (!is_skipping())
                text += next;
            ++position;
            continue;
        }
        if (next == '\'' && position + 2 < rtf.size()) {
            std::string hex(rtf.substr(position + 1, 2));
            if (!is_skipping())
                text += static_cast<char>(std::strtol(hex.c_str(), nullptr, 16));
            position += 3;
            continue;
        }
        if (next == '*') {
            skipped.back() = true;
            ++position;
            continue;
        }
        size_t word_start = position;
        while (position < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[position])))
            ++position;
        std::string word(rtf.substr(word_start, position - word_start));
        if (position < rtf.size() && (rtf[position] == '-' || std::isdigit(static_cast<unsigned char>(rtf[position])))) {
            ++position;
            while (position < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[position])))
                ++position;
        }
        if (position < rtf.size() && rtf[position] == ' ')
            ++position;
        if (word.empty()) {
            ++position;
            continue;
        }
        if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" || word == "pict")
            skipped.back() = true;
        else if ((word == "par" || word == "line") && !is_skipping())
            text += "\r\n";
        else if (word == "tab" && !is_skipping())
            text += '\t';
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

RichTextBox::RichTextBox(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
}

void RichTextBox::TextRTF(std::string rtf)
{
    m_text = plain_text_from_rtf(rtf);
    m_rtf = std::move(rtf);
    invalidate();
}

void RichTextBox::Text(std::string text)
{
    m_text = std::move(text);
    m_rtf = "{\\rtf1 " + m_text + "}";
    invalidate();
}

void RichTextBox::BackColor(long colour)
{
    m_back_color = colour;
    invalidate();
}

void RichTextBox::paint(HDC dc)
{
    RECT rect { 0, 0, pixel_width(), pixel_height() };
    fill_rect(dc, rect, to_colorref(m_back_color));
    HGDIOBJ previous = SelectObject(dc, m_font_handle.get(m_font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT text { 3, 3, rect.right - 3, rect.bottom - 3 };
    DrawTextA(dc, m_text.c_str(), -1, &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
}

}
