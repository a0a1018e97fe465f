// The test command: the exact value of A·X² + B·X + C at the typed X.
#include "app/colours.h"
#include "app/form1.h"
#include "fractions/fraction.h"
#include "fractions/numbers.h"

#include <QLabel>
#include <QLineEdit>

using fractions::mul;
using fractions::quotient;
using fractions::to_int16;

void Form1::Test_Click() {
    try {
        read_rows_a_b();
        read_row_c();
        double x_num = read_box(TextXN);
        double x_den = read_box(TextXD);

        if (mul(mul(mul(mul(a_num, a_den), b_den), c_den), x_den) == 0) {
            show_warning(vocabulary::test_zero_check);
            return;
        }

        // X first, then A, B and C; each pair is replaced as soon as it is reduced.
        simple_fraction(to_int16(x_num), to_int16(x_den));
        const fractions::Fraction x{reduced_num, reduced_den};
        x_num = x.num;
        x_den = x.den;
        simple_fraction(to_int16(a_num), to_int16(a_den));
        const fractions::Fraction a{reduced_num, reduced_den};
        a_num = a.num;
        a_den = a.den;
        simple_fraction(to_int16(b_num), to_int16(b_den));
        const fractions::Fraction b{reduced_num, reduced_den};
        b_num = b.num;
        b_den = b.den;
        simple_fraction(to_int16(c_num), c_den);
        const fractions::Fraction c{reduced_num, reduced_den};
        c_num = c.num;
        c_den = c.den;

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
        const QString f_text = fraction_text;

        if (f_num == 0)
            beep(); // X is a root
        // X = 0 leaves F(X) = C, shown in C's colour; any other X in X's colour.
        const QLabel* colour_source = x.num == 0 ? LabelC : LabelX;
        set_text_colour(ResLabel, colour_source->palette().color(QPalette::WindowText));
        QString caption = number_text(f_num);
        if (f_den != 1)
            caption += "/" + number_text(f_den);
        set_caption(ResLabel, caption);
        clear_caption();

        mostra_frazione(x.num, x.den);
        const QString x_text = fraction_text;
        ResLabel->setToolTip(number_text(quotient(f_num, f_den)));
        set_caption(DetLabel, "F(" + x_text + ")=" + f_text);
        DetLabel->setToolTip("Test");
    } catch (const std::exception& failure) {
        show_failure(failure);
    }
}
