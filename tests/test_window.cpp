// The main window apart from the solver: the state right after start-up, the
// background colour, the fractions command, the language switch, the result reset
// and the credits box.
#include "window_probe.h"

#include <QAccessible>
#include <QtTest>

// Name, caption or text, left and top in twips, text colour as #rrggbb (from 0x00BBGGRR),
// hidden, tooltip, and font points when bold, else 0 (the lines have no font of their own).
using Control = std::tuple<QString, QString, int, int, QString, bool, QString, double>;
const QString white = "#ffffff", yellow = "#ffff00", green = "#80ff80", cyan = "#00ffff";

// clang-format off
const Control controls[] = {
    // The input rows, numerator and denominator.
    {"textAN", "", 2040, 1200, yellow, false, "Numeratore", 13.5}, {"TextAD", "1", 3000, 1200, yellow, true, "Denominatore", 13.5},
    {"TextBN", "", 2040, 1800, green, false, "Numeratore", 13.5}, {"TextBD", "1", 3000, 1800, green, true, "Denominatore", 13.5},
    {"TextCN", "", 2040, 2400, cyan, false, "Numeratore", 13.5}, {"TextCD", "1", 3000, 2400, cyan, true, "Denominatore", 13.5},
    {"TextXN", "", 2040, 3240, white, false, "Numeratore", 13.5}, {"TextXD", "1", 3000, 3240, white, true, "Denominatore", 13.5},
    {"LabelA", "A = ", 960, 1080, yellow, false, "", 21.75}, {"LabelB", "B = ", 960, 1680, green, false, "", 21.75},
    {"LabelC", "C = ", 960, 2280, cyan, false, "", 21.75}, {"LabelX", " X = ", 960, 3120, white, false, "Test", 21.75},
    // The heading.
    {"Label1", "Ax +Bx+ C=", 120, 120, white, false, "", 26.25}, {"Label2", "2", 840, 0, white, false, "", 18},
    {"Label3", "A", 120, 120, yellow, false, "", 26.25}, {"Label4", "B", 1440, 120, green, false, "", 26.25},
    {"Label5", "C", 2760, 120, cyan, false, "", 26.25}, {"ResLabel", "0", 3600, 240, white, false, "", 24},
    // Compose mode.
    {"CompLabel", "( x-a )( x-b)=0", 120, 0, white, true, "", 26.25}, {"LabelAlfa", "a", 1080, 0, yellow, true, "", 26.25},
    {"LabelBeta", "b", 2880, 0, green, true, "", 26.25}, {"Labelalfa2", "a=", 960, 960, yellow, true, "", 26.25},
    {"LabelBeta2", "b=", 960, 1680, green, true, "", 26.25},
    // The result lines and the separators.
    {"DetLabel", "", 120, 4080, white, false, "", 14.25}, {"LabelX1", "", 120, 4560, white, false, "", 14.25},
    {"LabelX2", "", 120, 5040, white, false, "", 14.25}, {"LabelF", "", 120, 5520, white, false, "", 14.25},
    {"LabelV", "", 120, 6000, white, false, "", 14.25}, {"LabelD", "", 120, 6480, white, false, "", 14.25},
    {"Line1", "", 0, 840, white, false, "", 0}, {"Line2", "", 0, 2880, white, false, "", 0}, {"Line3", "", 0, 3960, white, false, "", 0},
};
// clang-format on

// The menu bar as name=caption, "(off)" marking a disabled item.
static QStringList menu(const WindowProbe& w) {
    QStringList items;
    for (const QAction* a : w.menuWidget()->actions())
        items << a->objectName() + (a->isEnabled() ? "=" : "(off)=") + a->text();
    return items;
}

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void start_up() {
        WindowProbe w;
        const QColor client = w.centralWidget()->palette().color(QPalette::Window);
        for (const Control& expected : controls) {
            const QWidget* c = w.centralWidget()->findChild<QWidget*>(std::get<0>(expected));
            QVERIFY(c);
            const QVariant text = c->property("text"); // none on a line: all background
            const auto role = text.isValid() ? c->foregroundRole() : QPalette::Window;
            if (text.isValid()) // labels and boxes all share the client area's background
                QCOMPARE(c->palette().color(c->backgroundRole()), client);
            QCOMPARE(Control(c->objectName(), text.toString(), c->x() * 15, c->y() * 15,
                             c->palette().color(role).name(), c->isHidden(), c->toolTip(),
                             c->font().bold() * c->font().pointSizeF()),
                     expected);
        }
        w.show();
        QCOMPARE(w.windowTitle(), QString("B"));
        QCOMPARE(w.centralWidget()->size(), QSize(6015 / 15, 7065 / 15));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(menu(w), QStringList({"Analizza=Risolvi", "Componi=Componi", "Frazioni=Frazioni",
                                       "Test=Test", "Credits=Info", "Lingua=English"}));
        QVERIFY(!w.language && !w.compose_mode && w.a_den == 1 && w.b_den == 1 && w.c_den == 1);
        // From the box that has the focus, Tab visits the boxes row by row (skipping hidden ones).
        QString tabs;
        for (QWidget* c = w.focusWidget(); c && tabs.count(' ') < 8; c = c->nextInFocusChain())
            tabs += c->inherits("QLineEdit") ? c->objectName() + ' ' : "";
        QCOMPARE(tabs, QString("textAN TextAD TextBN TextBD TextCN TextCD TextXN TextXD "));
    }

    // The background at start is one of the five; different seeds reach each of them.
    void background_colours() {
        QSet<QString> seen{WindowProbe().centralWidget()->palette().color(QPalette::Window).name()};
        for (int seed = 1; seed < 40; ++seed) {
            WindowProbe w;
            w.seed_random(seed * 997.25f);
            w.Colors();
            seen << w.centralWidget()->palette().color(QPalette::Window).name();
            for (int i = 0; i < 2500; ++i)
                QCOMPARE(int(w.next_random() + 1.0), 1); // 0 <= u < 1
        }
        QCOMPARE(seen, QSet<QString>({"#000080", "#800080", "#008000", "#800000", "#008080"}));
    }

    // Every row is framed as a fraction, also on a second run; compose mode shows only
    // TextAD and TextBD.
    void fractions_command() {
        for (auto before : {&Form1::Frazioni_Click, &Form1::Componi_Click}) {
            WindowProbe w;
            (w.*before)();
            w.Frazioni_Click();
            for (const QString r : {"A", "B", "C", "X"}) {
                QCOMPARE(w.caption(qPrintable("Label" + r)), r + " =(     /     )");
                QCOMPARE(w.box(qPrintable("Text" + r + 'D'))->isHidden(),
                         w.compose_mode && r > 'B');
            }
        }
    }

    // The switch changes the menu; a line written before it keeps its language.
    void language_switch() {
        WindowProbe w;
        const QStringList italian = menu(w);
        w.type_coefficients("1", "1", "-3", "1", "2", "1");
        w.Analizza_Click();
        w.Lingua_Click();
        QCOMPARE(menu(w), QStringList({"Analizza=Solve", "Componi=Compose", "Frazioni=Fractions",
                                       "Test=Test", "Credits=Info", "Lingua=Italiano"}));
        QCOMPARE(w.caption("DetLabel"), QString(" Determinante =  1"));
        w.Analizza_Click();
        QCOMPARE(w.caption("DetLabel"), QString(" Determinant =  1"));
        w.Lingua_Click();
        QCOMPARE(menu(w), italian);
    }

    // The six result lines lose caption and tooltip, ResLabel only its tooltip, the
    // other labels nothing.
    void clear_caption() {
        WindowProbe w;
        for (QLabel* l : w.centralWidget()->findChildren<QLabel*>()) {
            l->setText("7");
            l->setToolTip("7");
        }
        w.clear_caption();
        const QStringList emptied{"DetLabel", "LabelX1", "LabelX2", "LabelF", "LabelV", "LabelD"};
        for (const QLabel* l : w.centralWidget()->findChildren<QLabel*>()) {
            const QString n = l->objectName();
            const QString kept = emptied.contains(n) ? "::" : n == "ResLabel" ? ":7:" : ":7:7";
            QCOMPARE(n + ':' + l->text() + ':' + l->toolTip(), n + kept);
        }
    }

    // Author, date and place, " " and the web address, two CRs apart, and on about one
    // opening in ten the e-mail line one CR below; no line feeds.
    void credits_box() {
        WindowProbe w;
        w.seed_random(12345.5f);
        const QString web = QString("\r\r \r\r") + credits::web_address;
        int with_email = 0;
        for (int i = 0; i < 4000; ++i) {
            w.language = std::int16_t(i % 2);
            w.Credits_Click();
            const Message& m = w.messages.at(i);
            QCOMPARE(m.title + ':' + m.prompt.section(' ', 0, 1),
                     QString(i % 2 ? "INFORMATION:Made by" : "INFORMAZIONI:Creato da"));
            QVERIFY(m.prompt.count("\r\r") == 3 && !m.prompt.contains('\n'));
            QVERIFY(m.prompt.endsWith(web) || m.prompt.endsWith(web + '\r' + credits::email));
            with_email += m.prompt.endsWith(credits::email);
        }
        QVERIFY2(with_email > 300 && with_email < 500, qPrintable(QString::number(with_email)));
    }

    // After a solve every control has something for a screen reader to say: its row
    // and role, and a name (a box's role, a label's caption, results included).
    void accessible_names() {
        WindowProbe w;
        w.type_coefficients("1", "1", "-3", "1", "2", "1");
        w.Analizza_Click();
        for (QWidget* c : w.centralWidget()->findChildren<QWidget*>()) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
            QVERIFY2(!a->text(QAccessible::Name).isEmpty() &&
                         !a->text(QAccessible::Description).isEmpty(),
                     qPrintable(c->objectName()));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(w.TextBD)->text(QAccessible::Name),
                 QString("denominator of B"));
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
