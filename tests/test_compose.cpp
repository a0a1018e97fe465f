// Compose mode: the compose command's layout and instructions, then the solve of
// (x - a)(x - b) = 0 through the nested solve, its refusal and its failure.
#include "tutor_probe.h"

#include <QtTest>

const List swapped{"CompLabel", "LabelAlfa", "LabelBeta", "Labelalfa2", "LabelBeta2", "LabelC",
                   "TextCN",    "Line2",     "LabelX",    "TextXN",     "TextCD",     "TextXD"};

// In the row's language: x = 7/8, 9/10, 11/12 typed, the fractions command (the C and X
// denominators are shown), the compose command and the fractions command again (which
// leaves them hidden in compose mode); then, with roots typed, the solve.
static void compose(Probe& w) {
    QFETCH(int, language);
    w.language = std::int16_t(language);
    w.type_coefficients({"7", "8", "9", "10", "11", "12"});
    w.Frazioni_Click();
    w.Componi_Click();
    w.Frazioni_Click();
}
static void compare_state(Probe& w) {
    QTEST(int(w.compose_mode), "mode");
    QTEST(w.screen()[tutor::Command::Test].enabled, "test");
    List shown; // of the controls that the mode swaps
    for (const QString& n : swapped)
        if (!w.hidden(qPrintable(n)))
            shown << n;
    QTEST(shown, "shown");
    QTEST(w.texts({"textAN", "TextAD", "TextBN", "TextBD", "TextCN", "TextCD"}), "boxes");
    QTEST(w.texts({"DetLabel", "LabelX1", "LabelX2"}), "results");
    QTEST(w.tips({"Label3", "Label4", "Label5"}), "heads");
    List prompts;
    for (const Message& m : w.messages)
        prompts << m.prompt;
    QTEST(prompts, "prompts");
}
static void add_columns() {
    QTest::addColumn<int>("language");
    QTest::addColumn<List>("roots"); // a and b, numerator and denominator of each
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("test"); // the Test item enabled
    QTest::addColumn<List>("shown");
    QTest::addColumn<List>("boxes");
    QTest::addColumn<List>("results");
    QTest::addColumn<List>("heads"); // the tooltips of Label3, Label4, Label5
    QTest::addColumn<List>("prompts");
}

class ComposeTest : public QObject {
    Q_OBJECT
  private slots:
    void compose_command_data() {
        add_columns();
        const List shown = swapped.mid(0, 5), boxes{"", "1", "", "1", "11", "12"};
        QTest::newRow("Italian") << 0 << List() << -1 << false << shown << boxes
                                 << List{" Componi un'equazione date le",
                                         " due radici reali : a , b",
                                         " Per continuare clicca su : Risolvi."}
                                 << List{"", "", ""} << List();
        QTest::newRow("English") << 1 << List() << -1 << false << shown << boxes
                                 << List{" Define an equation with these", " real roots : a , b",
                                         " Click 'Solve' to continue."}
                                 << List{"", "", ""} << List();
    }
    void compose_command() {
        Probe w;
        compose(w);
        compare_state(w);
    }

    // A solve collapses the C and X denominators, a refusal or a failure does not. With
    // a = 2/0 the composed denominators are 0; with a = 300, b = 200 the composed
    // C = 60000 fails the nested solve's reduction, and the outer run still sets the
    // tooltips from what was read.
    void compose_solve_data() {
        add_columns();
        const List rows = swapped.mid(5, 5), all = swapped.mid(5), none{"", "", ""};
        const auto row = [&](const char* name, int language, const char* roots, const List& shown,
                             const char* boxes, const List& results, const List& heads,
                             const List& prompts) {
            QTest::newRow(name) << language << QString(roots).split(',') << 0 << true << shown
                                << QString(boxes).split(',') << results << heads << prompts;
        };
        row("2 and 3", 0, "2,1,3,1", rows, "1,1,-5,1,6,1",
            {" Determinante =  1", " X1= 3", " X2= 2"}, {"A= 1", "B=-5", "C= 6"}, {});
        row("1/2 and -1/3", 0, "1,2,-1,3", rows, "6,1,-1,1,-1,1",
            {" Determinante =  25", " X1= 1/ 2", " X2=-1/ 3"}, {"A= 6", "B=-1", "C=-1"}, {});
        row("empty", 1, ",1,,1", rows, "1,1,0,1,0,1", {" Determinant =  0", " X1= 0", " X2= 0"},
            {"A= 1", "B= 0", "C= 0"}, {});
        row("-2/3 and -4/6", 0, "-2,3,-4,6", rows, "9,1,12,1,4,1",
            {" Determinante =  0", " X1=-2/ 3", " X2=-2/ 3"}, {"A= 9", "B= 12", "C= 4"}, {});
        row("2/0 and 3", 0, "2,0,3,1", all, "1,1,-2,0,6,0", none, none,
            {"Operazione interrotta.\rTutti i denominatori e il numeratore di A devono essere "
             "diversi da zero"});
        row("2/0.4 and 3", 1, "2,0.4,3,1", all, "1,1,-3.2,0.4,6,0.4", none, none,
            {"Stop.\rAll denominators and the numerator A mustn't be zero"});
        row("300 and 200", 1, "300,1,200,1", all, "1,1,-500,1,60000,1", none,
            {"A= 1", "B=-500", "C= 60000"}, {"Stop."});
    }
    void compose_solve() {
        QFETCH(List, roots);
        Probe w;
        compose(w);
        w.type_coefficients(roots + List{"", ""});
        w.Analizza_Click();
        compare_state(w);
    }
};

QTEST_APPLESS_MAIN(ComposeTest)
#include "test_compose.moc"
