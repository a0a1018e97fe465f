// The fractions library: number reading, 16-bit conversion, number texts, fraction reduction
// and the exact helpers of the solve and test commands, and the overflow checks of the board's
// exact arithmetic. The rules and the read-back run in the C locale and in an Italian one,
// whose decimal point is a comma.
#include "fractions/fraction.h"
#include "fractions/numbers.h"
#include "reference.h"
#include "tutor/exact.h"

#include <QtTest>

#include <clocale>
#include <cmath>
#include <random>

using namespace fractions;
using namespace tutor::exact;

// The 64-bit limit of the integer form that the board works from; its square is 2^126.
constexpr Wide min64 = INT64_MIN;

// A result as text; a double in the shortest form that reads back exactly.
struct {
    auto operator()(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); }
    auto operator()(const std::string& text) { return QString::fromStdString(text); }
    auto operator()(Fraction f) { return QString::asprintf("%d/%d", f.num, f.den); }
} show;
// What a call gives, or the text of its failure ("Overflow", "Division by zero").
template <class F> QString outcome(F call) try {
    return show(call());
} catch (const std::exception& failure) {
    return failure.what();
}
#define OUTCOME(expression) outcome([&] { return expression; })
const auto texts = [](double v) { return signed_text(v) + "|" + plain_text(v); };
const auto whole = [](double v) { return std::floor(v) == v; };

// A row of the rules table for each locale: a call, named by its own text, and what it gives.
#define ROW(call, expected)                                                                        \
    for (QByteArray locale : {"C", "it_IT.UTF-8"})                                                 \
    QTest::newRow(locale + ": " #call)                                                             \
        << locale << std::function<QString()>([] { return OUTCOME(call); }) << QString(expected)

// The first 16-bit integer or random double whose texts do not read back, or "" when all do;
// 15 significant digits hold a double to within 5E-15.
std::string read_back_failure() {
    for (int i = -32768; i <= 32767; ++i)
        if (show(texts(i)) + show(read_number(plain_text(i))) !=
            (i < 0 ? "" : " ") + QString("%1|%1%1").arg(i))
            return std::to_string(i);
    std::mt19937_64 random(20240611);
    for (int n = 0; n < 100000; ++n) {
        const double x = std::ldexp(std::int64_t(random()), int(random() % 1900) - 1000);
        if (std::abs(read_number(signed_text(x)) / x - 1) > 5.2e-15)
            return texts(x);
    }
    return "";
}

// The common-factor search of the solve command: the start value from the m and k rules, then
// trial divisors downwards.
double downward_divisor(double a, double b, double c) {
    const double m = std::fabs(a) <= std::fabs(b) || b == 0 ? std::fabs(a) : std::fabs(b);
    double k = m <= std::fabs(c) ? (m == 0 ? std::fabs(c) : m) : (c == 0 ? m : std::fabs(c));
    while (!whole(quotient(a, k)) || !whole(b / k) || !whole(c / k)) // k = 0 divides by zero
        --k;
    return k;
}

class Fractions : public QObject {
    Q_OBJECT
  private slots:
    void rules_data() {
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<std::function<QString()>>("call");
        QTest::addColumn<QString>("expected");
        ROW(read_number(" -\t1 2\n. 5"), "-12.5");
        ROW(read_number("1.2.3"), "1.2");
        ROW(read_number("1,5"), "1");
        ROW(read_number("3/4"), "3");
        ROW(read_number("4x"), "4");
        ROW(read_number("1\r2"), "1");
        ROW(read_number(""), "0");
        ROW(read_number("abc"), "0");
        ROW(read_number("."), "0");
        ROW(read_number("-"), "0");
        ROW(read_number("25d - 1"), "2.5");
        ROW(read_number("+2D3"), "2000");
        ROW(read_number("2E"), "2");
        ROW(read_number("&h1 f"), "31");
        ROW(read_number("&O178"), "15");
        ROW(read_number("0." + std::string(1000100, '0') + "1E1000101"), "1");
        ROW(read_number("1e-400"), "0");
        ROW(read_number("1e400"), "Overflow");
        ROW(read_number("&H" + std::string(256, 'F')), "Overflow");
        ROW(read_number("1E+" + std::string(100000, '9')), "Overflow");
        ROW(to_int16(-2.5), "-2");
        ROW(to_int16(3.5), "4");
        ROW(to_int16(32767.5), "Overflow");
        ROW(to_int16(-32768.5), "-32768");
        ROW(to_int16(-32768.6), "Overflow");
        ROW(to_int16(NAN), "Overflow");
        ROW(to_int16(-HUGE_VAL), "Overflow");
        ROW(abs16(-32768), "Overflow");
        ROW(texts(-0.0), " 0|0");
        ROW(texts(-0.25), "-.25|-0.25");
        ROW(texts(-2.0 / 3), "-.666666666666667|-0.666666666666667");
        ROW(texts(9.999999999999999e-5), " .0001|0.0001");
        ROW(texts(-0.000015), "-1.5E-05|-1.5E-05");
        ROW(texts(999999999999999.5), " 1E+15|1E+15");
        ROW(fraction_text(0, 7), "0");
        ROW(fraction_text(-5, 1), "-5");
        ROW(fraction_text(3, -4), " 3/-4");
        ROW(fraction_text(5, 0), " 5/ 0");
        ROW(read_back_failure(), "");
        ROW(polynomial_value({1, 200}, {0, 1}, {0, 1}, {200, 1}), "Overflow"); // 40000/200
        // Each 2^127, one past the largest 128-bit value: the board's checked operations throw.
        ROW(whole_text(checked_add(min64 * min64, min64 * min64)), "Overflow");
        ROW(whole_text(checked_sub(min64 * min64, -min64 * min64)), "Overflow");
        ROW(whole_text(checked_mul(2 * min64, min64)), "Overflow");
    }
    void rules() {
        QFETCH(QByteArray, locale);
        QFETCH(std::function<QString()>, call);
        QFETCH(QString, expected);
        QVERIFY2(std::setlocale(LC_ALL, locale), "locale " + locale + " is not installed");
        QCOMPARE(call(), expected);
    }

    // All pairs in -300..300, every pair with -32768, and random pairs.
    void reduction_matches_trial_divisors() {
        std::vector<Fraction> pairs;
        for (int i = 0; i < 601 * 601; ++i)
            pairs.push_back({std::int16_t(i / 601 - 300), std::int16_t(i % 601 - 300)});
        for (int v = -32768; v <= 32767; ++v)
            pairs.insert(pairs.end(), {{std::int16_t(v), -32768}, {-32768, std::int16_t(v)}});
        std::mt19937 random(1977);
        for (int i = 0; i < 10000; ++i)
            pairs.push_back({std::int16_t(random()), std::int16_t(random())});
        for (Fraction f : pairs) {
            const std::optional<Fraction> r = reference::trial_reduce(f.num, f.den);
            QVERIFY2(OUTCOME(reduce_fraction(f.num, f.den)) == (r ? show(*r) : "Overflow"),
                     qPrintable(show(f)));
        }
    }

    void common_divisor_matches_downward_search() {
        for (int i = 0; i < 25 * 25 * 25; ++i) {
            const int a = i / 625 - 12, b = i / 25 % 25 - 12, c = i % 25 - 12;
            QVERIFY2(OUTCOME(common_divisor(a, b, c)) == OUTCOME(downward_divisor(a, b, c)),
                     qPrintable(QString::asprintf("%d %d %d", a, b, c)));
        }
    }

    void whole_square_root_around_squares() {
        const auto root = [](Wide m) { return QString::number(qint64(whole_square_root(m))); };
        for (qint64 r : {2LL, 94906267LL, (1LL << 53) + 1, (1LL << 60) - 1})
            QCOMPARE(root(Wide(r) * r - 1) + root(Wide(r) * r) + root(Wide(r) * r + 1),
                     "-1" + QString::number(r) + "-1");
    }

    // Against the exact value scaled to the common denominator a.den·b.den·c.den·x.den³.
    void polynomial_value_matches_rationals() {
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> top(-20, 20), bottom(1, 6);
        auto draw = [&] { return Fraction{std::int16_t(top(rng)), std::int16_t(bottom(rng))}; };
        const auto value = [](Fraction f) { return double(f.num) / f.den; };
        for (int i = 0; i < 100000; ++i) {
            const Fraction a = draw(), b = draw(), c = draw(), x = draw();
            const double X = value(x), den = a.den * b.den * c.den * std::pow(x.den, 3);
            const double num = std::round((value(a) * X * X + value(b) * X + value(c)) * den);
            QCOMPARE(OUTCOME(polynomial_value(a, b, c, x)),
                     OUTCOME((Fraction{to_int16(num), to_int16(den)})));
        }
    }
};

QTEST_APPLESS_MAIN(Fractions)
#include "test_fractions.moc"
