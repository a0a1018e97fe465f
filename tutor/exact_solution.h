// The last equation solved, worked out exactly, once: every number that the board's
// steps write, that its graph marks and speaks, and that an answer is checked against.
// Every operation on it is checked: a number too large for 128 bits throws
// std::overflow_error here, and nowhere else.
#pragma once

#include "board.h"
#include "exact.h"

#include <optional>
#include <string>

namespace tutor {

enum class RootCase { TwoReal, Double, Complex };

// One root of the equation, exact and as a double.
struct ExactRoot {
    bool rational = false;    // a fraction: `fraction` holds it
    exact::Rational fraction; //
    std::string text;         // as the board writes it: 1/2, (−1 + √5)/2, −1/2 + (√3/2)·i
    exact::Number number;     // its exact value
    double value = 0;         // where it is drawn (the real part of a complex root)
};

// F(X) for a tested X, term by term.
struct ExactValueAt {
    exact::Rational x, square_term, linear_term, value; // A·X², B·X, and A·X² + B·X + C
};

struct ExactSolution {
    SolvedEquation equation; // as the solve left it
    bool composed = false;   // built from the two roots equation.root_a and root_b
    exact::Rational root_a, root_b;

    // The coefficients as read, the factor k > 0 and the integer form k · (a, b, c).
    exact::Rational a, b, c, k;
    exact::Wide A = 0, B = 0, C = 0;

    // Δ = B² − 4AC, with its two terms, and √|Δ| with its square factors taken out
    // (outside 0 for Δ = 0).
    exact::Wide b_squared = 0, four_ac = 0, delta = 0;
    RootCase kind = RootCase::TwoReal;
    exact::SquareRoot root_of_delta;

    // (−B ± √Δ)/2A in lowest terms; x₁ takes +√Δ over 2A, as the main window's X1 does.
    exact::RootForm form;
    ExactRoot x1, x2;

    // The vertex (on the axis of symmetry x = vertex_x), the focus and the directrix.
    exact::Rational vertex_x, vertex_y, focus_y, directrix_y;

    // The check of real roots: x₁ + x₂ against −B/A and x₁ · x₂ against C/A. For roots
    // with a square root, x₁ · x₂ = (p² − q²·r)/s² with these two terms.
    exact::Rational sum, product, minus_b_over_a, c_over_a;
    exact::Wide p_squared = 0, q_squared_r = 0;

    std::optional<ExactValueAt> tested;

    bool real_roots() const { return kind != RootCase::Complex; }
    // The real roots left to right: none, the double root, or two.
    std::vector<const ExactRoot*> real_roots_in_order() const;
};

// Works the equation out. Throws std::invalid_argument for what no solve leaves (a zero
// A, an integer form that is not k times the coefficients, roots that do not compose the
// equation), and std::overflow_error where a number leaves the exact arithmetic.
ExactSolution solve_exactly(const SolvedEquation& equation,
                            const std::optional<TestedValue>& tested);

// The board's steps and graph of a solution worked out, in the language given.
std::vector<BoardLine> board_steps(const ExactSolution& solution, int language);
// The same after the line that says the last solve did not run to its end, if it did not;
// without a solution, the lines that say how to start.
std::vector<BoardLine> board_steps(const ExactSolution* solution, int language,
                                   const std::optional<Interruption>& interrupted);
Graph board_graph(const ExactSolution& solution, int language);

} // namespace tutor
