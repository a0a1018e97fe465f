// Blanking of the result lines before a command writes new results.
#include "form1.h"

#include <QLabel>

void Form1::clear_caption() {
    // ResLabel keeps its caption: the test command writes its value there first.
    set_caption(DetLabel, QString());
    DetLabel->setToolTip(QString());
    set_caption(LabelX1, QString());
    set_caption(LabelX2, QString());
    LabelX1->setToolTip(QString());
    LabelX2->setToolTip(QString());
    set_caption(LabelF, QString());
    set_caption(LabelV, QString());
    set_caption(LabelD, QString());
    LabelF->setToolTip(QString());
    LabelV->setToolTip(QString());
    LabelD->setToolTip(QString());
    ResLabel->setToolTip(QString());
}
