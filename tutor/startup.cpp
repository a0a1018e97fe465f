// Start-up: the design picture, the load handling, the random background and the
// generator behind it.
#include "colours.h"
#include "tutor.h"

#include <chrono>
#include <cmath>
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
    background = scheme_dark;
    // Every label and box, hidden ones included; the lines and the menus keep theirs.
    for (Control* c : {&Label1,    &Label2,    &Label3,     &Label4,     &Label5,   &LabelA,
                       &LabelB,    &LabelC,    &textAN,     &TextAD,     &TextBN,   &TextBD,
                       &TextCN,    &TextCD,    &TextXN,     &TextXD,     &LabelX,   &CompLabel,
                       &LabelAlfa, &LabelBeta, &Labelalfa2, &LabelBeta2, &ResLabel, &DetLabel,
                       &LabelX1,   &LabelX2,   &LabelF,     &LabelV,     &LabelD})
        c->background = scheme_dark;
}

} // namespace tutor
