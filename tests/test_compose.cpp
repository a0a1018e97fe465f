// Compose mode: the compose command's layout and instructions, then the solve of
// (x - a)(x - b) = 0 through the nested solve, its refusal and its failure.
#include "tutor_probe.h"

#include <QtTest>

// The mode flag and the Test item, those of the controls that the mode swaps that are not
// hidden, the six coefficient boxes, the first three result lines, the heading tooltips
// and each message box's prompt (a line break written \r).
static QString state(Probe& w) {
    QString out =
        QString::number(w.compose_mode) + (w.screen()[tutor::Command::Test].enabled ? " Test" : "");
    for (const char* n : {"CompLabel", "LabelAlfa", "LabelBeta", "Labelalfa2", "LabelBeta2",
                          "LabelC", "TextCN", "Line2", "LabelX", "TextXN", "TextCD", "TextXD"})
        out += w.hidden(n) ? "" : QString(" ") + n;
    for (const char* n : {"textAN", "TextAD", "TextBN", "TextBD", "TextCN", "TextCD"})
        out += "|" + w.text(n);
    for (const char* n : {"DetLabel", "LabelX1", "LabelX2"})
        out += "|" + w.text(n);
    for (const char* n : {"Label3", "Label4", "Label5"})
        out += "|" + w.tip(n);
    for (const Message& m : w.messages)
        out += "|" + QString(m.prompt).replace('\r', "\\r");
    return out;
}

// After the compose command (and the fractions command in compose mode), in Italian and
// in English.
static const char* const composing =
    R"(-1 CompLabel LabelAlfa LabelBeta Labelalfa2 LabelBeta2||1||1|11|12| Componi un'equazione date le| due radici reali : a , b| Per continuare clicca su : Risolvi.|||
-1 CompLabel LabelAlfa LabelBeta Labelalfa2 LabelBeta2||1||1|11|12| Define an equation with these| real roots : a , b| Click 'Solve' to continue.|||)";

// name;language;a and b, numerator and denominator of each;the state after the solve. A
// solve collapses the C and X denominators, a refusal or a failure does not. With a = 2/0
// the composed denominators are 0; with a = 300, b = 200 the composed C = 60000 fails the
// nested solve's reduction, and the outer run still sets the tooltips from what was read.
static const char* const cases =
    R"(2 and 3;0;2,1,3,1;0 Test LabelC TextCN Line2 LabelX TextXN|1|1|-5|1|6|1| Determinante =  1| X1= 3| X2= 2|A= 1|B=-5|C= 6
1/2 and -1/3;0;1,2,-1,3;0 Test LabelC TextCN Line2 LabelX TextXN|6|1|-1|1|-1|1| Determinante =  25| X1= 1/ 2| X2=-1/ 3|A= 6|B=-1|C=-1
empty;1;,1,,1;0 Test LabelC TextCN Line2 LabelX TextXN|1|1|0|1|0|1| Determinant =  0| X1= 0| X2= 0|A= 1|B= 0|C= 0
-2/3 and -4/6;0;-2,3,-4,6;0 Test LabelC TextCN Line2 LabelX TextXN|9|1|12|1|4|1| Determinante =  0| X1=-2/ 3| X2=-2/ 3|A= 9|B= 12|C= 4
2/0 and 3;0;2,0,3,1;0 Test LabelC TextCN Line2 LabelX TextXN TextCD TextXD|1|1|-2|0|6|0|||||||Operazione interrotta.\rTutti i denominatori e il numeratore di A devono essere diversi da zero
2/0.4 and 3;1;2,0.4,3,1;0 Test LabelC TextCN Line2 LabelX TextXN TextCD TextXD|1|1|-3.2|0.4|6|0.4|||||||Stop.\rAll denominators and the numerator A mustn't be zero
300 and 200;1;300,1,200,1;0 Test LabelC TextCN Line2 LabelX TextXN TextCD TextXD|1|1|-500|1|60000|1||||A= 1|B=-500|C= 60000|Stop.)";

class ComposeTest : public QObject {
    Q_OBJECT
  private slots:
    void compose_solve_data() {
        QTest::addColumn<QStringList>("row");
        for (const QString& r : QString(cases).split('\n', Qt::SkipEmptyParts))
            QTest::newRow(qPrintable(r.section(';', 0, 0))) << r.split(QRegularExpression("[;,]"));
    }
    void compose_solve() {
        QFETCH(QStringList, row); // name, language, a's and b's numerator and denominator, state
        Probe w;
        w.language = row[1].toShort();
        w.type_coefficients("7", "8", "9", "10", "11", "12");
        w.Frazioni_Click(); // the C and X denominators are shown before the compose command
        w.Componi_Click();
        w.Frazioni_Click(); // which leaves them hidden in compose mode
        QCOMPARE(state(w), QString(composing).section('\n', w.language, w.language));
        w.type_coefficients(row[2], row[3], row[4], row[5], "", "");
        w.Analizza_Click();
        QCOMPARE(state(w), row[6]);
    }
};

QTEST_APPLESS_MAIN(ComposeTest)
#include "test_compose.moc"
