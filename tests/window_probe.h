// A real Form1 whose message boxes and beeps are recorded instead of shown, and which
// can tell how its widgets differ from the core's picture.
#pragma once

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

    using Form1::core;

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
        const auto colour = [](std::uint32_t bgr) {
            return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, bgr >> 16);
        };
        // The labels that keep their design size whatever their caption.
        const QStringList fixed_size{"Label2", "DetLabel", "LabelX1", "LabelX2",
                                     "LabelF", "LabelV",   "LabelD"};
        for (const tutor::NamedControl& named : tutor::controls) {
            const tutor::Control& c = core().*named.control;
            const QWidget* widget = control(named.name);
            const QPalette& p = widget->palette();
            differs(named.name, "hidden", widget->isHidden(), !c.visible);
            differs(named.name, "tooltip", widget->toolTip(), QString::fromStdString(c.tooltip));
            if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                differs(named.name, "caption", label->text(), QString::fromStdString(c.text));
                differs(named.name, "colour", p.color(QPalette::WindowText), colour(c.colour));
                differs(named.name, "background", p.color(QPalette::Window), colour(c.background));
                // An auto-size label that is shown fits its caption (the result label
                // only its height).
                const bool wraps = label->wordWrap(), fits = !fixed_size.contains(named.name);
                if (!label->isHidden() && wraps)
                    differs(named.name, "height", label->height(),
                            label->heightForWidth(label->width()));
                else if (!label->isHidden() && fits)
                    differs(named.name, "size", label->size(),
                            label->sizeHint().expandedTo(label->minimumSize()));
            } else if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
                differs(named.name, "text", box->text(), QString::fromStdString(c.text));
                differs(named.name, "colour", p.color(QPalette::Text), colour(c.colour));
                differs(named.name, "background", p.color(QPalette::Base), colour(c.background));
            } else {
                differs(named.name, "colour", p.color(QPalette::Window), colour(c.colour));
            }
        }
        for (const tutor::NamedMenuItem& named : tutor::menu_items) {
            const tutor::MenuItem& i = core().*named.item;
            differs(named.name, "caption", item(named.name)->text(),
                    QString::fromStdString(i.caption));
            differs(named.name, "enabled", item(named.name)->isEnabled(), i.enabled);
        }
        differs("Form1", "background", centralWidget()->palette().color(QPalette::Window),
                colour(core().background));
        return out.join("; ");
    }

  protected:
    void show_message(QMessageBox::Icon icon, const QString& title,
                      const QString& prompt) override {
        messages.append({icon, title, prompt, compare_on_message ? differences() : QString()});
    }
    void beep() override { ++beeps; }
};
