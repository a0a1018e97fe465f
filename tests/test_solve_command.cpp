// The solve command end to end: each row runs a script of solves and reads back what the
// message boxes, the result lines, their tooltips and the boxes show.
#include "tutor_probe.h"

#include <QRegularExpression>
#include <QtTest>

// The message boxes as "icon|title|prompt" (icon 2 the exclamation, 3 the stop); the
// failure's description after " : " is the program's own wording.
const QString warned[] = {"2|ATTENZIONE|Operazione interrotta.\rTutti i denominatori e il "
                          "numeratore di A devono essere diversi da zero",
                          "2|WARNING|Stop.\rAll denominators and the numerator A mustn't be zero"};
const QString stopped[] = {"3|ATTENZIONE : *|Operazione annullata.", "3|WARNING : *|Stop."};
// The tooltips of two complex roots.
const QString cx[] = {"|Radice complessa|Radice complessa", "|Complex root|Complex root"};
const QStringList boxes{"textAN", "TextAD", "TextBN", "TextBD", "TextCN", "TextCD"};
const QStringList heads{"?Label3", "?Label4", "?Label5"};

// Each group starts with the names (more than two) of the controls it reads back: a
// box's text, a label's caption, or its tooltip behind '?' (behind '~' the number after
// "Xn=" by value, as the form of tiny values is the program's choice). Its rows give a
// script and what shows after it, the message boxes first: "en" switches to English,
// each six texts joined by ',' are typed into the rows (framed as fractions) and solved.
const QList<QStringList> groups{
    {"DetLabel", "LabelX1", "LabelX2", "?LabelX1", "?LabelX2"},
    {"1,1,-3,1,2,1", " Determinante =  1| X1= 2| X2= 1|X1= 2|X2= 1"},
    {"6,1,-5,1,1,1", " Determinante =  1| X1= 1/ 2| X2= 1/ 3|X1= .5|X2= .333333333333333"},
    // The same as x^2 + x - 1 once the common factor is taken out.
    {"2,1,2,1,-2,1", " Determinante =  5| X1= [-1+SQR( 5)] /  2| X2= [-1-SQR( 5)] /  2"
                     "|X1= .618033988749895|X2=-1.61803398874989"},
    {"1,1,1,1,1,1", " Determinante = -3| X1= [-1+i*SQR( 3)] /  2| X2= [-1-i*SQR( 3)] /  2" + cx[0]},
    {"1,1,2,1,5,1", " Determinante = -16| X1= [-2+i 4] /  2| X2= [-2-i 4] /  2" + cx[0]},
    {"1,1,-2,1,5,1", " Determinante = -16| X1= [ 2+i 4] /  2| X2= [ 2-i 4] /  2" + cx[0]},
    {"1,1,0,1,2,1", " Determinante = -8| X1= [ i*SQR( 8)] /  2| X2= [ -i*SQR( 8)] /  2" + cx[0]},
    {"en 1,1,0,1,1,1", " Determinant = -4| X1= ( i 2) /  2| X2= ( -i 2) /  2" + cx[1]},
    {"en 1,1,-2,1,1,1", " Determinant =  0| X1= 1| X2= 1|X1= 1|X2= 1"},
    {"-1,1,0,1,1,1", " Determinante =  4| X1=-1| X2= 1|X1=-1|X2= 1"},

    {"LabelF", "LabelV", "LabelD", "?LabelF", "?LabelV", "?LabelD"},
    {"-1,1,4,1,0,1", "F( 2  ;   15/ 4)|V( 2  ;   4)|Y=  17/ 4|Coordinate del fuoco ( 2 ;  3.75)"
                     "|Coordinate del vertice ( 2 ;  4)|Equazione della direttrice =  4.25"},
    {"1,1,0,1,-4,1", "F(0  ;  -15/ 4)|V(0  ;  -4)|Y= -17/ 4|Coordinate del fuoco ( 0 ; -3.75)"
                     "|Coordinate del vertice ( 0 ; -4)|Equazione della direttrice = -4.25"},
    {"en 1,1,-2,1,1,1", "F( 1  ;   1/ 4)|V( 1  ;  0)|Y= -1/ 4|Focus coordinates ( 1 ;  .25)"
                        "|Vertex coordinates ( 1 ;  0)|Directrix = -.25"},

    // The boxes after the solve hold the integer form, and the rows are collapsed.
    boxes + heads + QStringList{"LabelA", "LabelB", "LabelC"},
    {"1,2,-3,2,1,1", "1|1|-3|1|2|1|A= 1|B=-3|C= 2|A =|B =|C ="},    // 2, -6, 4 over 2
    {"4,6,-3,-9,5,-10", "4|1|2|1|-3|1|A= 4|B= 2|C=-3|A =|B =|C ="}, // 2/3, 1/3, -1/2
    {"1,1,2.5,1,3.5,1", "1|1|2|1|4|1|A= 1|B= 2|C= 4|A =|B =|C ="},  // halves to even
    {"2/4,1,-3,1,1,1", "2|1|-3|1|1|1|A= 2|B=-3|C= 1|A =|B =|C ="},  // "/4" is ignored
    {"1,0.6,-3,1,2,1", "1|1|-3|1|2|1|A= 1|B=-3|C= 2|A =|B =|C ="},  // 0.6 is taken as 1

    // The zero check after x^2 - 3x + 2, then failures.
    QStringList{"DetLabel", "LabelX1", "LabelX2", "~LabelX1", "~LabelX2", "LabelF"} + boxes + heads,
    {"1,1,-3,1,2,1 0,1,4,6,1,1", warned[0] + "|||||||0|1|4|6|1|1|A= 0|B= .666666666666667|C= 1"},
    {"en 1,1,-3,1,2,1 1,1,2,0,3,1", warned[1] + "|||||||1|1|2|0|3|1|A= 1|B=-3|C= 2"}, // kept
    {"20000,1,1,1,0,1", stopped[0] + "| Determinante =  1|||X1=0|X2=-5e-05||20000|1|1|1|0|1|||"},
    {"en 0,1,1,1,1,40000", stopped[1] + "|||||||0|1|1|1|1|40000|||"},  // before the zero check
    {"4,6,-3,-9,-32768,3", stopped[0] + "|||||||2|3|1|3|-32768|3|||"}, // A and B rewritten
    // Values that the 16-bit conversion makes 0 are refused as typed, boxes untouched.
    {"0.4,1,3,1,2,1", warned[0] + "|||||||0.4|1|3|1|2|1|A= .4|B= 3|C= 2"},
    {"1,0.4,-3,1,2,1", warned[0] + "|||||||1|0.4|-3|1|2|1|A= 2.5|B=-3|C= 2"},
    {"en 1,1,-3,0.5,2,1", warned[1] + "|||||||1|1|-3|0.5|2|1|A= 1|B=-6|C= 2"},
    {"en -0.5,1,-3,1,2,0.3", warned[1] + "|||||||-0.5|1|-3|1|2|0.3|||"},
    {"en 1,1,0,1,-10000,1",
     stopped[1] + "| Determinant =  40000| X1= 100| X2=-100|X1=100|X2=-100||1|1|0|1|-10000|1|||"},
};

class SolveCommandTest : public QObject {
    Q_OBJECT

  private slots:
    void solve_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("shows");
        QStringList names;
        for (const QStringList& row : groups)
            if (row.size() > 2)
                names = row;
            else
                QTest::newRow(qPrintable(names[0] + " " + row[0])) << names << row[0] << row[1];
    }

    void solve() {
        QFETCH(QStringList, names);
        QFETCH(QString, script);
        Probe w;
        w.Frazioni_Click();
        if (script.startsWith("en "))
            w.Lingua_Click();
        for (const QString& step : script.split(' ').filter(",")) {
            const QStringList t = step.split(',');
            w.type_coefficients(t[0], t[1], t[2], t[3], t[4], t[5]);
            w.Analizza_Click();
        }
        QStringList seen;
        for (Message m : w.messages)
            seen << QString::number(m.icon) + "|" +
                        m.title.replace(QRegularExpression(" : .+"), " : *") + "|" + m.prompt;
        for (const QString& name : names) {
            const QByteArray n = name.toLatin1().mid(name[0].isLetter() ? 0 : 1);
            seen << (name[0].isLetter() ? w.text(n) : w.tip(n));
            if (name[0] == '~' && !seen.last().isEmpty())
                seen.last() = seen.last().left(3) + QString::number(seen.last().mid(3).toDouble());
        }
        QTEST(seen.join('|'), "shows");
    }
};

QTEST_APPLESS_MAIN(SolveCommandTest)
#include "test_solve_command.moc"
