// Compose mode: the equation (x - a)(x - b) = 0 from two roots typed by the user.
#include "app/form1.h"
#include "fractions/numbers.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

using fractions::mul;
using fractions::sub;

void Form1::set_compose_layout(bool compose) {
    // In compose mode the A and B rows take the roots a and b; C, X and the test go.
    Test->setEnabled(!compose);
    for (QWidget* heading : {CompLabel, LabelAlfa, LabelBeta})
        heading->setVisible(compose);
    for (QWidget* row :
         std::initializer_list<QWidget*>{LabelC, TextCN, TextCD, Line2, LabelX, TextXN, TextXD})
        row->setVisible(!compose);
    LabelBeta2->setVisible(compose);
    Labelalfa2->setVisible(compose);
}

void Form1::Componi_Click() {
    compose_mode = -1;
    clear_caption();
    set_compose_layout(true);
    textAN->setText("");
    TextAD->setText("1");
    TextBN->setText("");
    TextBD->setText("1");
    set_caption(DetLabel, say(vocabulary::compose_line1));
    set_caption(LabelX1, say(vocabulary::compose_line2));
    set_caption(LabelX2, say(vocabulary::compose_line3));
}

void Form1::compose_branch() {
    compose_mode = 0;
    set_compose_layout(false);

    read_rows_a_b();
    // x² - (a + b)·x + a·b = 0, with B and C over the common denominator, unreduced.
    textAN->setText("1");
    TextAD->setText("1");
    write_box(TextBN, sub(-mul(b_num, a_den), mul(a_num, b_den)));
    write_box(TextBD, mul(b_den, a_den));
    write_box(TextCN, mul(a_num, b_num));
    write_box(TextCD, mul(a_den, b_den));

    // The nested run has its own failure handling; the caller then finishes with the
    // heading tooltips from whatever the nested run left in the working state.
    Analizza_Click();
}
