// Practice: typed answers and their verdicts in both languages, the sets of every kind
// solved by the main window's own solve, and a session's score.
#include "practice_answers.h"
#include "tutor/practice.h"
#include "tutor_probe.h"

#include <QtTest>

using namespace tutor::practice;
using tutor::exact::Rational;

Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(Verdict)

// "1/2 -1 -3/2" as the equation 1/2·x² − x − 3/2 = 0.
static Exercise posed(const QString& coefficients) {
    Rational c[3];
    const QStringList parts = coefficients.split(' ');
    for (int i = 0; i < 3; ++i)
        c[i] = Rational(parts[i].section('/', 0, 0).toInt(),
                        parts[i].contains('/') ? parts[i].section('/', 1).toInt() : 1);
    return make_exercise(Kind::Mixed, c[0], c[1], c[2]);
}

static std::vector<std::string> strings(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list)
        out.push_back(s.toStdString());
    return out;
}

class PracticeTest : public QObject {
    Q_OBJECT

  private slots:
    void answers_data() {
        QTest::addColumn<QString>("equation");
        QTest::addColumn<Step>("step");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("language");
        QTest::addColumn<Verdict>("verdict");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("message");
        const QString golden = "1 -3 1", halves = "4 -8 3", complex = "1 -2 5";
        const auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
        // Right, in the forms a student types.
        row("board's form") << golden << Step::Roots << List{"(3 + √5)/2", "(3 − √5)/2"} << 1
                            << Verdict::Right << 0 << "Roots: right.";
        row("split, ASCII") << golden << Step::Roots << List{"3/2 + √5/2", "(3-sqrt(5))/2"} << 1
                            << Verdict::Right << 0 << "Roots: right.";
        row("± in one box") << golden << Step::Roots << List{"(3 ± √5)/2", ""} << 0
                            << Verdict::Right << 0 << "Radici: giusto.";
        row("sqrt5, any order") << "1 0 -5" << Step::Roots << List{"-sqrt5", "√(5)"} << 1
                                << Verdict::Right << 0 << "Roots: right.";
        row("complex") << complex << Step::Roots << List{"1 - 2i", "1+2i"} << 1 << Verdict::Right
                       << 0 << "Roots: right.";
        row("±i") << "1 0 1" << Step::Roots << List{"±i", ""} << 1 << Verdict::Right << 0
                  << "Roots: right.";
        row("decimals equal") << halves << Step::Roots << List{"1.5", "0,5"} << 0 << Verdict::Right
                              << 0 << "Radici: giusto. In forma esatta: 3/2. In forma esatta: 1/2.";
        // The right value, not simplified: the simplified form is not given.
        row("2/4") << halves << Step::Roots << List{"3/2", "2/4"} << 0 << Verdict::NotSimplified
                   << 1 << "seconda radice: valore giusto, non semplificato.";
        row("√12") << "1 0 -12" << Step::Roots << List{"√12", "-2√3"} << 1 << Verdict::NotSimplified
                   << 0 << "first root: right value, not simplified.";
        row("common factor") << golden << Step::Roots << List{"(6+2√5)/4", "(3-√5)/2"} << 1
                             << Verdict::NotSimplified << 0
                             << "first root: right value, not simplified.";
        row("terms not added") << golden << Step::Roots << List{"1 + 1/2 + √5/2", "(3-√5)/2"} << 1
                               << Verdict::NotSimplified << 0
                               << "first root: right value, not simplified.";
        row("integer form ×2") << "1/2 -1 -3/2" << Step::IntegerForm << List{"2", "-4", "-6"} << 1
                               << Verdict::NotSimplified << 0
                               << "A of the integer form: right value, not simplified.";
        // Approximately right.
        row("decimal close") << golden << Step::Roots << List{"2.618", "0,38"} << 0
                             << Verdict::Approximate << 0
                             << "prima radice: approssimativamente giusto. Scrivi il valore "
                                "esatto.";
        // Wrong, with the common mistake named.
        row("sign of −B") << golden << Step::Roots << List{"(-3+√5)/2", "(-3-√5)/2"} << 1
                          << Verdict::Wrong << 0 << "first root: wrong. Check the sign of −B.";
        row("half divided") << golden << Step::Roots << List{"3 ± √5/2", ""} << 0 << Verdict::Wrong
                            << 0
                            << "prima radice: sbagliato. Va diviso per 2A tutto il "
                               "numeratore, −B ± √Δ.";
        row("(−8)² as −64") << halves << Step::Delta << List{"-16"} << 1 << Verdict::Wrong << 0
                            << "Δ: wrong. Careful: the square of a negative number is "
                               "positive, (−3)² = 9.";
        row("sign of 4AC") << halves << Step::Delta << List{"112"} << 0 << Verdict::Wrong << 0
                           << "Δ: sbagliato. Attenzione al segno di 4AC.";
        row("vertex y") << halves << Step::Vertex << List{"1", "1"} << 1 << Verdict::Wrong << 1
                        << "vertex y: wrong. Check the sign: the vertex's y is −Δ/4A.";
        row("vertex x") << halves << Step::Vertex << List{"-1", "-1"} << 1 << Verdict::Wrong << 0
                        << "vertex x: wrong. Check the sign of −B.";
        row("two real, Δ < 0") << complex << Step::Count << List{"2"} << 0 << Verdict::Wrong << 0
                               << "Numero di radici reali: sbagliato. Con Δ < 0 non ci sono "
                                  "radici reali.";
        row("real roots, Δ < 0") << complex << Step::Roots << List{"1", "3"} << 1 << Verdict::Wrong
                                 << 0 << "first root: wrong. With Δ < 0 there are no real roots.";
        row("no mistake named") << halves << Step::Delta << List{"15"} << 1 << Verdict::Wrong << 0
                                << "Δ: wrong. Remember: Δ = B² − 4AC, with A, B and C of the "
                                   "integer form.";
        // Not judged: the cursor goes where reading stopped (a byte, √ is three).
        row("unclosed") << golden << Step::Roots << List{"(3+√5/2", ""} << 1 << Verdict::Unreadable
                        << 9
                        << "first root: the answer cannot be read. Type an exact number, for "
                           "example 3/2, −1/4, √5, (3 + √5)/2, (3 ± √5)/2 or 1 + 2i.";
        row("letter") << halves << Step::Delta << List{"16x"} << 0 << Verdict::Unreadable << 2
                      << "Δ: non riesco a leggere la risposta. Scrivi un numero intero, per "
                         "esempio 13 oppure −8.";
        row("65 characters") << halves << Step::Delta << List{QString(65, '1')} << 1
                             << Verdict::TooLong << 0
                             << "Δ: answer too long, 64 characters at most.";
        row("beyond 128 bits") << halves << Step::Delta << List{QString(40, '9')} << 0
                               << Verdict::TooLarge << 0
                               << "Δ: numero troppo grande per i calcoli esatti.";
        row("second box empty") << halves << Step::Roots << List{"3/2", " "} << 1 << Verdict::Empty
                                << 1 << "second root: type the answer.";
    }

    void answers() {
        QFETCH(QString, equation);
        QFETCH(Step, step);
        QFETCH(QStringList, typed);
        QFETCH(int, language);
        QFETCH(Verdict, verdict);
        QFETCH(int, box);
        QFETCH(QString, message);
        const StepVerdict v = check(posed(equation), step, strings(typed), language);
        QCOMPARE(QString::fromStdString(v.message), message);
        QCOMPARE(v.verdict, verdict);
        QCOMPARE(v.verdict == Verdict::Unreadable ? int(v.boxes[v.box].stopped) : v.box, box);
    }

    // Every exercise of every kind, sets 1 to 200: classroom-sized, of its kind, solved by
    // the main window to the same integer form and roots, and the board's own answers, as
    // it writes them, judged right at every step.
    void sets() {
        for (int k = 0; k < kind_count; ++k) {
            for (int set = 1; set <= 200; ++set) {
                const std::vector<Exercise> exercises = make_set(Kind(k), set);
                QCOMPARE(int(exercises.size()), set_size);
                for (const Exercise& x : exercises) {
                    const QByteArray where = QByteArray::number(k) + " set " +
                                             QByteArray::number(set) + ": " + x.equation.c_str();
                    QVERIFY2(x.kind == Kind(k) || Kind(k) == Kind::Mixed, where);
                    const tutor::ExactSolution& s = solved_in_main_window(x);
                    QVERIFY2(s.A == x.solution.A && s.B == x.solution.B && s.C == x.solution.C,
                             where);
                    QVERIFY2(s.x1.number == x.solution.x1.number &&
                                 s.x2.number == x.solution.x2.number,
                             where);
                    QVERIFY2(of_its_kind(x), where);
                    for (Step step : steps_of(x))
                        for (const std::vector<std::string>& typed : board_answers(x, step)) {
                            const StepVerdict v = check(x, step, typed, 0);
                            QByteArray boxes;
                            for (const std::string& t : typed)
                                boxes += QByteArray(t.c_str()) + " | ";
                            QVERIFY2(v.verdict == Verdict::Right,
                                     where + " " + boxes + v.message.c_str());
                        }
                }
            }
        }
        // The same set on every machine: the first equation of set 17 of each kind.
        QStringList first;
        for (int k = 0; k < kind_count; ++k)
            first << QString::fromStdString(make_set(Kind(k), 17).front().equation);
        QCOMPARE(first, QStringList({"x² + x − 2 = 0", "9x² + 3x − 20 = 0", "3x² + 6x − 20 = 0",
                                     "9x² − 24x + 16 = 0", "3x² + 6x + 22 = 0",
                                     "2/3·x² + 3/2·x − 3 = 0", "4x² + 15x + 27/2 = 0"}));
    }

    // A set worked through: a wrong Δ and a step shown cost the first try, the score
    // counts the rest; the summary names the steps missed, most often first.
    void session() {
        Session session;
        session.start(Kind::WholeRoots, 17);
        int exercise = 0;
        while (!session.finished()) {
            const Exercise& x = session.exercise();
            QCOMPARE(session.index(), exercise);
            if (exercise == 0)
                QCOMPARE(session.introduction(1), "Exercise 1 of 10: " + x.equation +
                                                      ". Work out the discriminant Δ = "
                                                      "B² − 4AC.");
            for (Step step : steps_of(x)) {
                QCOMPARE(session.step(), step);
                if (step == Step::Delta && exercise % 3 == 0)
                    QCOMPARE(session.check({"123456"}, 0).verdict, Verdict::Wrong);
                if (step == Step::Vertex && exercise == 1)
                    QVERIFY(!session.show(0).empty());
                if (step == Step::Roots && exercise == 2)
                    QCOMPARE(session.check({"", ""}, 0).verdict, Verdict::Empty); // not counted
                QCOMPARE(session.check(board_answers(x, step).front(), 0).verdict, Verdict::Right);
            }
            ++exercise;
        }
        QCOMPARE(exercise, 10);
        // Wrong Δ in exercises 1, 4, 7 and 10, the vertex shown in exercise 2.
        QCOMPARE(QString::fromStdString(session.summary(0)),
                 "Esercizi, serie 17 (Radici intere)\nGiusti al primo tentativo: 5 su 10\n"
                 "Serie più lunga di esercizi giusti di fila: 2\n"
                 "Passaggi sbagliati più spesso: Δ (4), Vertice (1)");
    }

  private:
    // The exercise typed into the main window's boxes and solved there, worked out exactly.
    static tutor::ExactSolution solved_in_main_window(const Exercise& x) {
        Probe w;
        QStringList boxes;
        for (const Rational* c : {&x.a, &x.b, &x.c})
            boxes << QString::number(qint64(c->num())) << QString::number(qint64(c->den()));
        w.type_coefficients(boxes);
        w.run(tutor::Command::Analizza);
        if (!w.messages.isEmpty() || !w.screen().board.equation)
            return {};
        return tutor::solve_exactly(*w.screen().board.equation, std::nullopt);
    }

    static bool of_its_kind(const Exercise& x) {
        const tutor::ExactSolution& s = x.solution;
        for (const Rational* c : {&x.a, &x.b, &x.c})
            if (c->num() < -30 || c->num() > 30 || c->den() > 12)
                return false;
        const bool rational = s.x1.rational && s.x2.rational;
        switch (x.kind) {
        case Kind::WholeRoots:
            return rational && s.x1.fraction.is_whole() && s.x2.fraction.is_whole() && s.delta > 0;
        case Kind::FractionRoots:
            return rational && s.delta > 0 &&
                   !(s.x1.fraction.is_whole() && s.x2.fraction.is_whole());
        case Kind::SquareRootRoots:
            return s.delta > 0 && !rational;
        case Kind::DoubleRoot:
            return s.delta == 0;
        case Kind::NoRealRoots:
            return s.delta < 0;
        default:
            return x.integer_form && !(x.a.is_whole() && x.b.is_whole() && x.c.is_whole());
        }
    }
};

QTEST_APPLESS_MAIN(PracticeTest)
#include "test_practice.moc"
