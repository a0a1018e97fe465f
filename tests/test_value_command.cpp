// The test command: F(X) = A·X² + B·X + C shown exactly, the boxes rewritten in lowest
// terms, the zero check, the failure box, what it leaves for the next solve and for the
// board, and a property run against exact arithmetic done here.
#include "tutor_probe.h"

#include <QtTest>

#include <numeric>

const List boxes{"textAN", "TextAD", "TextBN", "TextBD", "TextCN", "TextCD", "TextXN", "TextXD"};
struct Run {
    // The value's caption, tooltip and colour, the F( )= line and its tooltip, LabelX's
    // caption; the boxes' texts, and the hidden ones.
    List shown, boxes, hidden;
    List messages; // icon, title up to a failure's description, prompt of each
    int beeps;
};

// Types "an,ad,bn,bd,cn,cd,xn,xd" into the eight boxes and runs the command.
static Run run(Probe& w, const QString& typed) {
    for (int i = 0; i < 8; ++i)
        w.type(qPrintable(boxes[i]), typed.section(',', i, i));
    const int said = w.messages.size(), beeped = w.beeps;
    w.Test_Click();
    const List shown{w.text("ResLabel"), w.tip("ResLabel"), w.colour("ResLabel"),
                     w.text("DetLabel"), w.tip("DetLabel"), w.text("LabelX")};
    Run r{shown, w.texts(boxes), {}, {}, w.beeps - beeped};
    for (const QString& box : boxes)
        if (w.hidden(qPrintable(box)))
            r.hidden << box;
    for (const Message& m : w.messages.mid(said))
        r.messages << QString::number(m.icon) << m.title.section(" : ", 0, 0) << m.prompt;
    return r;
}

class ValueCommandTest : public QObject {
    Q_OBJECT
  private slots:
    // Each case starts from F(1/2) = 7/4 of x² + 3x on screen, with all rows then framed as
    // fractions, and must give the same twice. A refusal leaves the screen as it was, also
    // for a value that the 16-bit conversion would make 0 (0.4, -0.5). F(200) of
    // x²/200 is 200, but its unreduced numerator 40000 does not fit 16 bits.
    void test_command_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<List>("shown");
        QTest::addColumn<List>("boxes");
        QTest::addColumn<List>("hidden");
        QTest::addColumn<List>("messages");
        QTest::addColumn<int>("beeps");
        const QString white = "#ffffff", framed = "X =(     /     )";
        const List kept{" 7/ 4", " 1.75", white, "F( 1/ 2)= 7/ 4", "Test", framed};
        const List abc{"TextAD", "TextBD", "TextCD"}, all = abc + List{"TextXD"};
        const List it{"2", "ATTENZIONE",
                      "Operazione interrotta.\rTutti i denominatori e il "
                      "numeratore di A devono essere diversi da zero."};
        const List en{"2", "WARNING",
                      "Stop.\rAll denominators and the numerator A must be not zero."};
        const auto row = [](const char* name, int language, const char* typed, const List& shown,
                            const char* boxes, const List& hidden, const List& messages,
                            int beeps = 0) {
            QTest::newRow(name) << language << QString(typed) << shown << QString(boxes).split(',')
                                << hidden << messages << beeps;
        };
        row("x^2 at 2/4", 0, "1,1,0,1,0,1,2,4",
            {" 1/ 4", " .25", white, "F( 1/ 2)= 1/ 4", "Test", framed}, "1,1,0,1,0,1,1,2", abc, {});
        row("root 1 of x^2-3x+2", 0, "1,1,-3,1,2,1,1,1",
            {" 0", " 0", white, "F( 1)=0", "Test", "X ="}, "1,1,-3,1,2,1,1,1", all, {}, 1);
        row("X empty gives C", 0, "1,1,2,1,-3,4,,1",
            {"-3/ 4", "-.75", "#00ffff", "F(0)=-3/ 4", "Test", "X ="}, "1,1,2,1,-3,4,0,1",
            {"TextAD", "TextBD", "TextXD"}, {});
        row("X 4/2 and all reduced", 0, "2,4,3,-6,5,-20,4,2",
            {" 3/ 4", " .75", white, "F( 2)= 3/ 4", "Test", "X ="}, "1,2,-1,2,-1,4,2,1", {"TextXD"},
            {});
        row("A numerator 0", 0, "0,1,3,1,0,1,1,2", kept, "0,1,3,1,0,1,1,2", {}, it);
        row("X denominator 0", 1, "1,1,3,1,0,1,1,0", kept, "1,1,3,1,0,1,1,0", {}, en);
        row("A denominator 0.4", 0, "1,0.4,3,1,0,1,1,1", kept, "1,0.4,3,1,0,1,1,1", {}, it);
        row("X denominator 0.4 at a root", 1, "1,1,-3,1,2,1,1,0.4", kept, "1,1,-3,1,2,1,1,0.4", {},
            en);
        row("A numerator -0.5", 1, "-0.5,1,3,1,0,1,1,1", kept, "-0.5,1,3,1,0,1,1,1", {}, en);
        row("A 1/200 at X 200", 1, "1,200,0,1,0,1,200,1", kept.mid(0, 5) + List{"X ="},
            "1,200,0,1,0,1,200,1", List{"TextBD", "TextCD", "TextXD"}, {"3", "WARNING", "Stop."});
    }
    void test_command() {
        QFETCH(int, language);
        QFETCH(QString, typed);
        Probe w;
        w.language = std::int16_t(language);
        run(w, "1,1,3,1,0,1,1,2");
        w.Frazioni_Click();
        for (int twice = 0; twice < 2; ++twice) {
            const Run r = run(w, typed);
            QTEST(r.shown, "shown");
            QTEST(r.boxes, "boxes");
            QTEST(r.hidden, "hidden");
            QTEST(r.messages, "messages");
            QTEST(r.beeps, "beeps");
        }
        // The next solve puts the heading's "= 0" back, white, whatever the test left.
        w.Analizza_Click();
        QCOMPARE(w.text("ResLabel") + w.colour("ResLabel"), QString("0#ffffff"));
    }

    // What the board keeps across commands, from x² − 3x + 2 solved: its integer form, X and
    // F(X) of a test, and how many times it was brought up to date. Six texts solve, eight
    // test. The failing solve ends in the overflow box at the parabola.
    void board_across_commands_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("board");
        const QString tested = "1,1,-3,1,2,1 1,1,-3,1,2,1,1,2";
        QTest::newRow("test of X") << tested << "1 -3 2, F(1/2) = 3/4, 2";
        QTest::newRow("test of another equation") << "1,1,-3,1,2,1 1,1,-3,1,3,1,1,2"
                                                  << "1 -3 2, 1";
        QTest::newRow("failed solve") << tested + " 1,32749,1,32719,1,32717"
                                      << "1 -3 2, F(1/2) = 3/4, interrupted, 3";
        QTest::newRow("new solve") << tested + " 1,1,0,1,-4,1"
                                   << "1 0 -4, 3";
    }
    void board_across_commands() {
        QFETCH(QString, script);
        Probe w;
        for (const QString& step : script.split(' ')) {
            if (step.count(',') == 5)
                w.type_coefficients(step.split(',')), w.Analizza_Click();
            else
                run(w, step);
        }
        const tutor::Board& b = w.screen().board;
        QString kept =
            QString("%1 %2 %3, ").arg(b.equation->A).arg(b.equation->B).arg(b.equation->C);
        if (const auto& t = b.tested)
            kept += QString::asprintf("F(%d/%d) = %d/%d, ", t->x.num, t->x.den, t->value.num,
                                      t->value.den);
        if (b.interrupted)
            kept += "interrupted, ";
        QTEST(kept + QString::number(b.updates), "board");
    }

    // Random small fractions: the value shown is A·X² + B·X + C computed exactly here or,
    // when the command's unreduced pair does not fit 16 bits, the run ends in the failure box.
    void value_is_exact() {
        Probe w;
        std::mt19937 random(7);
        for (int k = 0; k < 3000; ++k) {
            // Within -r..r, r from 3 to 25, so that both outcomes are frequent.
            std::uniform_int_distribution<> num(-3 - k % 23, 3 + k % 23), den(1, 3 + k % 23);
            int v[8];
            QString typed;
            for (int i = 0; i < 8; i += 2) { // A's numerator and the denominators positive
                v[i] = i ? num(random) : den(random), v[i + 1] = den(random);
                typed += QString("%1,%2,").arg(v[i]).arg(v[i + 1]);
                const int g = std::gcd(v[i], v[i + 1]);
                v[i] /= g, v[i + 1] /= g;
            }
            const auto [an, ad, bn, bd, cn, cd, xn, xd] = v;
            // F(X) over ad·bd·cd·xd²; the command's unreduced pair is this one times xd.
            const int n = an * xn * xn * bd * cd + bn * xn * xd * ad * cd + cn * xd * xd * ad * bd,
                      d = ad * bd * cd * xd * xd, g = std::gcd(n, d);
            // -32768 fits the conversion, but its magnitude fails the reduction.
            const bool too_big = qAbs(n * xd) > 32767 || d * xd > 32767;
            const QString value = QString::asprintf(d == g ? "% d" : "% d/% d", n / g, d / g);
            const Run r = run(w, typed);
            QCOMPARE(typed + (too_big ? r.messages.join('|') : r.shown[0]),
                     typed + (too_big ? "3|ATTENZIONE|Operazione annullata." : value));
            QVERIFY(!too_big || r.beeps == 0);
        }
    }
};

QTEST_APPLESS_MAIN(ValueCommandTest)
#include "test_value_command.moc"
