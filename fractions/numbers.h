// Number reading and writing, 16-bit conversion and checked double arithmetic.
// Nothing here knows about Qt or the window, so it can be tested and fuzzed alone.
//
// Every failure is an exception: std::overflow_error for a value out of range,
// std::domain_error for a division by zero. The commands of the window catch them
// and show the stop box with the exception's text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fractions {

// Texts of the two failures, shown after the "WARNING : " prefix of the stop box.
inline constexpr const char* overflow_text = "Overflow";
inline constexpr const char* division_by_zero_text = "Division by zero";

// Reads the longest leading part of `text` that forms a number and ignores the rest.
// Blanks, tabs and line feeds are skipped anywhere (also between digits); then an
// optional sign, digits with at most one "." and an optional exponent (E or D in
// either case, optional sign, digits). "&H" and "&O" at the start read a hexadecimal
// or octal whole number. "," ends the number like any other character. Empty or
// non-numeric text reads 0. A number beyond the range of a double throws
// std::overflow_error; one too small to represent reads as 0.
double read_number(std::string_view text);

// Nearest whole number, halves to the even neighbour; outside -32768..32767 (or not
// a number) throws std::overflow_error.
std::int16_t to_int16(double value);

// |value| with 16-bit overflow checking: |-32768| throws std::overflow_error.
std::int16_t abs16(std::int16_t value);

// True when the value equals the largest whole number not above it.
bool is_whole(double value);

// True when to_int16 gives 0: |value| <= 0.5, since a half goes to the even
// neighbour 0. Converts nothing, so it never fails.
bool rounds_to_zero(double value);

// Signed number text: a blank before zero and positive values, "-" before negative
// ones, at most 15 significant digits, no trailing zeros, no "0" before the decimal
// point below 1 in magnitude (" 5", "-5", " 0", " .5", "-.25"). The exponent form is
// used where printf's %G would use it: below 1E-04 and from 1E+15 on in magnitude
// (" 1E-05", "-1.5E+20"). A negative zero is written " 0". A value that is not
// finite throws std::overflow_error.
std::string signed_text(double value);

// Plain number text, used for the input boxes: no leading blank, a "0" before the
// decimal point below 1 in magnitude ("3", "-3", "0", "0.5", "-1.25", "1E+20").
// A negative zero is written "0". A value that is not finite throws
// std::overflow_error.
std::string plain_text(double value);

// Double arithmetic that fails instead of producing an infinity or a NaN: an
// overflowing result throws std::overflow_error, a zero divisor std::domain_error.
double mul(double a, double b);
double add(double a, double b);
double sub(double a, double b);
double quotient(double a, double b);

} // namespace fractions
