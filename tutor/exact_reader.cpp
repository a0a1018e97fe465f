// A recursive descent over the text, one function a level: sum, term, product, power,
// primary. ± is read twice, once as + and once as −.
#include "exact_reader.h"

#include <algorithm>

namespace tutor::exact {

namespace {

struct Failure {
    ReadError error;
    std::size_t at;
};

// Brackets, square roots and names nest at most this deep.
constexpr int deepest = 40;

class Reader {
  public:
    Reader(const std::string& text, const Names& names, int branch, int depth = 0)
        : s_(text), names_(names), branch_(branch), depth_(depth) {}

    Number read() {
        const Number v = sum();
        skip_blanks();
        if (at_ != s_.size())
            fail(ReadError::Unexpected);
        return v;
    }
    bool saw_plus_minus() const { return plus_minus_; }
    bool saw_decimal() const { return decimal_; }

  private:
    [[noreturn]] void fail(ReadError error) const { throw Failure{error, at_}; }
    // The length of the token where it stands next, else 0. Byte by byte: a token is a
    // few bytes, and most tries fail at the first.
    std::size_t matched(const char* token) const {
        std::size_t n = 0;
        for (; token[n] != 0; ++n)
            if (at_ + n >= s_.size() || s_[at_ + n] != token[n])
                return 0;
        return n;
    }
    bool next(const char* token) const { return matched(token) != 0; }
    bool take(const char* token) {
        const std::size_t n = matched(token);
        at_ += n;
        return n != 0;
    }
    void skip_blanks() {
        while (at_ < s_.size() && s_[at_] == ' ')
            ++at_;
    }
    bool eat(const char* token) {
        skip_blanks();
        return take(token);
    }
    bool digit_next() const { return at_ < s_.size() && s_[at_] >= '0' && s_[at_] <= '9'; }

    // +1, −1, or 0 where no sign stands.
    int sign() {
        if (eat("+"))
            return 1;
        if (eat("−") || eat("-"))
            return -1;
        if (eat("±")) {
            plus_minus_ = true;
            return branch_ == 0 ? 1 : -1;
        }
        return 0;
    }

    Number sum() {
        Number v;
        for (int s = sign(), first = 1; s != 0 || first; s = sign(), first = 0) {
            const Number t = term();
            v = s < 0 ? v - t : v + t;
        }
        return v;
    }

    Number term() {
        for (Number v = product();;) {
            if (eat("·") || eat("*"))
                v = v * product();
            else if (eat("/"))
                v = v / product();
            else
                return v;
        }
    }

    // Factors written one after the other: 2√3, 3i, 2A, (x)(y). A digit after a factor
    // would join two numbers into one, so it does not start a new factor.
    Number product() {
        Number v = power();
        while (next("√") || next("sqrt") || next("i") || next("(") || name_next())
            v = v * power();
        return v;
    }

    Number power() {
        const Number v = primary();
        if (take("²") || take("^2"))
            return v * v;
        return v;
    }

    bool name_next() const {
        return std::any_of(names_.begin(), names_.end(),
                           [&](const auto& name) { return next(name.first.c_str()); });
    }

    Number nested(const std::string& text) {
        if (depth_ >= deepest)
            fail(ReadError::Unexpected);
        Reader inner(text, names_, branch_, depth_ + 1);
        try {
            const Number v = inner.read();
            plus_minus_ = plus_minus_ || inner.plus_minus_;
            decimal_ = decimal_ || inner.decimal_;
            return v;
        } catch (const Failure&) {
            fail(ReadError::Unexpected); // a name's own formula: report where the name stands
        }
    }

    Number primary() {
        skip_blanks();
        if (++depth_ > deepest)
            fail(ReadError::Unexpected);
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave{depth_};
        if (take("(")) {
            const Number v = sum();
            if (!eat(")"))
                fail(ReadError::Unclosed);
            return v;
        }
        for (const auto& [name, formula] : names_)
            if (take(name.c_str()))
                return nested("(" + formula + ")");
        if (take("i"))
            return Number{0, 0, 1, 0, 1};
        if (take("√") || take("sqrt"))
            return square_root(primary());
        if (!digit_next())
            fail(ReadError::Unexpected);
        return number();
    }

    // Digits, with a decimal point or comma and more digits.
    Number number() {
        Wide whole = 0, scale = 1;
        const auto digits = [&](bool fraction) {
            while (digit_next()) {
                whole = checked_add(checked_mul(whole, 10), s_[at_++] - '0');
                if (fraction)
                    scale = checked_mul(scale, 10);
            }
        };
        digits(false);
        if ((next(".") || next(",")) && at_ + 1 < s_.size() && s_[at_ + 1] >= '0' &&
            s_[at_ + 1] <= '9') {
            ++at_;
            decimal_ = true;
            digits(true);
        }
        return Number(Rational(whole, scale));
    }

    // √(p/q) = √(p·q)/q, and i√ for a negative number.
    Number square_root(const Number& n) {
        if (!n.is_rational())
            fail(ReadError::RootOfRoot);
        const Rational q = n.c[0];
        if (q.sign() == 0)
            return Number();
        const SquareRoot root = simplify_root(checked_mul(magnitude(q.num()), q.den()));
        const Rational outside(root.outside, q.den());
        return q.sign() > 0 ? Number{0, outside, 0, 0, root.inside}
                            : Number{0, 0, 0, outside, root.inside};
    }

    const std::string& s_;
    const Names& names_;
    int branch_;
    int depth_;
    std::size_t at_ = 0;
    bool plus_minus_ = false;
    bool decimal_ = false;
};

} // namespace

Reading read_exact(const std::string& text, const Names& names) {
    Reading reading;
    if (text.find_first_not_of(' ') == std::string::npos) {
        reading.error = ReadError::Empty;
        return reading;
    }
    for (int branch = 0; branch < 2; ++branch) {
        Reader reader(text, names, branch);
        try {
            reading.values.push_back(reader.read());
        } catch (const Failure& failure) {
            reading = Reading{{}, failure.error, failure.at, false};
            return reading;
        } catch (const MixedRoots&) {
            reading = Reading{{}, ReadError::MixedRoots, text.size(), false};
            return reading;
        } catch (const std::overflow_error&) {
            reading = Reading{{}, ReadError::TooLarge, text.size(), false};
            return reading;
        } catch (const std::domain_error&) {
            reading = Reading{{}, ReadError::DivisionByZero, text.size(), false};
            return reading;
        }
        reading.decimal = reading.decimal || reader.saw_decimal();
        if (!reader.saw_plus_minus())
            break;
    }
    return reading;
}

} // namespace tutor::exact
