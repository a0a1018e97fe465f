// The window as a view of the core: the widgets at start-up (places, fonts, colours,
// tooltips, menu, tab order), a random session in which every widget shows exactly what
// the core says (also while a message box is up), and the accessible names.
#include "tutor_probe.h"
#include "window_probe.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QtTest>

#include <random>

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

// The window's menu bar as name=caption, "(off)" marking a disabled item.
static QStringList menu(const WindowProbe& w) {
    QStringList items;
    for (const QAction* a : w.menuWidget()->actions())
        items << a->objectName() + (a->isEnabled() ? "=" : "(off)=") + a->text();
    return items;
}

// The core's picture but for the backgrounds, which follow the clock at start-up.
static QStringList picture(const tutor::Screen& screen) {
    QStringList out;
    for (const tutor::ControlInfo& info : tutor::controls) {
        const tutor::Control& c = screen[info.id];
        out << QString("%1|%2|%3|%4|%5")
                   .arg(info.name, QString::fromStdString(c.text),
                        QString::fromStdString(c.tooltip))
                   .arg(c.visible)
                   .arg(c.colour);
    }
    return out + menu(screen);
}

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void start_up() {
        WindowProbe w;
        const QColor client = w.centralWidget()->palette().color(QPalette::Window);
        for (const Control& expected : controls) {
            const QWidget* c = w.control(qPrintable(std::get<0>(expected)));
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
        QCOMPARE(w.differences(), QString());
        // From the box that has the focus, Tab visits the boxes row by row (skipping hidden ones).
        QString tabs;
        for (QWidget* c = w.focusWidget(); c && tabs.count(' ') < 8; c = c->nextInFocusChain())
            tabs += c->inherits("QLineEdit") ? c->objectName() + ' ' : "";
        QCOMPARE(tabs, QString("textAN TextAD TextBN TextBD TextCN TextCD TextXN TextXD "));
    }

    // Random typing into the shown boxes and random menu commands: after each command,
    // and whenever a message box shows, the widgets show exactly what the core says, and
    // the core is where a core alone, given the same typing and commands, would be.
    void mirror_session() {
        WindowProbe w;
        w.compare_on_message = true;
        w.show();
        Probe alone;
        using tutor::Command;
        const Command commands[] = {Command::Analizza, Command::Analizza, Command::Componi,
                                    Command::Frazioni, Command::Test,     Command::Lingua,
                                    Command::Credits};
        const QStringList texts{"",  "1",     "-3",     "2",     "0",   "0.4", "1/2",
                                "5", "20000", "-32768", "40000", "2.5", "x",   "-1"};
        std::mt19937 random(42);
        QSet<int> icons;
        for (int step = 0; step < 2000; ++step) {
            if (random() % 3) {
                const char* name = tutor::controls[tutor::boxes[random() % 8]].name;
                if (auto* box = w.control<QLineEdit>(name); box->isVisible()) {
                    box->setText(texts[random() % texts.size()]);
                    alone.type(name, box->text());
                }
                continue;
            }
            const Command command = commands[random() % std::size(commands)];
            const char* item = tutor::commands[static_cast<int>(command)].name;
            if (!w.item(item)->isEnabled())
                continue;
            const int said = w.messages.size();
            w.item(item)->trigger();
            alone.run(command);
            QCOMPARE(w.differences(), QString());
            QCOMPARE(picture(w.core().screen()), picture(alone.screen()));
            QCOMPARE(w.messages.size(), alone.messages.size());
            for (int i = said; i < w.messages.size(); ++i) {
                const WindowProbe::Shown& shown = w.messages[i];
                QCOMPARE(shown.differences, QString());
                icons << shown.icon;
                // The credits box draws from a generator seeded by the clock.
                if (shown.icon != QMessageBox::Information)
                    QCOMPARE(shown.title + shown.prompt,
                             alone.messages[i].title + alone.messages[i].prompt);
            }
        }
        QCOMPARE(icons, QSet<int>({QMessageBox::Information, QMessageBox::Warning,
                                   QMessageBox::Critical}));
    }

    // What a screen reader says of a control, in the window's language, after the menu
    // items of the script ("Analizza" solves x^2 - 3x + 2): its name (a label's caption)
    // and its description, which is its tooltip where it has one.
    void accessible_texts_data() {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("said");
        const auto row = [](const char* name, QStringList script, const char* control,
                            const char* said) { QTest::newRow(name) << script << control << said; };
        row("box", {}, "TextBD", "denominatore di B|Denominatore");
        row("box in English", {"Lingua"}, "TextBD", "denominator of B|Denominatore");
        row("root a", {"Componi"}, "textAN", "numeratore di a|Numeratore");
        row("root b in English", {"Lingua", "Componi"}, "TextBD", "denominator of b|Denominatore");
        row("root a after the solve", {"Componi", "Analizza"}, "textAN",
            "numeratore di A|Numeratore");
        row("result", {"Analizza"}, "LabelX2", " X2= 1|X2= 1");
        row("heading value", {"Analizza"}, "Label3", "A|A= 1");
        row("discriminant", {"Analizza"}, "DetLabel",
            " Determinante =  1|Risultato: il discriminante, o il valore del polinomio in X");
        row("focus in English", {"Lingua", "Analizza"}, "LabelF",
            "F( 3/ 2  ;  0)|Focus coordinates ( 1.5 ;  0)");
        row("line", {"Lingua"}, "Line3", "separator|Line above the results");
        row("window", {}, "Form1",
            "Quadratic Tutor|Risolve A x al quadrato più B x più C uguale 0 con le frazioni");
        row("window in English", {"Lingua"}, "Form1",
            "Quadratic Tutor|Solves A x squared plus B x plus C equals 0 with fractions");
        row("menu bar", {"Lingua", "Lingua"}, "menu bar", "Barra dei menu|");
    }

    void accessible_texts() {
        QFETCH(QStringList, script);
        QFETCH(QString, control);
        WindowProbe w;
        for (const QString& item : script) {
            if (item == "Analizza") {
                w.control<QLineEdit>("textAN")->setText("1");
                w.control<QLineEdit>("TextBN")->setText("-3");
                w.control<QLineEdit>("TextCN")->setText("2");
            }
            w.item(qPrintable(item))->trigger();
        }
        QObject* object = control == "Form1"      ? static_cast<QObject*>(&w)
                          : control == "menu bar" ? w.menuBar()
                                                  : w.control(qPrintable(control));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
        QTEST(a->text(QAccessible::Name) + "|" + a->text(QAccessible::Description), "said");
    }

    // The keyboard alone: Return in a box runs its row's command, F10 opens the menu
    // bar as Alt does and Escape leaves it for the box. Keys are typed from textAN, with
    // x^2 - 3x + 2 and X = 1 in the boxes; the result is the focused control, the
    // highlighted menu item and the first result line.
    void keys_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("result");
        const auto row = [](const char* name, const char* keys, const char* result) {
            QTest::newRow(name) << QString(keys) << QString(result);
        };
        row("Return solves", "Return", "textAN|| Determinante =  1");
        row("Return in row C", "Tab Tab Return", "TextCN|| Determinante =  1");
        row("Return in row X tests", "Tab Tab Tab Return", "TextXN||F( 1)=0");
        row("F10", "F10", "|Risolvi|");
        row("F10, Right", "F10 Right Right", "|Frazioni|");
        row("F10, Escape", "F10 Escape", "textAN||");
        row("compose from row C", "Tab Tab F10 Right Return",
            "textAN|| Componi un'equazione date le");
        row("F10, Return", "F10 Return", "textAN|| Determinante =  1");
        row("F10 again leaves", "F10 F10", "textAN||");
    }

    void keys() {
        QFETCH(QString, keys);
        QFETCH(QString, result);
        WindowProbe w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (const auto& [box, text] :
             {std::pair{"textAN", "1"}, {"TextBN", "-3"}, {"TextCN", "2"}, {"TextXN", "1"}})
            w.control<QLineEdit>(box)->setText(text);
        const QMap<QString, Qt::Key> named{{"Return", Qt::Key_Return},
                                           {"Tab", Qt::Key_Tab},
                                           {"F10", Qt::Key_F10},
                                           {"Right", Qt::Key_Right},
                                           {"Escape", Qt::Key_Escape}};
        for (const QString& key : keys.split(' '))
            QTest::keyClick(QApplication::focusWidget(), named[key]);
        QCoreApplication::processEvents();
        const QAction* active = w.menuBar()->activeAction();
        QCOMPARE(QApplication::focusWidget()->objectName() + "|" + (active ? active->text() : "") +
                     "|" + w.control<QLabel>("DetLabel")->text(),
                 result);
    }

    // Every control has something for a screen reader to say after a solve.
    void accessible_names() {
        WindowProbe w;
        w.control<QLineEdit>("textAN")->setText("1");
        w.item("Analizza")->trigger();
        for (QWidget* c : w.centralWidget()->findChildren<QWidget*>()) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
            QVERIFY2(!a->text(QAccessible::Name).isEmpty() &&
                         !a->text(QAccessible::Description).isEmpty(),
                     qPrintable(c->objectName()));
        }
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
