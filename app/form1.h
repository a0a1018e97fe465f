// The one window of Quadratic Tutor: a thin view over the rules in tutor/. It builds
// the controls from the design table, runs a command of the core when a menu item is
// triggered, and mirrors what the core says each control shows onto the widgets.
#pragma once

#include "tutor/tutor.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QString>

#include <array>
#include <iterator>
#include <string>

class QAction;

class Form1 : public QMainWindow, private tutor::Platform {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);

  protected:
    // Every message box and beep of the program goes through these two, so that
    // tests can record them instead.
    virtual void show_message(QMessageBox::Icon icon, const QString& title, const QString& prompt);
    void beep() override;

    // The rules and the picture the widgets mirror, for tests that compare the two.
    const tutor::Tutor& core() const { return core_; }

  private:
    void build_controls();
    void build_menu();
    void describe_controls();
    // The widget of the control of that name.
    QWidget* widget(const char* name) const;

    // Runs a command of the core on what the user typed, then shows its results.
    void run(void (tutor::Tutor::*command)());
    // Hands the boxes' texts, as typed, to the core.
    void take_typed_texts();
    // Brings the widgets up to date with the core's picture: only what changed since the
    // last time, or everything when `everything` is set.
    void mirror(bool everything = false);

    void message(tutor::Icon icon, const std::string& title, const std::string& prompt) override;

    tutor::Tutor core_;
    // The picture as the widgets show it now.
    tutor::Screen shown_;
    // The widget of each of tutor::controls, in the same order.
    std::array<QWidget*, std::size(tutor::controls)> widgets_{};
    std::array<QAction*, std::size(tutor::menu_items)> actions_{};
};
