// Vertex, focus and directrix of the parabola y = A·x² + B·x + C.
#include "app/form1.h"
#include "fractions/fraction.h"
#include "fractions/numbers.h"

#include <QLabel>
#include <QLineEdit>

using fractions::quotient;
using fractions::to_int16;

void Form1::geometria() {
    // The boxes hold the integer form: whole numerators over "1".
    read_rows_a_b();
    read_row_c();
    const double a = a_num;
    const double b = b_num;
    const double delta = static_cast<double>(fractions::exact_discriminant(a, b, c_num));

    simple_fraction(to_int16(-b), to_int16(2 * a));
    const std::int16_t xn = reduced_num, xd = reduced_den;
    simple_fraction(to_int16(1 - delta), to_int16(4 * a));
    const std::int16_t fn = reduced_num, fd = reduced_den;

    mostra_frazione(xn, xd);
    const QString tx = fraction_text;
    mostra_frazione(fn, fd);
    const QString tf = fraction_text;
    set_caption(LabelF, "F(" + tx + "  ;  " + tf + ")");

    simple_fraction(to_int16(-delta), to_int16(4 * a));
    const std::int16_t vn = reduced_num, vd = reduced_den;
    mostra_frazione(vn, vd);
    const QString tv = fraction_text;
    set_caption(LabelV, "V(" + tx + "  ;  " + tv + ")");

    simple_fraction(to_int16(-(1 + delta)), to_int16(4 * a));
    const std::int16_t dn = reduced_num, dd = reduced_den;
    // The directrix always shows its denominator, and a zero numerator as " 0".
    set_caption(LabelD, "Y= " + number_text(dn) + "/" + number_text(dd));

    // Decimal values of the reduced pairs, in the language of this solve.
    const QString x = number_text(quotient(xn, xd));
    LabelF->setToolTip(say(vocabulary::focus_note) + x + " ; " + number_text(quotient(fn, fd)) +
                       ")");
    LabelV->setToolTip(say(vocabulary::vertex_note) + x + " ; " + number_text(quotient(vn, vd)) +
                       ")");
    LabelD->setToolTip(say(vocabulary::directrix_note) + number_text(quotient(dn, dd)));
}
