// Compose mode: the equation (x - a)(x - b) = 0 from two roots typed by the user.
#include "tutor.h"

#include "fractions/numbers.h"

namespace tutor {

using fractions::mul;
using fractions::sub;

void Tutor::set_compose_layout(bool compose) {
    // In compose mode the A and B rows take the roots a and b; C, X and the test go.
    Test.enabled = !compose;
    for (Control* heading : {&CompLabel, &LabelAlfa, &LabelBeta})
        heading->visible = compose;
    for (Control* row : {&LabelC, &TextCN, &TextCD, &Line2, &LabelX, &TextXN, &TextXD})
        row->visible = !compose;
    LabelBeta2.visible = compose;
    Labelalfa2.visible = compose;
}

void Tutor::Componi_Click() {
    compose_mode = -1;
    clear_caption();
    set_compose_layout(true);
    textAN.write("");
    TextAD.write("1");
    TextBN.write("");
    TextBD.write("1");
    DetLabel.write(say(vocabulary::compose_line1));
    LabelX1.write(say(vocabulary::compose_line2));
    LabelX2.write(say(vocabulary::compose_line3));
}

void Tutor::compose_branch() {
    compose_mode = 0;
    set_compose_layout(false);

    read_rows_a_b();
    // x² - (a + b)·x + a·b = 0, with B and C over the common denominator, unreduced.
    textAN.write("1");
    TextAD.write("1");
    write_box(TextBN, sub(-mul(b_num, a_den), mul(a_num, b_den)));
    write_box(TextBD, mul(b_den, a_den));
    write_box(TextCN, mul(a_num, b_num));
    write_box(TextCD, mul(a_den, b_den));

    // The nested run has its own failure handling; the caller then finishes with the
    // heading tooltips from whatever the nested run left in the working state.
    Analizza_Click();
}

} // namespace tutor
