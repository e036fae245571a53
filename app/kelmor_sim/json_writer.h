// A small writer of indented JSON, enough for kelmor-sim's state dumps.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelmor_sim {

class JsonWriter {
public:
    void begin_object();
    void end_object();
    void begin_array();
    void end_array();
    // Names the next value of the enclosing object.
    void key(std::string_view name);

    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(int64_t number);
    void value(uint64_t number);
    void value(int number) { value(static_cast<int64_t>(number)); }
    void value(unsigned number) { value(static_cast<uint64_t>(number)); }
    void value(bool flag);
    void null();
    // A named value of the enclosing object.
    template<typename Value>
    void field(std::string_view name, const Value& content)
    {
        key(name);
        value(content);
    }

    const std::string& text() const { return m_text; }

private:
    void before_value();
    void new_line();

    std::string m_text;
    // One entry per open object or array: whether it holds a value yet.
    std::vector<bool> m_has_values;
    bool m_after_key = false;
};

// The text in double quotes, with quotes, backslashes and control characters escaped and bytes
// above 127 read as Latin-1.
std::string quote_json(std::string_view text);

}
