// Fuzzes the reading and judging of a typed answer: the input is typed into every box of
// every step of one exercise of each kind. Nothing may throw or crash; a verdict must be
// one a student can be given (a message, a cursor inside the text, too long past 64
// characters), and a value judged right must be the step's value exactly.
//
// An input of three bytes or more whose first byte is below 7, a control character no
// answer starts with, plays a practice session instead: that byte names the kind (6
// Mixed), the next two the set, and each byte after them an action, by its two low bits,
// in the language of its top bit:
//   0  the board's own answer to the step (bit 2 chooses: the roots also both in one
//      box), which must be judged right;
//   1  show the step, which then counts as missed;
//   2  as many bytes as the next one says typed, one box a line;
//   3  the rest of the input typed into every box, the last action.
// The session's place and score must follow the verdicts, nothing move after the tenth
// exercise, and its introduction and summary be there in both languages.
#include "tests/practice_answers.h"
#include "tutor/exact_reader.h"
#include "tutor/practice.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace tutor::practice;

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

const std::vector<Exercise>& exercises() {
    static const std::vector<Exercise> one_of_each = [] {
        std::vector<Exercise> out;
        for (int k = 0; k < kind_count - 1; ++k)
            out.push_back(make_set(Kind(k), 1).front());
        return out;
    }();
    return one_of_each;
}

// What must hold of a session at any time: its place within the set and its steps, the
// score within the exercises done, a name for every box and something to hear.
void check_place(const Session& s, int language) {
    const Score& score = s.score();
    check(s.index() >= 0 && s.index() <= set_size && s.finished() == (s.index() == set_size));
    check(score.done == s.index() && score.right_first_time <= score.done &&
          score.longest_streak <= score.right_first_time);
    int missed = 0;
    for (int m : score.missed) {
        check(m >= 0 && m <= score.done);
        missed += m;
    }
    // An exercise not right at the first try missed one step at least, and at most all.
    const int unclean = score.done - score.right_first_time;
    check(missed >= unclean && missed <= step_count * unclean);
    check(!s.introduction(language).empty());
    if (s.finished())
        return;
    check(s.steps() == steps_of(s.exercise()) && s.step_index() >= 0 &&
          s.step_index() < static_cast<int>(s.steps().size()));
    for (int box = 0; box < box_count(s.exercise(), s.step()); ++box)
        check(*box_name(s.exercise(), s.step(), box).in(language) != '\0');
}

// The typed texts of a step's boxes, one a line.
std::vector<std::string> boxes_of(const std::string& text) {
    std::vector<std::string> typed;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        typed.push_back(text.substr(start, end - start));
    typed.push_back(text.substr(start));
    return typed;
}

void play(const std::uint8_t* data, std::size_t size) {
    const Kind kind = Kind(data[0]);
    const int set_number = (data[1] | data[2] << 8) % last_set + first_set;
    Session s;
    s.start(kind, set_number);
    check(s.started() && s.kind() == kind && s.set_number() == set_number);
    int clean = 0, streak = 0, longest = 0; // the score as the verdicts make it
    bool missed = false;                    // a step of this exercise missed
    for (std::size_t at = 3; at < size && !s.finished();) {
        const std::uint8_t action = data[at++];
        const int language = action >> 7;
        const int index = s.index(), step = s.step_index();
        const Step was = s.step();
        StepVerdict v;
        switch (action & 3) {
        case 0: {
            const std::vector<std::vector<std::string>> answers = board_answers(s.exercise(), was);
            v = s.check(answers[(action >> 2) % answers.size()], language);
            check(v.verdict == Verdict::Right);
            break;
        }
        case 1:
            check(!s.show(language).empty() && s.missed(was));
            missed = true;
            break;
        case 2: {
            const std::size_t count = at < size ? data[at++] : 0;
            const std::size_t n = std::min(count, size - at);
            v = s.check(boxes_of(std::string(reinterpret_cast<const char*>(data + at), n)),
                        language);
            at += n;
            break;
        }
        default: {
            const std::string rest(reinterpret_cast<const char*>(data + at), size - at);
            at = size;
            v = s.check(std::vector<std::string>(box_count(s.exercise(), was), rest), language);
            break;
        }
        }
        if ((action & 3) != 1) {
            check(!v.message.empty() && v.box >= 0 && v.box < static_cast<int>(v.boxes.size()));
            if (v.verdict == Verdict::Right) {
                // The next step, or the next exercise after the last.
                const bool last =
                    step + 1 == static_cast<int>(steps_of(s.exercises()[index]).size());
                check(s.index() == index + last && s.step_index() == (last ? 0 : step + 1));
                if (last) {
                    clean += !missed;
                    streak = missed ? 0 : streak + 1;
                    longest = std::max(longest, streak);
                    missed = false;
                }
            } else {
                check(s.index() == index && s.step_index() == step);
                const bool judged = v.verdict == Verdict::Wrong ||
                                    v.verdict == Verdict::NotSimplified ||
                                    v.verdict == Verdict::Approximate;
                check(!judged || s.missed(was));
                missed = missed || judged;
            }
        }
        check(s.score().right_first_time == clean && s.score().longest_streak == longest);
        check_place(s, language);
    }
    // At the end of the set nothing is judged or shown any more, and the score stays.
    if (s.finished()) {
        const Score score = s.score();
        check(s.check({"1"}, 0).message.empty() && s.show(0).empty());
        check(s.score().right_first_time == score.right_first_time &&
              s.score().missed == score.missed && s.index() == set_size);
    }
    for (int language = 0; language < 2; ++language) {
        check_place(s, language);
        check(!s.summary(language).empty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= 3 && data[0] < kind_count) {
        play(data, size);
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tutor::exact::Reading reading = tutor::exact::read_exact(text);
    check(reading.ok() ? !reading.values.empty() && reading.values.size() <= 2
                       : reading.stopped <= text.size());
    const bool too_long = characters(text) > longest_answer;
    for (const Exercise& x : exercises()) {
        for (Step step : steps_of(x)) {
            const std::vector<std::string> typed(box_count(x, step), text);
            const StepVerdict v = check(x, step, typed, static_cast<int>(size % 2));
            check(!v.message.empty() && v.box >= 0 && v.box < box_count(x, step));
            const BoxVerdict& box = v.boxes[v.box];
            check(box.stopped <= text.size());
            if (v.verdict == Verdict::Empty)
                check(text.find_first_not_of(' ') == std::string::npos);
            check(too_long == (v.verdict == Verdict::TooLong));
            // Right in every box at once: one value, the step's own (or both roots by ±).
            if (v.verdict == Verdict::Right && step == Step::Delta)
                check(reading.ok() &&
                      reading.values.front() == tutor::exact::Number(x.solution.delta));
        }
    }
    return 0;
}
