// The test command: F(X) = A·X² + B·X + C shown exactly, the boxes rewritten in lowest
// terms, the zero check, the failure box, what it leaves for the next solve, and a
// property run against exact arithmetic done here.
#include "tutor_probe.h"

#include <QtTest>

#include <numeric>

// Types "an,ad,bn,bd,cn,cd,xn,xd" into the eight boxes and runs the command. Returns the
// value, its tooltip and colour, the F( )= line and its tooltip, LabelX's caption, the
// eight boxes ('-' after a hidden one), each message box (icon, title up to a failure's
// description, prompt with its line break written \r) and the beeps.
static QString run(Probe& w, const QString& typed) {
    const char* const boxes[] = {"textAN", "TextAD", "TextBN", "TextBD",
                                 "TextCN", "TextCD", "TextXN", "TextXD"};
    for (int i = 0; i < 8; ++i)
        w.type(boxes[i], typed.section(',', i, i));
    const int said = w.messages.size(), beeped = w.beeps;
    w.Test_Click();
    QString out = w.text("ResLabel") + "|" + w.tip("ResLabel") + "|" + w.colour("ResLabel") + "|" +
                  w.text("DetLabel") + "|" + w.tip("DetLabel") + "|" + w.text("LabelX") + "|";
    for (const char* box : boxes)
        out += w.text(box) + (w.hidden(box) ? "-," : ",");
    for (const Message& m : w.messages.mid(said))
        out += "|" + QString::number(m.icon) + " " + m.title.section(" : ", 0, 0) + "|" + m.prompt;
    return out.append("|beeps " + QString::number(w.beeps - beeped)).replace('\r', "\\r");
}

// Each case starts from F(1/2) = 7/4 of x² + 3x on screen, with all rows then framed as
// fractions, and must give the same twice. A refusal leaves the screen as it was, also
// for a value that the 16-bit conversion would make 0 (0.4, -0.5). F(200) of
// x²/200 is 200, but its unreduced numerator 40000 does not fit 16 bits.
// name;language;typed;what the run returns
static const char* const cases =
    R"(x^2 at 2/4;0;1,1,0,1,0,1,2,4; 1/ 4| .25|#ffffff|F( 1/ 2)= 1/ 4|Test|X =(     /     )|1,1-,0,1-,0,1-,1,2,|beeps 0
root 1 of x^2-3x+2;0;1,1,-3,1,2,1,1,1; 0| 0|#ffffff|F( 1)=0|Test|X =|1,1-,-3,1-,2,1-,1,1-,|beeps 1
X empty gives C;0;1,1,2,1,-3,4,,1;-3/ 4|-.75|#00ffff|F(0)=-3/ 4|Test|X =|1,1-,2,1-,-3,4,0,1-,|beeps 0
X 4/2 and all reduced;0;2,4,3,-6,5,-20,4,2; 3/ 4| .75|#ffffff|F( 2)= 3/ 4|Test|X =|1,2,-1,2,-1,4,2,1-,|beeps 0
A numerator 0;0;0,1,3,1,0,1,1,2; 7/ 4| 1.75|#ffffff|F( 1/ 2)= 7/ 4|Test|X =(     /     )|0,1,3,1,0,1,1,2,|2 ATTENZIONE|Operazione interrotta.\rTutti i denominatori e il numeratore di A devono essere diversi da zero.|beeps 0
X denominator 0;1;1,1,3,1,0,1,1,0; 7/ 4| 1.75|#ffffff|F( 1/ 2)= 7/ 4|Test|X =(     /     )|1,1,3,1,0,1,1,0,|2 WARNING|Stop.\rAll denominators and the numerator A must be not zero.|beeps 0
A denominator 0.4;0;1,0.4,3,1,0,1,1,1; 7/ 4| 1.75|#ffffff|F( 1/ 2)= 7/ 4|Test|X =(     /     )|1,0.4,3,1,0,1,1,1,|2 ATTENZIONE|Operazione interrotta.\rTutti i denominatori e il numeratore di A devono essere diversi da zero.|beeps 0
X denominator 0.4 at a root;1;1,1,-3,1,2,1,1,0.4; 7/ 4| 1.75|#ffffff|F( 1/ 2)= 7/ 4|Test|X =(     /     )|1,1,-3,1,2,1,1,0.4,|2 WARNING|Stop.\rAll denominators and the numerator A must be not zero.|beeps 0
A numerator -0.5;1;-0.5,1,3,1,0,1,1,1; 7/ 4| 1.75|#ffffff|F( 1/ 2)= 7/ 4|Test|X =(     /     )|-0.5,1,3,1,0,1,1,1,|2 WARNING|Stop.\rAll denominators and the numerator A must be not zero.|beeps 0
A 1/200 at X 200;1;1,200,0,1,0,1,200,1; 7/ 4| 1.75|#ffffff|F( 1/ 2)= 7/ 4|Test|X =|1,200,0,1-,0,1-,200,1-,|3 WARNING|Stop.|beeps 0)";

class ValueCommandTest : public QObject {
    Q_OBJECT
  private slots:
    void test_command_data() {
        QTest::addColumn<QStringList>("row");
        for (const QString& row : QString(cases).split('\n', Qt::SkipEmptyParts))
            QTest::newRow(qPrintable(row.section(';', 0, 0))) << row.split(';');
    }
    void test_command() {
        QFETCH(QStringList, row);
        Probe w;
        w.language = row[1].toShort();
        run(w, "1,1,3,1,0,1,1,2");
        w.Frazioni_Click();
        QCOMPARE(run(w, row[2]) + "\n" + run(w, row[2]), row[3] + "\n" + row[3]); // twice the same
        // The next solve puts the heading's "= 0" back, white, whatever the test left.
        w.Analizza_Click();
        QCOMPARE(w.text("ResLabel") + w.colour("ResLabel"), QString("0#ffffff"));
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
            QCOMPARE(typed + run(w, typed).section('|', too_big ? 7 : 0, too_big ? -1 : 0),
                     typed + (too_big ? "3 ATTENZIONE|Operazione annullata.|beeps 0" : value));
        }
    }
};

QTEST_APPLESS_MAIN(ValueCommandTest)
#include "test_value_command.moc"
