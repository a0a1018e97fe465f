// Fuzzes the window as a view of the rules: the input types short texts into the boxes
// that are shown and chooses the menu items that are enabled, as a user could. After
// every command, and whenever a message box shows, every widget must show exactly what
// the core says it shows. A difference traps. (The rules themselves are fuzzed much
// faster by fuzz_session.)
#include "session.h"

#include "tests/window_probe.h"

#include "app/board_window.h"
#include "app/practice_window.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

void check(bool condition, const QString& why) {
    if (!condition) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        __builtin_trap();
    }
}

class User {
  public:
    User() { window_.compare_on_message = true; }

    void type(int index, const std::string& text) {
        QLineEdit* box = window_.control<QLineEdit>(tutor::controls[tutor::boxes[index]].name);
        if (!box->isHidden())
            box->setText(QString::fromStdString(text));
    }

    void choose(tutor::Command command) {
        QAction* item = window_.item(tutor::commands[static_cast<int>(command)].name);
        if (!item->isEnabled())
            return;
        const int said = static_cast<int>(window_.messages.size());
        item->trigger();
        // The board and the practice window are closed again at once: this target checks
        // the main window; the board's content is worked in every session of fuzz_session.
        if (command == tutor::Command::Lavagna)
            window_.board()->close();
        if (command == tutor::Command::Esercizi)
            window_.practice()->close();
        check(window_.differences().isEmpty(), window_.differences());
        for (int i = said; i < window_.messages.size(); ++i)
            check(window_.messages[i].differences.isEmpty(), window_.messages[i].differences);
    }

  private:
    WindowProbe window_;
};

} // namespace

// Fontconfig keeps a few allocations of its own font cache without a pointer to
// them until the process ends; they are not the window's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    (void)argc;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps argc and argv for the whole run; it sees none of libFuzzer's flags.
    static int qt_argc = 1;
    static char* qt_argv[] = {(*argv)[0], nullptr};
    new QApplication(qt_argc, qt_argv);
    // The first window loads the fonts; later ones find them ready.
    { WindowProbe warm_up; }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    session::Bytes in(data, size);
    // A fresh window for every input, so that every input reproduces alone.
    User user;
    session::play(in, user, 24);
    return 0;
}
