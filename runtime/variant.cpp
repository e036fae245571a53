#include "runtime/variant.h"

#include "runtime/error.h"
#include "runtime/numeric.h"

#include <cstdio>

namespace runtime {

namespace {

// A text converts to a number only when it holds one in full (blanks around it allowed).
double number_from_text(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        raise(ErrTypeMismatch);
    char* end = nullptr;
    double value = std::strtod(text.c_str() + first, &end);
    if (end == text.c_str() + first)
        raise(ErrTypeMismatch);
    for (; *end; ++end) {
        if (*end != ' ' && *end != '\t')
            raise(ErrTypeMismatch);
    }
    return value;
}

}

double Variant::to_double() const
{
    if (auto* value = std::get_if<bool>(&m_value))
        return *value ? -1 : 0;
    if (auto* value = std::get_if<int32_t>(&m_value))
        return *value;
    if (auto* value = std::get_if<double>(&m_value))
        return *value;
    if (auto* value = std::get_if<std::string>(&m_value))
        return number_from_text(*value);
    return 0;
}

int32_t Variant::to_long() const
{
    if (auto* value = std::get_if<int32_t>(&m_value))
        return *value;
    return CLng(to_double());
}

bool Variant::to_bool() const
{
    return to_double() != 0;
}

std::string Variant::to_string() const
{
    if (auto* value = std::get_if<bool>(&m_value))
        return *value ? "True" : "False";
    if (auto* value = std::get_if<int32_t>(&m_value))
        return std::to_string(*value);
    if (auto* value = std::get_if<double>(&m_value)) {
        char text[32];
        std::snprintf(text, sizeof text, "%.15g", *value);
        return text;
    }
    if (auto* value = std::get_if<std::string>(&m_value))
        return *value;
    return {};
}

}
