// The graph on the board: its view box and its marked points.
//
// Every coordinate a text shows is exact: whole numbers of 128 bits and fractions of
// them, and roots with a square root that are written (p ± k√m)/q with m free of square
// factors. The doubles are only where the points are drawn.
#include "board.h"

#include "exact.h"
#include "exact_solution.h"
#include "vocabulary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tutor {

namespace {

// What the graph says, in Italian and in English.
constexpr Bilingual opens_up{"concavità verso l'alto", "opens upwards"};
constexpr Bilingual opens_down{"concavità verso il basso", "opens downwards"};
constexpr Bilingual vertex_name{"vertice ", "vertex "};
constexpr Bilingual focus_name{"fuoco ", "focus "};
constexpr Bilingual directrix_name{"direttrice y = ", "directrix y = "};
constexpr Bilingual meets_axis{"interseca l'asse x in ", "meets the x axis at "};
constexpr Bilingual touches_axis{"tocca l'asse x in ", "touches the x axis at "};
constexpr Bilingual misses_axis{"non interseca l'asse x", "does not meet the x axis"};
constexpr Bilingual and_word{" e ", " and "};
constexpr Bilingual root_name{"radice x = ", "root x = "};
constexpr Bilingual double_root_name{"radice doppia x = ", "double root x = "};
constexpr Bilingual root_tested{" (la X provata)", " (the X tested)"};
constexpr Bilingual y_intercept_name{"intersezione con l'asse y ", "y-intercept "};
constexpr Bilingual tested_name{"punto provato ", "tested point "};

using exact::Rational;
using exact::value;

std::string point_text(const Rational& x, const Rational& y) {
    return "(" + x.text() + "; " + y.text() + ")";
}

// The nice step i of the sequence 1, 2, 5, 10, 20, 50 ... times 10^e, and its k-th multiple.
// A negative power divides, so that 0.1·3 is written 0.3 and not 0.30000000000000004.
double multiple(double k, int i, int e) {
    // The powers a double holds exactly, as std::pow gives them, without its cost.
    static constexpr double exact_powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const auto power = [](int n) { return n <= 22 ? exact_powers[n] : std::pow(10.0, n); };
    const double m = k * (i == 0 ? 1 : i == 1 ? 2 : 5);
    return e >= 0 ? m * power(e) : m / power(-e);
}

// The smallest nice step with at most ten intervals over [lo, hi] once the range is
// rounded out to multiples of it and widened by whole steps until a tenth of it lies
// beyond each end.
void fit_axis(double lo, double hi, double& min, double& max, double& step) {
    if (!(hi > lo)) { // not reached: every range here has a width; keep a usable one anyway
        lo -= 1;
        hi += 1;
    }
    int e = static_cast<int>(std::floor(std::log10(hi - lo))) - 2, i = 0;
    for (;;) {
        const double s = multiple(1, i, e);
        double kmin = std::floor(lo / s), kmax = std::ceil(hi / s);
        // Widening only adds intervals: a step that needs more than ten already is passed by.
        for (bool settled = kmax - kmin > 10; !settled;) {
            const double range = multiple(kmax, i, e) - multiple(kmin, i, e);
            settled = true;
            if (lo - multiple(kmin, i, e) < range / 10) {
                kmin -= 1;
                settled = false;
            }
            if (multiple(kmax, i, e) - hi < range / 10) {
                kmax += 1;
                settled = false;
            }
        }
        if (kmax - kmin <= 10) {
            min = multiple(kmin, i, e);
            max = multiple(kmax, i, e);
            step = s;
            return;
        }
        if (++i == 3) {
            i = 0;
            ++e;
        }
    }
}

// Every marked point, the directrix and the x axis in view; on the side the parabola
// opens, at least half the height they span above (or below) the vertex, and wide
// enough that the curve climbs out of that height on both sides of its axis. So a
// parabola whose points all lie on its axis (x², x² + 1, 1000x²) still shows its shape.
ViewBox fit_box(const std::vector<MarkedPoint>& points, double directrix, double xv, double yv,
                double a) {
    double x_lo = xv, x_hi = xv, y_lo = std::min({directrix, yv, 0.0}),
           y_hi = std::max({directrix, yv, 0.0});
    for (const MarkedPoint& p : points) {
        x_lo = std::min(x_lo, p.x);
        x_hi = std::max(x_hi, p.x);
        y_lo = std::min(y_lo, p.y);
        y_hi = std::max(y_hi, p.y);
    }
    const double height = y_hi - y_lo;
    if (a > 0)
        y_hi = std::max(y_hi, yv + height / 2);
    else
        y_lo = std::min(y_lo, yv - height / 2);
    const double rise = a > 0 ? y_hi - yv : yv - y_lo;
    const double half_width = std::sqrt(rise / std::fabs(a));
    x_lo = std::min(x_lo, xv - half_width);
    x_hi = std::max(x_hi, xv + half_width);

    ViewBox box;
    fit_axis(x_lo, x_hi, box.x_min, box.x_max, box.x_step);
    fit_axis(y_lo, y_hi, box.y_min, box.y_max, box.y_step);
    return box;
}

} // namespace

// The points in the order the arrow keys visit them: the roots left to right, the vertex,
// the focus, the y-intercept and the tested point. Points may coincide (a double root
// and the vertex, a root and the tested point): each is still listed for what it is.
Graph board_graph(const SolvedEquation& equation, const std::optional<TestedValue>& tested,
                  int language) {
    return board_graph(solve_exactly(equation, tested), language);
}

Graph board_graph(const ExactSolution& s, int language) {
    const auto say = [language](const Bilingual& pair) { return std::string(pair.in(language)); };
    Graph graph;
    graph.a = static_cast<double>(s.A);
    graph.b = static_cast<double>(s.B);
    graph.c = static_cast<double>(s.C);
    graph.axis_x = value(s.vertex_x);
    graph.directrix_y = value(s.directrix_y);
    graph.directrix_label = "y = " + s.directrix_y.text();
    graph.real_roots = s.real_roots();

    const std::vector<const ExactRoot*> roots = s.real_roots_in_order();
    for (const ExactRoot* r : roots) {
        const bool hit = s.tested && r->rational && s.tested->x == r->fraction;
        const std::string label = roots.size() == 1 ? "x₁ = x₂ = " + r->text
                                  : r == &s.x1      ? "x₁ = " + r->text
                                                    : "x₂ = " + r->text;
        graph.points.push_back({PointKind::Root, r->value, 0, label,
                                say(roots.size() == 1 ? double_root_name : root_name) + r->text +
                                    (hit ? say(root_tested) : ""),
                                hit});
    }
    // The labels are the steps' own texts: V(3/2; −1/4), F(3/2; 0).
    const std::string vertex = "V" + point_text(s.vertex_x, s.vertex_y);
    const std::string focus = "F" + point_text(s.vertex_x, s.focus_y);
    graph.points.push_back({PointKind::Vertex, value(s.vertex_x), value(s.vertex_y), vertex,
                            say(vertex_name) + vertex});
    graph.points.push_back(
        {PointKind::Focus, value(s.vertex_x), value(s.focus_y), focus, say(focus_name) + focus});
    const std::string y_intercept = point_text(Rational(0), Rational(s.C));
    graph.points.push_back({PointKind::YIntercept, 0, static_cast<double>(s.C), y_intercept,
                            say(y_intercept_name) + y_intercept});
    if (s.tested) {
        const std::string at = point_text(s.tested->x, s.tested->value);
        graph.points.push_back({PointKind::Tested, value(s.tested->x), value(s.tested->value), at,
                                say(tested_name) + at});
    }

    std::string crossings = say(misses_axis);
    if (roots.size() == 1)
        crossings = say(touches_axis) + "x = " + roots[0]->text;
    else if (roots.size() == 2)
        crossings =
            say(meets_axis) + "x = " + roots[0]->text + say(and_word) + "x = " + roots[1]->text;
    graph.description = "Parabola y = " + exact::polynomial_text(s.A, s.B, s.C) + ", " +
                        say(s.A > 0 ? opens_up : opens_down) + ", " + say(vertex_name) + vertex +
                        ", " + crossings + ", " + say(directrix_name) + s.directrix_y.text();

    graph.box = fit_box(graph.points, graph.directrix_y, value(s.vertex_x), value(s.vertex_y),
                        static_cast<double>(s.A));
    return graph;
}

} // namespace tutor
