#include "class_window.h"

#include "graph_layout.h"

#include "tutor/colours.h"

#include <QEvent>
#include <QPalette>
#include <QShortcut>
#include <QWidget>

namespace {

// Enables Escape only while its window is full screen.
class EscapeInFullScreen : public QObject {
  public:
    explicit EscapeInFullScreen(QShortcut* escape) : QObject(escape), escape_(escape) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange)
            escape_->setEnabled(static_cast<QWidget*>(watched)->isFullScreen());
        return false;
    }

  private:
    QShortcut* escape_;
};

} // namespace

void dress_for_class(QWidget* window) {
    QPalette colours = window->palette();
    const QColor background = board_colour(tutor::colours::board_background);
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Text, Qt::white);
    colours.setColor(QPalette::Highlight, board_colour(tutor::colours::cyan));
    colours.setColor(QPalette::HighlightedText, Qt::black);
    window->setPalette(colours);
    window->setAutoFillBackground(true);

    // Keeps the maximised state to come back to.
    const auto toggle = [window] {
        window->setWindowState(window->windowState() ^ Qt::WindowFullScreen);
    };
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_F11), window), &QShortcut::activated,
                     window, toggle);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setEnabled(false);
    QObject::connect(escape, &QShortcut::activated, window, toggle);
    window->installEventFilter(new EscapeInFullScreen(escape));
}
