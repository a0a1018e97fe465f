// A real Form1 whose message boxes and beeps are recorded instead of shown, with
// small helpers to type into boxes and read labels by their names.
#pragma once

#include "app/form1.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QString>

struct Message {
    QMessageBox::Icon icon;
    QString title;
    QString prompt;
};

class WindowProbe : public Form1 {
  public:
    QList<Message> messages;
    int beeps = 0;

    QLineEdit* box(const char* name) const { return findChild<QLineEdit*>(name); }
    QLabel* label(const char* name) const { return findChild<QLabel*>(name); }
    QAction* item(const char* name) const { return findChild<QAction*>(name); }

    QString caption(const char* name) const { return label(name)->text(); }
    QString tip(const char* name) const { return label(name)->toolTip(); }
    QString text(const char* name) const { return box(name)->text(); }
    void type(const char* name, const QString& value) { box(name)->setText(value); }

    // Types the six coefficient boxes, numerator and denominator of A, B and C.
    void type_coefficients(const QString& an, const QString& ad, const QString& bn,
                           const QString& bd, const QString& cn, const QString& cd) {
        type("textAN", an);
        type("TextAD", ad);
        type("TextBN", bn);
        type("TextBD", bd);
        type("TextCN", cn);
        type("TextCD", cd);
    }

  protected:
    void show_message(QMessageBox::Icon icon, const QString& title,
                      const QString& prompt) override {
        messages.append({icon, title, prompt});
    }
    void beep() override { ++beeps; }
};
