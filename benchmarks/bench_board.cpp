// How long the board takes to open, and to show a new solve once it is open: from the
// menu item (or the solve) to the board drawn, on an offscreen window.
//
//   QT_QPA_PLATFORM=offscreen ./bench_board
//
// "Drawn" is a render of the whole board into a picture (QWidget::grab), which is what
// a frame of it costs; the first open also builds the board.
#include "window_probe.h"

#include "app/board_window.h"

#include <QLineEdit>
#include <QtTest>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

void type_and_solve(WindowProbe& w, const QStringList& input) {
    for (int b = 0; b < 6; ++b)
        w.control<QLineEdit>(tutor::controls[tutor::boxes[b]].name)->setText(input[b]);
    w.item("Analizza")->trigger();
}

double milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

class BoardBenchmark : public QObject {
    Q_OBJECT

  private slots:
    void board_data() {
        QTest::addColumn<QStringList>("input");
        QTest::newRow("x^2-3x+2") << QStringList{"1", "1", "-3", "1", "2", "1"};
        QTest::newRow("1/2, 2/3, -5/7") << QStringList{"1", "2", "2", "3", "-5", "7"};
        QTest::newRow("x^2+x+1 (complex)") << QStringList{"1", "1", "1", "1", "1", "1"};
    }

    // The first open of the board in a new window, then updates after each solve.
    void board() {
        QFETCH(QStringList, input);
        constexpr int opens = 30, updates = 300;
        double open_ms = 0, update_ms = 0;
        for (int i = 0; i < opens; ++i) {
            WindowProbe w;
            w.show();
            type_and_solve(w, input);
            const auto start = Clock::now();
            w.item("Lavagna")->trigger();
            w.board()->grab();
            open_ms += milliseconds(Clock::now() - start);
            QVERIFY(w.board()->isVisible());
            if (i > 0)
                continue;
            for (int u = 0; u < updates; ++u) {
                type_and_solve(w, input); // typed again: the solve rewrote the boxes
                const auto again = Clock::now();
                w.item("Analizza")->trigger();
                w.board()->grab();
                update_ms += milliseconds(Clock::now() - again);
            }
        }
        qInfo("open %.2f ms, update %.2f ms (means of %d and %d)", open_ms / opens,
              update_ms / updates, opens, updates);
    }
};

QTEST_MAIN(BoardBenchmark)
#include "bench_board.moc"
