#include "exact_solution.h"

#include <cmath>
#include <stdexcept>

namespace tutor {

namespace {

using exact::checked_mul;
using exact::checked_sub;
using exact::Rational;
using exact::Wide;

// The two roots, exact, and where they are drawn.
void work_out_roots(ExactSolution& s) {
    const Wide A = s.A, B = s.B, delta = s.delta;
    s.root_of_delta =
        delta == 0 ? exact::SquareRoot{0, 1} : exact::simplify_root(exact::magnitude(delta));
    s.form = exact::root_form(A, B, delta, s.root_of_delta);
    const int first = A > 0 ? 1 : -1; // the sign of +√Δ over 2A in the form
    s.x1.number = s.form.number(first);
    s.x2.number = s.form.number(-first);

    if (delta >= 0 && s.root_of_delta.inside == 1) {
        const Wide o = s.root_of_delta.outside;
        for (auto [root, sign] : {std::pair{&s.x1, 1}, {&s.x2, -1}}) {
            root->rational = true;
            root->fraction = Rational(exact::checked_add(-B, sign * o), checked_mul(2, A));
            root->text = root->fraction.text();
            root->value = exact::value(root->fraction);
        }
        return;
    }
    s.x1.text = s.form.text(exact::first_root_sign(A));
    s.x2.text = s.form.text(exact::second_root_sign(A));
    if (delta < 0) {
        s.x1.value = s.x2.value = exact::value(Rational(s.form.p, s.form.s));
        return;
    }
    // The root that does not subtract nearly equal numbers first, the other from
    // x₁·x₂ = C/A: both keep their precision also for roots far apart.
    const double root = std::sqrt(static_cast<double>(delta));
    const double b = static_cast<double>(B);
    const double half = -(b + std::copysign(root, b)) / 2; // C ≠ 0 here, so half ≠ 0
    const double far = half / static_cast<double>(A), near = static_cast<double>(s.C) / half;
    s.x1.value = B < 0 ? far : near; // x₁ = (−B + √Δ)/2A
    s.x2.value = B < 0 ? near : far;
}

void check_roots(ExactSolution& s) {
    s.minus_b_over_a = Rational(-s.B, s.A);
    s.c_over_a = Rational(s.C, s.A);
    if (!s.real_roots())
        return;
    if (s.x1.rational) {
        s.sum = s.x1.fraction + s.x2.fraction;
        s.product = s.x1.fraction * s.x2.fraction;
        return;
    }
    // (p + q√r)/s + (p − q√r)/s = 2p/s, and (p + q√r)(p − q√r)/s² = (p² − q²·r)/s².
    const exact::RootForm& f = s.form;
    s.sum = Rational(checked_mul(2, f.p), f.s);
    s.p_squared = checked_mul(f.p, f.p);
    s.q_squared_r = checked_mul(checked_mul(f.q, f.q), f.r);
    s.product = Rational(checked_sub(s.p_squared, s.q_squared_r), checked_mul(f.s, f.s));
}

} // namespace

std::vector<const ExactRoot*> ExactSolution::real_roots_in_order() const {
    if (kind == RootCase::Complex)
        return {};
    if (kind == RootCase::Double)
        return {&x1};
    if (x2.value < x1.value)
        return {&x2, &x1};
    return {&x1, &x2};
}

ExactSolution solve_exactly(const SolvedEquation& e, const std::optional<TestedValue>& tested) {
    if (e.a.den <= 0 || e.b.den <= 0 || e.c.den <= 0 || e.a.num == 0 || e.A == 0)
        throw std::invalid_argument("board: not an equation of the second degree");
    ExactSolution s;
    s.equation = e;
    s.a = Rational(e.a), s.b = Rational(e.b), s.c = Rational(e.c);
    s.A = e.A, s.B = e.B, s.C = e.C;
    s.k = Rational(s.A) / s.a;
    if (s.k.sign() <= 0 || s.k * s.b != Rational(s.B) || s.k * s.c != Rational(s.C))
        throw std::invalid_argument("board: the integer form does not match the coefficients");
    if (e.root_a && e.root_b) {
        s.composed = true;
        s.root_a = Rational(*e.root_a), s.root_b = Rational(*e.root_b);
        if (s.a != Rational(1) || s.b != -(s.root_a + s.root_b) || s.c != s.root_a * s.root_b)
            throw std::invalid_argument("board: the equation does not have the roots composed");
    }

    s.b_squared = checked_mul(s.B, s.B);
    s.four_ac = checked_mul(checked_mul(4, s.A), s.C);
    s.delta = checked_sub(s.b_squared, s.four_ac);
    s.kind = s.delta > 0 ? RootCase::TwoReal : s.delta == 0 ? RootCase::Double : RootCase::Complex;
    work_out_roots(s);
    check_roots(s);

    const Wide two_a = checked_mul(2, s.A), four_a = checked_mul(4, s.A);
    s.vertex_x = Rational(-s.B, two_a);
    s.vertex_y = Rational(-s.delta, four_a);
    s.focus_y = Rational(checked_sub(1, s.delta), four_a);
    s.directrix_y = Rational(checked_sub(-1, s.delta), four_a);

    if (tested) {
        ExactValueAt t;
        t.x = Rational(tested->x);
        t.square_term = Rational(s.A) * t.x * t.x;
        t.linear_term = Rational(s.B) * t.x;
        t.value = t.square_term + t.linear_term + Rational(s.C);
        s.tested = t;
    }
    return s;
}

} // namespace tutor
