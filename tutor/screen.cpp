#include "screen.h"

#include "colours.h"
#include "vocabulary.h"

#include <cstring>
#include <iterator>

namespace tutor {

// clang-format off
const NamedControl controls[32] = {
    {"TextXD", &Screen::TextXD}, {"TextXN", &Screen::TextXN}, {"TextCD", &Screen::TextCD},
    {"TextCN", &Screen::TextCN}, {"TextBD", &Screen::TextBD}, {"TextBN", &Screen::TextBN},
    {"TextAD", &Screen::TextAD}, {"textAN", &Screen::textAN}, {"Line1", &Screen::Line1},
    {"LabelBeta2", &Screen::LabelBeta2}, {"Labelalfa2", &Screen::Labelalfa2},
    {"LabelBeta", &Screen::LabelBeta}, {"LabelAlfa", &Screen::LabelAlfa},
    {"CompLabel", &Screen::CompLabel}, {"ResLabel", &Screen::ResLabel}, {"Line3", &Screen::Line3},
    {"LabelX", &Screen::LabelX}, {"Label2", &Screen::Label2}, {"LabelD", &Screen::LabelD},
    {"LabelV", &Screen::LabelV}, {"LabelF", &Screen::LabelF}, {"LabelX2", &Screen::LabelX2},
    {"LabelX1", &Screen::LabelX1}, {"DetLabel", &Screen::DetLabel}, {"Line2", &Screen::Line2},
    {"Label5", &Screen::Label5}, {"Label4", &Screen::Label4}, {"Label3", &Screen::Label3},
    {"LabelC", &Screen::LabelC}, {"LabelB", &Screen::LabelB}, {"LabelA", &Screen::LabelA},
    {"Label1", &Screen::Label1},
};

const NamedControl boxes[8] = {
    {"textAN", &Screen::textAN}, {"TextAD", &Screen::TextAD}, {"TextBN", &Screen::TextBN},
    {"TextBD", &Screen::TextBD}, {"TextCN", &Screen::TextCN}, {"TextCD", &Screen::TextCD},
    {"TextXN", &Screen::TextXN}, {"TextXD", &Screen::TextXD},
};

const NamedMenuItem menu_items[6] = {
    {"Analizza", &Screen::Analizza}, {"Componi", &Screen::Componi},
    {"Frazioni", &Screen::Frazioni}, {"Test", &Screen::Test},
    {"Credits", &Screen::Credits}, {"Lingua", &Screen::Lingua},
};
// clang-format on

namespace {

struct Design {
    Control Screen::*control;
    const char* text;
    std::uint32_t colour;
    bool hidden;
    const char* tooltip;
};

using namespace colours;

// What each control shows when the window opens; where it stands and its font are the
// view's business.
// clang-format off
constexpr Design designs[] = {
    {&Screen::TextXD, "1", white, true, "Denominatore"},
    {&Screen::TextXN, "", white, false, "Numeratore"},
    {&Screen::TextCD, "1", cyan, true, "Denominatore"},
    {&Screen::TextCN, "", cyan, false, "Numeratore"},
    {&Screen::TextBD, "1", light_green, true, "Denominatore"},
    {&Screen::TextBN, "", light_green, false, "Numeratore"},
    {&Screen::TextAD, "1", yellow, true, "Denominatore"},
    {&Screen::textAN, "", yellow, false, "Numeratore"},
    {&Screen::Line1, "", white, false, ""},
    {&Screen::LabelBeta2, "b=", light_green, true, ""},
    {&Screen::Labelalfa2, "a=", yellow, true, ""},
    {&Screen::LabelBeta, "b", light_green, true, ""},
    {&Screen::LabelAlfa, "a", yellow, true, ""},
    {&Screen::CompLabel, "( x-a )( x-b)=0", white, true, ""},
    {&Screen::ResLabel, "0", white, false, ""},
    {&Screen::Line3, "", white, false, ""},
    {&Screen::LabelX, " X = ", white, false, "Test"},
    {&Screen::Label2, "2", white, false, ""},
    {&Screen::LabelD, "", white, false, ""},
    {&Screen::LabelV, "", white, false, ""},
    {&Screen::LabelF, "", white, false, ""},
    {&Screen::LabelX2, "", white, false, ""},
    {&Screen::LabelX1, "", white, false, ""},
    {&Screen::DetLabel, "", white, false, ""},
    {&Screen::Line2, "", white, false, ""},
    {&Screen::Label5, "C", cyan, false, ""},
    {&Screen::Label4, "B", light_green, false, ""},
    {&Screen::Label3, "A", yellow, false, ""},
    {&Screen::LabelC, "C = ", cyan, false, ""},
    {&Screen::LabelB, "B = ", light_green, false, ""},
    {&Screen::LabelA, "A = ", yellow, false, ""},
    {&Screen::Label1, "Ax +Bx+ C=", white, false, ""},
};
// clang-format on

} // namespace

Screen::Screen()
    : Analizza{vocabulary::menu_solve.italian}, Componi{vocabulary::menu_compose.italian},
      Frazioni{vocabulary::menu_fractions.italian}, Test{"Test"}, Credits{"Info"},
      Lingua{vocabulary::menu_language.italian} {
    for (const Design& d : designs) {
        Control& c = this->*d.control;
        c.text = d.text;
        c.tooltip = d.tooltip;
        c.visible = !d.hidden;
        c.colour = d.colour;
    }
}

int index_of(const char* name) {
    for (int i = 0; i < static_cast<int>(std::size(controls)); ++i)
        if (std::strcmp(controls[i].name, name) == 0)
            return i;
    return -1;
}

} // namespace tutor
