// Start-up: the load handling, the random background and the generator behind it.
#include "colours.h"
#include "form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QTime>

#include <cmath>
#include <cstring>

void Form1::Form_Load() {
    // Seconds since midnight, fraction included, in single precision.
    seed_random(static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f);
    Colors();
    a_den = 1;
    b_den = 1;
    c_den = 1;
    compose_mode = 0;
}

void Form1::seed_random(float seed) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    generator_.seed(bits);
}

float Form1::next_random() {
    // 24 random bits over 2^24: exact in a float and never 1.0.
    return static_cast<float>(generator_() >> 8) * (1.0f / 16777216.0f);
}

void Form1::Colors() {
    const double r = next_random();
    const int n = static_cast<int>(std::floor(r * 5)) + 1; // 1 to 5
    scheme_dark = colours::schemes[n - 1];
    const QColor background = colours::from_bgr(scheme_dark);

    const auto paint = [&background](QWidget* widget, QPalette::ColorRole role) {
        QPalette palette = widget->palette();
        palette.setColor(role, background);
        widget->setPalette(palette);
    };
    // The client area is the window's background; the menu bar keeps its own.
    paint(centralWidget(), QPalette::Window);
    for (QLabel* label : {Label1, Label2, Label3, Label4, Label5, LabelA, LabelB, LabelC})
        paint(label, QPalette::Window);
    for (QLineEdit* box : {textAN, TextAD, TextBN, TextBD, TextCN, TextCD, TextXN, TextXD})
        paint(box, QPalette::Base);
    for (QLabel* label : {LabelX, CompLabel, LabelAlfa, LabelBeta, Labelalfa2, LabelBeta2, ResLabel,
                          DetLabel, LabelX1, LabelX2, LabelF, LabelV, LabelD})
        paint(label, QPalette::Window);
}
