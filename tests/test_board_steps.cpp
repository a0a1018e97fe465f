// The board's worked steps: their text in both languages, and over random equations that
// every equality they write holds exactly, with the roots of the main window's formulas.
#include "board_checks.h"
#include "tutor/board.h"
#include "tutor/exact_solution.h"

#include <QtTest>

#include <random>

using namespace tutor;
using board_checks::check_chains;
using board_checks::solved;
using fractions::Fraction;

static Fraction fraction(const QString& text) {
    return {std::int16_t(text.section('/', 0, 0).toShort()),
            std::int16_t(text.contains('/') ? text.section('/', 1).toShort() : 1)};
}

// Where a line ends, its square roots are simplified: no number under a √ has a square factor.
static void check_simplified(const std::vector<BoardLine>& lines) {
    static const QRegularExpression root("√\\(?−?([0-9]+)");
    for (const BoardLine& line : lines)
        for (const auto& m : root.globalMatch(QString::fromStdString(line.text).section(" = ", -1)))
            for (qint64 n = m.captured(1).toLongLong(), d = 2; d * d <= n; ++d)
                if (n % (d * d) == 0)
                    throw std::runtime_error("a square factor under a root: " + line.text);
}

// name|a b c, then the roots of a composed equation|a tested X|language|a line the steps write
static const char* const step_rows =
    R"(none it|||0|Scrivi A, B e C e scegli Risolvi: qui compariranno i passaggi.
none en|||1|Type A, B and C and choose Solve: the working will appear here.
typed fractions|1/2 -3/2 1||1|1/2·x² − 3/2·x + 1 = 0
factor k|1/2 -3/2 1||0|k = A/a = 1/(1/2) = 2
integer form|1/2 -3/2 1||1|(A, B, C) = k · (a, b, c) = 2 · (1/2, −3/2, 1) = (1, −3, 2)
discriminant|1/2 -3/2 1||0|Δ = B² − 4AC = (−3)² − 4·1·2 = 9 − 8 = 1
rational roots|1/2 -3/2 1||1|x₂ = (3 − 1) / 2 = 1
vertex|1/2 -3/2 1||1|V(−B/2A; −Δ/4A) = V(−(−3)/(2·1); −1/(4·1)) = V(3/2; −1/4)
F(X)|1/2 -3/2 1|1/2|1|F(1/2) = 1·(1/2)² + (−3)·(1/2) + 2 = 1/4 − 3/2 + 2 = 3/4
F(X) not 0|1/2 -3/2 1|1/2|0|F(1/2) = 3/4 ≠ 0: X = 1/2 non è una radice dell'equazione.
X a root|1 -3 2|1|1|F(1) = 0: X = 1 is a root of the equation.
heading 1 it|1/2 -3/2 1|1/2|0|1. L'equazione, con i coefficienti ai minimi termini
heading 2 it|1/2 -3/2 1|1/2|0|2. La forma intera
heading 3 it|1/2 -3/2 1|1/2|0|3. Il discriminante
heading 4 it|1/2 -3/2 1|1/2|0|4. Quante radici
heading 5 it|1/2 -3/2 1|1/2|0|5. Le radici
heading 6 it|1/2 -3/2 1|1/2|0|6. Vertice, fuoco e direttrice della parabola y = x² − 3x + 2
heading 7 it|1/2 -3/2 1|1/2|0|7. La verifica: x₁ + x₂ = −B/A e x₁ · x₂ = C/A
heading 8 it|1/2 -3/2 1|1/2|0|8. Il valore di F(X) per X = 1/2
heading 1 en|1/2 -3/2 1|1/2|1|1. The equation, its coefficients in lowest terms
heading 2 en|1/2 -3/2 1|1/2|1|2. The integer form
heading 3 en|1/2 -3/2 1|1/2|1|3. The discriminant
heading 4 en|1/2 -3/2 1|1/2|1|4. How many roots
heading 5 en|1/2 -3/2 1|1/2|1|5. The roots
heading 6 en|1/2 -3/2 1|1/2|1|6. Vertex, focus and directrix of the parabola y = x² − 3x + 2
heading 7 en|1/2 -3/2 1|1/2|1|7. The check: x₁ + x₂ = −B/A and x₁ · x₂ = C/A
heading 8 en|1/2 -3/2 1|1/2|1|8. The value of F(X) at X = 1/2
k is 1|1 2 -2||1|k = 1: the coefficients are already whole numbers with no common factor.
√12 = 2√3|1 2 -2||0|√Δ = √12 = 2√3
√45 = 3√5|1 1 -11||1|√Δ = √45 = 3√5
√75 = 5√3|1 0 -75||0|x = (−B ± √Δ) / 2A = (0 ± √300) / (2·1) = (0 ± 10√3) / 2 = ±5√3
√98 = 7√2|1 0 -98||1|x = (−B ± √Δ) / 2A = (0 ± √392) / (2·1) = (0 ± 14√2) / 2 = ±7√2
√(−63) = 3i√7|1 1 16||0|√Δ = √(−63) = 3i√7
irrational|1 2 -2||1|x = (−B ± √Δ) / 2A = (−2 ± √12) / (2·1) = (−2 ± 2√3) / 2 = −1 ± √3
negative A|-2 2 1||1|x₁ = (1 − √3)/2
double it|2 4 2||0|Δ = 0: una radice doppia (due radici reali coincidenti).
complex en|1 1 1||1|Δ = −3 < 0: no real root, two complex conjugate roots.
complex it|1 1 1||0|x = (−B ± √Δ) / 2A = (−1 ± √(−3)) / (2·1) = (−1 ± i√3) / 2 = −1/2 ± (√3/2)·i
composed it|1 -1/6 -1/6 1/2 -1/3||0|1. L'equazione che ha le radici a = 1/2 e b = −1/3
composed en|1 -1/6 -1/6 1/2 -1/3||1|(x − 1/2)(x + 1/3) = x² − (1/2 + (−1/3))·x + 1/2·(−1/3)
equal roots composed|1 -4 4 2 2||0|(x − 2)² = x² − (2 + 2)·x + 2·2
k multiplies it|1/2 -3/2 1||0|Si moltiplica per k, il minimo comune multiplo dei denominatori:
k multiplies en|1/2 -3/2 1||1|Multiply by k, the least common multiple of the denominators:
k divides it|-2 -4 -8||0|Si divide per n = 2, il fattore comune dei coefficienti (k = 1/n):
k divides en|-2 -4 -8||1|Divide by n = 2, the common factor of the coefficients (k = 1/n):
k = m/n it|2/3 4/3 2||0|Si moltiplica per m = 3, il minimo comune multiplo dei denominatori, e si divide per n = 2, il fattore comune che resta (k = m/n):
k = m/n en|2/3 4/3 2||1|Multiply by m = 3, the least common multiple of the denominators, and divide by n = 2, the common factor then left (k = m/n):)";

class BoardStepsTest : public QObject {
    Q_OBJECT
  private slots:
    void step_lines_data() {
        QTest::addColumn<QString>("equation");
        QTest::addColumn<QString>("x");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("line");
        for (const QString& row : QString(step_rows).split('\n')) {
            const QStringList f = row.split('|');
            QTest::newRow(qPrintable(f[0])) << f[1] << f[2] << f[3].toInt() << f[4];
        }
    }
    void step_lines() {
        QFETCH(QString, equation);
        QFETCH(QString, x);
        QFETCH(int, language);
        QFETCH(QString, line);
        std::optional<SolvedEquation> e;
        const QStringList f = equation.split(' ');
        if (f.size() >= 3)
            e = solved(fraction(f[0]), fraction(f[1]), fraction(f[2]));
        if (f.size() == 5)
            e->root_a = fraction(f[3]), e->root_b = fraction(f[4]);
        const std::optional<TestedValue> tested = // the steps work F(X) out themselves
            x.isEmpty() ? std::nullopt : std::optional(TestedValue{fraction(x), {}});
        QStringList texts;
        for (const BoardLine& l : board_steps(e, tested, language))
            texts << QString::fromStdString(l.text);
        QVERIFY2(texts.contains(line), qPrintable(texts.join('\n')));
    }

    // Over random equations, some with a tested X, every chain of equalities holds exactly:
    // the letters are the solve's values, x₁ and x₂ the main window's roots (−B ± √Δ)/2A;
    // and each line ends with its square roots simplified.
    void every_equality_holds() {
        std::mt19937 random(19);
        const auto typed = [&](int size, int den) {
            return Fraction{std::int16_t(std::uniform_int_distribution(-size, size)(random)),
                            std::int16_t(std::uniform_int_distribution(1, den)(random))};
        };
        for (int n = 0; n < 3000; ++n) {
            Fraction a = typed(12, 9);
            a.num = a.num == 0 ? 1 : a.num;
            const SolvedEquation e = solved(a, typed(12, 9), typed(12, 9));
            std::optional<TestedValue> tested;
            if (n % 2)
                tested = TestedValue{typed(6, 4), {}};
            try {
                const exact::Names names = board_checks::names(e, tested);
                const std::vector<BoardLine> lines = board_steps(e, tested, n % 3 % 2);
                QVERIFY(check_chains(lines, names) >= 12);
                check_simplified(lines);
                // Every root the board writes is a root and reads back to its exact value.
                board_checks::check_roots(solve_exactly(e, tested));
            } catch (const std::exception& failure) {
                QFAIL(qPrintable(QString("%1, for %2x² + %3x + %4 = 0")
                                     .arg(failure.what())
                                     .arg(e.A)
                                     .arg(e.B)
                                     .arg(e.C)));
            }
        }
    }
};

QTEST_APPLESS_MAIN(BoardStepsTest)
#include "test_board_steps.moc"
