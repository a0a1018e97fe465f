// The yardstick for startup_window: a bare QMainWindow with the program's client size
// (401 x 471 px below the menu bar) and a menu bar of the same captions, timed the
// same way (see first_paint.h).
#include "first_paint.h"

#include "tutor/commands.h"

#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    const startup::StartTimes start = startup::take_start_times(argc, argv);
    QApplication app(argc, argv);
    startup::FirstPaint probe(start);
    app.installEventFilter(&probe);
    QMainWindow window;
    auto* client = new QWidget(&window);
    client->setFixedSize(401, 471);
    window.setCentralWidget(client);
    for (const tutor::CommandInfo& c : tutor::commands)
        window.menuBar()->addAction(QString::fromUtf8(c.caption.italian));
    probe.watch(&window);
    window.show();
    return app.exec();
}
