// Reference searches for the number core, written the slow way: shared by the tests and
// the fuzzers, so that each rule has one reference.
#pragma once

#include "fractions/fraction.h"
#include "tutor/exact.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <optional>

namespace reference {

// Reduction by trial divisors: a whole quotient, or the first common divisor downwards
// from the smaller magnitude. None where a 16-bit step overflows: a magnitude of -32768
// is taken before a divisor is looked for, and a reduced numerator must have one too.
inline std::optional<fractions::Fraction> trial_reduce(std::int16_t n, std::int16_t d) {
    const auto whole = [](double v) { return std::floor(v) == v; };
    if (d == 0)
        return fractions::Fraction{n, 0};
    if (!whole(double(n) / d) && (n == -32768 || d == -32768))
        return std::nullopt;
    double i = whole(double(n) / d) ? d : std::min(std::abs(n), std::abs(d));
    while (!whole(n / i) || !whole(d / i))
        --i;
    const double num = n / i, den = d / i;
    if (std::fabs(num) > 32767)
        return std::nullopt;
    return fractions::Fraction{std::int16_t(num / den < 0 ? -std::fabs(num) : std::fabs(num)),
                               std::int16_t(std::fabs(den))};
}

// The integer form (A, B, C) of a·x² + b·x + c = 0: the coefficients times the product of
// their denominators, over the common factor of the three, with the sign of a kept.
inline std::array<std::int64_t, 3> integer_form(fractions::Fraction a, fractions::Fraction b,
                                                fractions::Fraction c) {
    const std::int64_t d = std::abs(std::int64_t(a.den) * b.den * c.den);
    std::array<std::int64_t, 3> form{a.num * (d / a.den), b.num * (d / b.den), c.num * (d / c.den)};
    const std::int64_t g = std::gcd(std::gcd(form[0], form[1]), form[2]);
    for (std::int64_t& v : form)
        v /= g;
    return form;
}

// A·X² + B·X + C at X, exactly: X a fraction, or any number of the board (a root with a
// square root, a complex root).
template <class Exact = tutor::exact::Rational>
Exact value_at(const std::array<std::int64_t, 3>& form, const Exact& x) {
    using tutor::exact::Rational;
    return (Exact(Rational(form[0])) * x + Exact(Rational(form[1]))) * x + Exact(Rational(form[2]));
}

} // namespace reference
