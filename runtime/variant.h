// A value passed through the by-name member hook of forms: empty, Boolean, whole number, number or text.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace runtime {

class Variant {
public:
    Variant() = default;
    Variant(bool value)
        : m_value(value)
    {
    }
    Variant(int value)
        : m_value(static_cast<int32_t>(value))
    {
    }
    Variant(long value)
        : m_value(static_cast<int32_t>(value))
    {
    }
    Variant(double value)
        : m_value(value)
    {
    }
    Variant(std::string value)
        : m_value(std::move(value))
    {
    }
    Variant(const char* value)
        : m_value(std::string(value))
    {
    }

    bool is_empty() const { return std::holds_alternative<std::monostate>(m_value); }

    // Conversions as the language makes them: numbers round half to even, texts are read as
    // numbers (a text that is not one raises ErrTypeMismatch), True is -1.
    int32_t to_long() const;
    double to_double() const;
    bool to_bool() const;
    std::string to_string() const;

    bool operator==(const Variant&) const = default;

private:
    std::variant<std::monostate, bool, int32_t, double, std::string> m_value;
};

}
