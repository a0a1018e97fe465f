// Blanking of the result lines before a command writes new results.
#include "tutor.h"

namespace tutor {

void Tutor::clear_caption() {
    // ResLabel keeps its caption: the test command writes its value there first.
    DetLabel.text.clear();
    DetLabel.tooltip.clear();
    LabelX1.text.clear();
    LabelX2.text.clear();
    LabelX1.tooltip.clear();
    LabelX2.tooltip.clear();
    LabelF.text.clear();
    LabelV.text.clear();
    LabelD.text.clear();
    LabelF.tooltip.clear();
    LabelV.tooltip.clear();
    LabelD.tooltip.clear();
    ResLabel.tooltip.clear();
}

} // namespace tutor
