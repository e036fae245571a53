#include "app/kelmor_sim/json_writer.h"

#include <cstdio>

namespace kelmor_sim {

std::string quote_json(std::string_view text)
{
    std::string quoted = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
                quoted += escaped;
                break;
            }
            quoted += static_cast<char>(c);
        }
    }
    quoted += '"';
    return quoted;
}

void JsonWriter::new_line()
{
    m_text += '\n';
    m_text.append(m_has_values.size() * 2, ' ');
}

void JsonWriter::before_value()
{
    if (m_after_key) {
        m_after_key = false;
        return;
    }
    if (m_has_values.empty())
        return;
    if (m_has_values.back())
        m_text += ',';
    m_has_values.back() = true;
    new_line();
}

void JsonWriter::begin_object()
{
    before_value();
    m_text += '{';
    m_has_values.push_back(false);
}

void JsonWriter::end_object()
{
    bool had_values = m_has_values.back();
    m_has_values.pop_back();
    if (had_values)
        new_line();
    m_text += '}';
    if (m_has_values.empty())
        m_text += '\n';
}

void JsonWriter::begin_array()
{
    before_value();
    m_text += '[';
    m_has_values.push_back(false);
}

void JsonWriter::end_array()
{
    bool had_values = m_has_values.back();
    m_has_values.pop_back();
    if (had_values)
        new_line();
    m_text += ']';
}

void JsonWriter::key(std::string_view name)
{
    before_value();
    m_text += quote_json(name);
    m_text += ": ";
    m_after_key = true;
}

void JsonWriter::value(std::string_view text)
{
    before_value();
    m_text += quote_json(text);
}

void JsonWriter::value(int64_t number)
{
    before_value();
    m_text += std::to_string(number);
}

void JsonWriter::value(uint64_t number)
{
    before_value();
    m_text += std::to_string(number);
}

void JsonWriter::value(bool flag)
{
    before_value();
    m_text += flag ? "true" : "false";
}

void JsonWriter::null()
{
    before_value();
    m_text += "null";
}

}
