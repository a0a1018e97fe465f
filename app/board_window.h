// The board: a second, resizable window for a class projector and for a screen reader,
// with the last equation solved worked step by step and its parabola drawn. It lays out
// what the core computed; it computes nothing itself.
#pragma once

#include "tutor/board.h"

#include <QWidget>

#include <optional>
#include <vector>

class GraphView;
class QBoxLayout;
class QLabel;
class QShortcut;
class QTextEdit;

class BoardWindow : public QWidget {
    Q_OBJECT

  public:
    // A top-level window even when given a parent (which only owns it). Cheap: the
    // content is laid out by the first show_board().
    explicit BoardWindow(QWidget* parent = nullptr);

    // Shows the steps and, after a solve, the graph, all in the language given: 0 Italian,
    // other English. Without a graph the steps fill the window.
    // With `last_step_in_view`, the last step is scrolled into view and the caret put at its
    // heading.
    void show_board(const std::vector<tutor::BoardLine>& steps,
                    const std::optional<tutor::Graph>& graph, int language,
                    bool last_step_in_view = false);

    // The first line when it says that the last solve did not run to its end, or nothing.
    QString notice() const;

    // Full screen and back (F11 in the window; Escape leaves full screen).
    void toggle_full_screen();

    QTextEdit* steps_view() const { return steps_; }
    GraphView* graph_view() const { return graph_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The graph beside the steps in a wide window, above them in a tall one.
    void arrange();
    // The steps' type follows the window's size.
    void scale_type();
    // Shows or hides the sign that more steps follow below.
    void update_more_below();

    QBoxLayout* layout_ = nullptr;
    QTextEdit* steps_ = nullptr;
    GraphView* graph_ = nullptr;
    QShortcut* leave_full_screen_ = nullptr;
    QLabel* more_below_ = nullptr; // shows while steps lie below the visible ones
    std::vector<tutor::BoardLine> lines_;
    int type_pixels_ = 0;
};
