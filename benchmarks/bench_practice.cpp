// How long the practice window takes to open, and a typed answer to be checked: from the
// menu item to the window drawn once (building it included), and the judging of one
// step's boxes, in the core alone and from Return in a box to the verdict drawn.
//
//   QT_QPA_PLATFORM=offscreen ./bench_practice
//   QT_QPA_PLATFORM=offscreen ./bench_practice sets     (the equations of set 17)
#include "window_probe.h"

#include "app/practice_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <algorithm>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
using namespace tutor::practice;

double milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

class PracticeBenchmark : public QObject {
    Q_OBJECT

  private slots:
    void open() {
        constexpr int opens = 30;
        double total = 0, worst = 0;
        for (int i = 0; i < opens; ++i) {
            WindowProbe w;
            w.show();
            const auto start = Clock::now();
            w.item("Esercizi")->trigger();
            w.practice()->grab();
            const double ms = milliseconds(Clock::now() - start);
            total += ms, worst = std::max(worst, ms);
            QVERIFY(w.practice()->isVisible());
        }
        qInfo("open: mean %.2f ms, slowest %.2f ms (%d opens)", total / opens, worst, opens);
    }

    void check_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::newRow("right") << QStringList{"(-3 + √69)/3", "(-3 - √69)/3"};
        QTest::newRow("not simplified") << QStringList{"(-6 + 2√69)/6", "-1 - √69/3"};
        QTest::newRow("decimal") << QStringList{"1.7688", "-3.768"};
        QTest::newRow("wrong, a mistake") << QStringList{"(3 ± √69)/3", ""};
        QTest::newRow("unreadable") << QStringList{"(-3 + √69/3", ""};
        QTest::newRow("64 characters, large roots")
            << QStringList{"√9999999999999999967·√9999999999999999967·√9999999999999999967",
                           "√(99999999999999999999999999999999999989)"};
    }

    // Set 17 of square-root roots starts with 3x² + 6x − 20 = 0.
    void check() {
        QFETCH(QStringList, typed);
        const Exercise x = make_set(Kind::SquareRootRoots, 17).front();
        std::vector<std::string> boxes;
        for (const QString& t : typed)
            boxes.push_back(t.toStdString());
        constexpr int runs = 2000;
        double total = 0, worst = 0;
        for (int i = 0; i < runs; ++i) {
            const auto start = Clock::now();
            const StepVerdict v = tutor::practice::check(x, Step::Roots, boxes, i % 2);
            const double ms = milliseconds(Clock::now() - start);
            total += ms, worst = std::max(worst, ms);
            QVERIFY(!v.message.empty());
        }
        // The same in the window: Return in the first box to the verdict drawn.
        PracticeWindow p;
        p.show();
        p.kind_box()->setCurrentIndex(static_cast<int>(Kind::SquareRootRoots));
        p.start(17);
        for (Step s : {Step::Delta, Step::Count}) {
            p.box(s, 0)->setText(s == Step::Delta ? "276" : "2");
            QTest::keyClick(p.box(s, 0), Qt::Key_Return);
        }
        // A right answer moves on to the vertex: it is timed once.
        int returns = 0;
        double window_total = 0;
        for (; returns < 200 && p.session().step() == Step::Roots; ++returns) {
            for (int b = 0; b < typed.size(); ++b)
                p.box(Step::Roots, b)->setText(typed[b]);
            const auto start = Clock::now();
            QTest::keyClick(p.box(Step::Roots, 0), Qt::Key_Return);
            p.grab();
            window_total += milliseconds(Clock::now() - start);
        }
        qInfo("check: mean %.4f ms, slowest %.4f ms (%d checks); Return to verdict drawn: "
              "%.2f ms (mean of %d)",
              total / runs, worst, runs, window_total / returns, returns);
    }

    // The equations of a set (17, or PRACTICE_SET) of each kind.
    void sets() {
        const int set = qEnvironmentVariableIsSet("PRACTICE_SET")
                            ? qEnvironmentVariableIntValue("PRACTICE_SET")
                            : 17;
        for (int k = 0; k < kind_count; ++k) {
            qInfo("%s, set %d:", kind_names[k].english, set);
            int n = 0;
            for (const Exercise& x : make_set(Kind(k), set))
                qInfo("  %2d. %s", ++n, x.equation.c_str());
        }
    }
};

QTEST_MAIN(PracticeBenchmark)
#include "bench_practice.moc"
