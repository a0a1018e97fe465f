// The practice sets, the judging of typed answers and the session's score.
#include "practice.h"

#include "exact_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <utility>

namespace tutor::practice {

namespace {

using exact::Number;
using exact::Rational;
using exact::Wide;

// --- Drawing the equations -----------------------------------------------------------

// splitmix64: the same numbers on every machine and with every standard library, so a
// set number names the same ten equations for a whole class.
class Draw {
  public:
    Draw(Kind kind, int set_number)
        : state_(0x9E3779B97F4A7C15ull * (static_cast<std::uint64_t>(kind) + 1) ^
                 static_cast<std::uint64_t>(set_number)) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from low to high, both included.
    int between(int low, int high) {
        return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
    }
    // True one time in n.
    bool one_in(int n) { return between(1, n) == 1; }

  private:
    std::uint64_t state_;
};

struct Whole {
    Wide A, B, C;
};

bool classroom_sized(const Whole& e) {
    const auto fits = [](Wide v) { return v >= -largest_coefficient && v <= largest_coefficient; };
    return e.A != 0 && fits(e.A) && fits(e.B) && fits(e.C);
}

bool primitive(const Whole& e) {
    return exact::gcd(exact::gcd(e.A, e.B), e.C) == 1;
}

Wide discriminant(const Whole& e) {
    return e.B * e.B - 4 * e.A * e.C;
}

// A leading coefficient below zero one time in four.
Whole with_random_sign(Draw& draw, Whole e) {
    return draw.one_in(4) ? Whole{-e.A, -e.B, -e.C} : e;
}

// (q1·x − p1)(q2·x − p2): a product of two primitive factors, so primitive itself.
Whole from_roots(Wide p1, Wide q1, Wide p2, Wide q2) {
    return {q1 * q2, -(q1 * p2 + q2 * p1), p1 * p2};
}

Whole draw_whole(Kind kind, Draw& draw) {
    for (;;) {
        Whole e{};
        switch (kind) {
        case Kind::WholeRoots: {
            const int r1 = draw.between(-9, 9), r2 = draw.between(-9, 9);
            if (r1 == r2)
                continue;
            e = draw.one_in(4) ? from_roots(-r1, -1, r2, 1) : from_roots(r1, 1, r2, 1);
            break;
        }
        case Kind::FractionRoots: {
            const int q1 = draw.between(2, 5), q2 = draw.between(1, 5);
            const int p1 = draw.between(-9, 9), p2 = draw.between(-9, 9);
            if (exact::gcd(p1, q1) != 1 || exact::gcd(p2, q2) != 1 ||
                Rational(p1, q1) == Rational(p2, q2))
                continue;
            e = draw.one_in(2) ? from_roots(p1, q1, p2, q2) : from_roots(p2, q2, p1, q1);
            break;
        }
        case Kind::SquareRootRoots:
            e = with_random_sign(
                draw, {draw.between(1, 5), draw.between(-12, 12), draw.between(-20, 20)});
            if (e.C == 0 || discriminant(e) <= 0 ||
                fractions::whole_square_root(discriminant(e)) >= 0)
                continue;
            break;
        case Kind::DoubleRoot: {
            const int q = draw.between(1, 5), p = draw.between(-6, 6);
            if (p == 0 || exact::gcd(p, q) != 1)
                continue;
            e = with_random_sign(draw, from_roots(p, q, p, q));
            break;
        }
        default: // no real roots
            e = with_random_sign(draw,
                                 {draw.between(1, 6), draw.between(-12, 12), draw.between(1, 30)});
            if (discriminant(e) >= 0)
                continue;
            break;
        }
        if (classroom_sized(e) && primitive(e))
            return e;
    }
}

} // namespace

Exercise make_exercise(Kind kind, const Rational& a, const Rational& b, const Rational& c) {
    const auto fraction = [](const Rational& q) {
        return fractions::Fraction{static_cast<std::int16_t>(q.num()),
                                   static_cast<std::int16_t>(q.den())};
    };
    // The integer form: times the least common multiple of the denominators, over the
    // common factor of the numerators.
    const Wide dens = a.den() * b.den() / exact::gcd(a.den(), b.den());
    const Wide lcm = dens * c.den() / exact::gcd(dens, c.den());
    Whole w{(a * Rational(lcm)).num(), (b * Rational(lcm)).num(), (c * Rational(lcm)).num()};
    const Wide g = exact::gcd(exact::gcd(w.A, w.B), w.C);
    SolvedEquation e;
    e.a = fraction(a), e.b = fraction(b), e.c = fraction(c);
    e.A = static_cast<std::int64_t>(w.A / g);
    e.B = static_cast<std::int64_t>(w.B / g);
    e.C = static_cast<std::int64_t>(w.C / g);
    Exercise x{kind, a, b, c, solve_exactly(e, std::nullopt), false, ""};
    x.integer_form = x.solution.k != Rational(1);
    x.equation = exact::polynomial_text(a, b, c) + " = 0";
    return x;
}

namespace {

Exercise draw_exercise(Kind kind, Draw& draw) {
    if (kind == Kind::Mixed)
        kind = static_cast<Kind>(draw.between(0, kind_count - 2));
    if (kind != Kind::FractionCoefficients) {
        const Whole e = draw_whole(kind, draw);
        return make_exercise(kind, e.A, e.B, e.C);
    }
    // A primitive equation of another kind, divided by a denominator: its integer form is
    // that equation again.
    const Whole e = draw_whole(static_cast<Kind>(draw.between(0, 4)), draw);
    const int d = draw.between(2, largest_denominator);
    return make_exercise(kind, Rational(e.A, d), Rational(e.B, d), Rational(e.C, d));
}

// --- Reading an answer ----------------------------------------------------------------

struct Answer {
    std::string text;
    Verdict verdict = Verdict::Empty; // Empty, or what stopped the reading; Right: read
    std::size_t stopped = 0;
    std::vector<Number> values;
    bool decimal = false;
    int places = 0; // the most digits after a decimal point or comma
};

Answer read_answer(const std::string& text) {
    Answer answer;
    answer.text = text;
    if (text.find_first_not_of(' ') == std::string::npos)
        return answer;
    if (characters(text) > longest_answer) {
        answer.verdict = Verdict::TooLong;
        return answer;
    }
    const exact::Reading reading = exact::read_exact(text);
    answer.stopped = reading.stopped;
    switch (reading.error) {
    case exact::ReadError::None:
        answer.verdict = Verdict::Right;
        break;
    case exact::ReadError::TooLarge:
        answer.verdict = Verdict::TooLarge;
        return answer;
    case exact::ReadError::MixedRoots:
    case exact::ReadError::RootOfRoot:
        answer.verdict = Verdict::Wrong; // a number, but of no form a root takes
        return answer;
    default:
        answer.verdict = Verdict::Unreadable;
        return answer;
    }
    answer.values = reading.values;
    answer.decimal = reading.decimal;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((text[i] == '.' || text[i] == ',') && i > 0 && std::isdigit(text[i - 1] & 0xFF)) {
            int n = 0;
            while (i + 1 + n < text.size() && std::isdigit(text[i + 1 + n] & 0xFF))
                ++n;
            answer.places = std::max(answer.places, n);
        }
    }
    return answer;
}

// Whether a decimal answer rounds to the value: both parts within half a unit of its
// last decimal place.
bool close_to(const Answer& answer, const Number& typed, const Number& value) {
    const double half_unit = 0.5 * std::pow(10.0, -answer.places) * (1 + 1e-9);
    return std::abs(typed.real() - value.real()) <= half_unit &&
           std::abs(typed.imaginary() - value.imaginary()) <= half_unit;
}

// --- Whether an exact answer is simplified ---------------------------------------------

// The typed text in a plain shape to judge its form by: no blanks or multiplication
// signs, an ASCII minus, √ and sqrt as 'r' (sqrt(5) as r5), ± as 'p'.
std::string shape_of(const std::string& text) {
    static const std::pair<const char*, const char*> spellings[] = {
        {" ", ""},       {"\u2212", "-"}, {"\u221A", "r"}, {"sqrt", "r"},
        {"\u00B1", "p"}, {"\u00B7", ""},  {"*", ""}};
    std::string s = text;
    for (const auto& [from, to] : spellings)
        for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at)) {
            s.replace(at, std::char_traits<char>::length(from), to);
            at += std::char_traits<char>::length(to);
        }
    // r(12) as r12.
    for (std::size_t at = s.find("r("); at != std::string::npos; at = s.find("r(", at + 1)) {
        const std::size_t close = s.find_first_not_of("0123456789", at + 2);
        if (close != std::string::npos && close > at + 2 && s[close] == ')') {
            s.erase(close, 1);
            s.erase(at + 1, 1);
        }
    }
    return s;
}

bool digit(char c) {
    return c >= '0' && c <= '9';
}

// The whole number written at `at`, and where it ends; -1 if beyond 10^15.
Wide number_at(const std::string& s, std::size_t at, std::size_t* end) {
    Wide n = 0;
    std::size_t i = at;
    for (; i < s.size() && digit(s[i]); ++i)
        n = n > 1000000000000000 ? n : n * 10 + (s[i] - '0');
    *end = i;
    return n > 1000000000000000 ? -1 : n;
}

// The bracket that closes the one at `open`, or npos.
std::size_t closing(const std::string& s, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < s.size(); ++i) {
        depth += s[i] == '(' ? 1 : s[i] == ')' ? -1 : 0;
        if (depth == 0)
            return i;
    }
    return std::string::npos;
}

bool sign_char(char c) {
    return c == '+' || c == '-' || c == 'p';
}

// The terms of a sum, split at the signs outside brackets (each keeps its sign).
std::vector<std::string> terms_of(const std::string& s) {
    std::vector<std::string> terms;
    std::size_t start = 0;
    int depth = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        depth += s[i] == '(' ? 1 : s[i] == ')' ? -1 : 0;
        if (depth == 0 && i > 0 && sign_char(s[i]) && !sign_char(s[i - 1]) && s[i - 1] != '/') {
            terms.push_back(s.substr(start, i - start));
            start = i;
        }
    }
    terms.push_back(s.substr(start));
    return terms;
}

// The whole factor that a term starts with (after its sign): 6 in 6, 2 in 2r3, 1 in r5.
Wide leading_factor(const std::string& term) {
    std::size_t at = 0;
    while (at < term.size() && sign_char(term[at]))
        ++at;
    std::size_t end;
    const Wide n = number_at(term, at, &end);
    return end == at ? 1 : n;
}

// Which of the parts 1, √r, i, i√r a value has, as bits.
unsigned parts(const Number& n) {
    unsigned bits = 0;
    for (int k = 0; k < 4; ++k)
        bits |= n.c[k].sign() != 0 ? 1u << k : 0u;
    return bits;
}

// A sum whose terms are each read alone: no term is zero and no two have a part in common
// (3 + 1 or √5 + 2√5 are not written out).
bool terms_combined(const std::string& sum) {
    unsigned seen = 0;
    const std::vector<std::string> terms = terms_of(sum);
    for (std::string term : terms) {
        for (const auto& [from, to] : {std::pair{"r", "\u221A"}, {"p", "+"}})
            for (std::size_t at = term.find(from); at != std::string::npos;
                 at = term.find(from, at + 1))
                term.replace(at, 1, to);
        const exact::Reading reading = exact::read_exact(term);
        if (!reading.ok())
            continue; // not a term alone (a bracket opened before it): judged as a whole
        const unsigned bits = parts(reading.values.front());
        if ((bits == 0 && terms.size() > 1) || (bits & seen) != 0)
            return false;
        seen |= bits;
    }
    return true;
}

// The form of a text that reads as the right value: fractions in lowest terms with no
// denominator 1, no square factor (nor 0 or 1) under a square root, no root or i in a
// denominator, no common factor between a numerator's terms and its denominator, no
// powers, and sums with their like terms combined.
bool simplified(const std::string& text) {
    const std::string s = shape_of(text);
    if (s.find('^') != std::string::npos || s.find("\u00B2") != std::string::npos)
        return false;
    if (!terms_combined(s))
        return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '(') {
            const std::size_t close = closing(s, i);
            if (close != std::string::npos && !terms_combined(s.substr(i + 1, close - i - 1)))
                return false;
        } else if (s[i] == 'r') {
            std::size_t end;
            const Wide n = number_at(s, i + 1, &end);
            if (end == i + 1 || n < 2 || n > 1000000 || exact::simplify_root(n).outside != 1)
                return false;
        } else if (s[i] == '/') {
            std::size_t end;
            const Wide d = number_at(s, i + 1, &end);
            if (end == i + 1 || d < 2 || (end < s.size() && (s[end] == 'r' || s[end] == 'i')))
                return false;
            // The numerator: a bracket's terms, or the product just before the bar.
            std::vector<Wide> factors;
            if (i > 0 && s[i - 1] == ')') {
                int depth = 0;
                std::size_t open = i - 1;
                for (;; --open) {
                    depth += s[open] == ')' ? 1 : s[open] == '(' ? -1 : 0;
                    if (depth == 0 || open == 0)
                        break;
                }
                for (const std::string& term : terms_of(s.substr(open + 1, i - open - 2)))
                    factors.push_back(leading_factor(term));
            } else {
                std::size_t start = i;
                while (start > 0 &&
                       (digit(s[start - 1]) || s[start - 1] == 'r' || s[start - 1] == 'i' ||
                        s[start - 1] == '.' || s[start - 1] == ','))
                    --start;
                factors.push_back(leading_factor(s.substr(start, i - start)));
            }
            Wide g = d;
            for (const Wide f : factors)
                g = exact::gcd(g, f < 0 ? 1 : f);
            if (g != 1)
                return false;
        }
    }
    return true;
}

// --- Judging ---------------------------------------------------------------------------

// What is judged: the step's expected values and the values of its common mistakes.
struct Expected {
    std::vector<Number> values; // one per box; the roots, in any order
    std::vector<std::pair<Number, Mistake>> mistakes;
    bool any_order = false;
    bool real_is_mistake = false; // Δ < 0: a real root is the mistake of claiming one
};

Number square_root_of_delta(const ExactSolution& s) {
    const exact::SquareRoot& r = s.root_of_delta;
    return s.delta >= 0 ? Number{0, r.outside, 0, 0, r.inside}
                        : Number{0, 0, 0, r.outside, r.inside};
}

Expected expected(const Exercise& x, Step step) {
    const ExactSolution& s = x.solution;
    Expected e;
    const Number A(s.A), B(s.B), C(s.C), two_a(2 * s.A);
    switch (step) {
    case Step::IntegerForm:
        e.values = {A, B, C};
        break;
    case Step::Delta:
        e.values = {Number(s.delta)};
        e.mistakes.push_back({B * B + Number(4) * A * C, Mistake::SignOf4AC});
        if (s.B < 0) {
            e.mistakes.push_back({-(B * B) - Number(4) * A * C, Mistake::SquareOfNegative});
            e.mistakes.push_back({-(B * B) + Number(4) * A * C, Mistake::SquareOfNegative});
        }
        break;
    case Step::Count:
        e.values = {Number(s.kind == RootCase::TwoReal ? 2 : s.kind == RootCase::Double ? 1 : 0)};
        if (s.delta < 0)
            e.mistakes = {{Number(1), Mistake::RealRootsDeltaNeg},
                          {Number(2), Mistake::RealRootsDeltaNeg}};
        break;
    case Step::Roots: {
        e.values = {s.x1.number};
        if (s.kind != RootCase::Double)
            e.values.push_back(s.x2.number);
        e.any_order = true;
        e.real_is_mistake = s.delta < 0;
        const Number root = square_root_of_delta(s);
        for (const Number& r : {root, -root}) {
            e.mistakes.push_back({(B + r) / two_a, Mistake::SignOfMinusB});
            e.mistakes.push_back({-B / two_a + r, Mistake::HalfDivided});
            e.mistakes.push_back({-B + r / two_a, Mistake::HalfDivided});
        }
        break;
    }
    case Step::Vertex:
        e.values = {Number(s.vertex_x), Number(s.vertex_y)};
        e.mistakes = {{Number(Rational(s.B, 2 * s.A)), Mistake::SignOfMinusB},
                      {Number(-s.vertex_y), Mistake::VertexYSign}};
        break;
    case Step::count:
        break;
    }
    return e;
}

// How one typed value stands against one value.
Verdict judge(const Answer& answer, const Number& typed, const Number& value) {
    if (typed == value)
        return answer.decimal || simplified(answer.text) ? Verdict::Right : Verdict::NotSimplified;
    if (answer.decimal && close_to(answer, typed, value))
        return Verdict::Approximate;
    return Verdict::Wrong;
}

Mistake mistake_of(const Expected& e, const Answer& answer, const Number& typed) {
    for (const auto& [value, mistake] : e.mistakes)
        if (typed == value || (answer.decimal && close_to(answer, typed, value)))
            return mistake;
    if (e.real_is_mistake && typed.is_real())
        return Mistake::RealRootsDeltaNeg;
    return Mistake::None;
}

// The exact text of a value, as the board writes it.
std::string exact_text(const Exercise& x, Step step, const Number& value) {
    if (step == Step::Roots)
        for (const ExactRoot* r : {&x.solution.x1, &x.solution.x2})
            if (r->number == value)
                return r->text;
    return value.c[0].text();
}

// An integer form times a positive number other than 1 is the equation's, but not in
// lowest terms: all its boxes are then right values, not simplified.
void judge_multiple(const Expected& e, const std::vector<Answer>& answers, StepVerdict& v) {
    std::optional<Rational> factor;
    for (std::size_t i = 0; i < e.values.size(); ++i) {
        if (answers[i].values.size() != 1 || !answers[i].values[0].is_rational())
            return;
        const Rational typed = answers[i].values[0].c[0], value = e.values[i].c[0];
        if (value.sign() == 0 ? typed.sign() != 0 : (factor && typed / value != *factor))
            return;
        if (value.sign() != 0)
            factor = typed / value;
    }
    if (!factor || factor->sign() <= 0 || *factor == Rational(1))
        return;
    for (BoxVerdict& b : v.boxes)
        b = BoxVerdict{Verdict::NotSimplified, Mistake::None, 0, ""};
}

// How much worse one verdict is than another, for the verdict of a whole step.
int weight(Verdict v) {
    switch (v) {
    case Verdict::Right:
        return 0;
    case Verdict::Approximate:
        return 1;
    case Verdict::NotSimplified:
        return 2;
    case Verdict::Wrong:
        return 3;
    default:
        return 4;
    }
}

// --- Texts -----------------------------------------------------------------------------

constexpr Bilingual said_right{"%1: giusto.", "%1: right."};
constexpr Bilingual said_exact_form{" In forma esatta: %1.", " Exactly: %1."};
constexpr Bilingual said_not_simplified{"%1: valore giusto, non semplificato.",
                                        "%1: right value, not simplified."};
constexpr Bilingual said_approximate{"%1: approssimativamente giusto. Scrivi il valore esatto.",
                                     "%1: approximately right. Type the exact value."};
constexpr Bilingual said_wrong{"%1: sbagliato.", "%1: wrong."};
constexpr Bilingual said_empty{"%1: scrivi la risposta.", "%1: type the answer."};
constexpr Bilingual said_too_long{"%1: risposta troppo lunga, al massimo 64 caratteri.",
                                  "%1: answer too long, 64 characters at most."};
constexpr Bilingual said_too_large{"%1: numero troppo grande per i calcoli esatti.",
                                   "%1: a number too large for the exact arithmetic."};
constexpr Bilingual said_unreadable{"%1: non riesco a leggere la risposta. ",
                                    "%1: the answer cannot be read. "};

// What a box expects, with examples, when its text cannot be read.
constexpr Bilingual expected_texts[step_count] = {
    {"Scrivi un numero intero, per esempio 6 oppure −5.",
     "Type a whole number, for example 6 or −5."},
    {"Scrivi un numero intero, per esempio 13 oppure −8.",
     "Type a whole number, for example 13 or −8."},
    {"Scrivi 2, 1 oppure 0.", "Type 2, 1 or 0."},
    {"Scrivi un numero esatto, per esempio 3/2, −1/4, √5, (3 + √5)/2, (3 ± √5)/2 oppure 1 + 2i.",
     "Type an exact number, for example 3/2, −1/4, √5, (3 + √5)/2, (3 ± √5)/2 or 1 + 2i."},
    {"Scrivi un numero esatto, per esempio 3/2 oppure −1/4.",
     "Type an exact number, for example 3/2 or −1/4."},
};

constexpr Bilingual mistake_hints[] = {
    {"", ""},
    {"Attenzione al segno di −B.", "Check the sign of −B."},
    {"Attenzione: il quadrato di un numero negativo è positivo, (−3)² = 9.",
     "Careful: the square of a negative number is positive, (−3)² = 9."},
    {"Attenzione al segno di 4AC.", "Check the sign of 4AC."},
    {"Va diviso per 2A tutto il numeratore, −B ± √Δ.",
     "The whole numerator, −B ± √Δ, is divided by 2A."},
    {"Attenzione al segno: la y del vertice è −Δ/4A.", "Check the sign: the vertex's y is −Δ/4A."},
    {"Con Δ < 0 non ci sono radici reali.", "With Δ < 0 there are no real roots."},
};

// The rule of a step, said after a wrong answer that matches no common mistake.
constexpr Bilingual rule_hints[step_count] = {
    {"Moltiplica per il più piccolo numero positivo che rende interi tutti i coefficienti.",
     "Multiply by the smallest positive number that makes every coefficient whole."},
    {"Ricorda: Δ = B² − 4AC, con A, B e C della forma intera.",
     "Remember: Δ = B² − 4AC, with A, B and C of the integer form."},
    {"Δ > 0: due radici, Δ = 0: una, Δ < 0: nessuna.",
     "Δ > 0: two roots, Δ = 0: one, Δ < 0: none."},
    {"Ricorda: x = (−B ± √Δ)/2A.", "Remember: x = (−B ± √Δ)/2A."},
    {"Ricorda: V(−B/2A; −Δ/4A).", "Remember: V(−B/2A; −Δ/4A)."},
};

constexpr Bilingual prompts[step_count] = {
    {"Porta l'equazione in forma intera: scrivi A, B e C.",
     "Bring the equation to integer form: type A, B and C."},
    {"Calcola il discriminante Δ = B² − 4AC.", "Work out the discriminant Δ = B² − 4AC."},
    {"Quante radici reali ha? Scrivi 2, 1 oppure 0.", "How many real roots? Type 2, 1 or 0."},
    {"Scrivi le radici, in qualsiasi ordine.", "Type the roots, in any order."},
    {"Scrivi il vertice V(x; y).", "Type the vertex V(x; y)."},
};

constexpr Bilingual exercise_of{"Esercizio %1 di 10: ", "Exercise %1 of 10: "};
constexpr Bilingual summary_heading{"Esercizi, serie %1", "Practice, set %1"};
constexpr Bilingual summary_right{"Giusti al primo tentativo: %1 su 10",
                                  "Right at the first try: %1 of 10"};
constexpr Bilingual summary_streak{"Serie più lunga di esercizi giusti di fila: %1",
                                   "Longest streak of exercises right in a row: %1"};
constexpr Bilingual summary_missed{"Passaggi sbagliati più spesso: %1",
                                   "Steps most often wrong: %1"};
constexpr Bilingual summary_none{"nessuno", "none"};

std::string verdict_text(const Exercise& x, Step step, const StepVerdict& v, int language) {
    // A step right as a whole is named as a step, a verdict on one of its boxes as the box.
    const std::string name = box_count(x, step) == 1 || v.verdict == Verdict::Right
                                 ? step_names[static_cast<int>(step)].in(language)
                                 : box_name(x, step, v.box).in(language);
    switch (v.verdict) {
    case Verdict::Right: {
        std::string out = fill(said_right.in(language), name);
        for (const BoxVerdict& b : v.boxes)
            if (!b.exact.empty())
                out += fill(said_exact_form.in(language), b.exact);
        return out;
    }
    case Verdict::NotSimplified:
        return fill(said_not_simplified.in(language), name);
    case Verdict::Approximate:
        return fill(said_approximate.in(language), name);
    case Verdict::Wrong:
        return fill(said_wrong.in(language), name) + " " +
               (v.mistake != Mistake::None ? mistake_hints[static_cast<int>(v.mistake)]
                                           : rule_hints[static_cast<int>(step)])
                   .in(language);
    case Verdict::Unreadable:
        return fill(said_unreadable.in(language), name) +
               expected_texts[static_cast<int>(step)].in(language);
    case Verdict::TooLong:
        return fill(said_too_long.in(language), name);
    case Verdict::TooLarge:
        return fill(said_too_large.in(language), name);
    case Verdict::Empty:
        break;
    }
    return fill(said_empty.in(language), name);
}

} // namespace

std::size_t characters(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::vector<Exercise> make_set(Kind kind, int set_number) {
    Draw draw(kind, set_number);
    std::vector<Exercise> set;
    while (set.size() < set_size) {
        Exercise x = draw_exercise(kind, draw);
        // No equation twice in a set.
        if (std::none_of(set.begin(), set.end(),
                         [&](const Exercise& y) { return y.equation == x.equation; }))
            set.push_back(std::move(x));
    }
    return set;
}

std::vector<Step> steps_of(const Exercise& x) {
    std::vector<Step> steps;
    if (x.integer_form)
        steps.push_back(Step::IntegerForm);
    for (Step s : {Step::Delta, Step::Count, Step::Roots, Step::Vertex})
        steps.push_back(s);
    return steps;
}

int box_count(const Exercise& x, Step step) {
    switch (step) {
    case Step::IntegerForm:
        return 3;
    case Step::Roots:
        return x.solution.kind == RootCase::Double ? 1 : 2;
    case Step::Vertex:
        return 2;
    default:
        return 1;
    }
}

Bilingual box_name(const Exercise& x, Step step, int box) {
    static constexpr Bilingual integer_form[] = {{"A della forma intera", "A of the integer form"},
                                                 {"B della forma intera", "B of the integer form"},
                                                 {"C della forma intera", "C of the integer form"}};
    static constexpr Bilingual roots[] = {{"prima radice", "first root"},
                                          {"seconda radice", "second root"}};
    static constexpr Bilingual vertex[] = {{"x del vertice", "vertex x"},
                                           {"y del vertice", "vertex y"}};
    switch (step) {
    case Step::IntegerForm:
        return integer_form[box];
    case Step::Delta:
        return {"Δ", "Δ"};
    case Step::Count:
        return {"numero di radici reali", "number of real roots"};
    case Step::Roots:
        return x.solution.kind == RootCase::Double ? Bilingual{"radice doppia", "double root"}
                                                   : roots[box];
    default:
        return vertex[box];
    }
}

Bilingual prompt(Step step) {
    return prompts[static_cast<int>(step)];
}

StepVerdict check(const Exercise& x, Step step, const std::vector<std::string>& typed,
                  int language) {
    StepVerdict v;
    const int boxes = box_count(x, step);
    v.boxes.resize(boxes);
    try {
        const Expected e = expected(x, step);
        std::vector<Answer> answers;
        for (int i = 0; i < boxes; ++i)
            answers.push_back(read_answer(i < static_cast<int>(typed.size()) ? typed[i] : ""));
        // Nothing is judged while a box cannot be read.
        for (int i = 0; i < boxes; ++i) {
            const Verdict r = answers[i].verdict;
            v.boxes[i].verdict = r == Verdict::Right ? Verdict::Empty : r;
            v.boxes[i].stopped = answers[i].stopped;
            if (r != Verdict::Right && r != Verdict::Empty && r != Verdict::Wrong) {
                v.verdict = r, v.box = i;
                v.message = verdict_text(x, step, v, language);
                return v;
            }
        }
        // Both roots may stand in one box with ±: the other box may then stay empty.
        std::size_t count = 0;
        for (const Answer& a : answers)
            count += a.verdict == Verdict::Wrong ? 1 : a.values.size();
        for (int i = 0; i < boxes; ++i)
            if (answers[i].verdict == Verdict::Empty && count < e.values.size()) {
                v.box = i;
                v.message = verdict_text(x, step, v, language);
                return v;
            }

        std::vector<bool> matched(e.values.size());
        for (int i = 0; i < boxes; ++i) {
            const Answer& a = answers[i];
            BoxVerdict& b = v.boxes[i];
            // An empty box whose value stands in another; a number of no form a root takes.
            b.verdict = a.verdict == Verdict::Wrong ? Verdict::Wrong : Verdict::Right;
            for (const Number& value : a.values) {
                // The value of this box, or the best match among the roots not yet matched.
                Verdict best = Verdict::Wrong;
                std::size_t best_at = e.values.size();
                for (std::size_t k = 0; k < e.values.size(); ++k) {
                    if ((!e.any_order && k != static_cast<std::size_t>(i)) || matched[k])
                        continue;
                    const Verdict j = judge(a, value, e.values[k]);
                    if (weight(j) < weight(best))
                        best = j, best_at = k;
                }
                if (best_at < e.values.size()) {
                    matched[best_at] = true;
                    if (best == Verdict::Right && a.decimal)
                        b.exact = exact_text(x, step, e.values[best_at]);
                } else if (b.mistake == Mistake::None) {
                    b.mistake = mistake_of(e, a, value);
                }
                if (weight(best) > weight(b.verdict))
                    b.verdict = best;
            }
        }
        if (step == Step::IntegerForm)
            judge_multiple(e, answers, v);
        v.verdict = Verdict::Right;
        for (int i = 0; i < boxes; ++i)
            if (weight(v.boxes[i].verdict) > weight(v.verdict))
                v.verdict = v.boxes[i].verdict, v.box = i;
        v.mistake = v.boxes[v.box].mistake;
    } catch (const std::exception&) {
        v.verdict = Verdict::TooLarge;
    }
    v.message = verdict_text(x, step, v, language);
    return v;
}

std::vector<std::string> worked_lines(const Exercise& x, Step step, int language) {
    // The board's steps: 1 the equation, 2 the integer form, 3 Δ, 4 the case, 5 the roots,
    // 6 the parabola, whose first line is the vertex.
    const int heading = static_cast<int>(step) + 2;
    std::vector<std::string> lines;
    int at = 0;
    for (const BoardLine& line : board_steps(x.solution, language)) {
        at += line.heading ? 1 : 0;
        if (at == heading && (step != Step::Vertex || lines.size() < 2))
            lines.push_back(line.text);
    }
    return lines;
}

// --- The session -------------------------------------------------------------------------

void Session::start(Kind kind, int set_number) {
    kind_ = kind;
    set_number_ = std::clamp(set_number, first_set, last_set);
    exercises_ = make_set(kind, set_number_);
    index_ = 0;
    streak_ = 0;
    score_ = Score{};
    begin_exercise();
}

void Session::begin_exercise() {
    steps_ = finished() ? std::vector<Step>{} : steps_of(exercise());
    step_ = 0;
    missed_ = {};
}

void Session::finish_exercise() {
    const bool clean = std::none_of(missed_.begin(), missed_.end(), [](bool m) { return m; });
    score_.right_first_time += clean;
    streak_ = clean ? streak_ + 1 : 0;
    score_.longest_streak = std::max(score_.longest_streak, streak_);
    for (int s = 0; s < step_count; ++s)
        score_.missed[s] += missed_[s];
    ++score_.done;
    ++index_;
    begin_exercise();
}

StepVerdict Session::check(const std::vector<std::string>& typed, int language) {
    if (!started() || finished())
        return {};
    StepVerdict v = practice::check(exercise(), step(), typed, language);
    switch (v.verdict) {
    case Verdict::Right:
        if (++step_ == static_cast<int>(steps_.size()))
            finish_exercise();
        break;
    case Verdict::NotSimplified:
    case Verdict::Approximate:
    case Verdict::Wrong:
        missed_[static_cast<int>(step())] = true;
        break;
    default:
        break;
    }
    return v;
}

std::vector<std::string> Session::show(int language) {
    if (!started() || finished())
        return {};
    missed_[static_cast<int>(step())] = true;
    return worked_lines(exercise(), step(), language);
}

std::string Session::introduction(int language) const {
    if (!started() || finished())
        return summary(language);
    return fill(exercise_of.in(language), std::to_string(index_ + 1)) + exercise().equation + ". " +
           prompt(step()).in(language);
}

std::string Session::summary(int language) const {
    std::string out = fill(summary_heading.in(language), std::to_string(set_number_)) + " (" +
                      kind_names[static_cast<int>(kind_)].in(language) + ")\n";
    out += fill(summary_right.in(language), std::to_string(score_.right_first_time)) + "\n";
    out += fill(summary_streak.in(language), std::to_string(score_.longest_streak)) + "\n";
    // The steps missed, most often first.
    std::vector<int> order;
    for (int s = 0; s < step_count; ++s)
        if (score_.missed[s] > 0)
            order.push_back(s);
    std::stable_sort(order.begin(), order.end(),
                     [&](int p, int q) { return score_.missed[p] > score_.missed[q]; });
    std::string missed;
    for (int s : order)
        missed += (missed.empty() ? "" : ", ") + std::string(step_names[s].in(language)) + " (" +
                  std::to_string(score_.missed[s]) + ")";
    return out +
           fill(summary_missed.in(language), missed.empty() ? summary_none.in(language) : missed);
}

} // namespace tutor::practice
