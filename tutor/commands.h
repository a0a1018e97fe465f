// The one list of the menu bar's commands: what each is called and shows, where Return
// runs it, its key, its fixed code, and the method of the core that it runs. A new
// command is a row here and its method.
#pragma once

#include "screen.h"
#include "tutor.h"
#include "vocabulary.h"

#include <cstdint>

namespace tutor {

struct CommandInfo {
    Command command;
    // A number that names the command for good, whatever its place in the menu bar: the
    // fuzzers' stored inputs name commands by it.
    std::uint8_t code;
    const char* name; // the menu item's object name
    Bilingual caption;
    // The input row in whose boxes Return runs it, if any.
    Row return_row_first, return_row_last;
    const char* shortcut; // its key, as Qt writes it ("Ctrl+L"), or nullptr
    void (Tutor::*handler)();
};

// clang-format off
inline constexpr CommandInfo commands[command_count] = {
    {Command::Analizza, 1, "Analizza", vocabulary::menu_solve, Row::A, Row::C, nullptr, &Tutor::Analizza_Click},
    {Command::Componi, 2, "Componi", vocabulary::menu_compose, Row::None, Row::None, nullptr, &Tutor::Componi_Click},
    {Command::Frazioni, 3, "Frazioni", vocabulary::menu_fractions, Row::None, Row::None, nullptr, &Tutor::Frazioni_Click},
    {Command::Test, 4, "Test", {"Test", "Test"}, Row::X, Row::X, nullptr, &Tutor::Test_Click},
    {Command::Credits, 5, "Credits", {"Info", "Info"}, Row::None, Row::None, nullptr, &Tutor::Credits_Click},
    {Command::Lingua, 6, "Lingua", vocabulary::menu_language, Row::None, Row::None, nullptr, &Tutor::Lingua_Click},
    {Command::Lavagna, 7, "Lavagna", vocabulary::menu_board, Row::None, Row::None, "Ctrl+L", &Tutor::Lavagna_Click},
    {Command::Esercizi, 8, "Esercizi", vocabulary::menu_practice, Row::None, Row::None, "Ctrl+E", &Tutor::Esercizi_Click},
};
// clang-format on

constexpr bool in_command_order() {
    for (std::size_t i = 0; i < command_count; ++i)
        if (static_cast<std::size_t>(commands[i].command) != i)
            return false;
    return true;
}
static_assert(in_command_order(), "a row of the command list out of order");

constexpr const CommandInfo& info(Command command) {
    return commands[static_cast<std::size_t>(command)];
}

// The command that Return runs in a box, or Command::count for none.
constexpr Command command_on_return(ControlId box) {
    const Row row = controls[box].row;
    for (const CommandInfo& c : commands)
        if (row != Row::None && row >= c.return_row_first && row <= c.return_row_last)
            return c.command;
    return Command::count;
}

} // namespace tutor
