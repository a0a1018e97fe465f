// The one window of Quadratic Tutor: a thin view over the rules in tutor/. It builds
// the controls from the control tables, runs a command of the core when a menu item is
// triggered, and mirrors what the core says each control shows onto the widgets.
#pragma once

#include "tutor/commands.h"
#include "tutor/tutor.h"

#include <QColor>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <array>
#include <string>

class BoardWindow;
class QAction;
class QLineEdit;

// A 0x00BBGGRR colour of the core as a QColor.
QColor from_bgr(std::uint32_t bgr);

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
    // The board, once it has been opened.
    BoardWindow* board() const { return board_; }
    QWidget* widget(tutor::ControlId id) const { return widgets_[id]; }
    QAction* action(tutor::Command command) const {
        return actions_[static_cast<std::size_t>(command)];
    }

    // Closing the window ends the program, the board with it.
    void closeEvent(QCloseEvent* event) override;
    // After the first frame, the window's icon in every size.
    bool event(QEvent* event) override;

  private:
    void build_controls();
    void build_menu();
    // The announcer of results, the keys (Return in a box runs its row's command, F10
    // opens the menu bar) and the following of the focus from box to box.
    void build_accessibility();
    // Accessible names and descriptions in the current language, after the tooltips.
    void describe_controls();
    // Tells a screen reader what a command changed that it would not notice by itself:
    // renamed menu items, the language, and the result lines the command wrote.
    void announce_changes(const tutor::Screen& before);
    // Speaks the text through a screen reader, wherever the focus is.
    void announce(const QString& text);
    // Puts the keyboard focus back in the box that last had it (or the next one shown).
    void restore_focus();
    bool in_compose_heading(const QWidget* label) const;
    // Shows on the widget what the core says of its control, where it differs from what
    // the widget shows already (`before`, or nothing: everything). Hiding is left to a
    // second pass: a command that shows one box and hides another moves the keyboard
    // focus forward to a box that is shown by then.
    void show_control(tutor::ControlId id, const tutor::Control& now, const tutor::Control* before);

    // Runs a command of the core on what the user typed, then shows its results.
    void run(tutor::Command command);
    // Hands the boxes' texts, as typed, to the core.
    void take_typed_texts();
    // Brings the widgets up to date with the core's picture: only what changed since the
    // last time, or everything when `everything` is set.
    void mirror(bool everything = false);
    // Builds the board on first use, brings it up to date and up front.
    void open_board();
    // Lays out on the board what the core says it shows, in the window's language.
    void show_board();

    void message(tutor::Icon icon, const std::string& title, const std::string& prompt) override;

    tutor::Tutor core_;
    // The picture as the widgets show it now.
    tutor::Screen shown_;
    std::array<QWidget*, tutor::control_count> widgets_{};
    std::array<QAction*, tutor::command_count> actions_{};
    // The box that last had the keyboard focus.
    QPointer<QLineEdit> last_box_;
    // Whether the stand-in for Arial Black has been widened for the compose heading.
    bool compose_heading_widened_ = false;
    // An invisible widget that a screen reader reads out whenever it is shown.
    QWidget* announcer_ = nullptr;
    BoardWindow* board_ = nullptr;
    // The language the board was last laid out in.
    int board_language_ = 0;
    bool icon_sizes_set_ = false;
};

// Makes a message box at least as wide as the title bar needs for its title.
void widen_for_title(QMessageBox& box);
