#include "numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace fractions {

namespace {

bool is_skipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Walks the text, stepping over blanks, tabs and line feeds wherever they stand.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) {}
    // The next significant character, or '\0' at the end of the text.
    char peek() {
        while (pos_ < text_.size() && is_skipped(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void next() { ++pos_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

[[noreturn]] void overflow() {
    throw std::overflow_error(overflow_text);
}

double check_finite(double value) {
    if (!std::isfinite(value))
        overflow();
    return value;
}

// "&H1F" or "&O17": a whole number in base 16 or 8, read after the "&".
double read_based(Cursor& cursor) {
    const char prefix = upper(cursor.peek());
    const int base = prefix == 'H' ? 16 : prefix == 'O' ? 8 : 0;
    if (base == 0)
        return 0;
    cursor.next();
    double value = 0;
    for (;;) {
        const char c = upper(cursor.peek());
        int digit = -1;
        if (is_digit(c))
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= base)
            break;
        value = check_finite(value * base + digit);
        cursor.next();
    }
    return value;
}

// Exponents are added up with a ceiling far beyond any double and any text length:
// a long run of exponent digits cannot overflow the counter, and an exponent still
// counts in full against a long run of zeros before the first significant digit.
constexpr std::int64_t exponent_ceiling = 1000000000000000; // 10^15

std::int64_t saturated(std::int64_t value) {
    if (value > exponent_ceiling)
        return exponent_ceiling;
    if (value < -exponent_ceiling)
        return -exponent_ceiling;
    return value;
}

} // namespace

double read_number(std::string_view text) {
    Cursor cursor(text);
    if (cursor.peek() == '&') {
        cursor.next();
        return read_based(cursor);
    }

    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        cursor.next();
    }

    // Mantissa digits without the point; `whole_digits` of them stand before it.
    std::string digits;
    std::int64_t whole_digits = -1;
    for (;;) {
        const char c = cursor.peek();
        if (is_digit(c)) {
            digits += c;
        } else if (c == '.' && whole_digits < 0) {
            whole_digits = static_cast<std::int64_t>(digits.size());
        } else {
            break;
        }
        cursor.next();
    }
    if (digits.empty())
        return 0;
    if (whole_digits < 0)
        whole_digits = static_cast<std::int64_t>(digits.size());

    std::int64_t exponent = 0;
    const char e = upper(cursor.peek());
    if (e == 'E' || e == 'D') {
        cursor.next();
        bool exponent_negative = false;
        if (cursor.peek() == '+' || cursor.peek() == '-') {
            exponent_negative = cursor.peek() == '-';
            cursor.next();
        }
        while (is_digit(cursor.peek())) {
            exponent = saturated(exponent * 10 + (cursor.peek() - '0'));
            cursor.next();
        }
        if (exponent_negative)
            exponent = -exponent;
    }

    // Bring the number to the form 0.ddd x 10^scale with a non-zero first digit.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    const std::int64_t scale =
        saturated(whole_digits - static_cast<std::int64_t>(first) + exponent);
    if (scale > 310)
        overflow();
    if (scale < -330)
        return 0;

    std::string normal = "0.";
    normal.append(digits, first, std::string::npos);
    normal += 'e';
    normal += std::to_string(scale);
    double value = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        if (scale > 0)
            overflow();
        return 0;
    }
    check_finite(value);
    return negative ? -value : value;
}

std::int16_t to_int16(double value) {
    const double nearest = std::nearbyint(value); // the default rounding: halves to even
    if (!(nearest >= -32768.0 && nearest <= 32767.0))
        overflow();
    return static_cast<std::int16_t>(nearest);
}

std::int16_t abs16(std::int16_t value) {
    if (value == INT16_MIN)
        overflow();
    return static_cast<std::int16_t>(value < 0 ? -value : value);
}

bool is_whole(double value) {
    return std::floor(value) == value;
}

bool rounds_to_zero(double value) {
    return std::fabs(value) <= 0.5;
}

namespace {

// %.15G without the locale: "0.5", "-1.25", "1E-05", "1.5E+20", "0" for any zero.
std::string general_text(double value) {
    check_finite(value);
    if (value == 0)
        return "0";
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    for (char& c : text)
        c = upper(c);
    return text;
}

} // namespace

std::string signed_text(double value) {
    std::string text = general_text(value);
    if (text[0] == '-') {
        if (text.compare(0, 3, "-0.") == 0)
            text.erase(1, 1);
        return text;
    }
    if (text.compare(0, 2, "0.") == 0)
        text.erase(0, 1);
    return ' ' + text;
}

std::string plain_text(double value) {
    return general_text(value);
}

double mul(double a, double b) {
    return check_finite(a * b);
}
double add(double a, double b) {
    return check_finite(a + b);
}
double sub(double a, double b) {
    return check_finite(a - b);
}

double quotient(double a, double b) {
    if (b == 0)
        throw std::domain_error(division_by_zero_text);
    return check_finite(a / b);
}

} // namespace fractions
