// Where each control of the window stands and how it writes: the view's half of the
// control table, indexed by the same ids as the core's (tutor/screen.h), which says what
// each control is and shows.
#pragma once

#include "tutor/screen.h"

namespace design {

enum class Fit {
    Fixed,    // keeps its design size
    Caption,  // fits its rectangle to its caption
    WrapWidth // keeps its width, wraps at blanks and fits its height
};

struct Place {
    tutor::ControlId id;
    int left, top, width, height; // twips: 15 make one pixel at 96 dpi
    const char* family;           // "" for a line, which has no text
    double points;
    Fit fit;
};

// clang-format off
inline constexpr Place places[] = {
    {tutor::TextXD, 3000, 3240, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {tutor::TextXN, 2040, 3240, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {tutor::TextCD, 3000, 2400, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {tutor::TextCN, 2040, 2400, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {tutor::TextBD, 3000, 1800, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {tutor::TextBN, 2040, 1800, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {tutor::TextAD, 3000, 1200, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {tutor::textAN, 2040, 1200, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {tutor::Line1, 0, 840, 6000, 15, "", 0, Fit::Fixed},
    {tutor::LabelBeta2, 960, 1680, 840, 615, "Arial Black", 26.25, Fit::Caption},
    {tutor::Labelalfa2, 960, 960, 840, 735, "Arial Black", 26.25, Fit::Caption},
    {tutor::LabelBeta, 2880, 0, 360, 750, "Arial Black", 26.25, Fit::Caption},
    {tutor::LabelAlfa, 1080, 0, 480, 750, "Arial Black", 26.25, Fit::Caption},
    {tutor::CompLabel, 120, 0, 4035, 750, "Arial Black", 26.25, Fit::Caption},
    {tutor::ResLabel, 3600, 240, 2385, 675, "Arial Narrow", 24, Fit::WrapWidth},
    {tutor::Line3, 0, 3960, 6000, 15, "", 0, Fit::Fixed},
    {tutor::LabelX, 960, 3120, 1035, 615, "Arial Black", 21.75, Fit::Caption},
    {tutor::Label2, 840, 0, 375, 375, "MS Sans Serif", 18, Fit::Fixed},
    {tutor::LabelD, 120, 6480, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {tutor::LabelV, 120, 6000, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {tutor::LabelF, 120, 5520, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {tutor::LabelX2, 120, 5040, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {tutor::LabelX1, 120, 4560, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {tutor::DetLabel, 120, 4080, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {tutor::Line2, 0, 2880, 6000, 15, "", 0, Fit::Fixed},
    {tutor::Label5, 2760, 120, 420, 750, "Arial Black", 26.25, Fit::Caption},
    {tutor::Label4, 1440, 120, 420, 750, "Arial Black", 26.25, Fit::Caption},
    {tutor::Label3, 120, 120, 420, 750, "Arial Black", 26.25, Fit::Caption},
    {tutor::LabelC, 960, 2280, 990, 615, "Arial Black", 21.75, Fit::Caption},
    {tutor::LabelB, 960, 1680, 990, 615, "Arial Black", 21.75, Fit::Caption},
    {tutor::LabelA, 960, 1080, 990, 615, "Arial Black", 21.75, Fit::Caption},
    {tutor::Label1, 120, 120, 3450, 750, "Arial Black", 26.25, Fit::Caption},
};
// clang-format on
static_assert(tutor::in_id_order(places), "one place per control, in the core's order");

// The client area below the menu bar, in twips.
constexpr int client_width = 6015;
constexpr int client_height = 7065;

constexpr int px(int twips) {
    return twips / 15;
}

} // namespace design
