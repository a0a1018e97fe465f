// Vertex, focus and directrix of the parabola y = A·x² + B·x + C.
#include "tutor.h"

#include "fractions/fraction.h"
#include "fractions/numbers.h"

namespace tutor {

using fractions::quotient;
using fractions::to_int16;

void Tutor::geometria() {
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
    const std::string tx = fraction_text;
    mostra_frazione(fn, fd);
    const std::string tf = fraction_text;
    LabelF.write("F(" + tx + "  ;  " + tf + ")");

    simple_fraction(to_int16(-delta), to_int16(4 * a));
    const std::int16_t vn = reduced_num, vd = reduced_den;
    mostra_frazione(vn, vd);
    const std::string tv = fraction_text;
    LabelV.write("V(" + tx + "  ;  " + tv + ")");

    simple_fraction(to_int16(-(1 + delta)), to_int16(4 * a));
    const std::int16_t dn = reduced_num, dd = reduced_den;
    // The directrix always shows its denominator, and a zero numerator as " 0".
    LabelD.write("Y= " + number_text(dn) + "/" + number_text(dd));

    // Decimal values of the reduced pairs, in the language of this solve.
    const std::string x = number_text(quotient(xn, xd));
    LabelF.tooltip = say(vocabulary::focus_note) + x + " ; " + number_text(quotient(fn, fd)) + ")";
    LabelV.tooltip = say(vocabulary::vertex_note) + x + " ; " + number_text(quotient(vn, vd)) + ")";
    LabelD.tooltip = say(vocabulary::directrix_note) + number_text(quotient(dn, dd));
}

} // namespace tutor
