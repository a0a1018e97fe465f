// The helpers that every command uses: texts in the current language, message boxes,
// and the reading and writing of boxes.
#include "tutor.h"

#include "fractions/numbers.h"

namespace tutor {

const char* Tutor::say(const Bilingual& text) const {
    return language == 0 ? text.italian : text.english;
}

void Tutor::show_failure(const std::exception& failure) {
    platform_.message(Icon::Stop,
                      say(vocabulary::failure_title_prefix) + std::string(failure.what()),
                      say(vocabulary::failure_prompt));
}

void Tutor::show_warning(const Bilingual& prompt) {
    platform_.message(Icon::Warning, say(vocabulary::warning_title), say(prompt));
}

double read_box(const Control& box) {
    return fractions::read_number(box.text);
}

void write_box(Control& box, double value) {
    box.write(fractions::plain_text(value));
}

std::string number_text(double value) {
    return fractions::signed_text(value);
}

} // namespace tutor
