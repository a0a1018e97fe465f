// The graph on the board: the view box around the marked points, their order and kinds,
// the root that a tested X hits, and the exact texts a screen reader speaks.
#include "board_checks.h"
#include "tutor/board.h"

#include <QtTest>

#include <cmath>

// The integer form and a tested X ("p/q" or "p"), whose F(X) the board works out itself.
static tutor::Graph graph(qint64 a, qint64 b, qint64 c, const QString& x, int language) {
    const auto f = [](qint64 v) { return static_cast<std::int16_t>(v); };
    tutor::SolvedEquation e;
    e.A = a, e.B = b, e.C = c;
    e.a = {f(a), 1}, e.b = {f(b), 1}, e.c = {f(c), 1};
    std::optional<tutor::TestedValue> tested;
    if (!x.isEmpty())
        tested = tutor::TestedValue{{f(x.section('/', 0, 0).toLongLong()),
                                     f(x.contains('/') ? x.section('/', 1).toLongLong() : 1)},
                                    {}};
    return tutor::board_graph(e, tested, language);
}

// name;A;B;C;tested X;the points' kinds in order (R root, V vertex, F focus, Y y-intercept,
// T tested);the highlighted point (-1 none). X = 1/5 shares its numerator with the root 1/3.
static const char* const boxes = R"(rational;1;-3;2;;RRVFY;-1
rational, X a root;1;-3;2;2;RRVFYT;1
rational, X not a root;6;-5;1;1/5;RRVFYT;-1
downwards, X far;-1;4;0;30;RRVFYT;-1
irrational;1;1;-1;;RRVFY;-1
irrational, A < 0;-2;2;1;1;RRVFYT;-1
double, X the root;1;-2;1;1;RVFYT;0
complex;1;1;1;;VFY;-1
complex, far above;1;0;1000;;VFY;-1
flat x²;1;0;0;;RVFY;-1
steep;1000;0;0;;RVFY;-1
steep, roots 0 and 1;1000;-1000;0;;RRVFY;-1
far apart;100;-30001;300;;RRVFY;-1
far apart, X 1/100;100;-30001;300;1/100;RRVFYT;0)";

class BoardGraphTest : public QObject {
    Q_OBJECT
  private slots:
    void view_box_data() {
        QTest::addColumn<QStringList>("row");
        for (const QString& r : QString(boxes).split('\n'))
            QTest::newRow(qPrintable(r.section(';', 0, 0))) << r.split(';');
    }
    void view_box() {
        QFETCH(QStringList, row); // name, A, B, C, X, kinds, highlighted
        const qint64 a = row[1].toLongLong(), b = row[2].toLongLong(), c = row[3].toLongLong();
        const tutor::Graph g = graph(a, b, c, row[4], 1);
        const tutor::ViewBox& box = g.box;
        try {
            board_checks::check_view_box(g);
        } catch (const std::runtime_error& outside) {
            QFAIL(outside.what());
        }
        QString kinds;
        int highlighted = -1;
        for (const tutor::MarkedPoint& p : g.points) {
            kinds += QString("RVFYT").at(static_cast<int>(p.kind));
            if (p.highlighted)
                highlighted = highlighted == -1 ? static_cast<int>(&p - g.points.data()) : 99;
        }
        QCOMPARE(kinds, row[5]);
        QCOMPARE(highlighted, row[6].toInt());
        QCOMPARE(g.real_roots, kinds.startsWith('R'));
        if (kinds.startsWith("RR"))
            QVERIFY(g.points[0].x < g.points[1].x);
        // 5 to 11 ticks, 1, 2 or 5 times a power of ten apart, both ends on a tick.
        for (auto [lo, hi, step] : {std::tuple(box.x_min, box.x_max, box.x_step),
                                    std::tuple(box.y_min, box.y_max, box.y_step)}) {
            const double mantissa = step / std::pow(10, std::floor(std::log10(step)));
            QVERIFY2(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                         std::fabs(mantissa - 5) < 1e-9,
                     qPrintable(QString::number(step)));
            const double n = (hi - lo) / step;
            QVERIFY2(n > 3.999 && n < 10.001, qPrintable(QString::number(n)));
            QVERIFY(std::fabs(lo / step - std::round(lo / step)) < 1e-6);
            QVERIFY(std::fabs(hi / step - std::round(hi / step)) < 1e-6);
        }
        // Some of the curve's shape: from the vertex to each edge it climbs a third of the box.
        const auto f = [&](double t) { return (double(a) * t + double(b)) * t + double(c); };
        const double vertex_y = g.points[kinds.indexOf('V')].y;
        QVERIFY(std::min(std::fabs(f(box.x_min) - vertex_y), std::fabs(f(box.x_max) - vertex_y)) >=
                (box.y_max - box.y_min) / 3);
    }

    void texts_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("equation"); // A, B, C, X
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("spoken"); // each point's, then each point's label
        const QStringList rational{"1", "-3", "2", "1"};
        QTest::newRow("rational, Italian")
            << 0 << rational
            << "Parabola y = x² − 3x + 2, concavità verso l'alto, vertice V(3/2; −1/4), interseca "
               "l'asse x in x = 1 e x = 2, direttrice y = −1/2"
            << "radice x = 1 (la X provata)|radice x = 2|vertice V(3/2; −1/4)|fuoco F(3/2; 0)|"
               "intersezione con l'asse y (0; 2)|punto provato (1; 0)|x₂ = 1|x₁ = 2|"
               "V(3/2; −1/4)|F(3/2; 0)|(0; 2)|(1; 0)|y = −1/2";
        QTest::newRow("rational, English")
            << 1 << rational
            << "Parabola y = x² − 3x + 2, opens upwards, vertex V(3/2; −1/4), meets the x axis at "
               "x = 1 and x = 2, directrix y = −1/2"
            << "root x = 1 (the X tested)|root x = 2|vertex V(3/2; −1/4)|focus F(3/2; 0)|"
               "y-intercept (0; 2)|tested point (1; 0)|x₂ = 1|x₁ = 2|"
               "V(3/2; −1/4)|F(3/2; 0)|(0; 2)|(1; 0)|y = −1/2";
        QTest::newRow("irrational, English")
            << 1 << QStringList{"-2", "4", "4", "1/2"}
            << "Parabola y = −2x² + 4x + 4, opens downwards, vertex V(1; 6), meets the x axis at "
               "x = 1 − √3 and x = 1 + √3, directrix y = 49/8"
            << "root x = 1 − √3|root x = 1 + √3|vertex V(1; 6)|focus F(1; 47/8)|"
               "y-intercept (0; 4)|tested point (1/2; 11/2)|x₁ = 1 − √3|x₂ = 1 + √3|V(1; 6)|"
               "F(1; 47/8)|(0; 4)|(1/2; 11/2)|y = 49/8";
        QTest::newRow("double, Italian")
            << 0 << QStringList{"1", "-2", "1", ""}
            << "Parabola y = x² − 2x + 1, concavità verso l'alto, vertice V(1; 0), tocca l'asse x "
               "in x = 1, direttrice y = −1/4"
            << "radice doppia x = 1|vertice V(1; 0)|fuoco F(1; 1/4)|intersezione con l'asse y "
               "(0; 1)|x₁ = x₂ = 1|V(1; 0)|F(1; 1/4)|(0; 1)|y = −1/4";
        QTest::newRow("complex, Italian")
            << 0 << QStringList{"-1", "1", "-1", ""}
            << "Parabola y = −x² + x − 1, concavità verso il basso, vertice V(1/2; −3/4), non "
               "interseca l'asse x, direttrice y = −1/2"
            << "vertice V(1/2; −3/4)|fuoco F(1/2; −1)|intersezione con l'asse y (0; −1)|"
               "V(1/2; −3/4)|F(1/2; −1)|(0; −1)|y = −1/2";
    }
    void texts() {
        QFETCH(int, language);
        QFETCH(QStringList, equation);
        const tutor::Graph g = graph(equation[0].toLongLong(), equation[1].toLongLong(),
                                     equation[2].toLongLong(), equation[3], language);
        QStringList spoken, labels;
        for (const tutor::MarkedPoint& p : g.points) {
            spoken << QString::fromStdString(p.spoken);
            labels << QString::fromStdString(p.label);
        }
        QTEST(QString::fromStdString(g.description), "description");
        QTEST((spoken + labels << QString::fromStdString(g.directrix_label)).join('|'), "spoken");
    }
};

QTEST_APPLESS_MAIN(BoardGraphTest)
#include "test_board_graph.moc"
