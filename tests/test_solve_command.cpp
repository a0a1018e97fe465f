// The solve command end to end: each row runs a script of solves and reads back what the
// message boxes, the result lines, their tooltips and the boxes show.
#include "tutor_probe.h"

#include <QRegularExpression>
#include <QtTest>

// The message boxes: icon (2 the exclamation, 3 the stop), title, prompt; the failure's
// description after " : " is the program's own wording.
const List warned[] = {
    {"2", "ATTENZIONE",
     "Operazione interrotta.\rTutti i denominatori e il "
     "numeratore di A devono essere diversi da zero"},
    {"2", "WARNING", "Stop.\rAll denominators and the numerator A mustn't be zero"}};
const List stopped[] = {{"3", "ATTENZIONE : *", "Operazione annullata."},
                        {"3", "WARNING : *", "Stop."}};
const List complex[] = {{"Radice complessa", "Radice complessa"}, {"Complex root", "Complex root"}};
const List boxes{"textAN", "TextAD", "TextBN", "TextBD", "TextCN", "TextCD"};

// Runs the script: "en" switches to English, each six texts joined by ',' are typed into
// the rows (framed as fractions) and solved.
static void run(Probe& w, const QString& script) {
    w.Frazioni_Click();
    if (script.startsWith("en "))
        w.Lingua_Click();
    for (const QString& step : script.split(' ').filter(",")) {
        w.type_coefficients(step.split(','));
        w.Analizza_Click();
    }
}
const List results{"DetLabel", "LabelX1", "LabelX2"}, heads{"Label3", "Label4", "Label5"};

class SolveCommandTest : public QObject {
    Q_OBJECT

  private slots:
    // The result lines (the discriminant's tooltip is empty) and the parabola's.
    void lines_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<List>("names");
        QTest::addColumn<List>("shown");
        QTest::addColumn<List>("tooltips");
        const auto row = [](const char* script, const QString& det, const List& roots,
                            const List& tooltips) {
            QTest::newRow(script) << QString(script) << results << List{det} + roots
                                  << List{""} + tooltips;
        };
        row("1,1,-3,1,2,1", " Determinante =  1", {" X1= 2", " X2= 1"}, {"X1= 2", "X2= 1"});
        row("6,1,-5,1,1,1", " Determinante =  1", {" X1= 1/ 2", " X2= 1/ 3"},
            {"X1= .5", "X2= .333333333333333"});
        // The same as x^2 + x - 1 once the common factor is taken out.
        row("2,1,2,1,-2,1", " Determinante =  5",
            {" X1= [-1+SQR( 5)] /  2", " X2= [-1-SQR( 5)] /  2"},
            {"X1= .618033988749895", "X2=-1.61803398874989"});
        row("1,1,1,1,1,1", " Determinante = -3",
            {" X1= [-1+i*SQR( 3)] /  2", " X2= [-1-i*SQR( 3)] /  2"}, complex[0]);
        row("1,1,2,1,5,1", " Determinante = -16", {" X1= [-2+i 4] /  2", " X2= [-2-i 4] /  2"},
            complex[0]);
        row("1,1,-2,1,5,1", " Determinante = -16", {" X1= [ 2+i 4] /  2", " X2= [ 2-i 4] /  2"},
            complex[0]);
        row("1,1,0,1,2,1", " Determinante = -8",
            {" X1= [ i*SQR( 8)] /  2", " X2= [ -i*SQR( 8)] /  2"}, complex[0]);
        row("en 1,1,0,1,1,1", " Determinant = -4", {" X1= ( i 2) /  2", " X2= ( -i 2) /  2"},
            complex[1]);
        row("en 1,1,-2,1,1,1", " Determinant =  0", {" X1= 1", " X2= 1"}, {"X1= 1", "X2= 1"});
        row("-1,1,0,1,1,1", " Determinante =  4", {" X1=-1", " X2= 1"}, {"X1=-1", "X2= 1"});
        const auto parabola = [](const char* script, const List& shown, const List& tooltips) {
            QTest::addRow("parabola %s", script)
                << QString(script) << List{"LabelF", "LabelV", "LabelD"} << shown << tooltips;
        };
        parabola("-1,1,4,1,0,1", {"F( 2  ;   15/ 4)", "V( 2  ;   4)", "Y=  17/ 4"},
                 {"Coordinate del fuoco ( 2 ;  3.75)", "Coordinate del vertice ( 2 ;  4)",
                  "Equazione della direttrice =  4.25"});
        parabola("1,1,0,1,-4,1", {"F(0  ;  -15/ 4)", "V(0  ;  -4)", "Y= -17/ 4"},
                 {"Coordinate del fuoco ( 0 ; -3.75)", "Coordinate del vertice ( 0 ; -4)",
                  "Equazione della direttrice = -4.25"});
        parabola(
            "en 1,1,-2,1,1,1 ", {"F( 1  ;   1/ 4)", "V( 1  ;  0)", "Y= -1/ 4"},
            {"Focus coordinates ( 1 ;  .25)", "Vertex coordinates ( 1 ;  0)", "Directrix = -.25"});
    }
    void lines() {
        QFETCH(QString, script);
        QFETCH(List, names);
        Probe w;
        run(w, script);
        QTEST(w.texts(names), "shown");
        QTEST(w.tips(names), "tooltips");
    }

    // The boxes after the solve hold the integer form, and the rows are collapsed.
    void integer_form_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<List>("boxes");
        QTest::addColumn<List>("heads"); // the tooltips of Label3, Label4, Label5
        const auto row = [](const char* script, const char* boxes, const List& heads) {
            QTest::newRow(script) << QString(script) << QString(boxes).split(',') << heads;
        };
        row("1,2,-3,2,1,1", "1,1,-3,1,2,1", {"A= 1", "B=-3", "C= 2"});    // 2, -6, 4 over 2
        row("4,6,-3,-9,5,-10", "4,1,2,1,-3,1", {"A= 4", "B= 2", "C=-3"}); // 2/3, 1/3, -1/2
        row("1,1,2.5,1,3.5,1", "1,1,2,1,4,1", {"A= 1", "B= 2", "C= 4"});  // halves to even
        row("2/4,1,-3,1,1,1", "2,1,-3,1,1,1", {"A= 2", "B=-3", "C= 1"});  // "/4" is ignored
        row("1,0.6,-3,1,2,1", "1,1,-3,1,2,1", {"A= 1", "B=-3", "C= 2"});  // 0.6 is taken as 1
    }
    void integer_form() {
        QFETCH(QString, script);
        Probe w;
        run(w, script);
        QTEST(w.texts(boxes), "boxes");
        QTEST(w.tips(heads), "heads");
        QCOMPARE(w.texts({"LabelA", "LabelB", "LabelC"}), List({"A =", "B =", "C ="}));
    }

    // The zero check after x^2 - 3x + 2, then failures.
    void refused_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<List>("message");
        QTest::addColumn<List>("shown"); // DetLabel, LabelX1, LabelX2
        QTest::addColumn<List>("roots"); // the tooltips of LabelX1, LabelX2, by value
        QTest::addColumn<List>("boxes");
        QTest::addColumn<List>("heads"); // the tooltips of Label3, Label4, Label5
        const List none{"", "", ""}, unread{"", ""};
        const auto row = [&](const char* script, const List& message, const List& shown,
                             const List& roots, const char* boxes, const List& heads) {
            QTest::newRow(script) << QString(script) << message << shown << roots
                                  << QString(boxes).split(',') << heads;
        };
        row("1,1,-3,1,2,1 0,1,4,6,1,1", warned[0], none, unread, "0,1,4,6,1,1",
            {"A= 0", "B= .666666666666667", "C= 1"});
        row("en 1,1,-3,1,2,1 1,1,2,0,3,1", warned[1], none, unread, "1,1,2,0,3,1",
            {"A= 1", "B=-3", "C= 2"}); // kept
        row("20000,1,1,1,0,1", stopped[0], {" Determinante =  1", "", ""}, {"X1=0", "X2=-5e-05"},
            "20000,1,1,1,0,1", none);
        row("en 0,1,1,1,1,40000", stopped[1], none, unread, "0,1,1,1,1,40000",
            none); // before the zero check
        row("4,6,-3,-9,-32768,3", stopped[0], none, unread, "2,3,1,3,-32768,3",
            none); // A and B rewritten
        // Values that the 16-bit conversion makes 0 are refused as typed, boxes untouched.
        row("0.4,1,3,1,2,1", warned[0], none, unread, "0.4,1,3,1,2,1", {"A= .4", "B= 3", "C= 2"});
        row("1,0.4,-3,1,2,1", warned[0], none, unread, "1,0.4,-3,1,2,1",
            {"A= 2.5", "B=-3", "C= 2"});
        row("en 1,1,-3,0.5,2,1", warned[1], none, unread, "1,1,-3,0.5,2,1",
            {"A= 1", "B=-6", "C= 2"});
        row("en -0.5,1,-3,1,2,0.3", warned[1], none, unread, "-0.5,1,-3,1,2,0.3", none);
        row("en 1,1,0,1,-10000,1", stopped[1], {" Determinant =  40000", " X1= 100", " X2=-100"},
            {"X1=100", "X2=-100"}, "1,1,0,1,-10000,1", none);
    }
    void refused() {
        QFETCH(QString, script);
        Probe w;
        run(w, script);
        List message;
        for (Message m : w.messages)
            message << QString::number(m.icon)
                    << m.title.replace(QRegularExpression(" : .+"), " : *") << m.prompt;
        QTEST(message, "message");
        QTEST(w.texts(results), "shown");
        List roots = w.tips({"LabelX1", "LabelX2"}); // the form of tiny values is the program's
        for (QString& r : roots)
            r = r.isEmpty() ? r : r.left(3) + QString::number(r.mid(3).toDouble());
        QTEST(roots, "roots");
        QCOMPARE(w.text("LabelF"), QString());
        QTEST(w.texts(boxes), "boxes");
        QTEST(w.tips(heads), "heads");
    }

    // What the board says first: that the last solve did not run to its end (a line marked
    // "!"), and each box read otherwise than typed. "c" chooses compose before a solve.
    void board_says_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("lines"); // the board's first lines, joined by '|'
        const char* const rows[][2] = {
            {"1,1,-3,1,2,1 -2172,181,362,1267,8,11",
             "!Il calcolo non è arrivato alla fine (Overflow): la lavagna mostra l'ultima "
             "equazione "
             "risolta.|1. L'equazione, con i coefficienti ai minimi termini|x² − 3x + 2 = 0"},
            {"en 1,1,-3,1,2,1 -2172,181,362,1267,8,11",
             "!The solve did not run to its end (Overflow): the board shows the last equation "
             "solved.|1. The equation, its coefficients in lowest terms|x² − 3x + 2 = 0"},
            {"en 1,1,-3,1,2,1 0,1,4,6,1,1",
             "!The solve did not run to its end (refused: the numerator of A or a denominator is "
             "zero): the board shows the last equation solved."},
            {"c 20000,1,2,1,,",
             "!Il calcolo non è arrivato alla fine (Overflow): nessuna equazione è stata ancora "
             "risolta.|Scrivi A, B e C e scegli Risolvi: qui compariranno i passaggi."},
            {"1,1,-3,1,2,1 0,1,4,6,1,1 1,1,2.0,1,+1,1",
             "1. L'equazione, con i coefficienti ai minimi termini|x² + 2x + 1 = 0"},
            {"2.5,1,3/4,1,1,1",
             "1. L'equazione, con i coefficienti ai minimi termini|A: 2.5 letto come 2|B: 3/4 "
             "letto come 3|2x² + 3x + 1 = 0"},
            {"en 1,2.5,1,1,1,1",
             "1. The equation, its coefficients in lowest terms|denominator of A: 2.5 read as "
             "2|1/2·x² + x + 1 = 0"},
            {"c 3.5,1,5,2,,",
             "1. L'equazione, con i coefficienti ai minimi termini|C: 17.5 letto come 18|x² − 6x + "
             "9 = 0"},
            {"en c 3/4,1,2,1,,",
             "1. The equation whose roots are a = 3 and b = 2|a: 3/4 read as 3|(x − a)(x − b) = "
             "x² − (a + b)·x + a·b"}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString(row[0]) << QString(row[1]);
    }
    void board_says() {
        QFETCH(QString, script);
        QFETCH(QString, lines);
        Probe w;
        w.Frazioni_Click();
        for (const QString& step : script.split(' ')) {
            if (step == "en" || step == "c") {
                (w.*(step == "en" ? &Probe::Lingua_Click : &Probe::Componi_Click))();
            } else {
                w.type_coefficients(step.split(','));
                w.Analizza_Click();
            }
        }
        const tutor::Board& board = w.screen().board;
        QStringList said;
        for (const tutor::BoardLine& line :
             tutor::board_steps(board.equation, board.tested, w.language, board.interrupted))
            said << (line.notice ? "!" : "") + QString::fromStdString(line.text);
        QCOMPARE(said.mid(0, lines.count('|') + 1).join('|'), lines);
    }
};

QTEST_APPLESS_MAIN(SolveCommandTest)
#include "test_solve_command.moc"
