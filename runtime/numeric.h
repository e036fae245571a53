// The runtime's numeric rules: rounding, Val, whole-number ranges and the twips-to-pixels conversions.
#pragma once

#include <cstdint>
#include <string_view>

namespace runtime {

// Layout assumes 96 dots per inch: one pixel is 15 twips.
inline constexpr int TwipsPerPixel = 15;

// Rounds to the nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
double round_half_even(double value);

// CInt and CLng: round half to even, then refuse what does not fit 16 or 32 bits (ErrOverflow).
int16_t CInt(double value);
int32_t CLng(double value);

// Int (towards minus infinity) and Fix (towards zero), as whole numbers of the same type.
double Int(double value);
double Fix(double value);

// The integer division operator: both operands rounded to Long first, then the quotient
// truncated towards zero. Division by zero raises ErrDivisionByZero (11).
int32_t IntDiv(double dividend, double divisor);

// Val: the number at the start of a text. Blanks, tabs and line feeds are skipped anywhere;
// "&H" and "&O" read hexadecimal and octal (four digits or fewer as a 16-bit Integer); reading
// stops at the first character that cannot continue the number; no number gives 0.
double Val(std::string_view text);

// Twips to pixels by integer division: the twips value rounded to a whole number, then divided
// by 15 dropping the remainder towards zero.
int32_t twips_to_pixels_int(double twips);

// Twips to pixels by floating division: the fraction is kept.
double twips_to_pixels(double twips);

// Pixels to twips.
double pixels_to_twips(double pixels);

// Checked 16-bit and 32-bit whole-number arithmetic: a result out of range raises ErrOverflow.
int16_t checked_integer(long long value);
int32_t checked_long(long long value);

}
