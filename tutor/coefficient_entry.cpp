// Reading the coefficient boxes, the zero check, the reduction of each coefficient
// with its write-back, and the collapse of rows whose denominator is 1.
#include "tutor.h"

#include "fractions/numbers.h"

namespace tutor {

using fractions::mul;
using fractions::rounds_to_zero;
using fractions::to_int16;

void Tutor::read_rows_a_b() {
    // Hidden boxes are read like visible ones.
    a_num = read_box(textAN);
    a_den = read_box(TextAD);
    b_num = read_box(TextBN);
    b_den = read_box(TextBD);
}

void Tutor::read_row_c() {
    c_num = read_box(TextCN);
    // C's denominator is a 16-bit integer from the moment it is read.
    c_den = to_int16(read_box(TextCD));
}

bool Tutor::zero_check_passes(const Bilingual& refusal, double x_den) {
    // The product of the values as read comes first, so that an overflow in it is
    // still a failure. A value that the 16-bit conversion turns into 0 (0.4, -0.5) is
    // refused like a typed 0: let through, it would solve another equation.
    const double product = mul(mul(mul(mul(a_num, a_den), b_den), c_den), x_den);
    if (product != 0 && !rounds_to_zero(a_num) && !rounds_to_zero(a_den) &&
        !rounds_to_zero(b_den) && !rounds_to_zero(x_den))
        return true;
    show_warning(refusal);
    return false;
}

void Tutor::reduce_coefficients() {
    // Row by row, each box written right after its own reduction, so that a failure
    // part-way leaves the rows before it rewritten.
    const auto reduce_row = [this](Control& num_box, Control& den_box, double num,
                                   std::int16_t den) {
        simple_fraction(to_int16(num), den);
        write_box(num_box, reduced_num);
        write_box(den_box, reduced_den);
    };
    reduce_row(textAN, TextAD, a_num, to_int16(a_den));
    reduce_row(TextBN, TextBD, b_num, to_int16(b_den));
    reduce_row(TextCN, TextCD, c_num, c_den);
}

void Tutor::check_fraction() {
    const struct {
        Control& label;
        Control& den_box;
        const char* caption;
    } rows[] = {{LabelA, TextAD, "A ="},
                {LabelB, TextBD, "B ="},
                {LabelC, TextCD, "C ="},
                {LabelX, TextXD, "X ="}};
    for (const auto& row : rows) {
        // Only ever collapses: the fractions command brings the boxes back.
        if (read_box(row.den_box) == 1) {
            row.label.write(row.caption);
            row.den_box.visible = false;
        }
    }
}

} // namespace tutor
