// The solve command over random fraction coefficients, checked with exact integer
// arithmetic done here, and over hostile box texts.
#include "reference.h"
#include "tutor_probe.h"

#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <numeric>
#include <random>

// An Italian solve of the six texts, and how it ended: 0 a full solve (no box, the last
// result line written), 1 the zero-check warning, 2 a failure's stop box, else -1.
static int solve(Probe& w, const QStringList& t) {
    w.type_coefficients(t);
    w.Analizza_Click();
    QString seen = w.text("LabelD").isEmpty() ? "" : "solved";
    for (const Message& m : w.messages)
        seen += QString::number(m.icon) + m.title.left(13) + m.prompt.left(10);
    return QStringList{"solved", "2ATTENZIONEOperazione", "3ATTENZIONE : Operazione"}.indexOf(seen);
}

// The caption of root k (1 or 2) of the integer form a, b with discriminant delta when
// it is not a fraction: the square-root or complex expression, unreduced.
static QString root_expression(int k, qint64 a, qint64 b, qint64 delta) {
    const auto n = [](qint64 v) { return QString::asprintf("% lld", v); };
    const qint64 m = std::abs(delta), t = std::llround(std::sqrt(double(m)));
    const QString head = QString(" X%1= ").arg(k), sign = k == 1 ? "+" : "-";
    const QString over = "] / " + n(2 * a);
    if (delta >= 0)
        return head + "[" + n(-b) + sign + "SQR(" + n(delta) + ")" + over;
    const QString imaginary = t * t == m ? "i" + n(t) : "i*SQR(" + n(m) + ")";
    if (b != 0)
        return head + "[" + n(-b) + sign + imaginary + over;
    const QString lone = (k == 1 ? " " : " -") + imaginary; // no real part
    return t * t == m ? head + "(" + lone + ") / " + n(2 * a) : head + "[" + lone + over;
}

class SolvePropertiesTest : public QObject {
    Q_OBJECT

  private slots:
    void random_fractions() {
        std::mt19937 rng(20260105);
        const QRegularExpression fraction("^ X[12]=([ -]\\d+)(?:/ (\\d+))?$"); // " X1=-3/ 4"
        int seen[3] = {}, fractions = 0, expressions[2] = {};
        for (int run = 0; run < 3000; ++run) {
            qint64 t[6]; // A, B and C as typed, numerator then denominator, -9 to 9
            QStringList typed;
            for (qint64& v : t)
                typed << QString::number(v = qint64(rng() % 19) - 9);
            Probe w;
            const int o = solve(w, typed);
            const QByteArray where = typed.join(',').toLatin1();
            QVERIFY2(o >= 0 && (o == 1) == (t[0] * t[1] * t[3] * t[5] == 0), where);
            if (++seen[o] && o == 1)
                continue;
            const auto typed_fraction = [&](int i) {
                return fractions::Fraction{std::int16_t(t[i]), std::int16_t(t[i + 1])};
            };
            const auto form =
                reference::integer_form(typed_fraction(0), typed_fraction(2), typed_fraction(4));
            const qint64 a = form[0], b = form[1], c = form[2], delta = b * b - 4 * a * c;
            QCOMPARE(w.text("DetLabel"), QString::asprintf(" Determinante = % lld", delta));
            const qint64 root = std::llround(std::sqrt(double(delta)));
            for (const char* label : {"LabelX1", "LabelX2"}) {
                const auto m = fraction.match(w.text(label));
                // A root that is not rational after a full solve: the expression from the
                // integer form, square roots and i as the sign of delta and B say.
                if (o == 0 && (delta < 0 || root * root != delta)) {
                    QCOMPARE(w.text(label), root_expression(label[6] - '0', a, b, delta));
                    ++expressions[delta < 0];
                    continue;
                }
                const qint64 p = m.captured(1).trimmed().toLongLong(),
                             q = qMax(1LL, m.captured(2).toLongLong());
                // Shown as a fraction (always, after a full solve): in lowest terms, and the
                // typed equation is 0 at p/q.
                const bool at_root = m.hasMatch() && reference::value_at(form, {p, q}).sign() == 0;
                QVERIFY2(m.hasMatch() ? std::gcd(p, q) == 1 && at_root : o != 0, where);
                fractions += m.hasMatch();
            }
        }
        QVERIFY(seen[0] > 100 && seen[1] > 100 && seen[2] > 50 && fractions > 100);
        QVERIFY(expressions[0] > 100 && expressions[1] > 100); // real and complex
    }

    // Each text in each box in turn, the others holding x^2 - 3x + 2.
    void hostile_texts_data() {
        QTest::addColumn<QStringList>("typed");
        for (const QString& text :
             {QString(100000, '9'), QString("1e309"), QString("&HFFFFFFFFFFFF"),
              QChar(0) + QString("1"), QString("\u0661\u0662 \U0001F600")})
            for (int i = 0; i < 6; ++i) {
                QStringList typed{"1", "1", "-3", "1", "2", "1"};
                typed[i] = text;
                QTest::addRow("%s in box %d", text.right(9).toUtf8().toHex().data(), i) << typed;
            }
    }

    void hostile_texts() {
        QFETCH(QStringList, typed);
        Probe w;
        QVERIFY(solve(w, typed) >= 0);
    }
};

QTEST_APPLESS_MAIN(SolvePropertiesTest)
#include "test_solve_properties.moc"
