// A session of a user at the keyboard, decoded from fuzzer bytes: short texts typed
// into the boxes and a run of menu commands. Shared by the target that plays it on the
// rules alone and the one that plays it on the window.
#pragma once

#include "tutor/screen.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace session {

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

// Plays the bytes on a user: `user.type(box, text)` types into tutor::boxes[box] (a user
// can only type into a box that is shown), `user.choose(command)` chooses a menu
// item (a user can only choose one that is enabled). Every command of the menu bar can
// be chosen, the solve twice as often; up to `steps` steps; the session ends with a
// solve if it had none.
template <class User> void play(Bytes& in, User& user, int steps) {
    using tutor::Command;
    constexpr int commands = static_cast<int>(tutor::command_count);
    if (in.next() & 1)
        user.choose(Command::Frazioni);
    for (int box = 0; box < 8; ++box)
        user.type(box, make_text(in));
    bool solved = false;
    for (int step = 0; step < steps && !in.empty(); ++step) {
        const int choice = in.next() % (commands + 2);
        if (choice == commands + 1) {
            const int box = in.next() % 8;
            user.type(box, make_text(in));
            continue;
        }
        const Command command = choice == commands ? Command::Analizza : Command(choice);
        user.choose(command);
        solved = solved || command == Command::Analizza;
    }
    if (!solved)
        user.choose(Command::Analizza);
}

} // namespace session
