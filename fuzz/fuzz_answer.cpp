// Fuzzes the reading and judging of a typed answer: the input is typed into every box of
// every step of one exercise of each kind. Nothing may throw or crash; a verdict must be
// one a student can be given (a message, a cursor inside the text, too long past 64
// characters), and a value judged right must be the step's value exactly.
#include "tutor/exact_reader.h"
#include "tutor/practice.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
