// Fuzzes the window as a view of the rules: the input types short texts into the boxes
// that are shown and chooses the menu items that are enabled, as a user could. After
// every command, and whenever a message box shows, every widget must show exactly what
// the core says it shows. A difference traps. (The rules themselves are fuzzed much
// faster by fuzz_session.)
#include "session.h"

#include "tests/window_probe.h"

#include "app/board_window.h"
#include "app/graph_view.h"
#include "app/practice_window.h"
#include "tutor/exact_solution.h"

#include <QAccessible>
#include <QApplication>
#include <QPixmap>
#include <QStringList>
#include <QTextEdit>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>

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
        if (command == tutor::Command::Lavagna)
            check_board();
        // The practice window is closed again at once: this target checks the main window;
        // answers are judged by fuzz_answer.
        if (command == tutor::Command::Esercizi)
            window_.practice()->close();
        check(window_.differences().isEmpty(), window_.differences());
        for (int i = said; i < window_.messages.size(); ++i)
            check(window_.messages[i].differences.isEmpty(), window_.messages[i].differences);
    }

    // The board as a user brings it up, from the menu.
    void work_board() { choose(tutor::Command::Lavagna); }

  private:
    // The board just opened shows the core's board: its steps line by line and, after a
    // solve, the graph that the graph view describes; and it paints. It is closed again at
    // once, so that later solves do not lay it out anew (a closed board is brought up to
    // date only when it is opened again).
    void check_board() {
        BoardWindow* board = window_.board();
        check(board != nullptr && board->isVisible(), "the board did not open");
        const tutor::Board& shown = window_.core().screen().board;
        const int language = window_.core().language;
        std::optional<tutor::ExactSolution> solution;
        if (shown.equation)
            solution = tutor::solve_exactly(*shown.equation, shown.tested);
        QStringList lines;
        for (const tutor::BoardLine& line :
             tutor::board_steps(solution ? &*solution : nullptr, language, shown.interrupted))
            lines << QString::fromStdString(line.text);
        // The steps as written, as a screen reader reads them (on screen, word joiners hold
        // each expression together).
        const QString steps =
            QAccessible::queryAccessibleInterface(board->steps_view())->text(QAccessible::Value);
        check(steps == lines.join('\n'), "board steps: " + steps);
        check(board->graph_view()->isHidden() == !solution, "board graph shown or not");
        if (solution) {
            const QString described =
                QString::fromStdString(tutor::board_graph(*solution, language).description);
            check(board->graph_view()->accessibleDescription().startsWith(described),
                  "board graph: " + board->graph_view()->accessibleDescription());
        }
        // Painted as a screen would: the steps at their scaled type and the graph's curve,
        // grid, points and labels.
        check(!board->grab().isNull(), "the board did not paint");
        board->close();
    }

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
    // The board is opened where the input asks for it, not at the end of every session: its
    // first layout costs as much as a whole session.
    session::play(in, user, 24, false);
    return 0;
}
