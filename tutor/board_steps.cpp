// The worked solution on the board: every step of the solve written out exactly, from
// the coefficients as the solve read them to the roots, the parabola's points, the check
// of the roots and the value at a tested X.
#include "board.h"

#include "exact.h"
#include "vocabulary.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tutor {

namespace {

// The board's texts. %1 and %2 stand for the numbers that are put in.
constexpr Bilingual how_to_start{"Scrivi A, B e C e scegli Risolvi: qui compariranno i passaggi.",
                                 "Type A, B and C and choose Solve: the working will appear here."};
constexpr Bilingual how_to_compose{"Per partire da due radici, scegli Componi.",
                                   "To start from two roots, choose Compose."};
constexpr Bilingual heading_equation{"L'equazione, con i coefficienti ai minimi termini",
                                     "The equation, its coefficients in lowest terms"};
constexpr Bilingual heading_composed{"L'equazione che ha le radici a = %1 e b = %2",
                                     "The equation whose roots are a = %1 and b = %2"};
constexpr Bilingual heading_integer_form{"La forma intera", "The integer form"};
constexpr Bilingual factor_explained{
    "Si moltiplica per k, il più piccolo numero positivo che rende interi tutti i coefficienti:",
    "Multiply by k, the smallest positive number that makes every coefficient whole:"};
constexpr Bilingual factor_is_one{
    "k = 1: i coefficienti sono già interi, senza fattori comuni.",
    "k = 1: the coefficients are already whole numbers with no common factor."};
constexpr Bilingual heading_discriminant{"Il discriminante", "The discriminant"};
constexpr Bilingual heading_case{"Quante radici", "How many roots"};
constexpr Bilingual case_two_real{"Δ = %1 > 0: due radici reali distinte.",
                                  "Δ = %1 > 0: two distinct real roots."};
constexpr Bilingual case_double{"Δ = 0: una radice doppia (due radici reali coincidenti).",
                                "Δ = 0: one double root (two equal real roots)."};
constexpr Bilingual case_complex{
    "Δ = %1 < 0: nessuna radice reale, due radici complesse coniugate.",
    "Δ = %1 < 0: no real root, two complex conjugate roots."};
constexpr Bilingual heading_roots{"Le radici", "The roots"};
constexpr Bilingual heading_parabola{"Vertice, fuoco e direttrice della parabola y = %1",
                                     "Vertex, focus and directrix of the parabola y = %1"};
constexpr Bilingual heading_check{"La verifica: x₁ + x₂ = −B/A e x₁ · x₂ = C/A",
                                  "The check: x₁ + x₂ = −B/A and x₁ · x₂ = C/A"};
constexpr Bilingual heading_tested{"Il valore di F(X) per X = %1", "The value of F(X) at X = %1"};
constexpr Bilingual tested_is_root{"F(%1) = 0: X = %1 è una radice dell'equazione.",
                                   "F(%1) = 0: X = %1 is a root of the equation."};
constexpr Bilingual tested_not_root{"F(%1) = %2 ≠ 0: X = %1 non è una radice dell'equazione.",
                                    "F(%1) = %2 ≠ 0: X = %1 is not a root of the equation."};

using exact::imaginary_text;
using exact::polynomial_text;
using exact::Rational;
using exact::RootForm;
using exact::simplify_root;
using exact::SquareRoot;
using exact::surd_text;
using exact::whole_text;
using exact::Wide;

const std::string minus = exact::minus_sign;

std::string fill(const char* pattern, const std::string& first, const std::string& second = {}) {
    std::string out = pattern;
    for (std::size_t at = out.find('%'); at != std::string::npos; at = out.find('%', at)) {
        const std::string& value = out[at + 1] == '1' ? first : second;
        out.replace(at, 2, value);
        at += value.size();
    }
    return out;
}

// The parts of a chain of equalities joined by " = ", a part equal to the one before left
// out (1/2 reduced is 1/2 again).
std::string chain(std::initializer_list<std::string> parts) {
    std::string out, last;
    for (const std::string& part : parts) {
        if (!out.empty() && part == last)
            continue;
        out += out.empty() ? part : " = " + part;
        // A first part may carry its own "x = ": compare with what follows it.
        const std::size_t equals = part.rfind(" = ");
        last = equals == std::string::npos ? part : part.substr(equals + 3);
    }
    return out;
}

// A number put into a formula, in brackets when negative: (−3).
std::string put(const Rational& v) {
    return v.sign() < 0 ? "(" + v.text() + ")" : v.text();
}

// A number put in as a factor or a base of a power, in brackets also when a fraction.
std::string put_factor(const Rational& v) {
    return v.sign() < 0 || !v.is_whole() ? "(" + v.text() + ")" : v.text();
}

// −v with v put in: −(−3), −2; 0 for 0.
std::string negated(const Rational& v) {
    return v.sign() == 0 ? "0" : minus + put(v);
}

// A sum of values with their own signs: 1/4 − 3/2 + 2.
std::string sum_text(std::initializer_list<Rational> terms) {
    std::string out;
    for (const Rational& term : terms) {
        if (out.empty())
            out = term.text();
        else
            out += (term.sign() < 0 ? " − " : " + ") + (term.sign() < 0 ? -term : term).text();
    }
    return out;
}

// The factor (x − r) of a composed equation: (x − 2), (x + 1/3), and x for a zero root.
std::string root_factor(const Rational& r) {
    if (r.sign() == 0)
        return "x";
    return "(x " + (r.sign() > 0 ? "− " + r.text() : "+ " + (-r).text()) + ")";
}

// A root text put into a sum, in brackets when it is a sum itself or negative: its blanks
// outside brackets separate terms.
std::string put_root(const std::string& root) {
    int depth = 0;
    bool sum = root.rfind(minus, 0) == 0;
    for (const char c : root) {
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        sum = sum || (c == ' ' && depth == 0);
    }
    return sum ? "(" + root + ")" : root;
}

class Board {
  public:
    Board(const SolvedEquation& e, int language) : e_(e), language_(language) {
        if (e.a.den <= 0 || e.b.den <= 0 || e.c.den <= 0 || e.a.num == 0 || e.A == 0)
            throw std::invalid_argument("board: not an equation of the second degree");
        a_ = Rational(e.a), b_ = Rational(e.b), c_ = Rational(e.c);
        A_ = e.A, B_ = e.B, C_ = e.C;
        k_ = Rational(A_) / a_;
        if (k_.sign() <= 0 || k_ * b_ != Rational(B_) || k_ * c_ != Rational(C_))
            throw std::invalid_argument("board: the integer form does not match the coefficients");
        delta_ = exact::checked_sub(exact::checked_mul(B_, B_), exact::checked_mul(4 * A_, C_));
    }

    std::vector<BoardLine> lines(const std::optional<TestedValue>& tested) {
        equation_step();
        integer_form_step();
        discriminant_step();
        case_step();
        roots_step();
        parabola_step();
        if (delta_ >= 0)
            check_step();
        if (tested)
            tested_step(*tested);
        return std::move(lines_);
    }

  private:
    const char* say(const Bilingual& text) const { return text.in(language_); }
    void heading(const std::string& text) {
        lines_.push_back({true, std::to_string(++step_) + ". " + text});
    }
    void line(const std::string& text) { lines_.push_back({false, text}); }

    std::string integer_equation() const { return polynomial_text(A_, B_, C_) + " = 0"; }
    std::string A() const { return put(A_); }

    void equation_step() {
        if (!e_.root_a || !e_.root_b) {
            heading(say(heading_equation));
            line(polynomial_text(a_, b_, c_) + " = 0");
            return;
        }
        const Rational ra(*e_.root_a), rb(*e_.root_b);
        if (a_ != Rational(1) || b_ != -(ra + rb) || c_ != ra * rb)
            throw std::invalid_argument("board: the equation does not have the roots composed");
        heading(fill(say(heading_composed), ra.text(), rb.text()));
        const std::string fa = root_factor(ra), fb = root_factor(rb);
        const std::string product = fa == "x" || fb == "x" ? fa + "·" + fb : fa + fb;
        line("(x − a)(x − b) = x² − (a + b)·x + a·b");
        line(product + " = x² − (" + ra.text() + " + " + put(rb) + ")·x + " + put(ra) + "·" +
             put(rb));
        line(polynomial_text(a_, b_, c_) + " = 0");
    }

    void integer_form_step() {
        heading(say(heading_integer_form));
        const std::string integers =
            "(" + whole_text(A_) + ", " + whole_text(B_) + ", " + whole_text(C_) + ")";
        if (k_ == Rational(1)) {
            line(say(factor_is_one));
            line("(A, B, C) = " + integers);
        } else {
            line(say(factor_explained));
            // A composed equation names its roots a and b: its coefficients go unnamed.
            const bool composed = e_.root_a && e_.root_b;
            line(chain(
                {composed ? "k" : "k = A/a", whole_text(A_) + "/" + put_factor(a_), k_.text()}));
            line(chain({composed ? "(A, B, C)" : "(A, B, C) = k · (a, b, c)",
                        k_.text() + " · (" + a_.text() + ", " + b_.text() + ", " + c_.text() + ")",
                        integers}));
        }
        line(integer_equation());
    }

    void discriminant_step() {
        heading(say(heading_discriminant));
        const Wide square = exact::checked_mul(B_, B_), product = exact::checked_mul(4 * A_, C_);
        line(chain({"Δ = B² − 4AC = " + put(B_) + "² − 4·" + A() + "·" + put(C_),
                    whole_text(square) +
                        (product >= 0 ? " − " + whole_text(product) : " + " + whole_text(-product)),
                    whole_text(delta_)}));
    }

    void case_step() {
        heading(say(heading_case));
        if (delta_ > 0)
            line(fill(say(case_two_real), whole_text(delta_)));
        else if (delta_ == 0)
            line(say(case_double));
        else
            line(fill(say(case_complex), whole_text(delta_)));
    }

    void roots_step() {
        heading(say(heading_roots));
        const Rational minus_b(-B_);
        const std::string two_a = put(2 * A_);
        const SquareRoot root =
            delta_ == 0 ? SquareRoot{0, 1} : simplify_root(delta_ > 0 ? delta_ : -delta_);
        const std::string root_text = delta_ >= 0 ? surd_text(root.outside, root.inside)
                                                  : imaginary_text(root.outside, root.inside);
        if (root_text != "√" + whole_text(delta_))
            line("√Δ = √" + put(delta_) + " = " + root_text);
        // The formula, with the numbers put in, then with √Δ worked out.
        const std::string put_in =
            "x = (−B ± √Δ) / 2A = (" + negated(B_) + " ± √" + put(delta_) + ") / (2·" + A() + ")";
        const std::string worked = "(" + minus_b.text() + " ± " + root_text + ") / " + two_a;

        // x₁ takes +√Δ over 2A, as the main window's X1 does.
        form_ = exact::root_form(A_, B_, delta_, root);
        const std::string first_sign = exact::first_root_sign(A_),
                          second_sign = exact::second_root_sign(A_);
        const Wide g = exact::gcd(exact::gcd(B_, root.outside), 2 * A_);

        if (delta_ == 0) {
            rational_roots_ = true;
            x1_ = x2_ = Rational(-B_, 2 * A_);
            line(chain({put_in, worked, x1_.text()}));
            line("x₁ = x₂ = " + x1_.text());
        } else if (delta_ > 0 && root.inside == 1) {
            rational_roots_ = true;
            x1_ = Rational(-B_ + root.outside, 2 * A_);
            x2_ = Rational(-B_ - root.outside, 2 * A_);
            line(chain({put_in, worked}));
            const std::string o = whole_text(root.outside);
            line(chain({"x₁ = (" + minus_b.text() + " + " + o + ") / " + two_a, x1_.text()}));
            line(chain({"x₂ = (" + minus_b.text() + " − " + o + ") / " + two_a, x2_.text()}));
        } else {
            // The form in lowest terms says something new unless no factor is common, 2A is
            // positive and −B is there to write; complex roots are split into p/s and q/s.
            const bool lowest = g == 1 && A_ > 0 && B_ != 0 && delta_ > 0;
            line(lowest ? chain({put_in, worked}) : chain({put_in, worked, form_.text("±")}));
            x1_text_ = form_.text(first_sign);
            x2_text_ = form_.text(second_sign);
            line("x₁ = " + x1_text_);
            line("x₂ = " + x2_text_);
        }
    }

    void parabola_step() {
        heading(fill(say(heading_parabola), polynomial_text(A_, B_, C_)));
        const std::string over_2a = "/(2·" + A() + ")", over_4a = "/(4·" + A() + ")";
        const Rational x(-B_, 2 * A_);
        const Rational vertex_y(-delta_, 4 * A_), focus_y(1 - delta_, 4 * A_),
            directrix(-(1 + delta_), 4 * A_);
        line("V(−B/2A; −Δ/4A) = V(" + negated(B_) + over_2a + "; " + negated(delta_) + over_4a +
             ") = V(" + x.text() + "; " + vertex_y.text() + ")");
        line("F(−B/2A; (1 − Δ)/4A) = F(" + x.text() + "; (1 − " + put(delta_) + ")" + over_4a +
             ") = F(" + x.text() + "; " + focus_y.text() + ")");
        line("y = −(1 + Δ)/4A = −(1 + " + put(delta_) + ")" + over_4a + " = " + directrix.text());
    }

    void check_step() {
        heading(say(heading_check));
        if (rational_roots_) {
            line(chain({"x₁ + x₂ = " + x1_.text() + " + " + put(x2_), (x1_ + x2_).text()}));
        } else {
            line(chain({"x₁ + x₂ = " + put_root(x1_text_) + " + " + put_root(x2_text_),
                        Rational(2 * form_.p, form_.s).text()}));
        }
        line(chain({"−B/A = " + negated(B_) + "/" + A(), Rational(-B_, A_).text()}));

        if (rational_roots_) {
            line(chain({"x₁ · x₂ = " + put(x1_) + " · " + put(x2_), (x1_ * x2_).text()}));
        } else {
            // (p + q√r)(p − q√r) = p² − q²·r, over s².
            const Wide p2 = exact::checked_mul(form_.p, form_.p);
            const Wide q2r = exact::checked_mul(exact::checked_mul(form_.q, form_.q), form_.r);
            const std::string squares = put(form_.p) + "² − (" + surd_text(form_.q, form_.r) + ")²";
            const std::string values = whole_text(p2) + " − " + whole_text(q2r);
            const bool whole = form_.s == 1;
            const std::string s2 = whole_text(form_.s * form_.s);
            line(chain({"x₁ · x₂ = (" + x1_text_ + ") · (" + x2_text_ + ")",
                        whole ? squares : "(" + squares + ")/" + whole_text(form_.s) + "²",
                        whole ? values : "(" + values + ")/" + s2,
                        Rational(p2 - q2r, form_.s * form_.s).text()}));
        }
        line(chain({"C/A = " + whole_text(C_) + "/" + A(), Rational(C_, A_).text()}));
    }

    void tested_step(const TestedValue& tested) {
        const Rational x(tested.x);
        heading(fill(say(heading_tested), x.text()));
        const Rational square_term = Rational(A_) * x * x, linear_term = Rational(B_) * x;
        const Rational value = square_term + linear_term + Rational(C_);
        const std::string f = "F(" + x.text() + ")";
        line("F(X) = A·X² + B·X + C");
        line(chain({f + " = " + A() + "·" + put_factor(x) + "² + " + put(B_) + "·" + put_factor(x) +
                        " + " + put(C_),
                    sum_text({square_term, linear_term, Rational(C_)}), value.text()}));
        line(value.sign() == 0 ? fill(say(tested_is_root), x.text())
                               : fill(say(tested_not_root), x.text(), value.text()));
    }

    const SolvedEquation& e_;
    int language_;
    Rational a_, b_, c_, k_;
    Wide A_ = 0, B_ = 0, C_ = 0, delta_ = 0;
    // The roots as written: rational ones as fractions, the others in their exact form.
    bool rational_roots_ = false;
    Rational x1_, x2_;
    RootForm form_;
    std::string x1_text_, x2_text_;
    int step_ = 0;
    std::vector<BoardLine> lines_;
};

} // namespace

std::vector<BoardLine> board_steps(const std::optional<SolvedEquation>& equation,
                                   const std::optional<TestedValue>& tested, int language) {
    if (!equation)
        return {{false, how_to_start.in(language)}, {false, how_to_compose.in(language)}};
    return Board(*equation, language).lines(tested);
}

} // namespace tutor
