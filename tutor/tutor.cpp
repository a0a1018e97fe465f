// The window's own commands and what every command uses: start-up with its random
// background, the reset of the result lines, the fractions command, the language
// switch, the credits box, the two fraction methods, texts in the current language,
// message boxes, and the reading and writing of boxes.
#include "tutor.h"

#include "commands.h"

#include "colours.h"
#include "fractions/fraction.h"
#include "fractions/numbers.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace tutor {

namespace {

// Seconds since midnight, local time, with the milliseconds.
float time_of_day() {
    using namespace std::chrono;
    const system_clock::time_point now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const long long ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000 +
                         1000LL * (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
    return static_cast<float>(ms) / 1000.0f;
}

} // namespace

// --- Start-up ---------------------------------------------------------------------

Tutor::Tutor(Platform& platform) : platform_(platform) {
    Form_Load();
}

void Tutor::Form_Load() {
    // Seconds since midnight, fraction included, in single precision.
    seed_random(time_of_day());
    Colors();
    a_den = 1;
    b_den = 1;
    c_den = 1;
    compose_mode = 0;
}

void Tutor::seed_random(float seed) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    generator_.seed(bits);
}

float Tutor::next_random() {
    // 24 random bits over 2^24: exact in a float and never 1.0.
    return static_cast<float>(generator_() >> 8) * (1.0f / 16777216.0f);
}

void Tutor::Colors() {
    const double r = next_random();
    const int n = static_cast<int>(std::floor(r * 5)) + 1; // 1 to 5
    scheme_dark = colours::schemes[n - 1];
    screen_.background = scheme_dark;
    // Every label and box, hidden ones included; the lines and the menus keep theirs.
    for (const ControlInfo& c : controls)
        if (c.roles & FollowsBackground)
            screen_[c.id].background = scheme_dark;
}

// --- Commands ---------------------------------------------------------------------

void Tutor::run(Command command) {
    if (command < Command::count)
        (this->*info(command).handler)();
}

void Tutor::clear_caption() {
    // ResLabel keeps its caption: the test command writes its value there first.
    for (const ControlInfo& c : controls) {
        if (c.roles & ClearsCaption)
            screen_[c.id].write("");
        if (c.roles & (ClearsCaption | ClearsTooltip))
            screen_[c.id].tooltip.clear();
    }
}

void Tutor::Frazioni_Click() {
    // Every input row framed as a fraction; the blanks leave room for the two boxes
    // that lie over the caption.
    screen_[LabelA].write("A =(     /     )");
    screen_[LabelB].write("B =(     /     )");
    screen_[LabelC].write("C =(     /     )");
    screen_[LabelX].write("X =(     /     )");
    screen_[TextAD].visible = true;
    screen_[TextBD].visible = true;
    // In compose mode the C and X rows are hidden and take no input.
    if (compose_mode == 0) {
        screen_[TextCD].visible = true;
        screen_[TextXD].visible = true;
    }
}

void Tutor::Lingua_Click() {
    // Only the language and the menu captions change here; every other text follows
    // the language when a command next writes it.
    language = static_cast<std::int16_t>(std::abs(language - 1));
    for (const CommandInfo& c : commands)
        screen_[c.command].caption = say(c.caption);
}

void Tutor::Lavagna_Click() {
    ++screen_.board.requests;
}

void Tutor::Esercizi_Click() {
    ++screen_.practice_requests;
}

void Tutor::Credits_Click() {
    // The draw comes first, in both languages: the e-mail line shows on a 9 only.
    const int r = static_cast<int>(std::floor(static_cast<double>(next_random()) * 10));
    const std::string cr = "\r";
    std::string m = say(vocabulary::credits_author);
    m += cr + cr + say(vocabulary::credits_date_place);
    m += cr + cr + " ";
    m += cr + cr + credits::web_address;
    if (r > 8)
        m += cr + credits::email;
    platform_.message(Icon::Information, say(vocabulary::credits_title), m);
}

// --- The fraction methods: they leave their results in the working state. ----------

void Tutor::simple_fraction(std::int16_t n, std::int16_t d) {
    // On a failure the previous results stay, as nothing is assigned.
    const fractions::Fraction reduced = fractions::reduce_fraction(n, d);
    reduced_num = reduced.num;
    reduced_den = reduced.den;
}

void Tutor::mostra_frazione(std::int16_t n, std::int16_t d) {
    fraction_text = fractions::fraction_text(n, d);
}

// --- Helpers ----------------------------------------------------------------------

const char* Tutor::say(const Bilingual& text) const {
    return text.in(language);
}

void Tutor::show_failure(const std::exception& failure) {
    platform_.message(Icon::Stop,
                      say(vocabulary::failure_title_prefix) + std::string(failure.what()),
                      say(vocabulary::failure_prompt));
}

void Tutor::show_warning(const Bilingual& prompt) {
    platform_.message(Icon::Warning, say(vocabulary::warning_title), say(prompt));
}

double Tutor::read_box(ControlId box) const {
    return fractions::read_number(screen_[box].text);
}

void Tutor::write_box(ControlId box, double value) {
    screen_[box].write(fractions::plain_text(value));
}

std::string number_text(double value) {
    return fractions::signed_text(value);
}

} // namespace tutor
