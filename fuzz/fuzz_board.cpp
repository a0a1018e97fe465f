// Fuzzes the board straight from an equation, without a session: the exact solution, the
// steps in both languages and the graph. The input is a byte of choices, then 16-bit
// integers, two for each fraction (numerator, denominator): A, B and C, or with the
// choice "composed" the two roots a and b of (x − a)(x − b) = 0; then, with the choice
// "tested", an X. Checks: each root of the exact solution is a root of the equation,
// exactly, and reads back from its text; every chain of equalities in the steps holds;
// every marked point and the directrix lie inside the view box; with the choice "heard",
// the graph renders as sound, every frame. Nothing may throw but std::overflow_error,
// which the board reports; a broken check traps or throws out of the target, and
// libFuzzer keeps the input.
#include "tests/board_checks.h"

#include "tutor/audio_trace.h"
#include "tutor/exact_solution.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

using fractions::Fraction;
using tutor::exact::Rational;

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// The input, two bytes at a time; an exhausted input reads zeros.
class Numbers {
  public:
    Numbers(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    Fraction fraction() {
        const std::int16_t num = next(), den = next();
        return {num, den};
    }

  private:
    std::int16_t next() {
        const int low = byte();
        return static_cast<std::int16_t>(low | byte() << 8);
    }
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A fraction that fits 16 bits, as a solve would hold it.
std::optional<Fraction> in_16_bits(const Rational& q) {
    if (q.num() < -32767 || q.num() > 32767 || q.den() > 32767)
        return std::nullopt;
    return Fraction{static_cast<std::int16_t>(q.num()), static_cast<std::int16_t>(q.den())};
}

// The equation a solve would leave for the input, or nullopt where a solve refuses it (a
// zero denominator or A, a fraction beyond 16 bits).
std::optional<tutor::SolvedEquation> equation(Numbers& in, bool composed) {
    if (!composed) {
        const Fraction a = in.fraction(), b = in.fraction(), c = in.fraction();
        if (a.den == 0 || b.den == 0 || c.den == 0 || a.num == 0)
            return std::nullopt;
        return board_checks::solved(a, b, c);
    }
    const Fraction ra = in.fraction(), rb = in.fraction();
    if (ra.den == 0 || rb.den == 0)
        return std::nullopt;
    const Rational root_a(ra), root_b(rb);
    const std::optional<Fraction> b = in_16_bits(-(root_a + root_b)),
                                  c = in_16_bits(root_a * root_b);
    if (!b || !c)
        return std::nullopt;
    tutor::SolvedEquation e = board_checks::solved({1, 1}, *b, *c);
    e.root_a = fractions::reduce_fraction(ra.num, ra.den);
    e.root_b = fractions::reduce_fraction(rb.num, rb.den);
    return e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Numbers in(data, size);
    const std::uint8_t choices = in.byte();
    const int graph_language = choices >> 2 & 1;
    std::optional<tutor::SolvedEquation> e;
    std::optional<tutor::TestedValue> tested;
    try {
        e = equation(in, choices & 1);
        if (choices & 2) {
            const Fraction x = in.fraction();
            if (x.den == 0)
                return 0;
            tested = tutor::TestedValue{fractions::reduce_fraction(x.num, x.den), {}};
        }
    } catch (const std::overflow_error&) {
        return 0; // -32768 has no lowest terms in 16 bits: the solve reports the overflow
    }
    if (!e)
        return 0;

    std::vector<tutor::BoardLine> steps[2];
    tutor::Graph graph;
    std::optional<tutor::ExactSolution> solution;
    try {
        solution = tutor::solve_exactly(*e, tested);
        steps[0] = tutor::board_steps(*solution, 0);
        steps[1] = tutor::board_steps(e, tested, 1); // the view's way: from the equation
        graph = tutor::board_graph(*solution, graph_language);
    } catch (const std::overflow_error&) {
        return 0; // a number beyond the exact arithmetic: the board says so
    }
    board_checks::check_roots(*solution);
    const tutor::exact::Names names = board_checks::names(*e, tested);
    // The languages differ only in their words: the input chooses whose chains are read.
    check(board_checks::check_chains(steps[choices >> 3 & 1], names) >= 12);
    board_checks::check_view_box(graph);

    // With the choice "heard", the graph as sound: the whole curve in a few hundredths of a
    // second (the input picks how many, so that a run renders little), then one point's
    // tone. Every frame is there, in both channels.
    if (choices & 0x10) {
        const double seconds = 0.01 * (1 + (choices >> 5));
        const std::vector<std::int16_t> trace = tutor::audio::render_trace(graph, seconds);
        check(trace.size() == 2 * static_cast<std::size_t>(std::lround(seconds * 44100)));
        const tutor::MarkedPoint& point = graph.points[(choices >> 5) % graph.points.size()];
        check(tutor::audio::render_point_tone(graph, point).size() ==
              2 * static_cast<std::size_t>(0.15 * 44100));
    }
    return 0;
}
