// The test command: the exact value of A·X² + B·X + C at the typed X.
#include "tutor.h"

#include "fractions/fraction.h"
#include "fractions/numbers.h"

namespace tutor {

using fractions::mul;
using fractions::quotient;
using fractions::to_int16;

void Tutor::Test_Click() {
    try {
        read_rows_a_b();
        read_row_c();
        double x_num = read_box(TextXN);
        double x_den = read_box(TextXD);

        if (!zero_check_passes(vocabulary::test_zero_check, x_den))
            return;

        // X first, then A, B and C; each pair is replaced as soon as it is reduced.
        const auto reduce = [this](double& num, auto& den) {
            simple_fraction(to_int16(num), to_int16(den));
            num = reduced_num;
            den = reduced_den;
            return fractions::Fraction{reduced_num, reduced_den};
        };
        const fractions::Fraction x = reduce(x_num, x_den);
        const fractions::Fraction a = reduce(a_num, a_den);
        const fractions::Fraction b = reduce(b_num, b_den);
        const fractions::Fraction c = reduce(c_num, c_den);

        write_box(textAN, a_num);
        write_box(TextAD, a_den);
        write_box(TextBN, b_num);
        write_box(TextBD, b_den);
        write_box(TextCN, c_num);
        write_box(TextCD, c_den);
        write_box(TextXN, x_num);
        write_box(TextXD, x_den);
        check_fraction();

        const fractions::Fraction value = fractions::polynomial_value(a, b, c, x);
        simple_fraction(value.num, value.den);
        const std::int16_t f_num = reduced_num, f_den = reduced_den;
        mostra_frazione(f_num, f_den);
        const std::string f_text = fraction_text;

        if (f_num == 0)
            platform_.beep(); // X is a root
        // X = 0 leaves F(X) = C, shown in C's colour; any other X in X's colour.
        screen_[ResLabel].colour = screen_[x.num == 0 ? LabelC : LabelX].colour;
        std::string caption = number_text(f_num);
        if (f_den != 1)
            caption += "/" + number_text(f_den);
        screen_[ResLabel].write(caption);
        clear_caption();

        mostra_frazione(x.num, x.den);
        const std::string x_text = fraction_text;
        screen_[ResLabel].tooltip = number_text(quotient(f_num, f_den));
        screen_[DetLabel].write("F(" + x_text + ")=" + f_text);
        screen_[DetLabel].tooltip = "Test";

        // A test of the equation on the board is worked there too.
        Board& board = screen_.board;
        const auto is = [](fractions::Fraction f, std::int64_t whole) {
            return f.den == 1 && f.num == whole;
        };
        if (board.equation && is(a, board.equation->A) && is(b, board.equation->B) &&
            is(c, board.equation->C)) {
            board.tested = TestedValue{x, {f_num, f_den}};
            ++board.updates;
        }
    } catch (const std::exception& failure) {
        show_failure(failure);
    }
}

} // namespace tutor
