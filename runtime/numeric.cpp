#include "runtime/numeric.h"

#include "runtime/error.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace runtime {

namespace {

constexpr long ErrDivisionByZero = 11;

bool is_skipped_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Reads digits of one radix after "&H" or "&O"; four hexadecimal (six octal) digits or fewer
// make a 16-bit Integer, more a 32-bit Long, as the hexadecimal literals of the language do.
double read_radix_number(std::string_view text, size_t position, int radix)
{
    uint64_t value = 0;
    int digit_count = 0;
    for (; position < text.size(); ++position) {
        char c = text[position];
        if (is_skipped_blank(c))
            continue;
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (radix == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (radix == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
        ++digit_count;
        if (value > 0xFFFFFFFFull)
            raise(ErrOverflow);
    }
    bool fits_integer = radix == 16 ? digit_count <= 4 : value <= 0xFFFF;
    if (fits_integer && value <= 0xFFFF)
        return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

}

double round_half_even(double value)
{
    return std::nearbyint(value);
}

int16_t CInt(double value)
{
    double rounded = round_half_even(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        raise(ErrOverflow);
    return static_cast<int16_t>(rounded);
}

int32_t CLng(double value)
{
    double rounded = round_half_even(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        raise(ErrOverflow);
    return static_cast<int32_t>(rounded);
}

double Int(double value)
{
    return std::floor(value);
}

double Fix(double value)
{
    return std::trunc(value);
}

int32_t IntDiv(double dividend, double divisor)
{
    int32_t left = CLng(dividend);
    int32_t right = CLng(divisor);
    if (right == 0)
        raise(ErrDivisionByZero);
    if (left == std::numeric_limits<int32_t>::min() && right == -1)
        raise(ErrOverflow);
    return left / right;
}

double Val(std::string_view text)
{
    size_t position = 0;
    while (position < text.size() && is_skipped_blank(text[position]))
        ++position;
    if (position + 1 < text.size() && text[position] == '&') {
        char kind = text[position + 1];
        if (kind == 'H' || kind == 'h')
            return read_radix_number(text, position + 2, 16);
        if (kind == 'O' || kind == 'o')
            return read_radix_number(text, position + 2, 8);
    }

    // Collect the characters that form a decimal number, blanks left out, then convert once.
    std::string number;
    bool seen_digit = false;
    bool seen_point = false;
    bool seen_exponent = false;
    for (; position < text.size(); ++position) {
        char c = text[position];
        if (is_skipped_blank(c))
            continue;
        if (c >= '0' && c <= '9') {
            number += c;
            seen_digit = true;
            continue;
        }
        if ((c == '+' || c == '-') && (number.empty() || number.back() == 'e')) {
            number += c;
            continue;
        }
        if (c == '.' && !seen_point && !seen_exponent) {
            number += c;
            seen_point = true;
            continue;
        }
        if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && seen_digit && !seen_exponent) {
            number += 'e';
            seen_exponent = true;
            continue;
        }
        break;
    }
    // A dangling exponent or sign reads as if it were not there.
    while (!number.empty() && (number.back() == 'e' || number.back() == '+' || number.back() == '-'))
        number.pop_back();
    if (!seen_digit || number.empty())
        return 0;
    return std::strtod(number.c_str(), nullptr);
}

int32_t twips_to_pixels_int(double twips)
{
    return IntDiv(twips, TwipsPerPixel);
}

double twips_to_pixels(double twips)
{
    return twips / TwipsPerPixel;
}

double pixels_to_twips(double pixels)
{
    return pixels * TwipsPerPixel;
}

int16_t checked_integer(long long value)
{
    if (value < -32768 || value > 32767)
        raise(ErrOverflow);
    return static_cast<int16_t>(value);
}

int32_t checked_long(long long value)
{
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        raise(ErrOverflow);
    return static_cast<int32_t>(value);
}

}
