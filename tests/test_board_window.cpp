// The board's window over hand-made content (x² − 3x + 2): its language, its copies, the
// arrow keys on the graph, full screen and its type size on a projector.
#include "app/board_window.h"
#include "app/form1.h"
#include "app/graph_layout.h"
#include "app/graph_view.h"
#include "reference.h"
#include "tutor/exact_solution.h"
#include "tutor/vocabulary.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

static const std::vector<tutor::BoardLine> steps = {{true, "Equazione"},
                                                    {false, "x² − 3x + 2 = 0"},
                                                    {true, "Discriminante"},
                                                    {false, "Δ = B² − 4AC = 9 − 8 = 1"},
                                                    {false, "x₁,₂ = (3 ± √1) / 2"}};

static tutor::Graph graph() {
    tutor::Graph g;
    g.a = 1, g.b = -3, g.c = 2;
    g.box = {-1, 4, -1.5, 3, 1, 0.5};
    g.directrix_y = -0.5;
    g.directrix_label = "Y= -1/2";
    using K = tutor::PointKind;
    g.points = {{K::Root, 2, 0, "X1= 2", "radice x uno, 2", false},
                {K::Root, 1, 0, "X2= 1", "radice x due, 1", false},
                {K::Vertex, 1.5, -0.25, "V(3/2 ; -1/4)", "vertice, 3/2, meno 1/4", false}};
    g.description = "parabola verso l'alto";
    return g;
}

class TestBoardWindow : public QObject {
    Q_OBJECT

    BoardWindow* board = nullptr;

  private slots:
    // No sound server, whatever the machine runs: the sound system is first reached on
    // the first arrow key or H.
    void initTestCase() { qputenv("PULSE_SERVER", "unix:/nonexistent"); }
    void init() {
        board = new BoardWindow;
        board->show_board(steps, graph(), 0);
        board->show();
        QVERIFY(QTest::qWaitForWindowExposed(board));
    }
    void cleanup() { delete board; }

    void names_follow_the_language_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("names"); // window, steps, graph
        QTest::newRow("italian") << 0 << QStringList{"Lavagna", "Passaggi", "Grafico"};
        QTest::newRow("english") << 1 << QStringList{"Board", "Steps", "Graph"};
    }
    void names_follow_the_language() {
        QFETCH(int, language);
        QFETCH(QStringList, names);
        board->show_board(steps, graph(), language);
        QCOMPARE(board->windowTitle(), names[0]);
        QCOMPARE(board->accessibleName(), names[0]);
        QCOMPARE(board->steps_view()->accessibleName(), names[1]);
        QCOMPARE(board->graph_view()->accessibleName(), names[2]);
        // The graph's own description, then how to hear it.
        QCOMPARE(board->graph_view()->accessibleDescription(),
                 "parabola verso l'alto. " +
                     QString::fromUtf8(tutor::vocabulary::graph_sound_hint.in(language)));
        // Before any solve the steps fill the window.
        board->show_board(steps, std::nullopt, language);
        QVERIFY(board->graph_view()->isHidden());
        QCOMPARE(board->windowTitle(), names[0]);
    }

    void copy_steps_as_plain_text() {
        QTextEdit* view = board->steps_view();
        view->setFocus();
        QTest::keySequence(view, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 "Equazione\nx² − 3x + 2 = 0\nDiscriminante\nΔ = B² − 4AC = 9 − 8 = 1\n"
                 "x₁,₂ = (3 ± √1) / 2");
        // A selection copies just itself.
        QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keySequence(view, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), "Equazione\n");
    }

    void copy_graph_as_picture() {
        GraphView* view = board->graph_view();
        view->setFocus();
        QGuiApplication::clipboard()->clear();
        QTest::keySequence(view, QKeySequence::Copy);
        const QImage image = QGuiApplication::clipboard()->image();
        QCOMPARE(image.size(), view->size() * view->devicePixelRatioF());
        // The curve is in it: some pixels of the A row's yellow.
        int yellow = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                yellow += image.pixelColor(x, y) == QColor(255, 255, 0);
        QVERIFY(yellow > 50);
    }

    void arrow_keys_visit_the_points_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("point");
        QTest::newRow("right: first") << QList<int>{Qt::Key_Right} << 0;
        QTest::newRow("down twice: second") << QList<int>{Qt::Key_Down, Qt::Key_Down} << 1;
        QTest::newRow("left: last") << QList<int>{Qt::Key_Left} << 2;
        QTest::newRow("right past the end: first") << QList<int>{Qt::Key_End, Qt::Key_Right} << 0;
        QTest::newRow("up past the start: last") << QList<int>{Qt::Key_Home, Qt::Key_Up} << 2;
    }
    void arrow_keys_visit_the_points() {
        QFETCH(QList<int>, keys);
        QFETCH(int, point);
        GraphView* view = board->graph_view();
        view->setFocus();
        for (int key : keys)
            QTest::keyClick(view, Qt::Key(key));
        QCOMPARE(view->current_point(), point);
        QCOMPARE(view->accessibleName(), QString::fromStdString(graph().points[point].spoken));
        // Leaving the graph gives it back its own name.
        board->steps_view()->setFocus();
        QCOMPARE(view->accessibleName(), "Grafico");
    }

    // Without a sound output: the speed keys are spoken, and
    // the first H says, spoken and shown, that nothing can play; the next H says nothing.
    void sound_keys_without_a_sound_output() {
        GraphView* view = board->graph_view();
        view->setFocus();
        const auto said = [view] {
            return view->findChild<QWidget*>("Grafico: punto")->accessibleName();
        };
        QTest::keyClick(view, Qt::Key_2);
        QCOMPARE(said(), "Velocità 2: 6 secondi");
        QTest::keyClick(view, Qt::Key_H);
        const QString none = tutor::vocabulary::no_sound_output.in(0);
        QCOMPARE(said(), none);
        QLabel* notice = view->findChild<QLabel*>();
        QVERIFY(notice && notice->isVisible() && notice->text() == none);
        QTest::keyClick(view, Qt::Key_5);
        QTest::keyClick(view, Qt::Key_H);
        QCOMPARE(said(), "Velocità 5: 2 secondi");
        QCOMPARE(view->findChildren<QLabel*>().size(), 1);
    }

    // F11 toggles full screen, Escape only leaves it; the keys are typed in the steps.
    void full_screen_keys_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<bool>("full_screen");
        QTest::newRow("F11") << QList<int>{Qt::Key_F11} << true;
        QTest::newRow("F11 twice") << QList<int>{Qt::Key_F11, Qt::Key_F11} << false;
        QTest::newRow("F11, Escape") << QList<int>{Qt::Key_F11, Qt::Key_Escape} << false;
        QTest::newRow("Escape") << QList<int>{Qt::Key_Escape} << false;
    }
    void full_screen_keys() {
        QFETCH(QList<int>, keys);
        QVERIFY(QTest::qWaitForWindowActive(board));
        for (int key : keys)
            QTest::keyClick(board->steps_view(), Qt::Key(key));
        QTEST(board->isFullScreen(), "full_screen");
    }

    void type_is_large_on_a_projector() {
        board->resize(1920, 1080);
        QTRY_COMPARE(board->size(), QSize(1920, 1080));
        QVERIFY(QFontInfo(board->steps_view()->font()).pixelSize() >= 24);
        QTextCursor first(board->steps_view()->document());
        first.setPosition(1); // in the heading "Equazione"
        const QTextCharFormat heading = first.charFormat();
        QVERIFY(heading.font().bold());
        QCOMPARE(heading.foreground().color(), QColor(255, 255, 0));
    }

    // Over equations a class meets, at the board's first size and full screen, at scale 1
    // and 2: every label inside the plot, none over another label or a marked point, none on
    // the curve where there is room; and one type size at a window size for every equation.
    void graph_labels_hide_nothing_data() {
        QTest::addColumn<QList<int>>("equation"); // an, ad, bn, bd, cn, cd, X (0: none)
        QTest::newRow("x² − 3x + 2, X = 1") << QList<int>{1, 1, -3, 1, 2, 1, 1, 1};
        QTest::newRow("x² + 100x + 1") << QList<int>{1, 1, 100, 1, 1, 1, 0, 0};
        QTest::newRow("100x² − x") << QList<int>{100, 1, -1, 1, 0, 1, 0, 0};
        QTest::newRow("x² + 1") << QList<int>{1, 1, 0, 1, 1, 1, 0, 0};
        QTest::newRow("x² − 6x + 9") << QList<int>{1, 1, -6, 1, 9, 1, 0, 0};
        QTest::newRow("−1/7, 3/5, 2/3") << QList<int>{-1, 7, 3, 5, 2, 3, 0, 0};
        QTest::newRow("x² + x + 2") << QList<int>{1, 1, 1, 1, 2, 1, 0, 0};
        QTest::newRow("a long one") << QList<int>{-7, 9, -11, 13, 5, 11, -1, 2};
    }
    void graph_labels_hide_nothing() {
        QFETCH(QList<int>, equation);
        tutor::SolvedEquation e;
        e.a = {std::int16_t(equation[0]), std::int16_t(equation[1])};
        e.b = fractions::reduce_fraction(equation[2], equation[3]);
        e.c = fractions::reduce_fraction(equation[4], equation[5]);
        const auto form = reference::integer_form(e.a, e.b, e.c);
        e.A = form[0], e.B = form[1], e.C = form[2];
        std::optional<tutor::TestedValue> tested;
        if (equation[7] != 0)
            tested = tutor::TestedValue{{std::int16_t(equation[6]), std::int16_t(equation[7])}, {}};
        const tutor::ExactSolution solution = tutor::solve_exactly(e, tested);
        const tutor::Graph graph = tutor::board_graph(solution, 0);
        for (const QSizeF size : {QSizeF(388, 684), QSizeF(757, 1064)}) {
            for (const double ratio : {1.0, 2.0}) {
                const std::optional<GraphLayout> g = lay_out_graph(graph, size, ratio, 0);
                QVERIFY(g);
                for (std::size_t i = 0; i < g->labels.size(); ++i) {
                    const QRectF box = g->labels[i].box;
                    QVERIFY2(g->plot.contains(box), qPrintable(g->labels[i].text));
                    for (std::size_t j = 0; j < i; ++j)
                        QVERIFY(!box.intersects(g->labels[j].box));
                    for (const GraphLayout::Point& p : g->points)
                        QVERIFY(!box.contains(p.at));
                    // Close to a marked point, the curve shows where the point is.
                    const auto near_a_point = [&](const QPointF& c) {
                        return std::any_of(g->points.begin(), g->points.end(), [&](auto& p) {
                            return std::hypot(c.x() - p.at.x(), c.y() - p.at.y()) < 2 * g->unit;
                        });
                    };
                    QVERIFY2(std::none_of(g->curve.begin(), g->curve.end(),
                                          [&](const QPointF& c) {
                                              return box.contains(c) && near_a_point(c);
                                          }),
                             qPrintable(QString("%1 at %2 × %3")
                                            .arg(g->labels[i].text)
                                            .arg(size.width())
                                            .arg(ratio)));
                }
            }
        }
        // The same type at a size, whatever the equation, and full screen every step fits.
        board->show_board(tutor::board_steps(solution, 0), graph, 0);
        board->resize(1920, 1080);
        QTRY_COMPARE(QFontInfo(board->steps_view()->font()).pixelSize(), 24);
        QTextEdit* steps = board->steps_view();
        QTRY_VERIFY(steps->document()->size().height() <= steps->viewport()->height());
    }

    // Steps that do not fit scroll, with a sign while more follow; a tested X's step, the
    // last, is brought into view.
    void last_step_in_view() {
        std::vector<tutor::BoardLine> lines(60, {false, "x² − 3x + 2 = 0"});
        lines.push_back({true, "F(X)"});
        board->resize(600, 400);
        board->show_board(lines, graph(), 0);
        QTextEdit* view = board->steps_view();
        auto* more = view->findChild<QLabel*>();
        QTRY_VERIFY(more->isVisible());
        board->show_board(lines, graph(), 0, true);
        QTRY_VERIFY(view->verticalScrollBar()->value() > 0);
        QCOMPARE(view->textCursor().block().text().remove(QChar(0x2060)), "F(X)");
        QTRY_VERIFY(!more->isVisible());
    }

    // A long chain wraps only after an "=", never inside an expression.
    void no_break_inside_an_expression() {
        board->resize(480, 700);
        board->show_board({{false, "x = (−B ± √Δ) / 2A = (−(−1089) ± √3528261) / (2·(−1001)) = "
                                   "(1089 ± 3√392029) / (−2002)"}},
                          std::nullopt, 0);
        QTRY_VERIFY(board->steps_view()->viewport()->width() > 400); // the steps alone
        QTextDocument* document = board->steps_view()->document();
        const QTextBlock block = document->firstBlock();
        document->documentLayout()->blockBoundingRect(block); // lays the line out
        QVERIFY(block.layout()->lineCount() > 1);
        for (int i = 0; i + 1 < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            QVERIFY(block.text().mid(line.textStart(), line.textLength()).trimmed().endsWith('='));
        }
    }

    void failure_box_fits_its_title_data() {
        QTest::addColumn<QString>("title");
        QTest::newRow("it") << "ATTENZIONE : Overflow";
        QTest::newRow("en") << "WARNING : Division by zero";
    }
    void failure_box_fits_its_title() {
        QFETCH(QString, title);
        QMessageBox box(QMessageBox::Critical, title, "Stop.", QMessageBox::Ok);
        widen_for_title(box);
        box.show();
        QFont bold = box.font();
        bold.setBold(true);
        QVERIFY(box.width() >= QFontMetrics(bold).horizontalAdvance(title) + 100);
    }
};

QTEST_MAIN(TestBoardWindow)
#include "test_board_window.moc"
