#include "full_screen.h"

#include <QEvent>
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

void add_full_screen_keys(QWidget* window) {
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
