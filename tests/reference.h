// Reference searches for the number core, written the slow way: shared by the tests and
// the fuzzers, so that each rule has one reference.
#pragma once

#include "fractions/fraction.h"

#include <cmath>
#include <cstdlib>
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

} // namespace reference
