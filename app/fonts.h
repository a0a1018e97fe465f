// The fonts of the window. It asks for the families of the classic Windows desktop;
// where they are missing, metric-compatible or at least similar faces stand in, and the
// stand-in for Arial Black is widened to Arial Black's metrics.
#pragma once

#include <QFont>
#include <QString>

#include <initializer_list>

class QWidget;

namespace fonts {

// The installed family that draws a design family: itself, else its first installed
// stand-in, else (nothing installed) the design name, for fontconfig to pick a face.
QString installed_family(const char* family);

// A bold font of the design family at that size.
QFont design_font(const char* family, double points);

bool is_arial_black(const char* family);
// Whether Arial Black is missing, so that a stand-in draws it.
bool arial_black_stands_in();

// Arial Black is wider and taller than the bold faces that stand in for it where it
// is missing, and the design relies on its metrics: coloured letters lie over the
// glyphs of the headings, and the compose labels cover the rows under them. So the
// stand-in is widened until the headings' glyphs lie under their letters, and given
// margins that restore Arial Black's line height (ascent 1.10 em, descent 0.31 em).
struct Anchor {
    const char* prefix;    // caption text before the letter
    const QWidget* letter; // the label laid over the next glyph
};

// The stretch that brings the end of each prefix to its letter, on average, measured
// in the caption's own (unstretched) face.
int stretch_for(const QWidget* under, std::initializer_list<Anchor> anchors);

// Widens the label's font by that stretch and restores Arial Black's line height.
void widen_stand_in(QWidget* label, int stretch);

} // namespace fonts
