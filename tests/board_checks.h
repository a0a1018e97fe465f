// What must hold of any board, shared by its tests and the fuzzers that build boards from
// arbitrary equations: the equation built as a solve leaves it, the roots against the
// equation, the graph's points against its view box, and every chain
// of equalities the steps write. No Qt, so that a fuzzer runs them at full speed. A check
// that fails throws std::runtime_error saying what failed.
#pragma once

#include "reference.h"
#include "tutor/board.h"
#include "tutor/exact.h"
#include "tutor/exact_reader.h"
#include "tutor/exact_solution.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace board_checks {

using tutor::exact::Names;
using tutor::exact::Number;
using tutor::exact::Rational;
using tutor::exact::Wide;

// The equation as a solve leaves it: a, b, c in lowest terms, then the integer form.
// Throws std::overflow_error for a fraction that has no lowest terms in 16 bits.
inline tutor::SolvedEquation solved(fractions::Fraction a, fractions::Fraction b,
                                    fractions::Fraction c) {
    tutor::SolvedEquation e;
    for (auto [to, from] : {std::pair{&e.a, a}, {&e.b, b}, {&e.c, c}})
        *to = fractions::reduce_fraction(from.num, from.den);
    const auto form = reference::integer_form(e.a, e.b, e.c);
    e.A = form[0], e.B = form[1], e.C = form[2];
    return e;
}

// The letters the steps write, worked out from the equation itself: A, B, C, a, b, c, k,
// Δ, the tested X, and x₁, x₂ as the main window's formulas (−B ± √Δ)/2A.
inline Names names(const tutor::SolvedEquation& e,
                   const std::optional<tutor::TestedValue>& tested) {
    const Rational A(e.A), values[] = {A, e.B, e.C, e.a, e.b, e.c, A / Rational(e.a)};
    Names out{{"Δ", tutor::exact::whole_text(Wide(e.B) * e.B - 4 * Wide(e.A) * e.C)},
              {"x₁", "(−B + √Δ)/(2A)"},
              {"x₂", "(−B − √Δ)/(2A)"}};
    for (int j = 0; j < 7; ++j)
        out[std::string("ABCabck").substr(j, 1)] = values[j].text();
    if (tested)
        out["X"] = Rational(tested->x).text();
    return out;
}

// The roots of the exact solution: each a root of the integer form, and its text read back
// to its value.
inline void check_roots(const tutor::ExactSolution& s) {
    for (const tutor::ExactRoot* root : {&s.x1, &s.x2}) {
        const std::array<std::int64_t, 3> form{static_cast<std::int64_t>(s.A),
                                               static_cast<std::int64_t>(s.B),
                                               static_cast<std::int64_t>(s.C)};
        if (reference::value_at(form, root->number) != Number())
            throw std::runtime_error("not a root: " + root->text);
        if (tutor::exact::read_exact(root->text).values != std::vector{root->number})
            throw std::runtime_error("does not read back: " + root->text);
    }
}

// Whether v lies inside [lo, hi] with a tenth of its width to spare on each side.
inline bool inside(double v, double lo, double hi) {
    return v - lo >= (hi - lo) / 10 && hi - v >= (hi - lo) / 10;
}

// Every marked point and the directrix inside the view box, with that margin.
inline void check_view_box(const tutor::Graph& g) {
    const tutor::ViewBox& box = g.box;
    for (const tutor::MarkedPoint& p : g.points)
        if (!inside(p.x, box.x_min, box.x_max) || !inside(p.y, box.y_min, box.y_max))
            throw std::runtime_error("outside the view box: " + p.spoken);
    if (!inside(g.directrix_y, box.y_min, box.y_max))
        throw std::runtime_error("directrix outside the view box: " + g.directrix_label);
}

namespace detail {

inline bool starts_with(const std::string& s, const char* head) {
    return s.rfind(head, 0) == 0;
}

inline std::vector<std::string> split(const std::string& s, const std::string& separator) {
    std::vector<std::string> parts;
    for (std::size_t from = 0;;) {
        const std::size_t at = s.find(separator, from);
        parts.push_back(s.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos)
            return parts;
        from = at + separator.size();
    }
}

// Only digits, blanks, brackets, i and the signs of a formula.
inline bool formula_only(const std::string& s) {
    static const char* const signs[] = {"−", "·", "²", "√", "±"};
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        if ((c >= '0' && c <= '9') || c == ' ' || c == '+' || c == '/' || c == '(' || c == ')' ||
            c == 'i') {
            ++i;
            continue;
        }
        const auto sign = std::find_if(std::begin(signs), std::end(signs), [&](const char* t) {
            return s.compare(i, std::strlen(t), t) == 0;
        });
        if (sign == std::end(signs))
            return false;
        i += std::strlen(*sign);
    }
    return true;
}

// Whether a text holds only a formula once the names are taken out of it.
inline bool plain(std::string text, const Names& names) {
    for (const auto& name : names)
        for (std::size_t at; (at = text.find(name.first)) != std::string::npos;)
            text.erase(at, name.first.size());
    return formula_only(text);
}

// The values of a formula; nullopt where a number in it is too large to read exactly.
inline std::optional<std::vector<Number>> values(const std::string& formula, const Names& names) {
    const tutor::exact::Reading reading = tutor::exact::read_exact(formula, names);
    if (reading.error == tutor::exact::ReadError::TooLarge)
        return std::nullopt;
    if (!reading.ok())
        throw std::runtime_error("cannot read " + formula);
    return reading.values;
}

} // namespace detail

// What one part of a chain of equalities is worth: one value, two for ± or for a point
// V(x; y), one per member of a tuple k · (a, b, c), F(v) as A·v² + B·v + C; none when it
// holds words or letters not named; nullopt when it is too large to work out exactly.
inline std::optional<std::vector<Number>> worth(const std::string& part, const Names& names) {
    using detail::plain;
    using detail::values;
    std::string scale = "1";
    std::vector<std::string> items{part};
    const bool bracketed = !part.empty() && part.back() == ')';
    const std::size_t semicolon = part.rfind("; "), open = part.find('(');
    if (bracketed && (detail::starts_with(part, "V(") || detail::starts_with(part, "F(")) &&
        semicolon != std::string::npos && semicolon >= 2) {
        items = {part.substr(2, semicolon - 2),
                 part.substr(semicolon + 2, part.size() - semicolon - 3)};
    } else if (bracketed && detail::starts_with(part, "F(")) {
        const std::string x = "(" + part.substr(2, part.size() - 3) + ")";
        items = {"A·" + x + "² + B·" + x + " + C"};
    } else if (bracketed && open != std::string::npos && part.find(", ", open) < part.size() - 1) {
        // k · (a, b, c): the scale before the bracket, then blanks and "·" dropped.
        scale = part.substr(0, open);
        for (const std::string end : {" ", "·", " "})
            if (scale.size() >= end.size() &&
                scale.compare(scale.size() - end.size(), end.size(), end) == 0)
                scale.erase(scale.size() - end.size());
        scale = scale.empty() ? "1" : scale;
        items = detail::split(part.substr(open + 1, part.size() - open - 2), ", ");
    }
    std::vector<Number> out;
    for (const std::string& item : items) {
        if (!plain(item + scale, names))
            return std::vector<Number>{};
        const auto read = values(scale + "·(" + item + ")", names);
        if (!read)
            return std::nullopt;
        out.insert(out.end(), read->begin(), read->end());
    }
    return out;
}

// Checks every chain of equalities: from the first part that holds a formula, each part up
// to a ":", "<", ">" or "≠" reads and equals the one before it (± in either order). A part
// too large to work out exactly starts the chain anew. Counts the equalities checked.
inline int check_chains(const std::vector<tutor::BoardLine>& lines, const Names& names) {
    int checked = 0;
    for (const tutor::BoardLine& line : lines) {
        std::vector<Number> before;
        for (const std::string& part : detail::split(line.text, " = ")) {
            std::size_t cut = std::string::npos;
            for (const char* end : {":", " < ", " > ", " ≠ "})
                cut = std::min(cut, part.find(end));
            const auto worked = worth(part.substr(0, cut), names);
            if (!worked) {
                before.clear();
            } else {
                std::vector<Number> now = *worked;
                if (now.size() == 2 && now[0] == now[1] && part.find(';') == std::string::npos)
                    now.pop_back(); // x = (2 ± 0) / 2 = 1
                if (!before.empty() && now != before &&
                    now != std::vector<Number>(before.rbegin(), before.rend()))
                    throw std::runtime_error("does not hold: " + line.text);
                checked += !before.empty();
                before = now;
            }
            if (cut != std::string::npos)
                break;
        }
    }
    return checked;
}

} // namespace board_checks
