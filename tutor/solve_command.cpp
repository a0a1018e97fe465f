// The solve command: from the six boxes to the integer form of the equation, its
// discriminant, its roots and the features of its parabola.
#include "colours.h"
#include "tutor.h"

#include "fractions/fraction.h"
#include "fractions/numbers.h"

namespace tutor {

using fractions::mul;
using fractions::quotient;

void Tutor::Analizza_Click() {
    // Any failure ends the command here; whatever was written before it stays.
    try {
        ResLabel.write("0");
        ResLabel.colour = colours::white;
        clear_caption();
        read_rows_a_b();
        if (compose_mode == -1) {
            compose_branch();
        } else {
            read_row_c();
            if (zero_check_passes(vocabulary::solve_zero_check))
                solve_integer_form();
        }
        set_heading_tooltips();
    } catch (const std::exception& failure) {
        show_failure(failure);
    }
}

void Tutor::solve_integer_form() {
    reduce_coefficients();
    read_rows_a_b();
    read_row_c();

    // Multiply through by the (positive) reduced denominators.
    a_num = mul(mul(a_num, b_den), c_den);
    b_num = mul(mul(b_num, a_den), c_den);
    c_num = mul(mul(c_num, a_den), b_den);
    c_den = 1;
    a_den = 1;
    b_den = 1;

    const double k = fractions::common_divisor(a_num, b_num, c_num);
    a_num /= k;
    b_num /= k;
    c_num /= k;

    write_box(textAN, a_num);
    TextAD.write("1");
    write_box(TextBN, b_num);
    TextBD.write("1");
    write_box(TextCN, c_num);
    TextCD.write("1");
    check_fraction();

    const double delta = static_cast<double>(fractions::exact_discriminant(a_num, b_num, c_num));
    DetLabel.write(say(vocabulary::determinant_prefix) + number_text(delta));
    write_roots(a_num, b_num, c_num);
    geometria();
}

void Tutor::set_heading_tooltips() {
    // Left as they were when a denominator as read is 0.
    if (mul(c_den, mul(a_den, b_den)) == 0)
        return;
    Label3.tooltip = "A=" + number_text(quotient(a_num, a_den));
    Label4.tooltip = "B=" + number_text(quotient(b_num, b_den));
    Label5.tooltip = "C=" + number_text(quotient(c_num, c_den));
}

} // namespace tutor
