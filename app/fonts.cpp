// The fonts of the window: stand-ins for missing families, and the widening of the
// stand-in for Arial Black.
#include "fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <cstring>

namespace fonts {

namespace {

// The window asks for the families of the classic Windows desktop; where they are
// missing, metric-compatible or at least similar faces stand in.
struct StandIns {
    const char* family;
    const char* faces[2]; // the first one installed stands in
};
constexpr StandIns stand_ins[] = {
    {"Arial", {"Liberation Sans", "DejaVu Sans"}},
    {"Arial Narrow", {"Liberation Sans Narrow", "DejaVu Sans Condensed"}},
    {"Arial Black", {"Liberation Sans", "DejaVu Sans"}},
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
};

} // namespace

// The installed family that draws a design family: itself, else its first installed
// stand-in, else (nothing installed) the design name, for fontconfig to pick a face.
// Fonts name that family directly: a missing name, or a substitute list behind it,
// would each cost a fontconfig fallback search when the font is first used.
QString installed_family(const char* family) {
    static const QStringList installed = [] {
        QStringList names;
        // A family with several foundries is listed once per foundry, as "Family [Foundry]".
        for (const QString& name : QFontDatabase::families())
            names << name.section(QLatin1String(" ["), 0, 0);
        return names;
    }();
    const auto is_installed = [](const char* name) {
        return installed.contains(QLatin1String(name), Qt::CaseInsensitive);
    };
    if (is_installed(family))
        return QString::fromLatin1(family);
    for (const StandIns& s : stand_ins)
        if (std::strcmp(s.family, family) == 0)
            for (const char* face : s.faces)
                if (is_installed(face))
                    return QString::fromLatin1(face);
    return QString::fromLatin1(family);
}

bool is_arial_black(const char* family) {
    return std::strcmp(family, "Arial Black") == 0;
}

bool arial_black_stands_in() {
    return installed_family("Arial Black") != QLatin1String("Arial Black");
}

QFont design_font(const char* family, double points) {
    QFont font(installed_family(family));
    font.setPointSizeF(points);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

// The stretch that brings the end of each prefix to its letter, on average, measured
// in the caption's own (unstretched) face.
int stretch_for(const QWidget* under, std::initializer_list<Anchor> anchors) {
    const QFontMetricsF metrics(under->font());
    double wanted = 0;
    double measured = 0;
    for (const Anchor& a : anchors) {
        wanted += a.letter->x() - under->x();
        measured += metrics.horizontalAdvance(QString::fromLatin1(a.prefix));
    }
    return qRound(100 * wanted / measured);
}

void widen_stand_in(QWidget* label, int stretch) {
    QFont font = label->font();
    font.setStretch(stretch);
    label->setFont(font);
    const QFontMetricsF metrics(font);
    const double em = font.pointSizeF() * label->logicalDpiY() / 72.0;
    label->setContentsMargins(0, std::max(0, qRound(1.1006 * em - metrics.ascent())), 0,
                              std::max(0, qRound(0.3101 * em - metrics.descent())));
}

} // namespace fonts
