// The two roots in exact form: reduced fractions, square-root expressions or
// complex expressions, with decimal values or a note in the tooltips.
#include "tutor.h"

#include "fractions/fraction.h"
#include "fractions/numbers.h"

#include <cmath>

namespace tutor {

using fractions::add;
using fractions::quotient;
using fractions::sub;
using fractions::Wide;

void Tutor::write_roots(double a, double b, double c) {
    // The discriminant is exact, so "is its square root whole" gets an exact answer
    // even where doubles could no longer tell a perfect square from its neighbours.
    const Wide delta = fractions::exact_discriminant(a, b, c);
    const double d = a * 2;
    const double minus_b = -b;

    if (delta >= 0) {
        const Wide whole_root = fractions::whole_square_root(delta);
        const double s = whole_root >= 0 ? static_cast<double>(whole_root)
                                         : std::sqrt(static_cast<double>(delta));
        LabelX1.tooltip = "X1=" + number_text(quotient(add(minus_b, s), d));
        LabelX2.tooltip = "X2=" + number_text(quotient(sub(minus_b, s), d));

        if (whole_root >= 0) {
            const auto rational_root = [&](Control& label, const char* name, Wide p) {
                const std::int16_t d16 = fractions::to_int16(d);
                simple_fraction(fractions::wide_to_int16(p), d16);
                std::string caption = name + number_text(reduced_num);
                if (reduced_den != 1)
                    caption += "/" + number_text(reduced_den);
                label.write(caption);
            };
            const Wide wide_minus_b = static_cast<Wide>(minus_b);
            rational_root(LabelX1, " X1=", wide_minus_b + whole_root);
            rational_root(LabelX2, " X2=", wide_minus_b - whole_root);
        } else {
            const std::string tail =
                "SQR(" + number_text(static_cast<double>(delta)) + ")] / " + number_text(d);
            LabelX1.write(" X1= [" + number_text(minus_b) + "+" + tail);
            LabelX2.write(" X2= [" + number_text(minus_b) + "-" + tail);
        }
        return;
    }

    const Wide m = -delta;
    const Wide whole_t = fractions::whole_square_root(m);
    const std::string over_d = number_text(d);
    if (b != 0) {
        const std::string imaginary = whole_t >= 0
                                          ? "i" + number_text(static_cast<double>(whole_t))
                                          : "i*SQR(" + number_text(static_cast<double>(m)) + ")";
        LabelX1.write(" X1= [" + number_text(minus_b) + "+" + imaginary + "] / " + over_d);
        LabelX2.write(" X2= [" + number_text(minus_b) + "-" + imaginary + "] / " + over_d);
    } else if (whole_t >= 0) {
        LabelX1.write(" X1= ( i" + number_text(static_cast<double>(whole_t)) + ") / " + over_d);
        LabelX2.write(" X2= ( -i" + number_text(static_cast<double>(whole_t)) + ") / " + over_d);
    } else {
        LabelX1.write(" X1= [ i*SQR(" + number_text(static_cast<double>(m)) + ")] / " + over_d);
        LabelX2.write(" X2= [ -i*SQR(" + number_text(static_cast<double>(m)) + ")] / " + over_d);
    }
    LabelX1.tooltip = say(vocabulary::complex_root);
    LabelX2.tooltip = say(vocabulary::complex_root);
}

} // namespace tutor
