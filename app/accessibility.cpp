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
// does, Ctrl+L brings up the board, and after a message box the focus is back in the
// box that had it.
#include "form1.h"

#include "board_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QShortcut>

#include <iterator>

namespace {

using tutor::Bilingual;
using tutor::ControlId;

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
    return QString::fromUtf8(text.in(language));
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
    for (const tutor::ControlInfo& c : tutor::controls) {
        QWidget* control = widget(c.id);
        if (tutor::is_box(c.id)) {
            // "numerator of A"; in compose mode the first two rows hold the roots a, b.
            const char letter = " ABCX"[static_cast<int>(c.row)];
            const bool root = core_.compose_mode != 0 && (letter == 'A' || letter == 'B');
            set_name(control, say(c.kind == tutor::Kind::Numerator ? numerator : denominator) +
                                  QChar::fromLatin1(root ? letter - 'A' + 'a' : letter));
            set_description(control, control->toolTip());
            continue;
        }
        if (c.spoken_name.italian != nullptr)
            set_name(control, say(c.spoken_name));
        set_description(control,
                        control->toolTip().isEmpty() ? say(c.purpose) : control->toolTip());
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

    // Return runs the command of the box's row: the solve in the rows of A, B and C, the
    // test in the row of X.
    for (ControlId box : tutor::boxes) {
        QAction* command = action(tutor::command_on_return(box));
        const auto* edit = static_cast<const QLineEdit*>(widget(box));
        connect(edit, &QLineEdit::returnPressed, command, [command] {
            if (command->isEnabled())
                command->trigger();
        });
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (auto* box = qobject_cast<QLineEdit*>(now); box && box->window() == this)
            last_box_ = box;
    });

    // A command's key (Ctrl+L for the board) runs it as its menu item does.
    for (const tutor::CommandInfo& c : tutor::commands) {
        if (c.shortcut == nullptr)
            continue;
        auto* key = new QShortcut(QKeySequence(QString::fromLatin1(c.shortcut)), this);
        connect(key, &QShortcut::activated, action(c.command), &QAction::trigger);
    }

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
    const tutor::Screen& now = core_.screen();
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(menuBar());
    for (const tutor::CommandInfo& c : tutor::commands) {
        if (before[c.command].caption != now[c.command].caption) {
            QAccessibleEvent renamed(bar->child(static_cast<int>(c.command)),
                                     QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
    }
    QStringList said;
    if (before[tutor::Command::Lingua].caption != now[tutor::Command::Lingua].caption)
        said << in_language(language_switched, core_.language);
    // The result lines that the command wrote, top to bottom (the control table runs
    // front to back, which for the result lines is bottom to top).
    for (auto c = std::crbegin(tutor::controls); c != std::crend(tutor::controls); ++c) {
        const tutor::Control& line = now[c->id];
        if ((c->roles & tutor::Announced) && line.writes != before[c->id].writes &&
            !line.text.empty())
            said << QString::fromStdString(line.text);
    }
    // An open board brought up to date after a solve that did not run to its end says so.
    if (board_ != nullptr && board_->isVisible() && now.board.updates != before.board.updates &&
        !board_->notice().isEmpty())
        said << board_->notice();
    if (!said.isEmpty())
        announce(said.join(", "));
}

void Form1::restore_focus() {
    // The next box in tab order that is shown, starting from the last one focused.
    QWidget* box = last_box_ ? static_cast<QWidget*>(last_box_) : widget(tutor::textAN);
    for (QWidget* next = box; next != nullptr; next = next->nextInFocusChain()) {
        if (qobject_cast<QLineEdit*>(next) && next->isVisibleTo(this)) {
            next->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (next->nextInFocusChain() == box)
            return;
    }
}
