// The program's own window, started as app/main.cpp starts it, timed to its first frame
// (see first_paint.h). Run by startup_driver; alone:
//
//   QT_QPA_PLATFORM=offscreen ./startup_window
#include "first_paint.h"

#include "app/form1.h"

int main(int argc, char** argv) {
    const startup::StartTimes start = startup::take_start_times(argc, argv);
    QApplication app(argc, argv);
    startup::FirstPaint probe(start);
    app.installEventFilter(&probe);
    Form1 window;
    probe.watch(&window);
    window.show();
    return app.exec();
}
