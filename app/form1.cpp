// Construction of the window: controls, fonts, colours, menu bar, tab order, and the
// few helpers that every command uses to write to the screen.
#include "form1.h"

#include "colours.h"
#include "fractions/numbers.h"
#include "icon.xpm"

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>

#include <algorithm>
#include <limits>
#include <string>

namespace {

// Sizes on the window are given in twips; 15 twips make one pixel at 96 dpi.
constexpr int px(int twips) {
    return twips / 15;
}

enum class Kind { Box, Line, Label };
enum class Fit {
    Fixed,    // keeps its design size
    Caption,  // fits its rectangle to its caption
    WrapWidth // keeps its width, wraps at blanks and fits its height
};

struct Design {
    Kind kind;
    const char* name;
    const char* text;
    int left, top, width, height; // twips
    std::uint32_t colour;         // 0x00BBGGRR
    const char* family;
    double points;
    bool hidden;
    Fit fit;
    const char* tooltip;
};

using namespace colours;

// Front to back: a control listed earlier is drawn above the ones after it.
// clang-format off
constexpr Design designs[] = {
    {Kind::Box, "TextXD", "1", 3000, 3240, 735, 375, white, "MS Sans Serif", 13.5, true, Fit::Fixed, "Denominatore"},
    {Kind::Box, "TextXN", "", 2040, 3240, 735, 375, white, "MS Sans Serif", 13.5, false, Fit::Fixed, "Numeratore"},
    {Kind::Box, "TextCD", "1", 3000, 2400, 735, 375, cyan, "MS Sans Serif", 13.5, true, Fit::Fixed, "Denominatore"},
    {Kind::Box, "TextCN", "", 2040, 2400, 735, 375, cyan, "MS Sans Serif", 13.5, false, Fit::Fixed, "Numeratore"},
    {Kind::Box, "TextBD", "1", 3000, 1800, 735, 375, light_green, "MS Sans Serif", 13.5, true, Fit::Fixed, "Denominatore"},
    {Kind::Box, "TextBN", "", 2040, 1800, 735, 375, light_green, "MS Sans Serif", 13.5, false, Fit::Fixed, "Numeratore"},
    {Kind::Box, "TextAD", "1", 3000, 1200, 735, 375, yellow, "MS Sans Serif", 13.5, true, Fit::Fixed, "Denominatore"},
    {Kind::Box, "textAN", "", 2040, 1200, 735, 375, yellow, "MS Sans Serif", 13.5, false, Fit::Fixed, "Numeratore"},
    {Kind::Line, "Line1", "", 0, 840, 6000, 15, white, "", 0, false, Fit::Fixed, ""},
    {Kind::Label, "LabelBeta2", "b=", 960, 1680, 840, 615, light_green, "Arial Black", 26.25, true, Fit::Caption, ""},
    {Kind::Label, "Labelalfa2", "a=", 960, 960, 840, 735, yellow, "Arial Black", 26.25, true, Fit::Caption, ""},
    {Kind::Label, "LabelBeta", "b", 2880, 0, 360, 750, light_green, "Arial Black", 26.25, true, Fit::Caption, ""},
    {Kind::Label, "LabelAlfa", "a", 1080, 0, 480, 750, yellow, "Arial Black", 26.25, true, Fit::Caption, ""},
    {Kind::Label, "CompLabel", "( x-a )( x-b)=0", 120, 0, 4035, 750, white, "Arial Black", 26.25, true, Fit::Caption, ""},
    {Kind::Label, "ResLabel", "0", 3600, 240, 2385, 675, white, "Arial Narrow", 24, false, Fit::WrapWidth, ""},
    {Kind::Line, "Line3", "", 0, 3960, 6000, 15, white, "", 0, false, Fit::Fixed, ""},
    {Kind::Label, "LabelX", " X = ", 960, 3120, 1035, 615, white, "Arial Black", 21.75, false, Fit::Caption, "Test"},
    {Kind::Label, "Label2", "2", 840, 0, 375, 375, white, "MS Sans Serif", 18, false, Fit::Fixed, ""},
    {Kind::Label, "LabelD", "", 120, 6480, 5895, 375, white, "Arial", 14.25, false, Fit::Fixed, ""},
    {Kind::Label, "LabelV", "", 120, 6000, 5895, 375, white, "Arial", 14.25, false, Fit::Fixed, ""},
    {Kind::Label, "LabelF", "", 120, 5520, 5895, 375, white, "Arial", 14.25, false, Fit::Fixed, ""},
    {Kind::Label, "LabelX2", "", 120, 5040, 5895, 375, white, "Arial", 14.25, false, Fit::Fixed, ""},
    {Kind::Label, "LabelX1", "", 120, 4560, 5895, 375, white, "Arial", 14.25, false, Fit::Fixed, ""},
    {Kind::Label, "DetLabel", "", 120, 4080, 5895, 375, white, "Arial", 14.25, false, Fit::Fixed, ""},
    {Kind::Line, "Line2", "", 0, 2880, 6000, 15, white, "", 0, false, Fit::Fixed, ""},
    {Kind::Label, "Label5", "C", 2760, 120, 420, 750, cyan, "Arial Black", 26.25, false, Fit::Caption, ""},
    {Kind::Label, "Label4", "B", 1440, 120, 420, 750, light_green, "Arial Black", 26.25, false, Fit::Caption, ""},
    {Kind::Label, "Label3", "A", 120, 120, 420, 750, yellow, "Arial Black", 26.25, false, Fit::Caption, ""},
    {Kind::Label, "LabelC", "C = ", 960, 2280, 990, 615, cyan, "Arial Black", 21.75, false, Fit::Caption, ""},
    {Kind::Label, "LabelB", "B = ", 960, 1680, 990, 615, light_green, "Arial Black", 21.75, false, Fit::Caption, ""},
    {Kind::Label, "LabelA", "A = ", 960, 1080, 990, 615, yellow, "Arial Black", 21.75, false, Fit::Caption, ""},
    {Kind::Label, "Label1", "Ax +Bx+ C=", 120, 120, 3450, 750, white, "Arial Black", 26.25, false, Fit::Caption, ""},
};
// clang-format on

// The client area below the menu bar.
constexpr int client_width = 6015;
constexpr int client_height = 7065;

// Name of the dynamic property that tells set_caption how a label fits its caption.
constexpr const char* fit_property = "captionFit";

// The window asks for the families of the classic Windows desktop; where they are
// missing, metric-compatible or at least similar faces stand in.
void register_font_substitutes() {
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Arial Narrow", {"Liberation Sans Narrow", "DejaVu Sans Condensed"});
    QFont::insertSubstitutions("Arial Black", {"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "DejaVu Sans"});
}

QFont design_font(const Design& d) {
    QFont font(QString::fromLatin1(d.family));
    font.setPointSizeF(d.points);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

// Arial Black is wider and taller than the bold faces that stand in for it where it
// is missing, and the design relies on its metrics: coloured letters lie over the
// glyphs of the headings, and the compose labels cover the rows under them. So the
// stand-in is widened until the headings' glyphs lie under their letters, and given
// margins that restore Arial Black's line height (ascent 1.10 em, descent 0.31 em).
void fit_stand_in_for_arial_black(QWidget* client) {
    const auto label = [client](const char* name) { return client->findChild<QLabel*>(name); };
    QList<QLabel*> arial_black;
    for (QLabel* l : client->findChildren<QLabel*>())
        if (l->font().family() == "Arial Black")
            arial_black.append(l);
    if (arial_black.isEmpty() || QFontInfo(arial_black.first()->font()).family() == "Arial Black")
        return;

    struct Anchor {
        const char* prefix; // caption text before the letter
        const char* letter; // the label laid over the next glyph
    };
    // The stretch that brings the end of each prefix to its letter, on average.
    const auto stretch_for = [&](const char* caption, std::initializer_list<Anchor> anchors) {
        const QLabel* under = label(caption);
        const QFontMetricsF metrics(under->font());
        double wanted = 0;
        double measured = 0;
        for (const Anchor& a : anchors) {
            wanted += label(a.letter)->x() - under->x();
            measured += metrics.horizontalAdvance(QString::fromLatin1(a.prefix));
        }
        return qRound(100 * wanted / measured);
    };
    const int heading = stretch_for("Label1", {{"Ax +", "Label4"}, {"Ax +Bx+ ", "Label5"}});
    const int compose =
        stretch_for("CompLabel", {{"( x-", "LabelAlfa"}, {"( x-a )( x-", "LabelBeta"}});

    for (QLabel* l : arial_black) {
        const bool in_compose_heading =
            l == label("CompLabel") || l == label("LabelAlfa") || l == label("LabelBeta");
        QFont font = l->font();
        font.setStretch(in_compose_heading ? compose : heading);
        l->setFont(font);
        const QFontMetricsF metrics(font);
        const double em = font.pointSizeF() * l->logicalDpiY() / 72.0;
        l->setContentsMargins(0, std::max(0, qRound(1.1006 * em - metrics.ascent())), 0,
                              std::max(0, qRound(0.3101 * em - metrics.descent())));
    }
    // "a=" and "b=" must hide the row captions under them: never narrower than designed.
    for (const char* name : {"Labelalfa2", "LabelBeta2"})
        label(name)->setMinimumWidth(label(name)->width());
}

void set_role_colour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void fit_to_caption(QLabel* label) {
    switch (static_cast<Fit>(label->property(fit_property).toInt())) {
    case Fit::Fixed:
        break;
    case Fit::Caption:
        label->adjustSize();
        break;
    case Fit::WrapWidth:
        label->resize(label->width(), label->heightForWidth(label->width()));
        break;
    }
}

} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    static const bool substitutes_registered = (register_font_substitutes(), true);
    (void)substitutes_registered;

    setObjectName("Form1");
    setWindowTitle("B");
    setWindowIcon(QIcon(QPixmap(icon_xpm)));
    // A fixed border: title bar, system menu and close button, nothing to resize,
    // maximise or minimise with.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    build_controls();
    build_menu();
    describe_controls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
    textAN->setFocus();
}

void Form1::build_controls() {
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(px(client_width), px(client_height));
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    QList<QWidget*> front_to_back;
    for (const Design& d : designs) {
        QWidget* widget = nullptr;
        switch (d.kind) {
        case Kind::Box: {
            auto* box = new QLineEdit(QString::fromLatin1(d.text), client);
            box->setMaxLength(std::numeric_limits<int>::max());
            box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            set_role_colour(box, QPalette::Text, from_bgr(d.colour));
            box->setFont(design_font(d));
            widget = box;
            break;
        }
        case Kind::Line: {
            auto* line = new QFrame(client);
            line->setFrameShape(QFrame::NoFrame);
            line->setAutoFillBackground(true);
            set_role_colour(line, QPalette::Window, from_bgr(d.colour));
            widget = line;
            break;
        }
        case Kind::Label: {
            auto* label = new QLabel(client);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setAutoFillBackground(true);
            label->setWordWrap(d.fit == Fit::WrapWidth);
            label->setProperty(fit_property, static_cast<int>(d.fit));
            set_role_colour(label, QPalette::WindowText, from_bgr(d.colour));
            label->setFont(design_font(d));
            widget = label;
            break;
        }
        }
        widget->setObjectName(QString::fromLatin1(d.name));
        widget->setGeometry(px(d.left), px(d.top), px(d.width), std::max(1, px(d.height)));
        widget->setToolTip(QString::fromLatin1(d.tooltip));
        widget->setVisible(!d.hidden);
        front_to_back.append(widget);
    }
    fit_stand_in_for_arial_black(client);
    for (std::size_t i = 0; i < std::size(designs); ++i)
        if (auto* label = qobject_cast<QLabel*>(front_to_back[static_cast<int>(i)]))
            set_caption(label, QString::fromLatin1(designs[i].text));
    // Raise from the back so that the first control of the table ends up in front.
    for (auto it = front_to_back.crbegin(); it != front_to_back.crend(); ++it)
        (*it)->raise();

    const auto box = [client](const char* name) { return client->findChild<QLineEdit*>(name); };
    const auto label = [client](const char* name) { return client->findChild<QLabel*>(name); };
    const auto line = [client](const char* name) { return client->findChild<QFrame*>(name); };
    TextXD = box("TextXD");
    TextXN = box("TextXN");
    TextCD = box("TextCD");
    TextCN = box("TextCN");
    TextBD = box("TextBD");
    TextBN = box("TextBN");
    TextAD = box("TextAD");
    textAN = box("textAN");
    Line1 = line("Line1");
    LabelBeta2 = label("LabelBeta2");
    Labelalfa2 = label("Labelalfa2");
    LabelBeta = label("LabelBeta");
    LabelAlfa = label("LabelAlfa");
    CompLabel = label("CompLabel");
    ResLabel = label("ResLabel");
    Line3 = line("Line3");
    LabelX = label("LabelX");
    Label2 = label("Label2");
    LabelD = label("LabelD");
    LabelV = label("LabelV");
    LabelF = label("LabelF");
    LabelX2 = label("LabelX2");
    LabelX1 = label("LabelX1");
    DetLabel = label("DetLabel");
    Line2 = line("Line2");
    Label5 = label("Label5");
    Label4 = label("Label4");
    Label3 = label("Label3");
    LabelC = label("LabelC");
    LabelB = label("LabelB");
    LabelA = label("LabelA");
    Label1 = label("Label1");

    // Tab visits the boxes row by row, numerator before denominator.
    const QLineEdit* tab_order[] = {textAN, TextAD, TextBN, TextBD, TextCN, TextCD, TextXN, TextXD};
    for (std::size_t i = 1; i < std::size(tab_order); ++i)
        setTabOrder(const_cast<QLineEdit*>(tab_order[i - 1]), const_cast<QLineEdit*>(tab_order[i]));
}

void Form1::build_menu() {
    const auto item = [this](const char* name, const char* caption, void (Form1::*command)()) {
        QAction* action = menuBar()->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    Analizza = item("Analizza", vocabulary::menu_solve.italian, &Form1::Analizza_Click);
    Componi = item("Componi", vocabulary::menu_compose.italian, &Form1::Componi_Click);
    Frazioni = item("Frazioni", vocabulary::menu_fractions.italian, &Form1::Frazioni_Click);
    Test = item("Test", "Test", &Form1::Test_Click);
    Credits = item("Credits", "Info", &Form1::Credits_Click);
    Lingua = item("Lingua", vocabulary::menu_language.italian, &Form1::Lingua_Click);
}

void Form1::set_caption(QLabel* label, const QString& caption) {
    label->setText(caption);
    fit_to_caption(label);
}

void Form1::set_text_colour(QLabel* label, const QColor& colour) {
    set_role_colour(label, QPalette::WindowText, colour);
}

QString Form1::say(const Bilingual& text) const {
    return QString::fromUtf8(language == 0 ? text.italian : text.english);
}

void Form1::show_message(QMessageBox::Icon icon, const QString& title, const QString& prompt) {
    QMessageBox box(icon, title, prompt, QMessageBox::Ok, this);
    box.exec();
}

void Form1::beep() {
    QApplication::beep();
}

void Form1::show_failure(const std::exception& failure) {
    show_message(QMessageBox::Critical,
                 say(vocabulary::failure_title_prefix) + QString::fromUtf8(failure.what()),
                 say(vocabulary::failure_prompt));
}

void Form1::show_warning(const Bilingual& prompt) {
    show_message(QMessageBox::Warning, say(vocabulary::warning_title), say(prompt));
}

double Form1::read_box(const QLineEdit* box) {
    const QByteArray text = box->text().toUtf8();
    return fractions::read_number(std::string_view(text.constData(), text.size()));
}

QString Form1::number_text(double value) {
    return QString::fromStdString(fractions::signed_text(value));
}

void Form1::write_box(QLineEdit* box, double value) {
    box->setText(QString::fromStdString(fractions::plain_text(value)));
}
