// The rules without a window: a tutor::Tutor whose message boxes and beeps are recorded,
// with small helpers to type into boxes and read controls by their names.
#pragma once

#include "tutor/commands.h"
#include "tutor/tutor.h"

#include <QList>
#include <QString>
#include <QStringList>

using List = QStringList;

// The menu bar as name=caption, "(off)" marking a disabled item.
inline QString menu_item(const QString& name, bool enabled, const QString& caption) {
    return name + (enabled ? "=" : "(off)=") + caption;
}
inline QStringList menu(const tutor::Screen& screen) {
    QStringList items;
    for (const tutor::CommandInfo& c : tutor::commands)
        items << menu_item(c.name, screen[c.command].enabled,
                           QString::fromStdString(screen[c.command].caption));
    return items;
}

struct Message {
    int icon; // 1 information, 2 warning (exclamation), 3 stop
    QString title;
    QString prompt;
};

struct Recorder : tutor::Platform {
    QList<Message> messages;
    int beeps = 0;

    void message(tutor::Icon icon, const std::string& title, const std::string& prompt) override {
        messages.append({static_cast<int>(icon) + 1, QString::fromStdString(title),
                         QString::fromStdString(prompt)});
    }
    void beep() override { ++beeps; }
};

class Probe : public Recorder, public tutor::Tutor {
  public:
    Probe() : tutor::Tutor(static_cast<Recorder&>(*this)) {}

    using tutor::Tutor::screen_;
    tutor::Control& control(const char* name) { return screen_[tutor::control_id(name)]; }
    // A label's caption or a box's text.
    QString text(const char* name) { return QString::fromStdString(control(name).text); }
    QString tip(const char* name) { return QString::fromStdString(control(name).tooltip); }
    bool hidden(const char* name) { return !control(name).visible; }
    // The text colour as #rrggbb.
    QString colour(const char* name) {
        const tutor::colours::Rgb c = tutor::colours::rgb(control(name).colour);
        return QString::asprintf("#%02x%02x%02x", c.red, c.green, c.blue);
    }
    void type(const char* name, const QString& value) { control(name).text = value.toStdString(); }
    // The texts (or the tooltips) of the named controls.
    QStringList texts(const QStringList& names,
                      std::string tutor::Control::*field = &tutor::Control::text) {
        QStringList out;
        for (const QString& n : names)
            out << QString::fromStdString(control(qPrintable(n)).*field);
        return out;
    }
    QStringList tips(const QStringList& names) { return texts(names, &tutor::Control::tooltip); }

    // Types the six coefficient boxes, numerator and denominator of A, B and C.
    void type_coefficients(const QStringList& t) {
        for (int i = 0; i < 6; ++i)
            type(tutor::controls[tutor::boxes[i]].name, t[i]);
    }
};
