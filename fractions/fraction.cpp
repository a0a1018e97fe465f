#include "fraction.h"

#include "numbers.h"

#include <cmath>
#include <cstdint>
#include <numeric>
#include <stdexcept>

namespace fractions {

Fraction reduce_fraction(std::int16_t n, std::int16_t d) {
    if (d == 0)
        return {n, 0};

    Fraction f;
    if (n % d == 0) {
        // A whole quotient; computed in int so that -32768 / -1 cannot overflow.
        f.num = to_int16(static_cast<double>(n / d));
        f.den = 1;
    } else {
        // Both magnitudes are taken before the divisor is looked for, as the
        // trial-divisor method does, so -32768 fails here.
        const int abs_n = abs16(n);
        const int abs_d = abs16(d);
        const int g = std::gcd(abs_n, abs_d);
        f.num = static_cast<std::int16_t>(n / g);
        f.den = static_cast<std::int16_t>(d / g);
    }

    const bool negative = (f.num < 0) != (f.den < 0) && f.num != 0;
    const std::int16_t abs_num = abs16(f.num);
    f.den = abs16(f.den);
    f.num = negative ? static_cast<std::int16_t>(-abs_num) : abs_num;
    return f;
}

std::string fraction_text(std::int16_t n, std::int16_t d) {
    if (n == 0)
        return "0";
    if (d == 1)
        return signed_text(n);
    return signed_text(n) + "/" + signed_text(d);
}

namespace {

std::int64_t whole_magnitude(double value) {
    const double magnitude = std::fabs(value);
    if (!is_whole(magnitude) || magnitude >= 9007199254740992.0) // 2^53
        throw std::overflow_error(overflow_text);
    return static_cast<std::int64_t>(magnitude);
}

} // namespace

double common_divisor(double a, double b, double c) {
    const std::int64_t abs_a = whole_magnitude(a);
    const std::int64_t abs_b = whole_magnitude(b);
    const std::int64_t abs_c = whole_magnitude(c);
    // The downward search starts at the smallest non-zero magnitude, taking A first;
    // only with A and C both zero does it start at 0, and then its first trial
    // divides by zero.
    if (abs_a == 0 && abs_c == 0)
        throw std::domain_error(division_by_zero_text);
    return static_cast<double>(std::gcd(std::gcd(abs_a, abs_b), abs_c));
}

Wide exact_discriminant(double a, double b, double c) {
    // Below 2^53 each square or product stays below 2^108: exact in 128 bits, where
    // doubles would round B² and 4·A·C apart and lose what is left of their difference.
    const Wide wa = whole_magnitude(a) * (a < 0 ? -1 : 1);
    const Wide wb = whole_magnitude(b) * (b < 0 ? -1 : 1);
    const Wide wc = whole_magnitude(c) * (c < 0 ? -1 : 1);
    return wb * wb - 4 * wa * wc;
}

Wide whole_square_root(Wide m) {
    if (m < 0)
        return -1;
    Wide root = static_cast<Wide>(std::sqrt(static_cast<double>(m)));
    while (root > 0 && root * root > m)
        --root;
    while ((root + 1) * (root + 1) <= m)
        ++root;
    return root * root == m ? root : -1;
}

std::int16_t wide_to_int16(Wide value) {
    if (value < INT16_MIN || value > INT16_MAX)
        throw std::overflow_error(overflow_text);
    return static_cast<std::int16_t>(value);
}

Fraction polynomial_value(Fraction a, Fraction b, Fraction c, Fraction x) {
    // Each term is a product of six 16-bit factors (below 2^90), so 128 bits hold
    // the sum exactly even where large terms cancel.
    const Wide xn = x.num, xd = x.den;
    const Wide den = Wide(a.den) * xd * xd * b.den * xd * c.den;
    const Wide num = Wide(a.num) * xn * xn * xd * b.den * c.den +
                     Wide(b.num) * xn * a.den * xd * xd * c.den +
                     Wide(c.num) * a.den * xd * xd * xd * b.den;
    // Both are checked before either is converted: the unreduced values must fit.
    const std::int16_t den16 = wide_to_int16(den);
    return {wide_to_int16(num), den16};
}

} // namespace fractions
