// A real Form1 whose message boxes and beeps are recorded instead of shown, and which
// can tell how its widgets differ from the core's picture.
#pragma once

#include "app/design.h"
#include "app/form1.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class WindowProbe : public Form1 {
  public:
    struct Shown {
        QMessageBox::Icon icon;
        QString title;
        QString prompt;
        QString differences; // of the widgets from the core as the box showed
    };
    QList<Shown> messages;
    int beeps = 0;
    // Whether each message box records how the widgets then differ from the core.
    bool compare_on_message = false;

    using Form1::board;
    using Form1::core;
    using Form1::practice;

    QAction* item(const char* name) const { return findChild<QAction*>(name); }
    template <class T = QWidget> T* control(const char* name) const {
        return centralWidget()->findChild<T*>(name);
    }

    // Every way in which the widgets differ from the core's picture, or "".
    QString differences() const {
        QStringList out;
        const auto differs = [&out](const char* name, const char* what, auto shown, auto said) {
            if (shown != said)
                out << QString("%1 %2: %3").arg(name, what, QVariant::fromValue(shown).toString());
        };
        const tutor::Screen& screen = core().screen();
        for (const tutor::ControlInfo& info : tutor::controls) {
            const char* name = info.name;
            const tutor::Control& c = screen[info.id];
            const QWidget* widget = control(name);
            const QPalette& p = widget->palette();
            differs(name, "hidden", widget->isHidden(), !c.visible);
            differs(name, "tooltip", widget->toolTip(), QString::fromStdString(c.tooltip));
            if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                differs(name, "caption", label->text(), QString::fromStdString(c.text));
                differs(name, "colour", p.color(QPalette::WindowText), from_bgr(c.colour));
                differs(name, "background", p.color(QPalette::Window), from_bgr(c.background));
                // A label that is shown fits its caption as its design says: the result
                // label only its height, the fixed ones not at all.
                const design::Fit fit = design::places[info.id].fit;
                if (!label->isHidden() && fit == design::Fit::WrapWidth)
                    differs(name, "height", label->height(), label->heightForWidth(label->width()));
                else if (!label->isHidden() && fit == design::Fit::Caption)
                    differs(name, "size", label->size(),
                            label->sizeHint().expandedTo(label->minimumSize()));
            } else if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
                differs(name, "text", box->text(), QString::fromStdString(c.text));
                differs(name, "colour", p.color(QPalette::Text), from_bgr(c.colour));
                differs(name, "background", p.color(QPalette::Base), from_bgr(c.background));
            } else {
                differs(name, "colour", p.color(QPalette::Window), from_bgr(c.colour));
            }
        }
        for (const tutor::CommandInfo& command : tutor::commands) {
            const tutor::MenuItem& i = screen[command.command];
            differs(command.name, "caption", item(command.name)->text(),
                    QString::fromStdString(i.caption));
            differs(command.name, "enabled", item(command.name)->isEnabled(), i.enabled);
        }
        differs("Form1", "background", centralWidget()->palette().color(QPalette::Window),
                from_bgr(screen.background));
        return out.join("; ");
    }

  protected:
    void show_message(QMessageBox::Icon icon, const QString& title,
                      const QString& prompt) override {
        messages.append({icon, title, prompt, compare_on_message ? differences() : QString()});
    }
    void beep() override { ++beeps; }
};
