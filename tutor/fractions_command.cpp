// The fractions command: every input row framed as a fraction with its denominator box.
#include "tutor.h"

namespace tutor {

void Tutor::Frazioni_Click() {
    // The blanks leave room for the two boxes that lie over the caption.
    LabelA.write("A =(     /     )");
    LabelB.write("B =(     /     )");
    LabelC.write("C =(     /     )");
    LabelX.write("X =(     /     )");
    TextAD.visible = true;
    TextBD.visible = true;
    // In compose mode the C and X rows are hidden and take no input.
    if (compose_mode == 0) {
        TextCD.visible = true;
        TextXD.visible = true;
    }
}

} // namespace tutor
