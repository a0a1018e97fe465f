#include "form1.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

bool has_display() {
#if defined(Q_OS_LINUX)
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char** argv) {
    if (!has_display()) {
        std::fputs("quadratic-tutor: no display to open the window on; run it from a desktop "
                   "session, or without one as: xvfb-run -a quadratic-tutor\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // The name is also the X11 window class, and the desktop file name the Wayland app
    // id: docks and task switchers match the running window to quadratic-tutor.desktop
    // by them. (No display name: Qt would append it to the window's title, "B".)
    QApplication::setApplicationName(QStringLiteral("quadratic-tutor"));
    QApplication::setApplicationVersion(QStringLiteral(TUTOR_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quadratic-tutor"));
    Form1 window;
    window.show();
    return app.exec();
}
