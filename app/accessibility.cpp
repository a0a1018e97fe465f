// The window for a student who uses the keyboard alone or a screen reader.
//
// What a screen reader says of the window, in the window's language: a name for each
// box and line (a label's caption is its name, so results are read as shown), and a
// description that is the control's tooltip where it has one (so the decimal values
// a sighted student can hover are there too), or else the control's role.
//
// What it is told: screen readers ignore a label whose text changes, so the result
// lines that a command writes are read out through an invisible notification, shown
// with them as its name; renamed menu items are announced as renamed, and the language
// switch is confirmed.
//
// The keys: Return in a box runs its row's command, F10 opens the menu bar as Alt
// does, and after a message box the focus is back in the box that had it.
#include "form1.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QShortcut>

namespace {

using tutor::Bilingual;

struct Description {
    const char* control;
    Bilingual name; // empty: the caption is the name
    Bilingual role; // said where the control has no tooltip
};

// clang-format off
constexpr Description descriptions[] = {
    {"Line1", {"separatore", "separator"}, {"Linea sotto l'intestazione", "Line below the equation heading"}},
    {"Line2", {"separatore", "separator"}, {"Linea tra la riga di C e la riga di X", "Line between the C row and the X row"}},
    {"Line3", {"separatore", "separator"}, {"Linea sopra i risultati", "Line above the results"}},
    {"Label1", {}, {"Intestazione: l'equazione A x al quadrato più B x più C uguale", "Heading: the equation A x squared plus B x plus C equals"}},
    {"Label2", {}, {"Intestazione: esponente di x", "Heading: exponent of x"}},
    {"Label3", {}, {"Intestazione: coefficiente A", "Heading: coefficient A"}},
    {"Label4", {}, {"Intestazione: coefficiente B", "Heading: coefficient B"}},
    {"Label5", {}, {"Intestazione: coefficiente C", "Heading: coefficient C"}},
    {"ResLabel", {}, {"Secondo membro dell'equazione, o il valore del polinomio in X", "Right-hand side of the equation, or the value of the polynomial at X"}},
    {"LabelA", {}, {"Riga del coefficiente A", "Row of coefficient A"}},
    {"LabelB", {}, {"Riga del coefficiente B", "Row of coefficient B"}},
    {"LabelC", {}, {"Riga del coefficiente C", "Row of coefficient C"}},
    {"LabelX", {}, {"Riga del valore X da provare", "Row of the value X to test"}},
    {"CompLabel", {}, {"Componi: l'equazione dalle radici a e b", "Compose: the equation from its roots a and b"}},
    {"LabelAlfa", {}, {"Componi: radice a", "Compose: root a"}},
    {"LabelBeta", {}, {"Componi: radice b", "Compose: root b"}},
    {"Labelalfa2", {}, {"Componi: riga della radice a", "Compose: row of root a"}},
    {"LabelBeta2", {}, {"Componi: riga della radice b", "Compose: row of root b"}},
    {"DetLabel", {}, {"Risultato: il discriminante, o il valore del polinomio in X", "Result: the discriminant, or the value of the polynomial at X"}},
    {"LabelX1", {}, {"Risultato: la prima radice", "Result: the first root"}},
    {"LabelX2", {}, {"Risultato: la seconda radice", "Result: the second root"}},
    {"LabelF", {}, {"Risultato: il fuoco della parabola", "Result: the focus of the parabola"}},
    {"LabelV", {}, {"Risultato: il vertice della parabola", "Result: the vertex of the parabola"}},
    {"LabelD", {}, {"Risultato: la direttrice della parabola", "Result: the directrix of the parabola"}},
};
// clang-format on

constexpr Bilingual numerator{"numeratore di ", "numerator of "};
constexpr Bilingual denominator{"denominatore di ", "denominator of "};
constexpr Bilingual window_description{
    "Risolve A x al quadrato più B x più C uguale 0 con le frazioni",
    "Solves A x squared plus B x plus C equals 0 with fractions"};
constexpr Bilingual menu_bar_name{"Barra dei menu", "Menu bar"};
constexpr Bilingual language_switched{"Lingua: italiano", "Language: English"};

constexpr const char* announcer_name = "announcer";

// The text in the window's language: Italian for language 0.
QString in_language(const Bilingual& text, int language) {
    return QString::fromUtf8(language == 0 ? text.italian : text.english);
}

// The announcer is a notification: a screen reader reads one out whenever it shows,
// wherever the focus is.
QAccessibleInterface* announcer_interface(const QString&, QObject* object) {
    if (object->isWidgetType() && object->objectName() == QLatin1String(announcer_name))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

void set_name(QWidget* widget, const QString& name) {
    // Each change tells the screen reader, so only real changes are made.
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

void set_description(QWidget* widget, const QString& description) {
    if (widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}

} // namespace

void Form1::describe_controls() {
    const auto say = [this](const Bilingual& text) { return in_language(text, core_.language); };
    for (const Description& d : descriptions) {
        QWidget* control = widget(d.control);
        if (d.name.italian != nullptr)
            set_name(control, say(d.name));
        set_description(control, control->toolTip().isEmpty() ? say(d.role) : control->toolTip());
    }
    // The boxes: "numerator of A"; in compose mode the first two rows hold the roots a, b.
    for (const tutor::NamedControl& named : tutor::boxes) {
        const char* box = named.name;
        QChar row = QChar::fromLatin1(box[4]).toUpper();
        if (core_.compose_mode != 0 && (row == 'A' || row == 'B'))
            row = row.toLower();
        QWidget* control = widget(box);
        set_name(control, say(box[5] == 'N' ? numerator : denominator) + row);
        set_description(control, control->toolTip());
    }
    set_name(this, "Quadratic Tutor");
    set_description(this, say(window_description));
    set_name(menuBar(), say(menu_bar_name));
}

void Form1::build_accessibility() {
    static const bool factory_installed = (QAccessible::installFactory(announcer_interface), true);
    (void)factory_installed;
    announcer_ = new QWidget(this);
    announcer_->setObjectName(announcer_name);
    announcer_->setGeometry(0, 0, 0, 0);
    announcer_->hide();

    // Return solves from the rows of A, B and C, and tests from the row of X.
    for (const tutor::NamedControl& box : tutor::boxes) {
        const bool x_row = box.name[4] == 'X';
        QAction* action = actions_[x_row ? 3 : 0]; // Test, Analizza
        const auto* edit = static_cast<const QLineEdit*>(widget(box.name));
        connect(edit, &QLineEdit::returnPressed, action, [action] {
            if (action->isEnabled())
                action->trigger();
        });
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (auto* box = qobject_cast<QLineEdit*>(now); box && box->window() == this)
            last_box_ = box;
    });

    // The menu bar enters its keyboard mode on a lone Alt pressed and released; F10 gives
    // it the same two keys.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this] {
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        QKeyEvent alt_pressed(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QKeyEvent alt_released(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(focus, &alt_pressed);
        QApplication::sendEvent(focus, &alt_released);
    });
}

void Form1::announce(const QString& text) {
    announcer_->hide();
    announcer_->setAccessibleName(text);
    announcer_->show();
}

void Form1::announce_changes(const tutor::Screen& before) {
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(menuBar());
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        const tutor::MenuItem tutor::Screen::*item = tutor::menu_items[i].item;
        if ((before.*item).caption != (core_.*item).caption) {
            QAccessibleEvent renamed(bar->child(static_cast<int>(i)), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
    }
    QStringList said;
    if (before.Lingua.caption != core_.Lingua.caption)
        said << in_language(language_switched, core_.language);
    // The discriminant (or the value of the polynomial) and the roots, where the
    // command wrote them.
    for (const tutor::Control tutor::Screen::*line :
         {&tutor::Screen::DetLabel, &tutor::Screen::LabelX1, &tutor::Screen::LabelX2}) {
        const tutor::Control& now = core_.*line;
        if (now.writes != (before.*line).writes && !now.text.empty())
            said << QString::fromStdString(now.text);
    }
    if (!said.isEmpty())
        announce(said.join(", "));
}

void Form1::restore_focus() {
    // The next box in tab order that is shown, starting from the last one focused.
    QWidget* box = last_box_ ? static_cast<QWidget*>(last_box_) : widget("textAN");
    for (QWidget* next = box; next != nullptr; next = next->nextInFocusChain()) {
        if (qobject_cast<QLineEdit*>(next) && next->isVisibleTo(this)) {
            next->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (next->nextInFocusChain() == box)
            return;
    }
}
