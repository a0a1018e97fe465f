// Blanking of the result lines before a command writes new results.
#include "tutor.h"

namespace tutor {

void Tutor::clear_caption() {
    // ResLabel keeps its caption: the test command writes its value there first.
    DetLabel.write("");
    DetLabel.tooltip.clear();
    LabelX1.write("");
    LabelX2.write("");
    LabelX1.tooltip.clear();
    LabelX2.tooltip.clear();
    LabelF.write("");
    LabelV.write("");
    LabelD.write("");
    LabelF.tooltip.clear();
    LabelV.tooltip.clear();
    LabelD.tooltip.clear();
    ResLabel.tooltip.clear();
}

} // namespace tutor
