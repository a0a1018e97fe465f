// How long one solve command takes, from reading the six boxes to the last result line.
//
//   QT_QPA_PLATFORM=offscreen ./bench_solve
//
// The solve rewrites the boxes with the integer form, so every run types the equation
// again first; only the solve itself is timed (typing a long number over a short one
// costs more than the reverse, which would blur the comparison).
#include "window_probe.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <chrono>

class SolveBenchmark : public QObject {
    Q_OBJECT

  private slots:
    void solve_data() {
        QTest::addColumn<QStringList>("input");
        // Message boxes of a solve: the coprime case overflows in the parabola.
        QTest::addColumn<int>("messages");
        // Small integers: rational roots and every parabola line.
        QTest::newRow("x^2-3x+2") << QStringList{"1", "1", "-3", "1", "2", "1"} << 0;
        // Large coprime denominators: the integer form's coefficients are near 10^9,
        // where a divisor search counting down from the smallest would take seconds.
        QTest::newRow("1/32749, 1/32719, 1/32717")
            << QStringList{"1", "32749", "1", "32719", "1", "32717"} << 1;
    }

    void solve() {
        QFETCH(QStringList, input);
        WindowProbe w;
        w.show();
        QAction* solve = w.item("Analizza");
        constexpr int runs = 5000;
        std::chrono::duration<double, std::nano> solving{};
        for (int i = 0; i < runs; ++i) {
            for (int b = 0; b < 6; ++b)
                w.control<QLineEdit>(tutor::controls[tutor::boxes[b]].name)->setText(input[b]);
            w.messages.clear();
            const auto start = std::chrono::steady_clock::now();
            solve->trigger();
            solving += std::chrono::steady_clock::now() - start;
        }
        QTest::setBenchmarkResult(solving.count() / runs, QTest::WalltimeNanoseconds);
        // The runs timed must be runs that reached the roots.
        QTEST(int(w.messages.size()), "messages");
        QVERIFY(!w.control<QLabel>("LabelX1")->text().isEmpty());
    }
};

QTEST_MAIN(SolveBenchmark)
#include "bench_solve.moc"
