// Fractions of two 16-bit integers: reduction to lowest terms, their short text,
// the common factor of the integer form of an equation, and the exact value of a
// polynomial at a fraction.
#pragma once

#include <cstdint>
#include <string>

namespace fractions {

struct Fraction {
    std::int16_t num = 0;
    std::int16_t den = 0;
    bool operator==(const Fraction& other) const { return num == other.num && den == other.den; }
};

// Lowest terms with the sign on the numerator and a positive denominator; a whole
// quotient q becomes q/1 (so 0/d becomes 0/1); a zero denominator leaves the pair
// as it is. Throws std::overflow_error where -32768 would need its absolute value
// (-32768/3, 1/-32768, -32768/1) or the quotient does not fit (-32768/-1); -32768
// passes where the quotient is a whole number other than -32768 (0/-32768 gives 0/1,
// -32768/-32768 gives 1/1, -32768/2 gives -16384/1).
Fraction reduce_fraction(std::int16_t n, std::int16_t d);

// The text of a reduced fraction: "0" for a zero numerator whatever the denominator,
// the signed number text of n when d is 1, otherwise both signed texts joined by "/"
// (" 3/ 4", "-3/ 4", " 5/ 0").
std::string fraction_text(std::int16_t n, std::int16_t d);

// The greatest common divisor of three whole numbers, zeros ignored: the factor by
// which the integer form A, B, C of an equation is divided. With A and C both zero
// the search for it would start at 0 and divide by zero: std::domain_error.
// Values must be whole and below 2^53 in magnitude (std::overflow_error otherwise).
double common_divisor(double a, double b, double c);

// Whole numbers too large for 64 bits: squares and products of the integer form.
using Wide = __int128;

// B² − 4·A·C, exactly, for whole A, B, C below 2^53 in magnitude (the integer form
// of an equation always is); other values throw std::overflow_error.
Wide exact_discriminant(double a, double b, double c);

// The square root of m when m is a perfect square, otherwise -1 (also for m < 0).
Wide whole_square_root(Wide m);

// A wide whole number as a 16-bit integer; std::overflow_error outside -32768..32767.
std::int16_t wide_to_int16(Wide value);

// A·X² + B·X + C over the common denominator a.den·b.den·c.den·x.den³, unreduced and
// computed exactly. Throws std::overflow_error when the numerator or the denominator
// lies outside the 16-bit range.
Fraction polynomial_value(Fraction a, Fraction b, Fraction c, Fraction x);

} // namespace fractions
