// The board: the last equation solved, worked step by step and drawn, for a class
// projector and for a screen reader. Everything here is computed exactly from the
// solve; the window only lays it out and paints it.
#pragma once

#include "fractions/fraction.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tutor {

// A box whose text the solve read as another value: 2.5 read as 2, 3/4 read as 3.
struct ReadOtherwise {
    char row = 'A';           // 'A', 'B', 'C', or 'a' and 'b' for the roots to compose
    bool denominator = false; // the row's denominator box, not its numerator
    std::string typed;        // the box's text, blanks around it left out
    std::string read;         // the value the solve worked with
};

// The last solve that ran to its end.
struct SolvedEquation {
    // The coefficients as the solve read them, in lowest terms (positive denominators).
    fractions::Fraction a, b, c;
    // Set for an equation composed from two roots: the roots as typed, in lowest terms.
    std::optional<fractions::Fraction> root_a, root_b;
    // The integer form the solve wrote back: (A, B, C) = k · (a, b, c) for a k > 0.
    std::int64_t A = 0, B = 0, C = 0;
    // The boxes read otherwise than typed, in the order they were read.
    std::vector<ReadOtherwise> read_otherwise;
};

// A solve that did not run to its end: refused by the zero check, or stopped by a failure
// whose text (the stop box's title after its prefix) is `failure`: "Overflow".
struct Interruption {
    bool refused = false;
    std::string failure;
};

// A test of X on that equation (same integer form): X and F(X), both in lowest terms.
struct TestedValue {
    fractions::Fraction x;
    fractions::Fraction value;
};

// One line of the worked solution.
struct BoardLine {
    bool heading = false; // a step's title, drawn larger
    std::string text;     // UTF-8, with x², √, ±, Δ, − and ·
    bool notice = false;  // said first, in its own colour: the last solve did not end
};

// The worked solution in the language given (0 Italian, other English): before any
// solve, lines that say how to start. After an interrupted solve, a first line says so.
std::vector<BoardLine> board_steps(const std::optional<SolvedEquation>& equation,
                                   const std::optional<TestedValue>& tested, int language,
                                   const std::optional<Interruption>& interrupted = std::nullopt);

// --- The graph of y = A·x² + B·x + C. ---

enum class PointKind { Root, Vertex, Focus, YIntercept, Tested };

struct MarkedPoint {
    PointKind kind;
    double x = 0, y = 0;      // where it is drawn
    std::string label;        // beside the point: x₁ = 2, V(3/2; −1/4), as the steps write it
    std::string spoken;       // its name and exact coordinates, in the window's language
    bool highlighted = false; // a root that the tested X hits
};

// The part of the plane shown: every marked point and the directrix inside it with a
// margin; grid lines and tick labels every `x_step` and `y_step`.
struct ViewBox {
    double x_min = -1, x_max = 1, y_min = -1, y_max = 1;
    double x_step = 1, y_step = 1;
};

struct Graph {
    double a = 0, b = 0, c = 0; // the parabola y = a·x² + b·x + c, the solve's integer form
    ViewBox box;
    double axis_x = 0; // the axis of symmetry, through the vertex
    double directrix_y = 0;
    std::string directrix_label;     // y = −1/2
    bool real_roots = true;          // false: the parabola does not meet the x axis
    std::vector<MarkedPoint> points; // in the order the arrow keys visit them
    std::string description;         // what it shows, for a screen reader

    // The parabola's height at x.
    double y(double x) const { return (a * x + b) * x + c; }
};

Graph board_graph(const SolvedEquation& equation, const std::optional<TestedValue>& tested,
                  int language);

} // namespace tutor
