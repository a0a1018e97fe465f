// The solve: reading the coefficient boxes, the zero check, the reduction of each
// coefficient with its write-back and the collapse of whole rows; the solve command
// from the six boxes to the integer form of the equation and its discriminant; the two
// roots in exact form; the vertex, focus and directrix of the parabola; compose mode.
#include "tutor.h"

#include "colours.h"
#include "fractions/fraction.h"
#include "fractions/numbers.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace tutor {

using fractions::add;
using fractions::mul;
using fractions::quotient;
using fractions::rounds_to_zero;
using fractions::sub;
using fractions::to_int16;
using fractions::Wide;

// --- Coefficient entry ---------------------------------------------------------------
// Reading the coefficient boxes, the zero check, the reduction of each coefficient
// with its write-back, and the collapse of rows whose denominator is 1.

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
    const auto reduce_row = [this](ControlId num_box, ControlId den_box, double num,
                                   std::int16_t den) {
        simple_fraction(to_int16(num), den);
        write_box(num_box, reduced_num);
        write_box(den_box, reduced_den);
    };
    reduce_row(textAN, TextAD, a_num, to_int16(a_den));
    reduce_row(TextBN, TextBD, b_num, to_int16(b_den));
    reduce_row(TextCN, TextCD, c_num, c_den);
}

namespace {

// A box's text without the blanks that reading skips.
std::string without_blanks(const std::string& text) {
    std::string packed;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            packed += c;
    return packed;
}

// Whether a text without blanks is a decimal number alone, read as it is written: 2.5,
// -3, .5, 1E2.
bool number_alone(const std::string& text) {
    std::size_t i = 0, digits = 0;
    const auto skip_digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        return i - from;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    digits = skip_digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        digits += skip_digits();
    }
    if (digits == 0)
        return false;
    if (i < text.size() && std::strchr("EeDd", text[i]) != nullptr) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (skip_digits() == 0)
            return false;
    }
    return i == text.size();
}

} // namespace

void Tutor::note_read_otherwise(std::vector<ReadOtherwise>& out,
                                std::initializer_list<ControlId> boxes, bool roots) const {
    for (const ControlId box : boxes) {
        const std::string& text = screen_[box].text;
        if (without_blanks(text).empty())
            continue; // an empty box is 0
        const double as_typed = read_box(box);
        double read = as_typed;
        if (!roots) {
            try {
                read = to_int16(as_typed);
            } catch (const std::overflow_error&) {
                continue; // the solve stops on it
            }
        }
        if (read == as_typed && number_alone(without_blanks(text)))
            continue;
        const std::size_t first = text.find_first_not_of(" \t\n"),
                          last = text.find_last_not_of(" \t\n");
        const char row = "?ABCX"[static_cast<int>(controls[box].row)];
        out.push_back({roots ? static_cast<char>(std::tolower(row)) : row,
                       controls[box].kind == Kind::Denominator,
                       text.substr(first, last - first + 1), fractions::plain_text(read)});
    }
}

void Tutor::check_fraction() {
    const struct {
        ControlId label;
        ControlId den_box;
        const char* caption;
    } rows[] = {{LabelA, TextAD, "A ="},
                {LabelB, TextBD, "B ="},
                {LabelC, TextCD, "C ="},
                {LabelX, TextXD, "X ="}};
    for (const auto& row : rows) {
        // Only ever collapses: the fractions command brings the boxes back.
        if (read_box(row.den_box) == 1) {
            screen_[row.label].write(row.caption);
            screen_[row.den_box].visible = false;
        }
    }
}

// --- The solve command ---------------------------------------------------------------
// The solve command: from the six boxes to the integer form of the equation, its
// discriminant, its roots and the features of its parabola.

void Tutor::Analizza_Click() {
    // Any failure ends the command here; whatever was written before it stays.
    try {
        screen_[ResLabel].write("0");
        screen_[ResLabel].colour = colours::white;
        clear_caption();
        read_rows_a_b();
        if (compose_mode == -1) {
            compose_branch();
        } else {
            read_row_c();
            read_otherwise_ = composed_read_otherwise_;
            note_read_otherwise(read_otherwise_, {textAN, TextAD, TextBN, TextBD, TextCN, TextCD});
            if (zero_check_passes(vocabulary::solve_zero_check))
                solve_integer_form();
            else
                interrupt_board({true, {}});
        }
        set_heading_tooltips();
    } catch (const std::exception& failure) {
        interrupt_board({false, failure.what()});
        show_failure(failure);
    }
}

void Tutor::solve_integer_form() {
    reduce_coefficients();
    read_rows_a_b();
    read_row_c();
    // The boxes now hold the reduced coefficients, 16-bit values all.
    const auto read = [](double num, double den) {
        return fractions::Fraction{static_cast<std::int16_t>(num), static_cast<std::int16_t>(den)};
    };
    const fractions::Fraction a = read(a_num, a_den), b = read(b_num, b_den),
                              c = read(c_num, c_den);

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
    screen_[TextAD].write("1");
    write_box(TextBN, b_num);
    screen_[TextBD].write("1");
    write_box(TextCN, c_num);
    screen_[TextCD].write("1");
    check_fraction();

    const double delta = static_cast<double>(fractions::exact_discriminant(a_num, b_num, c_num));
    screen_[DetLabel].write(say(vocabulary::determinant_prefix) + number_text(delta));
    write_roots(a_num, b_num, c_num);
    geometria();
    keep_for_board(a, b, c);
}

void Tutor::keep_for_board(fractions::Fraction a, fractions::Fraction b, fractions::Fraction c) {
    // The working state holds the integer form, whole numbers below 2^53.
    SolvedEquation e{a,
                     b,
                     c,
                     composed_a_,
                     composed_b_,
                     static_cast<std::int64_t>(a_num),
                     static_cast<std::int64_t>(b_num),
                     static_cast<std::int64_t>(c_num),
                     read_otherwise_};
    screen_.board.equation = std::move(e);
    screen_.board.tested.reset();
    screen_.board.interrupted.reset();
    ++screen_.board.updates;
}

void Tutor::interrupt_board(Interruption interruption) {
    screen_.board.interrupted = std::move(interruption);
    ++screen_.board.updates;
}

void Tutor::set_heading_tooltips() {
    // Left as they were when a denominator as read is 0.
    if (mul(c_den, mul(a_den, b_den)) == 0)
        return;
    screen_[Label3].tooltip = "A=" + number_text(quotient(a_num, a_den));
    screen_[Label4].tooltip = "B=" + number_text(quotient(b_num, b_den));
    screen_[Label5].tooltip = "C=" + number_text(quotient(c_num, c_den));
}

// --- The roots in exact form ---------------------------------------------------------
// The two roots in exact form: reduced fractions, square-root expressions or
// complex expressions, with decimal values or a note in the tooltips.

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
        screen_[LabelX1].tooltip = "X1=" + number_text(quotient(add(minus_b, s), d));
        screen_[LabelX2].tooltip = "X2=" + number_text(quotient(sub(minus_b, s), d));

        if (whole_root >= 0) {
            const auto rational_root = [&](ControlId label, const char* name, Wide p) {
                const std::int16_t d16 = fractions::to_int16(d);
                simple_fraction(fractions::wide_to_int16(p), d16);
                std::string caption = name + number_text(reduced_num);
                if (reduced_den != 1)
                    caption += "/" + number_text(reduced_den);
                screen_[label].write(caption);
            };
            const Wide wide_minus_b = static_cast<Wide>(minus_b);
            rational_root(LabelX1, " X1=", wide_minus_b + whole_root);
            rational_root(LabelX2, " X2=", wide_minus_b - whole_root);
        } else {
            const std::string tail =
                "SQR(" + number_text(static_cast<double>(delta)) + ")] / " + number_text(d);
            screen_[LabelX1].write(" X1= [" + number_text(minus_b) + "+" + tail);
            screen_[LabelX2].write(" X2= [" + number_text(minus_b) + "-" + tail);
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
        screen_[LabelX1].write(" X1= [" + number_text(minus_b) + "+" + imaginary + "] / " + over_d);
        screen_[LabelX2].write(" X2= [" + number_text(minus_b) + "-" + imaginary + "] / " + over_d);
    } else if (whole_t >= 0) {
        screen_[LabelX1].write(" X1= ( i" + number_text(static_cast<double>(whole_t)) + ") / " +
                               over_d);
        screen_[LabelX2].write(" X2= ( -i" + number_text(static_cast<double>(whole_t)) + ") / " +
                               over_d);
    } else {
        screen_[LabelX1].write(" X1= [ i*SQR(" + number_text(static_cast<double>(m)) + ")] / " +
                               over_d);
        screen_[LabelX2].write(" X2= [ -i*SQR(" + number_text(static_cast<double>(m)) + ")] / " +
                               over_d);
    }
    screen_[LabelX1].tooltip = say(vocabulary::complex_root);
    screen_[LabelX2].tooltip = say(vocabulary::complex_root);
}

// --- The parabola --------------------------------------------------------------------
// Vertex, focus and directrix of the parabola y = A·x² + B·x + C.

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
    screen_[LabelF].write("F(" + tx + "  ;  " + tf + ")");

    simple_fraction(to_int16(-delta), to_int16(4 * a));
    const std::int16_t vn = reduced_num, vd = reduced_den;
    mostra_frazione(vn, vd);
    const std::string tv = fraction_text;
    screen_[LabelV].write("V(" + tx + "  ;  " + tv + ")");

    simple_fraction(to_int16(-(1 + delta)), to_int16(4 * a));
    const std::int16_t dn = reduced_num, dd = reduced_den;
    // The directrix always shows its denominator, and a zero numerator as " 0".
    screen_[LabelD].write("Y= " + number_text(dn) + "/" + number_text(dd));

    // Decimal values of the reduced pairs, in the language of this solve.
    const std::string x = number_text(quotient(xn, xd));
    screen_[LabelF].tooltip =
        say(vocabulary::focus_note) + x + " ; " + number_text(quotient(fn, fd)) + ")";
    screen_[LabelV].tooltip =
        say(vocabulary::vertex_note) + x + " ; " + number_text(quotient(vn, vd)) + ")";
    screen_[LabelD].tooltip = say(vocabulary::directrix_note) + number_text(quotient(dn, dd));
}

// --- Compose mode --------------------------------------------------------------------
// Compose mode: the equation (x - a)(x - b) = 0 from two roots typed by the user.

void Tutor::set_compose_layout(bool compose) {
    // In compose mode the A and B rows take the roots a and b; C, X and the test go.
    screen_[Command::Test].enabled = !compose;
    for (ControlId heading : {CompLabel, LabelAlfa, LabelBeta})
        screen_[heading].visible = compose;
    for (ControlId row : {LabelC, TextCN, TextCD, Line2, LabelX, TextXN, TextXD})
        screen_[row].visible = !compose;
    screen_[LabelBeta2].visible = compose;
    screen_[Labelalfa2].visible = compose;
}

void Tutor::Componi_Click() {
    compose_mode = -1;
    clear_caption();
    set_compose_layout(true);
    screen_[textAN].write("");
    screen_[TextAD].write("1");
    screen_[TextBN].write("");
    screen_[TextBD].write("1");
    screen_[DetLabel].write(say(vocabulary::compose_line1));
    screen_[LabelX1].write(say(vocabulary::compose_line2));
    screen_[LabelX2].write(say(vocabulary::compose_line3));
}

void Tutor::compose_branch() {
    compose_mode = 0;
    set_compose_layout(false);

    read_rows_a_b();
    std::vector<ReadOtherwise> roots_read;
    note_read_otherwise(roots_read, {textAN, TextAD, TextBN, TextBD}, true);
    // x² - (a + b)·x + a·b = 0, with B and C over the common denominator, unreduced.
    screen_[textAN].write("1");
    screen_[TextAD].write("1");
    write_box(TextBN, sub(-mul(b_num, a_den), mul(a_num, b_den)));
    write_box(TextBD, mul(b_den, a_den));
    write_box(TextCN, mul(a_num, b_num));
    write_box(TextCD, mul(a_den, b_den));

    // The board shows the product of the two roots where they are whole numbers over
    // whole numbers, as a class would write them.
    const auto root = [](double num, double den) -> std::optional<fractions::Fraction> {
        if (!fractions::is_whole(num) || !fractions::is_whole(den) || den == 0 ||
            std::fabs(num) > 32767 || std::fabs(den) > 32767)
            return std::nullopt;
        return fractions::reduce_fraction(static_cast<std::int16_t>(num),
                                          static_cast<std::int16_t>(den));
    };
    composed_a_ = root(a_num, a_den);
    composed_b_ = root(b_num, b_den);
    if (!composed_a_ || !composed_b_)
        composed_a_ = composed_b_ = std::nullopt;

    composed_read_otherwise_ = std::move(roots_read);
    // The nested run has its own failure handling; the caller then finishes with the
    // heading tooltips from whatever the nested run left in the working state.
    Analizza_Click();
    composed_a_ = composed_b_ = std::nullopt;
    composed_read_otherwise_.clear();
}

} // namespace tutor
