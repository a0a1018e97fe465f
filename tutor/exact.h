// Exact rational numbers on 128-bit integers, for the worked texts that show exact
// values. Every operation checks for overflow (std::overflow_error) and a division
// by zero (std::domain_error), like the rest of the arithmetic of the program.
#pragma once

#include "fractions/fraction.h"
#include "fractions/numbers.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

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

// The greatest common divisor of the magnitudes; gcd(0, 0) is 0. Most numbers fit 64
// bits, where a division costs a fraction of a 128-bit one.
inline Wide gcd(Wide a, Wide b) {
    a = magnitude(a);
    b = magnitude(b);
    if ((a | b) >> 64 == 0) {
        std::uint64_t x = static_cast<std::uint64_t>(a), y = static_cast<std::uint64_t>(b);
        while (y != 0)
            x = std::exchange(y, x % y);
        return x;
    }
    while (b != 0)
        a = std::exchange(b, a % b);
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

// A number of the board: c[0] + c[1]·√r + (c[2] + c[3]·√r)·i, with r > 1 and its square
// factors taken out, or r = 1 and no square root part.
struct Number {
    Rational c[4];
    Wide r = 1;

    Number(Rational rational = 0) : c{rational, 0, 0, 0} {}
    Number(Rational real, Rational root, Rational imaginary, Rational imaginary_root, Wide under)
        : c{real, root, imaginary, imaginary_root}, r(under) {
        if (r == 1) {
            c[0] = c[0] + c[1], c[2] = c[2] + c[3], c[1] = c[3] = 0;
        }
        if (c[1].sign() == 0 && c[3].sign() == 0)
            r = 1;
    }

    bool has_root() const { return r != 1; }
    bool is_real() const { return c[2].sign() == 0 && c[3].sign() == 0; }
    bool is_rational() const { return !has_root() && is_real(); }
    double real() const;
    double imaginary() const;

    friend bool operator==(const Number& x, const Number& y) {
        return x.r == y.r && x.c[0] == y.c[0] && x.c[1] == y.c[1] && x.c[2] == y.c[2] &&
               x.c[3] == y.c[3];
    }
    friend bool operator!=(const Number& x, const Number& y) { return !(x == y); }
};

// Thrown where two different square roots would meet in one number (√2 + √3).
struct MixedRoots : std::domain_error {
    MixedRoots() : std::domain_error("two different square roots") {}
};

// The square root that the two share, where at most one has one.
inline Wide common_root(const Number& x, const Number& y) {
    if (x.has_root() && y.has_root() && x.r != y.r)
        throw MixedRoots();
    return x.has_root() ? x.r : y.r;
}

inline Number operator+(const Number& x, const Number& y) {
    return {x.c[0] + y.c[0], x.c[1] + y.c[1], x.c[2] + y.c[2], x.c[3] + y.c[3], common_root(x, y)};
}
inline Number operator-(const Number& x) {
    return {-x.c[0], -x.c[1], -x.c[2], -x.c[3], x.r};
}
inline Number operator-(const Number& x, const Number& y) {
    return x + -y;
}

inline Number operator*(const Number& x, const Number& y) {
    const Wide r = common_root(x, y);
    Rational out[4]; // the parts 1, √r, i, i√r multiply as the bits 1 (√r) and 2 (i) combine
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 4 && x.c[j].sign() != 0; ++k)
            if (y.c[k].sign() != 0)
                out[j ^ k] = out[j ^ k] + x.c[j] * y.c[k] * Rational((j & k & 1) ? r : 1) *
                                              Rational((j & k & 2) ? -1 : 1);
    return {out[0], out[1], out[2], out[3], r};
}

// 1/y: y times its conjugate in √r is u in Q(i), and u times its complex conjugate is
// rational. A rational y is inverted alone, so that its fourth power (the last product
// for it) does not overflow for a large denominator. Throws std::domain_error for y = 0.
inline Number inverse(const Number& y) {
    if (y.is_rational())
        return Number(Rational(1) / y.c[0]);
    const Number flipped{y.c[0], -y.c[1], y.c[2], -y.c[3], y.r};
    const Number u = y * flipped;
    const Number u_bar{u.c[0], 0, -u.c[2], 0, 1};
    const Rational size = (u * u_bar).c[0];
    return flipped * u_bar * Number(Rational(1) / size);
}
inline Number operator/(const Number& x, const Number& y) {
    return x * inverse(y);
}

// Square factors are taken out of a square root by trial division up to this divisor. A
// discriminant can reach 2^92, so the search is bounded: a square factor made of larger
// primes stays under the root (unless all that is left is a square), which is still
// exact, only less simplified.
constexpr Wide largest_trial_divisor = 100000;

// m = outside² · inside, with the square factors found taken out (m > 0).
struct SquareRoot {
    Wide outside = 1, inside = 1;
};

// Divides m by each prime d up to the last divisor, while d³ ≤ m, into root: the odd
// powers under the root, the square factors outside it.
template <class Whole> void take_out_small_primes(Whole& m, SquareRoot& root) {
    for (Whole d = 2; d <= largest_trial_divisor && d * d * d <= m; d += d == 2 ? 1 : 2) {
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
}

// A large m costs the whole trial division, and the board and the reader of its numbers
// take the root of the same discriminant again and again: the last few are kept.
inline SquareRoot simplify_root(Wide m) {
    struct Kept {
        Wide m = -1; // none yet
        SquareRoot root;
    };
    thread_local Kept kept[4];
    thread_local unsigned next_kept = 0;
    for (const Kept& k : kept)
        if (k.m == m)
            return k.root;
    const Wide whole = m;
    SquareRoot root;
    // A division of 64 bits is far cheaper than one of 128, and most roots fit.
    if (m >> 64 == 0) {
        std::uint64_t small = static_cast<std::uint64_t>(m);
        take_out_small_primes(small, root);
        m = small;
    } else {
        take_out_small_primes(m, root);
    }
    // What is left has no prime factor up to the last divisor tried. If the search ended
    // because that divisor cubed passed it, it has at most two prime factors: it is 1, a
    // prime, a prime's square or a product of two primes, and only the square has a square
    // factor. If it ended at the last divisor, a product of larger primes stays under the
    // root.
    const Wide rest = fractions::whole_square_root(m);
    if (rest > 0)
        root.outside *= rest;
    else
        root.inside *= m;
    kept[next_kept++ % 4] = {whole, root};
    return root;
}

inline double value(const Rational& q) {
    return static_cast<double>(q.num()) / static_cast<double>(q.den());
}
inline double Number::real() const {
    return value(c[0]) + value(c[1]) * std::sqrt(static_cast<double>(r));
}
inline double Number::imaginary() const {
    return value(c[2]) + value(c[3]) * std::sqrt(static_cast<double>(r));
}

// c2·x² + c1·x + c0 as a teacher writes it: no coefficient 1, no zero term, "− 3/2·x"
// rather than "+ −3/2·x", a fraction joined to its power of x by "·" (1/2·x²), a whole
// number written next to it (3x).
inline std::string polynomial_text(const Rational& c2, const Rational& c1, const Rational& c0) {
    std::string out;
    const std::pair<Rational, const char*> terms[] = {{c2, "x²"}, {c1, "x"}, {c0, ""}};
    for (const auto& [coefficient, power] : terms) {
        if (coefficient.sign() == 0)
            continue;
        const bool negative = coefficient.sign() < 0;
        out += out.empty() ? (negative ? minus_sign : "") : (negative ? " − " : " + ");
        const Rational size = negative ? -coefficient : coefficient;
        if (*power == '\0')
            out += size.text();
        else if (size == Rational(1))
            out += power;
        else
            out += size.text() + (size.is_whole() ? "" : "·") + power;
    }
    return out.empty() ? "0" : out;
}

// q·√r for q > 0: √3, 2√3, and q alone when r is 1.
inline std::string surd_text(Wide q, Wide r) {
    if (r == 1)
        return whole_text(q);
    return (q == 1 ? "" : whole_text(q)) + "√" + whole_text(r);
}

// i·q·√r for q > 0, the square root of a negative number: i, 4i, i√3, 2i√3.
inline std::string imaginary_text(Wide q, Wide r) {
    const std::string count = q == 1 ? "" : whole_text(q);
    return r == 1 ? count + "i" : count + "i√" + whole_text(r);
}

// A root in lowest terms: (p + q·√r)/s for a real one, p/s + (q·√r/s)·i for a complex
// one, with q > 0, s > 0 and the sign between the parts "+", "−" or "±".
struct RootForm {
    Wide p = 0, q = 0, r = 1, s = 1;
    bool complex = false;

    // Its value, with the sign before the square root +1 or −1.
    Number number(int sign) const {
        const Rational real(p, s), part(sign < 0 ? checked_sub(0, q) : q, s);
        return complex ? Number{real, 0, 0, part, r} : Number{real, part, 0, 0, r};
    }

    std::string text(const std::string& sign) const {
        const std::string lead = sign == "+" ? "" : sign;
        if (complex) {
            const Rational real(p, s);
            const Wide g = exact::gcd(q, s);
            const std::string imaginary =
                s / g == 1 ? imaginary_text(q / g, r)
                           : "(" + surd_text(q / g, r) + "/" + whole_text(s / g) + ")·i";
            if (real.sign() == 0)
                return lead + imaginary;
            return real.text() + " " + sign + " " + imaginary;
        }
        const std::string over = s == 1 ? "" : "/" + whole_text(s);
        if (p == 0)
            return lead + surd_text(q, r) + over;
        const std::string top = whole_text(p) + " " + sign + " " + surd_text(q, r);
        return s == 1 ? top : "(" + top + ")" + over;
    }
};

// The roots (−B ± √Δ)/2A as a RootForm in lowest terms, √|Δ| given with its square
// factors taken out (outside 0 for Δ = 0). The first root, as the main window's X1, takes
// +√Δ over 2A: its sign in the form is first_root_sign(A), the second's second_root_sign(A).
inline RootForm root_form(Wide A, Wide B, Wide delta, const SquareRoot& root) {
    const Wide g = gcd(gcd(B, root.outside), 2 * A);
    const Wide flip = A < 0 ? -1 : 1;
    return RootForm{-B / g * flip, root.outside / g, root.inside, 2 * A / g * flip, delta < 0};
}
inline const char* first_root_sign(Wide A) {
    return A > 0 ? "+" : "\u2212";
}
inline const char* second_root_sign(Wide A) {
    return A > 0 ? "\u2212" : "+";
}

} // namespace tutor::exact
