// The practice window: built on first use from the main window's menu and key, following
// its language; an exercise worked with a wrong step, a shown step and unreadable input;
// a whole set to its summary; the type size on a projector.
#include "app/practice_window.h"
#include "practice_answers.h"
#include "window_probe.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

using tutor::practice::Kind;
using tutor::practice::Step;

class TestPracticeWindow : public QObject {
    Q_OBJECT

    // Types into the boxes of the current step and presses Return in the first.
    static void answer(PracticeWindow& p, const std::vector<std::string>& typed) {
        const Step step = p.session().step();
        for (std::size_t i = 0; i < typed.size(); ++i)
            p.box(step, static_cast<int>(i))->setText(QString::fromStdString(typed[i]));
        QTest::keyClick(p.box(step, 0), Qt::Key_Return);
    }

    static void start(PracticeWindow& p, Kind kind, int set) {
        p.kind_box()->setCurrentIndex(static_cast<int>(kind));
        p.set_box()->setValue(set);
        QTest::keyClick(p.set_box(), Qt::Key_Return);
    }

  private slots:
    void opened_from_the_main_window() {
        WindowProbe w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.practice() == nullptr); // start-up does not build it
        QTest::keyClick(w.control("textAN"), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(w.practice() != nullptr && w.practice()->isVisible());
        QCOMPARE(w.practice()->windowTitle(), "Esercizi");
        start(*w.practice(), Kind::WholeRoots, 17);
        QCOMPARE(w.practice()->box(Step::Delta, 0)->accessibleName(), "Δ");
        QCOMPARE(w.practice()->box(Step::Roots, 1)->accessibleName(), "seconda radice");
        w.item("Lingua")->trigger();
        QCOMPARE(w.practice()->windowTitle(), "Practice");
        QCOMPARE(w.practice()->box(Step::Roots, 1)->accessibleName(), "second root");
        QCOMPARE(w.practice()->kind_box()->currentText(), "Whole roots");
        QCOMPARE(w.practice()->box(Step::Roots, 0)->accessibleDescription(),
                 "Type the roots, in any order.");
    }

    void an_exercise_with_a_wrong_step() {
        PracticeWindow p;
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        start(p, Kind::WholeRoots, 17);
        QCOMPARE(p.announced(), "Serie 17. Esercizio 1 di 10: x² + x − 2 = 0. Calcola il "
                                "discriminante Δ = B² − 4AC.");
        QCOMPARE(p.focusWidget(), p.box(Step::Delta, 0));
        // 1 − 8: the sign of 4AC. The step is marked, the box too, and it keeps the focus.
        answer(p, {"-7"});
        QCOMPARE(p.verdict_label()->text(), "Δ: sbagliato. Attenzione al segno di 4AC.");
        QCOMPARE(p.announced(), p.verdict_label()->text());
        QCOMPARE(p.mark(Step::Delta)->text(), "✗");
        QCOMPARE(p.box(Step::Delta, 0)->property("verdict").toString(), "wrong");
        QCOMPARE(p.focusWidget(), p.box(Step::Delta, 0));
        QCOMPARE(p.box(Step::Delta, 0)->selectedText(), "-7"); // typing replaces it
        answer(p, {"9"});
        QCOMPARE(p.announced(), "Δ: giusto. Quante radici reali ha? Scrivi 2, 1 oppure 0.");
        QCOMPARE(p.focusWidget(), p.box(Step::Count, 0));
        QVERIFY(!p.box(Step::Roots, 0)->isEnabled() && p.box(Step::Delta, 0)->isReadOnly());
        // Unreadable: the text stays, the cursor goes where reading stopped.
        answer(p, {"2x"});
        QCOMPARE(p.box(Step::Count, 0)->text(), "2x");
        QCOMPARE(p.box(Step::Count, 0)->cursorPosition(), 1);
        QTest::keyClick(p.box(Step::Count, 0), Qt::Key_F1);
        QCOMPARE(p.worked_label()->text(),
                 "4. Quante radici\nΔ = 9 > 0: due radici reali distinte.");
        QCOMPARE(p.announced(), "4. Quante radici. Δ = 9 > 0: due radici reali distinte.");
        answer(p, {"2"});
        answer(p, {"1", "-2"});
        answer(p, {"-1/2", "-9/4"});
        QVERIFY(p.announced().startsWith("Vertice: giusto. Esercizio 2 di 10: x² + x − 12 = 0."));
        QVERIFY(p.box(Step::Delta, 0)->text().isEmpty() && p.verdict_label()->isHidden());
    }

    void a_set_to_its_summary() {
        PracticeWindow p;
        p.set_language(1);
        p.show();
        QVERIFY(QTest::qWaitForWindowActive(&p));
        start(p, Kind::FractionCoefficients, 17);
        while (!p.session().finished())
            answer(p, board_answers(p.session().exercise(), p.session().step()).front());
        QCOMPARE(p.focusWidget()->objectName(), "summary");
        QTest::keySequence(p.focusWidget(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 "Practice, set 17 (Fraction coefficients)\nRight at the first try: 10 of 10\n"
                 "Longest streak of exercises right in a row: 10\nSteps most often wrong: none");
        QCOMPARE(p.announced(), "Summary copied");
    }

    void type_is_large_on_a_projector() {
        PracticeWindow p;
        p.show();
        QVERIFY(QTest::qWaitForWindowActive(&p));
        start(p, Kind::Mixed, 1);
        p.resize(1920, 1080);
        QTRY_COMPARE(p.size(), QSize(1920, 1080));
        QVERIFY(QFontInfo(p.box(Step::Delta, 0)->font()).pixelSize() >= 40);
        QVERIFY(QFontInfo(p.verdict_label()->font()).pixelSize() >= 40);
        // F11 and back with Escape, which otherwise does nothing.
        QTest::keyClick(p.box(Step::Delta, 0), Qt::Key_Escape);
        QVERIFY(!p.isFullScreen());
        QTest::keyClick(p.box(Step::Delta, 0), Qt::Key_F11);
        QTRY_VERIFY(p.isFullScreen());
        QTest::keyClick(p.box(Step::Delta, 0), Qt::Key_Escape);
        QTRY_VERIFY(!p.isFullScreen());
    }
};

QTEST_MAIN(TestPracticeWindow)
#include "test_practice_window.moc"
