// What the window shows, control by control, without the window: the one table of the
// controls (name, kind, row, roles, what each shows at start and what a screen reader
// says of it), the one list of the menu commands, and the picture that the commands
// write. A view mirrors this picture onto real widgets; tests and fuzzers read it.
#pragma once

#include "board.h"
#include "colours.h"
#include "vocabulary.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace tutor {

// Every control, front to back as they are stacked: a control listed earlier is drawn
// above the ones after it. The names are the widgets' object names.
// clang-format off
enum ControlId : std::uint8_t {
    TextXD, TextXN, TextCD, TextCN, TextBD, TextBN, TextAD, textAN,
    Line1, LabelBeta2, Labelalfa2, LabelBeta, LabelAlfa, CompLabel, ResLabel, Line3,
    LabelX, Label2, LabelD, LabelV, LabelF, LabelX2, LabelX1, DetLabel, Line2,
    Label5, Label4, Label3, LabelC, LabelB, LabelA, Label1,
    control_count
};
// clang-format on

enum class Kind : std::uint8_t { Numerator, Denominator, Label, Line };
// The input row a control belongs to.
enum class Row : std::uint8_t { None, A, B, C, X };

// What a control is for, beyond what it shows at start.
enum Role : std::uint8_t {
    ClearsCaption = 1,     // a result line: the reset empties its caption and tooltip
    ClearsTooltip = 2,     // the reset empties its tooltip (and keeps its caption)
    FollowsBackground = 4, // painted in the background colour drawn at start-up
    Announced = 8,         // read out to a screen reader when a command writes it
};

struct ControlInfo {
    ControlId id;
    const char* name;
    Kind kind;
    Row row;
    unsigned roles;
    // At start.
    const char* text; // a label's caption or a box's text
    std::uint32_t colour;
    bool visible;
    const char* tooltip;
    // What a screen reader says: a name (none: a label's caption, a box's row) and what
    // it is for, said where the control has no tooltip.
    Bilingual spoken_name;
    Bilingual purpose;
};

namespace table {
using namespace colours;
constexpr unsigned result_line = ClearsCaption | FollowsBackground;
constexpr unsigned tinted = FollowsBackground;
constexpr Bilingual caption{}; // the caption is the name

// clang-format off
inline constexpr ControlInfo controls[control_count] = {
    {TextXD, "TextXD", Kind::Denominator, Row::X, tinted, "1", white, false, "Denominatore", {}, {}},
    {TextXN, "TextXN", Kind::Numerator, Row::X, tinted, "", white, true, "Numeratore", {}, {}},
    {TextCD, "TextCD", Kind::Denominator, Row::C, tinted, "1", cyan, false, "Denominatore", {}, {}},
    {TextCN, "TextCN", Kind::Numerator, Row::C, tinted, "", cyan, true, "Numeratore", {}, {}},
    {TextBD, "TextBD", Kind::Denominator, Row::B, tinted, "1", light_green, false, "Denominatore", {}, {}},
    {TextBN, "TextBN", Kind::Numerator, Row::B, tinted, "", light_green, true, "Numeratore", {}, {}},
    {TextAD, "TextAD", Kind::Denominator, Row::A, tinted, "1", yellow, false, "Denominatore", {}, {}},
    {textAN, "textAN", Kind::Numerator, Row::A, tinted, "", yellow, true, "Numeratore", {}, {}},
    {Line1, "Line1", Kind::Line, Row::None, 0, "", white, true, "", {"separatore", "separator"}, {"Linea sotto l'intestazione", "Line below the equation heading"}},
    {LabelBeta2, "LabelBeta2", Kind::Label, Row::None, tinted, "b=", light_green, false, "", caption, {"Componi: riga della radice b", "Compose: row of root b"}},
    {Labelalfa2, "Labelalfa2", Kind::Label, Row::None, tinted, "a=", yellow, false, "", caption, {"Componi: riga della radice a", "Compose: row of root a"}},
    {LabelBeta, "LabelBeta", Kind::Label, Row::None, tinted, "b", light_green, false, "", caption, {"Componi: radice b", "Compose: root b"}},
    {LabelAlfa, "LabelAlfa", Kind::Label, Row::None, tinted, "a", yellow, false, "", caption, {"Componi: radice a", "Compose: root a"}},
    {CompLabel, "CompLabel", Kind::Label, Row::None, tinted, "( x-a )( x-b)=0", white, false, "", caption, {"Componi: l'equazione dalle radici a e b", "Compose: the equation from its roots a and b"}},
    {ResLabel, "ResLabel", Kind::Label, Row::None, ClearsTooltip | tinted, "0", white, true, "", caption, {"Secondo membro dell'equazione, o il valore del polinomio in X", "Right-hand side of the equation, or the value of the polynomial at X"}},
    {Line3, "Line3", Kind::Line, Row::None, 0, "", white, true, "", {"separatore", "separator"}, {"Linea sopra i risultati", "Line above the results"}},
    {LabelX, "LabelX", Kind::Label, Row::X, tinted, " X = ", white, true, "Test", caption, {"Riga del valore X da provare", "Row of the value X to test"}},
    {Label2, "Label2", Kind::Label, Row::None, tinted, "2", white, true, "", caption, {"Intestazione: esponente di x", "Heading: exponent of x"}},
    {LabelD, "LabelD", Kind::Label, Row::None, result_line, "", white, true, "", caption, {"Risultato: la direttrice della parabola", "Result: the directrix of the parabola"}},
    {LabelV, "LabelV", Kind::Label, Row::None, result_line, "", white, true, "", caption, {"Risultato: il vertice della parabola", "Result: the vertex of the parabola"}},
    {LabelF, "LabelF", Kind::Label, Row::None, result_line, "", white, true, "", caption, {"Risultato: il fuoco della parabola", "Result: the focus of the parabola"}},
    {LabelX2, "LabelX2", Kind::Label, Row::None, result_line | Announced, "", white, true, "", caption, {"Risultato: la seconda radice", "Result: the second root"}},
    {LabelX1, "LabelX1", Kind::Label, Row::None, result_line | Announced, "", white, true, "", caption, {"Risultato: la prima radice", "Result: the first root"}},
    {DetLabel, "DetLabel", Kind::Label, Row::None, result_line | Announced, "", white, true, "", caption, {"Risultato: il discriminante, o il valore del polinomio in X", "Result: the discriminant, or the value of the polynomial at X"}},
    {Line2, "Line2", Kind::Line, Row::None, 0, "", white, true, "", {"separatore", "separator"}, {"Linea tra la riga di C e la riga di X", "Line between the C row and the X row"}},
    {Label5, "Label5", Kind::Label, Row::None, tinted, "C", cyan, true, "", caption, {"Intestazione: coefficiente C", "Heading: coefficient C"}},
    {Label4, "Label4", Kind::Label, Row::None, tinted, "B", light_green, true, "", caption, {"Intestazione: coefficiente B", "Heading: coefficient B"}},
    {Label3, "Label3", Kind::Label, Row::None, tinted, "A", yellow, true, "", caption, {"Intestazione: coefficiente A", "Heading: coefficient A"}},
    {LabelC, "LabelC", Kind::Label, Row::C, tinted, "C = ", cyan, true, "", caption, {"Riga del coefficiente C", "Row of coefficient C"}},
    {LabelB, "LabelB", Kind::Label, Row::B, tinted, "B = ", light_green, true, "", caption, {"Riga del coefficiente B", "Row of coefficient B"}},
    {LabelA, "LabelA", Kind::Label, Row::A, tinted, "A = ", yellow, true, "", caption, {"Riga del coefficiente A", "Row of coefficient A"}},
    {Label1, "Label1", Kind::Label, Row::None, tinted, "Ax +Bx+ C=", white, true, "", caption, {"Intestazione: l'equazione A x al quadrato più B x più C uguale", "Heading: the equation A x squared plus B x plus C equals"}},
};
// clang-format on
} // namespace table
using table::controls;

// Whether every row of a table indexed by ControlId sits at its own index.
template <class Table> constexpr bool in_id_order(const Table& rows) {
    std::size_t i = 0;
    for (const auto& row : rows)
        if (row.id != i++)
            return false;
    return i == control_count;
}
static_assert(in_id_order(controls));

constexpr bool is_box(ControlId id) {
    return controls[id].kind == Kind::Numerator || controls[id].kind == Kind::Denominator;
}

// The eight boxes in tab order: the rows A, B, C and X, numerator before denominator
// (the reverse of their stacking order).
inline constexpr std::array<ControlId, 8> boxes = [] {
    std::array<ControlId, 8> tab{};
    std::size_t n = 0;
    for (int i = control_count - 1; i >= 0; --i)
        if (is_box(ControlId(i)))
            tab[n++] = ControlId(i);
    return tab;
}();

// The control of that name, or control_count.
ControlId control_id(const char* name);

// The menu bar's commands, left to right; the list of them, with what each does, is
// tutor::commands (commands.h).
enum class Command : std::uint8_t {
    Analizza,
    Componi,
    Frazioni,
    Test,
    Credits,
    Lingua,
    Lavagna,
    count
};
inline constexpr std::size_t command_count = static_cast<std::size_t>(Command::count);

struct Control {
    std::string text; // a label's caption or a box's text; commands write it with write()
    std::string tooltip;
    bool visible = true;
    std::uint32_t colour = 0;     // text colour, 0x00BBGGRR
    std::uint32_t background = 0; // 0x00BBGGRR
    // Counts the commands' writes of the text, so that a view can tell what a command
    // wrote even where the text stayed the same: a box's cursor moves to its end, and a
    // result line solved again is new to a screen reader.
    std::uint32_t writes = 0;

    void write(std::string new_text) {
        text = std::move(new_text);
        ++writes;
    }
};

struct MenuItem {
    std::string caption;
    bool enabled = true;
};

// What the board works from: the last solve that ran to its end, a test of X on that
// equation, and a solve since then that did not run to its end. The counters tell a view
// when to show the board anew and when to bring it up.
struct Board {
    std::optional<SolvedEquation> equation;
    std::optional<TestedValue> tested;
    std::optional<Interruption> interrupted;
    std::uint32_t updates = 0;
    std::uint32_t requests = 0;
};

// The picture: every control and menu item as the window shows it, and the board.
struct Screen {
    std::array<Control, control_count> controls;
    std::array<MenuItem, command_count> menu;
    std::uint32_t background = 0; // the window's own, 0x00BBGGRR
    Board board;

    // The design picture: what each control and menu item shows when the window opens.
    Screen();

    Control& operator[](ControlId id) { return controls[id]; }
    const Control& operator[](ControlId id) const { return controls[id]; }
    MenuItem& operator[](Command c) { return menu[static_cast<std::size_t>(c)]; }
    const MenuItem& operator[](Command c) const { return menu[static_cast<std::size_t>(c)]; }
};

} // namespace tutor
