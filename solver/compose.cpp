// Compose mode: the equation (x - a)(x - b) = 0 from two roots typed by the user.
#include "app/form1.h"
#include "fractions/numbers.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

using fractions::mul;
using fractions::sub;

void Form1::Componi_Click() {
    compose_mode = -1;
    clear_caption();
    Test->setEnabled(false);
    for (QWidget* shown : {CompLabel, LabelAlfa, LabelBeta})
        shown->setVisible(true);
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{LabelC, TextCN, TextCD, Line2, LabelX, TextXN, TextXD})
        hidden->setVisible(false);
    LabelBeta2->setVisible(true);
    Labelalfa2->setVisible(true);
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
    Test->setEnabled(true);
    for (QWidget* hidden : {CompLabel, LabelAlfa, LabelBeta})
        hidden->setVisible(false);
    for (QWidget* shown :
         std::initializer_list<QWidget*>{LabelC, TextCN, TextCD, Line2, LabelX, TextXN, TextXD})
        shown->setVisible(true);
    LabelBeta2->setVisible(false);
    Labelalfa2->setVisible(false);

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
