// The practice window: a set of ten equations posed one after the other, the student's
// steps typed box by box and checked on Return, a worked line on request (F1) and the
// score at the end. In the board's style, for a class projector and for a screen reader;
// the sets, the judging and the score are the core's (tutor/practice.h).
#pragma once

#include "tutor/practice.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class PracticeWindow : public QWidget {
    Q_OBJECT

  public:
    // A top-level window even when given a parent (which only owns it).
    explicit PracticeWindow(QWidget* parent = nullptr);

    // Every text in the language given: 0 Italian, other English.
    void set_language(int language);
    // Starts a set of the kind chosen: the number given, or a new random one for 0.
    void start(int set_number = 0);

    const tutor::practice::Session& session() const { return session_; }
    QLineEdit* box(tutor::practice::Step step, int i) const {
        return boxes_[static_cast<int>(step)][i];
    }
    QLabel* verdict_label() const { return verdict_; }
    QLabel* worked_label() const { return worked_; }
    QLabel* mark(tutor::practice::Step step) const { return marks_[static_cast<int>(step)]; }
    QComboBox* kind_box() const { return kind_; }
    QSpinBox* set_box() const { return set_; }
    // What the window last had read out.
    const QString& announced() const { return announced_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // Return in the kind or the set number starts a set.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using Step = tutor::practice::Step;

    // Return in a box: the current step judged.
    void check_step();
    // F1: the board's worked line for the current step.
    void show_worked();
    // Ctrl+C: the score as text.
    void copy_summary();
    // Lays out the current exercise and step, or the score at the end of the set.
    void show_exercise();
    // The step rows: done, current (editable) or still to come (disabled).
    void show_steps();
    // The verdict in its colour, the box it is about marked.
    void show_verdict();
    void announce(const QString& text);
    void scale_type();
    QString say(const tutor::Bilingual& text) const;

    int language_ = 0;
    tutor::practice::Session session_;
    // The last verdict, judged again on a language switch so that it follows it.
    struct Judged {
        bool any = false;
        int exercise = 0;
        Step step = Step::Delta;
        std::vector<std::string> typed;
        tutor::practice::StepVerdict verdict;
    } last_;
    bool worked_shown_ = false;

    QLabel* kind_caption_ = nullptr;
    QComboBox* kind_ = nullptr;
    QLabel* set_caption_ = nullptr;
    QSpinBox* set_ = nullptr;
    QPushButton* new_set_ = nullptr;
    QPushButton* show_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* equation_ = nullptr;
    QWidget* steps_ = nullptr;
    std::array<QLabel*, tutor::practice::step_count> step_captions_{};
    std::array<std::array<QLabel*, 3>, tutor::practice::step_count> box_captions_{};
    std::array<std::array<QLineEdit*, 3>, tutor::practice::step_count> boxes_{};
    std::array<QLabel*, tutor::practice::step_count> marks_{};
    QLabel* verdict_ = nullptr;
    QLabel* worked_ = nullptr;
    QLabel* summary_ = nullptr;
    QWidget* announcer_ = nullptr;
    QString announced_;
    int type_pixels_ = 0;
};
