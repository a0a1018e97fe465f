// Names and descriptions that screen readers announce for each control. A label's
// caption stays its accessible name, so results are read out as they are shown;
// the description says which row and role the control has.
#include "form1.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

struct Description {
    const char* control;
    const char* name; // empty: the caption is the name
    const char* description;
};

constexpr Description descriptions[] = {
    {"textAN", "numerator of A", "Coefficient A of x squared: numerator"},
    {"TextAD", "denominator of A", "Coefficient A of x squared: denominator"},
    {"TextBN", "numerator of B", "Coefficient B of x: numerator"},
    {"TextBD", "denominator of B", "Coefficient B of x: denominator"},
    {"TextCN", "numerator of C", "Constant term C: numerator"},
    {"TextCD", "denominator of C", "Constant term C: denominator"},
    {"TextXN", "numerator of X", "Value X to test: numerator"},
    {"TextXD", "denominator of X", "Value X to test: denominator"},
    {"Line1", "separator", "Line below the equation heading"},
    {"Line2", "separator", "Line between the C row and the X row"},
    {"Line3", "separator", "Line above the results"},
    {"Label1", "", "Heading: the general equation A x squared plus B x plus C equals"},
    {"Label2", "", "Heading: exponent of x"},
    {"Label3", "", "Heading: coefficient A; its tooltip gives the value of A"},
    {"Label4", "", "Heading: coefficient B; its tooltip gives the value of B"},
    {"Label5", "", "Heading: coefficient C; its tooltip gives the value of C"},
    {"ResLabel", "", "Right-hand side of the equation, or the value of the polynomial at X"},
    {"LabelA", "", "Row of coefficient A"},
    {"LabelB", "", "Row of coefficient B"},
    {"LabelC", "", "Row of coefficient C"},
    {"LabelX", "", "Row of the value X to test"},
    {"CompLabel", "", "Compose mode: the equation from its roots a and b"},
    {"LabelAlfa", "", "Compose mode: root a"},
    {"LabelBeta", "", "Compose mode: root b"},
    {"Labelalfa2", "", "Compose mode: row of root a"},
    {"LabelBeta2", "", "Compose mode: row of root b"},
    {"DetLabel", "", "Result: the discriminant, or the value of the polynomial at X"},
    {"LabelX1", "", "Result: the first root"},
    {"LabelX2", "", "Result: the second root"},
    {"LabelF", "", "Result: the focus of the parabola"},
    {"LabelV", "", "Result: the vertex of the parabola"},
    {"LabelD", "", "Result: the directrix of the parabola"},
};

} // namespace

void Form1::describe_controls() {
    for (const Description& d : descriptions) {
        auto* widget = centralWidget()->findChild<QWidget*>(QString::fromLatin1(d.control));
        if (*d.name != '\0')
            widget->setAccessibleName(QString::fromLatin1(d.name));
        widget->setAccessibleDescription(QString::fromLatin1(d.description));
    }
    setAccessibleName("Quadratic Tutor");
    setAccessibleDescription("Solves A x squared plus B x plus C equals 0 with fractions");
}
