// Practice: the program poses equations and checks the student's own steps. A set of ten
// equations of one kind is drawn from its set number alone, the same on every machine;
// each exercise is worked out by the board's exact solve, and every typed answer is read
// by the board's exact reader and judged against it: right, right but not simplified,
// approximately right, wrong (naming a common mistake where the answer is one), or not
// readable. A session keeps the student's place and the score, in memory only.
#pragma once

#include "exact.h"
#include "exact_solution.h"
#include "vocabulary.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tutor::practice {

// --- The exercises ------------------------------------------------------------------

enum class Kind : std::uint8_t {
    WholeRoots,
    FractionRoots,
    SquareRootRoots,
    DoubleRoot,
    NoRealRoots,
    FractionCoefficients, // the equation must first be brought to integer form
    Mixed,                // each exercise one of the kinds above
    count
};
inline constexpr int kind_count = static_cast<int>(Kind::count);

inline constexpr Bilingual kind_names[kind_count] = {
    {"Radici intere", "Whole roots"},
    {"Radici frazionarie", "Fraction roots"},
    {"Radici con la radice quadrata", "Square-root roots"},
    {"Una radice doppia", "One double root"},
    {"Nessuna radice reale", "No real roots"},
    {"Coefficienti frazionari", "Fraction coefficients"},
    {"Misti", "Mixed"},
};

inline constexpr int set_size = 10;
inline constexpr int first_set = 1, last_set = 9999;
// Classroom-sized numbers: whole coefficients (and the numerators of fractions) within
// ±30, denominators within 12.
inline constexpr int largest_coefficient = 30, largest_denominator = 12;

struct Exercise {
    Kind kind;                // never Mixed: the kind drawn for it
    exact::Rational a, b, c;  // the equation as posed, a·x² + b·x + c = 0
    ExactSolution solution;   // worked out by the board
    bool integer_form = true; // whether the student must first bring it to integer form
    std::string equation;     // as the board writes it: "1/2·x² − x − 3/2 = 0"
};

// The exercise a·x² + b·x + c = 0 (a ≠ 0, numerators and denominators 16-bit).
Exercise make_exercise(Kind kind, const exact::Rational& a, const exact::Rational& b,
                       const exact::Rational& c);

// The ten equations of a set (1 to 9999) of a kind.
std::vector<Exercise> make_set(Kind kind, int set_number);

// --- The steps ----------------------------------------------------------------------

enum class Step : std::uint8_t { IntegerForm, Delta, Count, Roots, Vertex, count };
inline constexpr int step_count = static_cast<int>(Step::count);

inline constexpr Bilingual step_names[step_count] = {
    {"Forma intera", "Integer form"},
    {"Δ", "Δ"},
    {"Numero di radici reali", "Number of real roots"},
    {"Radici", "Roots"},
    {"Vertice", "Vertex"},
};

// The steps the student works, in order: the integer form only for an equation with
// fractions or a common factor.
std::vector<Step> steps_of(const Exercise& exercise);

// The boxes of a step: three for the integer form, two for the roots (one for a double
// root), two for the vertex, one otherwise. Their names, for a screen reader and beside
// the box.
int box_count(const Exercise& exercise, Step step);
Bilingual box_name(const Exercise& exercise, Step step, int box);
// What the student is asked, for the step's heading and a screen reader.
Bilingual prompt(Step step);

// --- Judging an answer --------------------------------------------------------------

enum class Verdict : std::uint8_t {
    Right,
    NotSimplified, // the right value, written in a form that can be simplified further
    Approximate,   // a decimal close to the value, which is not that decimal
    Wrong,
    Unreadable, // not read: nothing counted, the cursor goes where reading stopped
    TooLong,    // longer than longest_answer characters
    TooLarge,   // beyond the exact arithmetic
    Empty,      // a box of the step still empty: nothing judged
};

enum class Mistake : std::uint8_t {
    None,
    SignOfMinusB,      // B instead of −B
    SquareOfNegative,  // (−3)² taken as −9
    SignOf4AC,         // B² + 4AC
    HalfDivided,       // only part of −B ± √Δ divided by 2A
    VertexYSign,       // Δ/4A for the vertex's y
    RealRootsDeltaNeg, // real roots claimed with Δ < 0
};

inline constexpr std::size_t longest_answer = 64; // characters

struct BoxVerdict {
    Verdict verdict = Verdict::Empty;
    Mistake mistake = Mistake::None;
    std::size_t stopped = 0; // the byte where reading stopped, for Unreadable
    std::string exact;       // the exact form of a decimal accepted as right
};

struct StepVerdict {
    Verdict verdict = Verdict::Empty;
    Mistake mistake = Mistake::None;
    std::vector<BoxVerdict> boxes;
    int box = 0; // the box the verdict is about (where the cursor goes)
    // What the student is told, in the language asked for.
    std::string message;
};

// Judges the typed texts of a step's boxes. Never throws.
StepVerdict check(const Exercise& exercise, Step step, const std::vector<std::string>& typed,
                  int language);

// The board's own worked lines for a step.
std::vector<std::string> worked_lines(const Exercise& exercise, Step step, int language);

// --- A session ----------------------------------------------------------------------

struct Score {
    int right_first_time = 0;             // exercises with every step right at the first try
    int longest_streak = 0;               // of such exercises in a row
    int done = 0;                         // exercises finished
    std::array<int, step_count> missed{}; // per step: exercises where it was not right at once
};

class Session {
  public:
    // Starts a set: its ten exercises, the first step of the first.
    void start(Kind kind, int set_number);

    bool started() const { return !exercises_.empty(); }
    bool finished() const { return started() && index_ == set_size; }
    Kind kind() const { return kind_; }
    int set_number() const { return set_number_; }
    int index() const { return index_; } // 0 to 9, 10 at the end
    const Exercise& exercise() const { return exercises_[index_]; }
    const std::vector<Exercise>& exercises() const { return exercises_; }
    Step step() const { return steps_[step_]; }
    const std::vector<Step>& steps() const { return steps_; }
    int step_index() const { return step_; }
    // Whether a step of the current exercise went wrong or was shown.
    bool missed(Step step) const { return missed_[static_cast<int>(step)]; }
    const Score& score() const { return score_; }

    // Judges the current step; a right one moves to the next step, the last one to the
    // next exercise. A verdict other than right counts the step as missed, except where
    // nothing was judged (an empty box, text that cannot be read, too long or too large).
    StepVerdict check(const std::vector<std::string>& typed, int language);
    // The board's worked lines for the current step, which then counts as missed.
    std::vector<std::string> show(int language);

    // What a screen reader hears when an exercise starts: its number, the equation and
    // the first step's prompt.
    std::string introduction(int language) const;
    // The score at the end of the set, one line each, as copied for the teacher.
    std::string summary(int language) const;

  private:
    void begin_exercise();
    void finish_exercise();

    Kind kind_ = Kind::Mixed;
    int set_number_ = 0;
    std::vector<Exercise> exercises_;
    int index_ = 0;
    std::vector<Step> steps_;
    int step_ = 0;
    std::array<bool, step_count> missed_{};
    int streak_ = 0;
    Score score_;
};

// A text's length in characters (UTF-8 code points).
std::size_t characters(const std::string& text);

} // namespace tutor::practice
