// How long one solve command takes, from the six boxes to the last result line.
//
//   QT_QPA_PLATFORM=offscreen ./bench_solve
//
// The solve rewrites the boxes with the integer form, so every iteration types the
// equation again. QBENCHMARK times its whole block, so each equation is timed twice:
// typing and solving, and typing alone; the difference is the solve itself.
#include "window_probe.h"

#include <QtTest>

namespace {

// The offscreen platform warns about size hints for every fixed-size window shown.
QtMessageHandler test_log = nullptr;
void quiet_size_hints(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains("propagateSizeHints"))
        test_log(type, context, text);
}

void type_all(WindowProbe& w, const QStringList& texts) {
    w.type_coefficients(texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]);
}

} // namespace

class SolveBenchmark : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { test_log = qInstallMessageHandler(quiet_size_hints); }

    void solve_data() {
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<bool>("solve");
        // Message boxes of a timed solve: the coprime case overflows in the parabola.
        QTest::addColumn<int>("messages");

        // Small integers: rational roots and every parabola line.
        const QStringList simple{"1", "1", "-3", "1", "2", "1"};
        // Large coprime denominators: the integer form's coefficients are near 10^9,
        // where a divisor search counting down from the smallest would take ages.
        const QStringList coprime{"1", "32749", "1", "32719", "1", "32717"};
        QTest::newRow("x^2-3x+2: type and solve") << simple << true << 0;
        QTest::newRow("x^2-3x+2: type only") << simple << false << 0;
        QTest::newRow("1/32749, 1/32719, 1/32717: type and solve") << coprime << true << 1;
        QTest::newRow("1/32749, 1/32719, 1/32717: type only") << coprime << false << 0;
    }

    void solve() {
        QFETCH(QStringList, input);
        QFETCH(bool, solve);
        WindowProbe w;
        w.show();
        QBENCHMARK {
            type_all(w, input);
            if (solve) {
                w.messages.clear();
                w.Analizza_Click();
            }
        }
        // The runs timed must be runs that reached the roots.
        QTEST(int(w.messages.size()), "messages");
        if (solve)
            QVERIFY(!w.caption("LabelX1").isEmpty());
    }
};

QTEST_MAIN(SolveBenchmark)
#include "bench_solve.moc"
