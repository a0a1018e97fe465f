// Fuzzes the number core: reading a box text, the 16-bit conversion, the signed and
// plain number texts and the reduction of a fraction. Every check that fails traps,
// so that libFuzzer keeps the input that broke it.
#include "fractions/fraction.h"
#include "fractions/numbers.h"
#include "tests/reference.h"

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// --- Reading -------------------------------------------------------------------

struct Reading {
    bool overflow = false;
    double value = 0;
};

Reading read(std::string_view text) {
    Reading r;
    try {
        r.value = fractions::read_number(text);
    } catch (const std::overflow_error&) {
        r.overflow = true;
    }
    return r;
}

// An independent reading: the blanks dropped, the numeric prefix cut out by the
// reading rule and handed to strtod (the C locale, as nothing here calls setlocale).
// Based whole numbers are only compared while they are exact in a double.
struct Reference {
    bool known = true;
    Reading reading;
};

Reference reference_read(std::string_view text) {
    std::string s;
    for (char c : text)
        if (!is_blank(c))
            s += c;
    Reference ref;
    std::size_t i = 0;
    if (i < s.size() && s[i] == '&') {
        ++i;
        const char prefix = i < s.size() ? upper(s[i]) : '\0';
        const int base = prefix == 'H' ? 16 : prefix == 'O' ? 8 : 0;
        if (base == 0)
            return ref;
        std::uint64_t whole = 0;
        for (++i; i < s.size(); ++i) {
            const char c = upper(s[i]);
            const int digit = is_digit(c) ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : 99;
            if (digit >= base)
                break;
            if (whole >= (std::uint64_t{1} << 53) / 16) {
                ref.known = false;
                return ref;
            }
            whole = whole * base + digit;
        }
        ref.reading.value = static_cast<double>(whole);
        return ref;
    }
    std::string prefix;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        prefix += s[i++];
    bool any_digit = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (is_digit(s[i])) {
            any_digit = true;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        prefix += s[i];
    }
    if (!any_digit)
        return ref;
    if (i < s.size() && (upper(s[i]) == 'E' || upper(s[i]) == 'D')) {
        std::string exponent = "E";
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent += s[j++];
        const std::size_t digits_start = j;
        while (j < s.size() && is_digit(s[j]))
            exponent += s[j++];
        if (j > digits_start)
            prefix += exponent;
    }
    errno = 0;
    const double value = std::strtod(prefix.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value))
        ref.reading.overflow = true;
    else
        ref.reading.value = value;
    return ref;
}

// --- Number texts --------------------------------------------------------------

// Reads back within the last of 15 significant digits.
bool close(double read_back, double value) {
    return std::fabs(read_back - value) <= 1e-14 * std::fabs(value);
}

// Above this magnitude the 15-digit text rounds up beyond the largest double
// (1.79769313486232E+308), and reading it back is an overflow.
constexpr double text_ceiling = 1.79769313486231e308;

// Checks the mantissa of a number text (after its sign) and returns the count of
// its significant digits.
int significant_digits(std::string_view body, bool zero_before_point) {
    const std::size_t e = body.find('E');
    const std::string_view mantissa = body.substr(0, e);
    if (e != std::string_view::npos) {
        const std::string_view exponent = body.substr(e + 1);
        check(exponent.size() >= 2 && (exponent[0] == '+' || exponent[0] == '-'));
        for (char c : exponent.substr(1))
            check(is_digit(c));
    }
    check(!mantissa.empty());
    int points = 0;
    int digits = 0;
    bool leading = true;
    for (char c : mantissa) {
        if (c == '.') {
            ++points;
            continue;
        }
        check(is_digit(c));
        if (c != '0')
            leading = false;
        if (!leading)
            ++digits;
    }
    check(points <= 1);
    // No trailing zeros after the point.
    if (points == 1)
        check(mantissa.back() != '0' && mantissa.back() != '.');
    // A "0" before the point only in the plain text of a magnitude below 1, and no
    // other leading zero.
    if (mantissa[0] == '0')
        check(mantissa == "0" || (zero_before_point && mantissa.size() > 2 && mantissa[1] == '.'));
    if (mantissa[0] == '.')
        check(!zero_before_point);
    return digits;
}

void check_texts(double value) {
    if (!std::isfinite(value)) {
        bool signed_failed = false;
        bool plain_failed = false;
        try {
            (void)fractions::signed_text(value);
        } catch (const std::overflow_error&) {
            signed_failed = true;
        }
        try {
            (void)fractions::plain_text(value);
        } catch (const std::overflow_error&) {
            plain_failed = true;
        }
        check(signed_failed && plain_failed);
        return;
    }

    const std::string s = fractions::signed_text(value);
    check(s.size() >= 2);
    check(s[0] == (value < 0 ? '-' : ' '));
    if (value == 0)
        check(s == " 0");
    check(significant_digits(std::string_view(s).substr(1), false) <= 15);

    const std::string p = fractions::plain_text(value);
    check(!p.empty() && p[0] != ' ');
    check((p[0] == '-') == (value < 0));
    if (value == 0)
        check(p == "0");
    const std::string_view plain_body = std::string_view(p).substr(value < 0 ? 1 : 0);
    check(significant_digits(plain_body, true) <= 15);

    for (const std::string& text : {s, p}) {
        const Reading back = read(text);
        if (std::fabs(value) > text_ceiling && back.overflow)
            continue;
        check(!back.overflow && close(back.value, value));
    }
}

// --- 16-bit conversion ---------------------------------------------------------

void check_to_int16(double value) {
    bool failed = false;
    std::int16_t got = 0;
    try {
        got = fractions::to_int16(value);
    } catch (const std::overflow_error&) {
        failed = true;
    }
    if (!std::isfinite(value)) {
        check(failed);
        return;
    }
    // Nearest whole number, halves to the even neighbour.
    const double below = std::floor(value);
    const double rest = value - below;
    double nearest = below;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2) != 0))
        nearest = below + 1;
    if (nearest < -32768 || nearest > 32767) {
        check(failed);
        return;
    }
    check(!failed && got == nearest);
}

void check_whole_number_texts(std::int16_t n) {
    const std::string p = fractions::plain_text(n);
    check(p == std::to_string(n));
    for (const std::string& text : {p, fractions::signed_text(n)}) {
        const Reading back = read(text);
        check(!back.overflow && back.value == n);
    }
}

// --- Fraction reduction --------------------------------------------------------

void check_reduction(std::int16_t n, std::int16_t d) {
    std::optional<fractions::Fraction> got;
    try {
        got = fractions::reduce_fraction(n, d);
    } catch (const std::overflow_error&) {
    }
    check(got == reference::trial_reduce(n, d));
    if (got)
        (void)fractions::fraction_text(got->num, got->den);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // The whole input as a box text.
    const Reading reading = read(text);
    check(reading.overflow || std::isfinite(reading.value));
    const Reference ref = reference_read(text);
    if (ref.known) {
        check(reading.overflow == ref.reading.overflow);
        if (!reading.overflow)
            check(reading.value == ref.reading.value);
    }
    if (!reading.overflow) {
        check_to_int16(reading.value);
        check_texts(reading.value);
    }

    // The first bytes as raw numbers: two 16-bit integers and one double.
    if (size >= 4) {
        std::int16_t n = 0;
        std::int16_t d = 0;
        std::memcpy(&n, data, sizeof n);
        std::memcpy(&d, data + 2, sizeof d);
        check_reduction(n, d);
        check_whole_number_texts(n);
        check_whole_number_texts(d);
        if (d != 0)
            check_texts(static_cast<double>(n) / d);
    }
    if (size >= 8) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        check_to_int16(value);
        check_texts(value);
    }
    return 0;
}
