// A session of a user at the keyboard, decoded from fuzzer bytes: short texts typed
// into the boxes and a run of menu commands. Shared by the target that plays it on the
// rules alone and the one that plays it on the window.
//
// Stored inputs keep their meaning as the menu grows: a step names a command by its
// fixed code (tutor::commands' `code` column), never by its place in the menu bar. A
// step is one byte:
//   0x80 to 0xFF   type the text that follows into box (byte & 7);
//   board_code     work the board out now;
//   a command code choose that command;
//   anything else  nothing (a code no command has yet: adding a command changes only
//                  the steps that name its code).
#pragma once

#include "tutor/commands.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace session {

// The step that works the board out, outside the range of command codes.
inline constexpr std::uint8_t board_code = 0x40;
inline constexpr std::uint8_t type_flag = 0x80;

constexpr bool codes_fit() {
    for (const tutor::CommandInfo& c : tutor::commands)
        if (c.code == 0 || c.code >= board_code)
            return false;
    return true;
}
static_assert(codes_fit(), "a command code from 1 to 0x3F, below the board's");

// The input, consumed byte by byte; an exhausted input reads zeros.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Short texts from the characters that matter to the reading rule, and now and then
// a raw byte.
inline std::string make_text(Bytes& in) {
    static const char* const pieces[] = {"0", "1", "2", "3", "4", "5",  "6", "7",
                                         "8", "9", ".", "-", "E", "&H", " ", "/"};
    constexpr int piece_count = sizeof pieces / sizeof pieces[0];
    std::string text;
    const int length = in.next() % 7;
    for (int i = 0; i < length; ++i) {
        const int choice = in.next() % (piece_count + 2);
        if (choice < piece_count)
            text += pieces[choice];
        else
            text += static_cast<char>(in.next());
    }
    return text;
}

// The command whose code this is, or Command::count.
inline tutor::Command command_of(std::uint8_t code) {
    for (const tutor::CommandInfo& c : tutor::commands)
        if (c.code == code)
            return c.command;
    return tutor::Command::count;
}

// Plays the bytes on a user: `user.type(box, text)` types into tutor::boxes[box] (a user
// can only type into a box that is shown), `user.choose(command)` chooses a menu
// item (a user can only choose one that is enabled), `user.work_board()` works the
// board out. First a byte whose lowest bit shows the fraction boxes, then a text for each
// of the eight boxes, then up to `steps` steps. The session ends with a solve if it had
// none, and then, with `board_at_end`, works the board out.
template <class User> void play(Bytes& in, User& user, int steps, bool board_at_end) {
    using tutor::Command;
    if (in.next() & 1)
        user.choose(Command::Frazioni);
    for (int box = 0; box < 8; ++box)
        user.type(box, make_text(in));
    bool solved = false;
    for (int step = 0; step < steps && !in.empty(); ++step) {
        const std::uint8_t code = in.next();
        if (code & type_flag) {
            user.type(code & 7, make_text(in));
        } else if (code == board_code) {
            user.work_board();
        } else if (const Command command = command_of(code); command != Command::count) {
            user.choose(command);
            solved = solved || command == Command::Analizza;
        }
    }
    if (!solved)
        user.choose(Command::Analizza);
    if (board_at_end)
        user.work_board();
}

} // namespace session
