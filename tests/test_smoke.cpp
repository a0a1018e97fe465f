#include "window_probe.h"

#include <QtTest>

class SmokeTest : public QObject {
    Q_OBJECT
  private slots:
    void solves_simple_equation() {
        WindowProbe w;
        w.type_coefficients("1", "1", "-3", "1", "2", "1");
        w.Analizza_Click();
        QCOMPARE(w.caption("DetLabel"), QString(" Determinante =  1"));
        QCOMPARE(w.caption("LabelX1"), QString(" X1= 2"));
        QCOMPARE(w.caption("LabelX2"), QString(" X2= 1"));
    }
};

QTEST_MAIN(SmokeTest)
#include "test_smoke.moc"
