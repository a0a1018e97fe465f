// Exact rational numbers on 128-bit integers, for the worked texts that show exact
// values. Every operation checks for overflow (std::overflow_error) and a division
// by zero (std::domain_error), like the rest of the arithmetic of the program.
#pragma once

#include "fractions/fraction.h"
#include "fractions/numbers.h"

#include <stdexcept>
#include <string>

namespace tutor::exact {

using Wide = fractions::Wide;

// The typographic minus sign (U+2212) that the worked texts write before negatives.
inline constexpr const char* minus_sign = "\u2212";

inline Wide checked_add(Wide a, Wide b) {
    Wide sum;
    if (__builtin_add_overflow(a, b, &sum))
        throw std::overflow_error(fractions::overflow_text);
    return sum;
}

inline Wide checked_sub(Wide a, Wide b) {
    Wide difference;
    if (__builtin_sub_overflow(a, b, &difference))
        throw std::overflow_error(fractions::overflow_text);
    return difference;
}

inline Wide checked_mul(Wide a, Wide b) {
    Wide product;
    if (__builtin_mul_overflow(a, b, &product))
        throw std::overflow_error(fractions::overflow_text);
    return product;
}

inline Wide magnitude(Wide v) {
    return v < 0 ? checked_sub(0, v) : v;
}

// The greatest common divisor of the magnitudes; gcd(0, 0) is 0.
inline Wide gcd(Wide a, Wide b) {
    a = magnitude(a);
    b = magnitude(b);
    while (b != 0) {
        const Wide rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

// The decimal digits of a whole number, with the typographic minus before a negative.
inline std::string whole_text(Wide v) {
    const bool negative = v < 0;
    // Digits are taken from the negative side so that the most negative value works too.
    std::string digits;
    do {
        const int digit = static_cast<int>(v % 10);
        digits.insert(digits.begin(), static_cast<char>('0' + (digit < 0 ? -digit : digit)));
        v /= 10;
    } while (v != 0);
    return negative ? minus_sign + digits : digits;
}

// A fraction in lowest terms with a positive denominator; zero is 0/1.
class Rational {
  public:
    Rational(Wide whole = 0) : num_(whole), den_(1) {}
    Rational(Wide num, Wide den) {
        if (den == 0)
            throw std::domain_error(fractions::division_by_zero_text);
        const Wide g = gcd(num, den);
        num_ = num / g;
        den_ = den / g;
        if (den_ < 0) {
            num_ = checked_sub(0, num_);
            den_ = checked_sub(0, den_);
        }
    }
    Rational(fractions::Fraction f) : Rational(f.num, f.den) {}

    Wide num() const { return num_; }
    Wide den() const { return den_; }
    int sign() const { return num_ > 0 ? 1 : num_ < 0 ? -1 : 0; }
    bool is_whole() const { return den_ == 1; }

    friend Rational operator+(const Rational& x, const Rational& y) {
        const Wide g = gcd(x.den_, y.den_);
        return {checked_add(checked_mul(x.num_, y.den_ / g), checked_mul(y.num_, x.den_ / g)),
                checked_mul(x.den_ / g, y.den_)};
    }
    friend Rational operator-(const Rational& x) { return {checked_sub(0, x.num_), x.den_}; }
    friend Rational operator-(const Rational& x, const Rational& y) { return x + -y; }
    friend Rational operator*(const Rational& x, const Rational& y) {
        // Cross-cancelling first keeps the products as small as they can be.
        const Wide g1 = gcd(x.num_, y.den_); // at least 1: denominators are positive
        const Wide g2 = gcd(y.num_, x.den_);
        return {checked_mul(x.num_ / g1, y.num_ / g2), checked_mul(x.den_ / g2, y.den_ / g1)};
    }
    friend Rational operator/(const Rational& x, const Rational& y) {
        if (y.num_ == 0)
            throw std::domain_error(fractions::division_by_zero_text);
        return x * Rational(y.den_, y.num_);
    }
    friend bool operator==(const Rational& x, const Rational& y) {
        return x.num_ == y.num_ && x.den_ == y.den_;
    }
    friend bool operator!=(const Rational& x, const Rational& y) { return !(x == y); }

    // "3/4", "−3/4", "2", "0": no blanks, the typographic minus.
    std::string text() const {
        return den_ == 1 ? whole_text(num_) : whole_text(num_) + "/" + whole_text(den_);
    }

  private:
    Wide num_ = 0;
    Wide den_ = 1;
};

// Square factors are taken out of a square root by trial division up to this divisor. A
// discriminant can reach 2^92, so the search is bounded: a square factor made of larger
// primes stays under the root (unless all that is left is a square), which is still
// exact, only less simplified.
constexpr Wide largest_trial_divisor = 100000;

// m = outside² · inside, with the square factors found taken out (m > 0).
struct SquareRoot {
    Wide outside = 1, inside = 1;
};

inline SquareRoot simplify_root(Wide m) {
    SquareRoot root;
    for (Wide d = 2; d <= largest_trial_divisor && d * d <= m; d += d == 2 ? 1 : 2) {
        bool odd_power = false;
        while (m % d == 0) {
            m /= d;
            odd_power = !odd_power;
            if (!odd_power)
                root.outside *= d;
        }
        if (odd_power)
            root.inside *= d;
    }
    // What is left has no factor up to the last divisor tried: a prime, a square, or a
    // product of large primes that stays under the root.
    const Wide rest = fractions::whole_square_root(m);
    if (rest > 0)
        root.outside *= rest;
    else
        root.inside *= m;
    return root;
}

} // namespace tutor::exact
