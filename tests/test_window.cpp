// The window as a view of the core: the widgets at start-up (places, fonts, colours,
// tooltips, menu, tab order), a random session in which every widget shows exactly what
// the core says (also while a message box is up), and the accessible names.
#include "tutor_probe.h"
#include "window_probe.h"

#include "app/fonts.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QtTest>

#include <random>

// The window's menu bar as name=caption, "(off)" marking a disabled item.
static QStringList menu(const WindowProbe& w) {
    QStringList items;
    for (const QAction* a : w.menuWidget()->actions())
        items << a->objectName() + (a->isEnabled() ? "=" : "(off)=") + a->text();
    return items;
}

// The core's picture but for the backgrounds, which follow the clock at start-up.
static QStringList picture(const tutor::Screen& screen) {
    QStringList out = menu(screen);
    for (const tutor::ControlInfo& info : tutor::controls) {
        const tutor::Control& c = screen[info.id];
        out << QString("%1|%2|%3|%4|%5")
                   .arg(info.name, QString::fromStdString(c.text),
                        QString::fromStdString(c.tooltip), QString::number(c.visible),
                        QString::number(c.colour));
    }
    return out;
}

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void start_up() {
        WindowProbe w;
        const QColor client = w.centralWidget()->palette().color(QPalette::Window);
        // What the tables say of each control: name, text, place (a label that fits its
        // caption keeps only its corner), text colour, hidden, tooltip, font family and
        // points (bold; a line has no font of its own).
        using Seen = std::tuple<QString, QString, QRect, QColor, bool, QString, QString, double>;
        for (const tutor::ControlInfo& info : tutor::controls) {
            const design::Place& p = design::places[info.id];
            const QWidget* c = w.control(info.name);
            QVERIFY(c);
            const QVariant text = c->property("text"); // none on a line: all background
            if (text.isValid()) // labels and boxes all share the client area's background
                QCOMPARE(c->palette().color(c->backgroundRole()), client);
            const QFont f = c->font();
            const QRect place(design::px(p.left), design::px(p.top), design::px(p.width),
                              std::max(1, design::px(p.height)));
            QCOMPARE(
                Seen(c->objectName(), text.toString(), c->geometry(),
                     c->palette().color(text.isValid() ? c->foregroundRole() : QPalette::Window),
                     c->isHidden(), c->toolTip(), text.isValid() ? f.family() : "",
                     f.bold() * f.pointSizeF()),
                Seen(info.name, info.text,
                     p.fit == design::Fit::Caption ? QRect(place.topLeft(), c->size())
                     : p.fit == design::Fit::WrapWidth
                         ? QRect(place.topLeft(), QSize(place.width(), c->height()))
                         : place,
                     from_bgr(info.colour), !info.visible, info.tooltip,
                     *p.family ? fonts::installed_family(p.family) : "", p.points));
        }
        // One literal colour per role, not converted as the window converts them: a label's
        // text, a box's text and its background, a line, and the window's background.
        const QMap<std::uint32_t, QString> drawn{{0x800000, "#000080"},
                                                 {0x800080, "#800080"},
                                                 {0x008000, "#008000"},
                                                 {0x000080, "#800000"},
                                                 {0x808000, "#008080"}};
        const auto colour = [&w](const char* name, QPalette::ColorRole role) {
            return w.control(name)->palette().color(role).name();
        };
        QCOMPARE(QStringList({colour("LabelA", QPalette::WindowText),
                              colour("TextCN", QPalette::Text), colour("TextCN", QPalette::Base),
                              colour("Line1", QPalette::Window), client.name()}),
                 QStringList({"#ffff00", "#00ffff", drawn[w.core().screen().background], "#ffffff",
                              drawn[w.core().screen().background]}));
        w.show();
        QCOMPARE(w.windowTitle(), QString("B"));
        QCOMPARE(w.centralWidget()->size(), QSize(6015 / 15, 7065 / 15));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(menu(w), menu(w.core().screen())); // the core's items, in its order
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
            // A box that the command wrote has its cursor at the end, even with the same
            // text; any other keeps it where it was.
            std::uint32_t writes[tutor::control_count];
            for (tutor::ControlId box : tutor::boxes) {
                w.control<QLineEdit>(tutor::controls[box].name)->setCursorPosition(0);
                writes[box] = w.core().screen()[box].writes;
            }
            const int said = w.messages.size();
            w.item(item)->trigger();
            alone.run(command);
            for (tutor::ControlId box : tutor::boxes) {
                const auto* b = w.control<QLineEdit>(tutor::controls[box].name);
                const bool written = w.core().screen()[box].writes != writes[box];
                QCOMPARE(b->objectName() + ' ' + QString::number(b->cursorPosition()),
                         b->objectName() + ' ' + QString::number(written ? b->text().size() : 0));
            }
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
        // The other boxes, in both languages.
        row("textAN", {}, "textAN", "numeratore di A|Numeratore");
        row("textAN in English", {"Lingua"}, "textAN", "numerator of A|Numeratore");
        row("TextAD", {}, "TextAD", "denominatore di A|Denominatore");
        row("TextAD in English", {"Lingua"}, "TextAD", "denominator of A|Denominatore");
        row("TextBN", {}, "TextBN", "numeratore di B|Numeratore");
        row("TextBN in English", {"Lingua"}, "TextBN", "numerator of B|Numeratore");
        row("TextCN", {}, "TextCN", "numeratore di C|Numeratore");
        row("TextCN in English", {"Lingua"}, "TextCN", "numerator of C|Numeratore");
        row("TextCD", {}, "TextCD", "denominatore di C|Denominatore");
        row("TextCD in English", {"Lingua"}, "TextCD", "denominator of C|Denominatore");
        row("TextXN", {}, "TextXN", "numeratore di X|Numeratore");
        row("TextXN in English", {"Lingua"}, "TextXN", "numerator of X|Numeratore");
        row("TextXD", {}, "TextXD", "denominatore di X|Denominatore");
        row("TextXD in English", {"Lingua"}, "TextXD", "denominator of X|Denominatore");
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
        for (const QString& key : keys.split(' '))
            QTest::keyClick(QApplication::focusWidget(), QKeySequence(key)[0].key());
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
