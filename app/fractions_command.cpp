// The fractions command: every input row framed as a fraction with its denominator box.
#include "form1.h"

#include <QLabel>
#include <QLineEdit>

void Form1::Frazioni_Click() {
    // The blanks leave room for the two boxes that lie over the caption.
    set_caption(LabelA, "A =(     /     )");
    set_caption(LabelB, "B =(     /     )");
    set_caption(LabelC, "C =(     /     )");
    set_caption(LabelX, "X =(     /     )");
    TextAD->setVisible(true);
    TextBD->setVisible(true);
    // In compose mode the C and X rows are hidden and take no input.
    if (compose_mode == 0) {
        TextCD->setVisible(true);
        TextXD->setVisible(true);
    }
}
