// The board's own answers to each step of an exercise, as typed into its boxes.
#pragma once

#include "tutor/practice.h"

#include <QList>
#include <QStringList>

// The board's own answers to a step, as it writes them: the roots also both in one box.
inline QList<QStringList> board_answers(const tutor::practice::Exercise& x,
                                        tutor::practice::Step step) {
    using tutor::practice::Step;
    const tutor::ExactSolution& s = x.solution;
    const auto text = [](const std::string& t) { return QString::fromStdString(t); };
    const auto whole = [&](tutor::exact::Wide v) { return text(tutor::exact::whole_text(v)); };
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
            return {{text(s.x1.text)}};
        if (s.x1.rational)
            return {{text(s.x2.text), text(s.x1.text)}};
        return {{text(s.x2.text), text(s.x1.text)}, {text(s.form.text("±")), ""}};
    default:
        return {{text(s.vertex_x.text()), text(s.vertex_y.text())}};
    }
}
