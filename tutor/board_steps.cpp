// The worked solution on the board: every step of the solve written out exactly, from
// the coefficients as the solve read them to the roots, the parabola's points, the check
// of the roots and the value at a tested X.
#include "board.h"

#include "exact.h"
#include "exact_solution.h"
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
constexpr Bilingual read_as{" letto come ", " read as "};
constexpr Bilingual denominator_of{"denominatore di ", "denominator of "};
constexpr Bilingual interrupted_line{"Il calcolo non è arrivato alla fine (%1): %2",
                                     "The solve did not run to its end (%1): %2"};
constexpr Bilingual refused{"rifiutato: il numeratore di A o un denominatore è zero",
                            "refused: the numerator of A or a denominator is zero"};
constexpr Bilingual last_solved_shown{"la lavagna mostra l'ultima equazione risolta.",
                                      "the board shows the last equation solved."};
constexpr Bilingual none_solved_yet{"nessuna equazione è stata ancora risolta.",
                                    "no equation has been solved yet."};
constexpr Bilingual heading_integer_form{"La forma intera", "The integer form"};
// k = A/a is the least common multiple m of the denominators over the common factor n that
// the whole numbers then have (m and n have no common factor).
constexpr Bilingual factor_multiplies{
    "Si moltiplica per k, il minimo comune multiplo dei denominatori:",
    "Multiply by k, the least common multiple of the denominators:"};
constexpr Bilingual factor_divides{
    "Si divide per n = %1, il fattore comune dei coefficienti (k = 1/n):",
    "Divide by n = %1, the common factor of the coefficients (k = 1/n):"};
constexpr Bilingual factor_multiplies_and_divides{
    "Si moltiplica per m = %1, il minimo comune multiplo dei denominatori, e si divide per n = "
    "%2, il fattore comune che resta (k = m/n):",
    "Multiply by m = %1, the least common multiple of the denominators, and divide by n = %2, "
    "the common factor then left (k = m/n):"};
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
using exact::SquareRoot;
using exact::surd_text;
using exact::whole_text;
using exact::Wide;

const std::string minus = exact::minus_sign;

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
    Board(const ExactSolution& s, int language) : s_(s), language_(language) {}

    std::vector<BoardLine> lines() {
        equation_step();
        integer_form_step();
        discriminant_step();
        case_step();
        roots_step();
        parabola_step();
        if (s_.real_roots())
            check_step();
        if (s_.tested)
            tested_step(*s_.tested);
        return std::move(lines_);
    }

  private:
    const char* say(const Bilingual& text) const { return text.in(language_); }
    void heading(const std::string& text) {
        lines_.push_back({true, std::to_string(++step_) + ". " + text});
    }
    void line(const std::string& text) { lines_.push_back({false, text}); }

    std::string integer_equation() const { return polynomial_text(s_.A, s_.B, s_.C) + " = 0"; }
    std::string A() const { return put(s_.A); }

    // Each box the solve read as another value than its text: "A: 2.5 read as 2".
    void read_otherwise() {
        for (const ReadOtherwise& r : s_.equation.read_otherwise)
            line((r.denominator ? say(denominator_of) : "") + std::string(1, r.row) + ": " +
                 r.typed + say(read_as) + r.read);
    }

    void equation_step() {
        if (!s_.composed) {
            heading(say(heading_equation));
            read_otherwise();
            line(polynomial_text(s_.a, s_.b, s_.c) + " = 0");
            return;
        }
        const Rational &ra = s_.root_a, &rb = s_.root_b;
        heading(fill(say(heading_composed), ra.text(), rb.text()));
        read_otherwise();
        const std::string fa = root_factor(ra), fb = root_factor(rb);
        // Equal roots make a square: (x − 2)², x².
        const std::string product = fa == fb                 ? (fa == "x" ? "x²" : fa + "²")
                                    : fa == "x" || fb == "x" ? fa + "·" + fb
                                                             : fa + fb;
        line("(x − a)(x − b) = x² − (a + b)·x + a·b");
        line(product + " = x² − (" + ra.text() + " + " + put(rb) + ")·x + " + put(ra) + "·" +
             put(rb));
        line(polynomial_text(s_.a, s_.b, s_.c) + " = 0");
    }

    void integer_form_step() {
        heading(say(heading_integer_form));
        const std::string integers =
            "(" + whole_text(s_.A) + ", " + whole_text(s_.B) + ", " + whole_text(s_.C) + ")";
        if (s_.k == Rational(1)) {
            line(say(factor_is_one));
            line("(A, B, C) = " + integers);
        } else {
            const std::string m = whole_text(s_.k.num()), n = whole_text(s_.k.den());
            line(s_.k.is_whole()   ? say(factor_multiplies)
                 : s_.k.num() == 1 ? fill(say(factor_divides), n)
                                   : fill(say(factor_multiplies_and_divides), m, n));
            // A composed equation names its roots a and b: its coefficients go unnamed.
            line(chain({s_.composed ? "k" : "k = A/a", whole_text(s_.A) + "/" + put_factor(s_.a),
                        s_.k.text()}));
            line(chain(
                {s_.composed ? "(A, B, C)" : "(A, B, C) = k · (a, b, c)",
                 s_.k.text() + " · (" + s_.a.text() + ", " + s_.b.text() + ", " + s_.c.text() + ")",
                 integers}));
        }
        line(integer_equation());
    }

    void discriminant_step() {
        heading(say(heading_discriminant));
        const Wide product = s_.four_ac;
        line(chain({"Δ = B² − 4AC = " + put(s_.B) + "² − 4·" + A() + "·" + put(s_.C),
                    whole_text(s_.b_squared) +
                        (product >= 0 ? " − " + whole_text(product) : " + " + whole_text(-product)),
                    whole_text(s_.delta)}));
    }

    void case_step() {
        heading(say(heading_case));
        if (s_.kind == RootCase::TwoReal)
            line(fill(say(case_two_real), whole_text(s_.delta)));
        else if (s_.kind == RootCase::Double)
            line(say(case_double));
        else
            line(fill(say(case_complex), whole_text(s_.delta)));
    }

    void roots_step() {
        heading(say(heading_roots));
        const Wide delta = s_.delta;
        const Rational minus_b(-s_.B);
        const std::string two_a = put(2 * s_.A);
        const SquareRoot& root = s_.root_of_delta;
        const std::string root_text = delta >= 0 ? surd_text(root.outside, root.inside)
                                                 : imaginary_text(root.outside, root.inside);
        if (root_text != "√" + whole_text(delta))
            line("√Δ = √" + put(delta) + " = " + root_text);
        // The formula, with the numbers put in, then with √Δ worked out.
        const std::string put_in =
            "x = (−B ± √Δ) / 2A = (" + negated(s_.B) + " ± √" + put(delta) + ") / (2·" + A() + ")";
        const std::string worked = "(" + minus_b.text() + " ± " + root_text + ") / " + two_a;

        if (s_.kind == RootCase::Double) {
            line(chain({put_in, worked, s_.x1.text}));
            line("x₁ = x₂ = " + s_.x1.text);
        } else if (s_.x1.rational) {
            line(chain({put_in, worked}));
            const std::string o = whole_text(root.outside);
            line(chain({"x₁ = (" + minus_b.text() + " + " + o + ") / " + two_a, s_.x1.text}));
            line(chain({"x₂ = (" + minus_b.text() + " − " + o + ") / " + two_a, s_.x2.text}));
        } else {
            // The form in lowest terms says something new unless no factor is common, 2A is
            // positive and −B is there to write; complex roots are split into p/s and q/s.
            const bool lowest = s_.form.s == 2 * s_.A && s_.B != 0 && delta > 0;
            line(lowest ? chain({put_in, worked}) : chain({put_in, worked, s_.form.text("±")}));
            line("x₁ = " + s_.x1.text);
            line("x₂ = " + s_.x2.text);
        }
    }

    void parabola_step() {
        heading(fill(say(heading_parabola), polynomial_text(s_.A, s_.B, s_.C)));
        const std::string over_2a = "/(2·" + A() + ")", over_4a = "/(4·" + A() + ")";
        const std::string x = s_.vertex_x.text();
        line("V(−B/2A; −Δ/4A) = V(" + negated(s_.B) + over_2a + "; " + negated(s_.delta) + over_4a +
             ") = V(" + x + "; " + s_.vertex_y.text() + ")");
        line("F(−B/2A; (1 − Δ)/4A) = F(" + x + "; (1 − " + put(s_.delta) + ")" + over_4a +
             ") = F(" + x + "; " + s_.focus_y.text() + ")");
        line("y = −(1 + Δ)/4A = −(1 + " + put(s_.delta) + ")" + over_4a + " = " +
             s_.directrix_y.text());
    }

    void check_step() {
        heading(say(heading_check));
        const ExactRoot &x1 = s_.x1, &x2 = s_.x2;
        if (x1.rational)
            line(chain({"x₁ + x₂ = " + x1.text + " + " + put(x2.fraction), s_.sum.text()}));
        else
            line(chain(
                {"x₁ + x₂ = " + put_root(x1.text) + " + " + put_root(x2.text), s_.sum.text()}));
        line(chain({"−B/A = " + negated(s_.B) + "/" + A(), s_.minus_b_over_a.text()}));

        if (x1.rational) {
            line(chain(
                {"x₁ · x₂ = " + put(x1.fraction) + " · " + put(x2.fraction), s_.product.text()}));
        } else {
            const exact::RootForm& f = s_.form;
            const std::string squares = put(f.p) + "² − (" + surd_text(f.q, f.r) + ")²";
            const std::string values =
                whole_text(s_.p_squared) + " − " + whole_text(s_.q_squared_r);
            const bool whole = f.s == 1;
            const std::string s2 = whole_text(f.s * f.s);
            line(chain({"x₁ · x₂ = (" + x1.text + ") · (" + x2.text + ")",
                        whole ? squares : "(" + squares + ")/" + whole_text(f.s) + "²",
                        whole ? values : "(" + values + ")/" + s2, s_.product.text()}));
        }
        line(chain({"C/A = " + whole_text(s_.C) + "/" + A(), s_.c_over_a.text()}));
    }

    void tested_step(const ExactValueAt& t) {
        const Rational& x = t.x;
        heading(fill(say(heading_tested), x.text()));
        const std::string f = "F(" + x.text() + ")";
        line("F(X) = A·X² + B·X + C");
        line(chain({f + " = " + A() + "·" + put_factor(x) + "² + " + put(s_.B) + "·" +
                        put_factor(x) + " + " + put(s_.C),
                    sum_text({t.square_term, t.linear_term, Rational(s_.C)}), t.value.text()}));
        line(t.value.sign() == 0 ? fill(say(tested_is_root), x.text())
                                 : fill(say(tested_not_root), x.text(), t.value.text()));
    }

    const ExactSolution& s_;
    int language_;
    int step_ = 0;
    std::vector<BoardLine> lines_;
};

} // namespace

std::vector<BoardLine> board_steps(const ExactSolution* solution, int language,
                                   const std::optional<Interruption>& interrupted) {
    std::vector<BoardLine> lines;
    if (interrupted) {
        const std::string why =
            interrupted->refused ? refused.in(language) : interrupted->failure.c_str();
        lines.push_back({false,
                         fill(interrupted_line.in(language), why,
                              (solution ? last_solved_shown : none_solved_yet).in(language)),
                         true});
    }
    std::vector<BoardLine> steps =
        solution ? Board(*solution, language).lines()
                 : std::vector<BoardLine>{{false, how_to_start.in(language)},
                                          {false, how_to_compose.in(language)}};
    lines.insert(lines.end(), steps.begin(), steps.end());
    return lines;
}

std::vector<BoardLine> board_steps(const std::optional<SolvedEquation>& equation,
                                   const std::optional<TestedValue>& tested, int language,
                                   const std::optional<Interruption>& interrupted) {
    if (!equation)
        return board_steps(nullptr, language, interrupted);
    const ExactSolution solution = solve_exactly(*equation, tested);
    return board_steps(&solution, language, interrupted);
}

std::vector<BoardLine> board_steps(const ExactSolution& solution, int language) {
    return Board(solution, language).lines();
}

} // namespace tutor
