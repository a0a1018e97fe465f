// The board's own answers to each step of an exercise, as typed into its boxes. No Qt, so
// that the answer fuzzer types them too.
#pragma once

#include "tutor/practice.h"

#include <string>
#include <vector>

// The board's own answers to a step, as it writes them: the roots also both in one box.
inline std::vector<std::vector<std::string>> board_answers(const tutor::practice::Exercise& x,
                                                           tutor::practice::Step step) {
    using tutor::practice::Step;
    const tutor::ExactSolution& s = x.solution;
    const auto whole = [](tutor::exact::Wide v) { return tutor::exact::whole_text(v); };
    switch (step) {
    case Step::IntegerForm:
        return {{whole(s.A), whole(s.B), whole(s.C)}};
    case Step::Delta:
        return {{whole(s.delta)}};
    case Step::Count:
        return {{s.kind == tutor::RootCase::TwoReal  ? "2"
                 : s.kind == tutor::RootCase::Double ? "1"
                                                     : "0"}};
    case Step::Roots:
        if (s.kind == tutor::RootCase::Double)
            return {{s.x1.text}};
        if (s.x1.rational)
            return {{s.x2.text, s.x1.text}};
        return {{s.x2.text, s.x1.text}, {s.form.text("±"), ""}};
    default:
        return {{s.vertex_x.text(), s.vertex_y.text()}};
    }
}
