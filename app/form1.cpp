// The window: its controls built from the design table, the menu bar, and the mirror
// that shows the core's picture on the widgets.
#include "form1.h"

#include "app_icon.h"

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>

#include <algorithm>
#include <cstring>
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

// Where a control stands and how it writes; what it shows comes from the core.
struct Design {
    Kind kind;
    const char* name;
    int left, top, width, height; // twips
    const char* family;
    double points;
    Fit fit;
};

// Front to back: a control listed earlier is drawn above the ones after it.
// clang-format off
constexpr Design designs[] = {
    {Kind::Box, "TextXD", 3000, 3240, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {Kind::Box, "TextXN", 2040, 3240, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {Kind::Box, "TextCD", 3000, 2400, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {Kind::Box, "TextCN", 2040, 2400, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {Kind::Box, "TextBD", 3000, 1800, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {Kind::Box, "TextBN", 2040, 1800, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {Kind::Box, "TextAD", 3000, 1200, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {Kind::Box, "textAN", 2040, 1200, 735, 375, "MS Sans Serif", 13.5, Fit::Fixed},
    {Kind::Line, "Line1", 0, 840, 6000, 15, "", 0, Fit::Fixed},
    {Kind::Label, "LabelBeta2", 960, 1680, 840, 615, "Arial Black", 26.25, Fit::Caption},
    {Kind::Label, "Labelalfa2", 960, 960, 840, 735, "Arial Black", 26.25, Fit::Caption},
    {Kind::Label, "LabelBeta", 2880, 0, 360, 750, "Arial Black", 26.25, Fit::Caption},
    {Kind::Label, "LabelAlfa", 1080, 0, 480, 750, "Arial Black", 26.25, Fit::Caption},
    {Kind::Label, "CompLabel", 120, 0, 4035, 750, "Arial Black", 26.25, Fit::Caption},
    {Kind::Label, "ResLabel", 3600, 240, 2385, 675, "Arial Narrow", 24, Fit::WrapWidth},
    {Kind::Line, "Line3", 0, 3960, 6000, 15, "", 0, Fit::Fixed},
    {Kind::Label, "LabelX", 960, 3120, 1035, 615, "Arial Black", 21.75, Fit::Caption},
    {Kind::Label, "Label2", 840, 0, 375, 375, "MS Sans Serif", 18, Fit::Fixed},
    {Kind::Label, "LabelD", 120, 6480, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {Kind::Label, "LabelV", 120, 6000, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {Kind::Label, "LabelF", 120, 5520, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {Kind::Label, "LabelX2", 120, 5040, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {Kind::Label, "LabelX1", 120, 4560, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {Kind::Label, "DetLabel", 120, 4080, 5895, 375, "Arial", 14.25, Fit::Fixed},
    {Kind::Line, "Line2", 0, 2880, 6000, 15, "", 0, Fit::Fixed},
    {Kind::Label, "Label5", 2760, 120, 420, 750, "Arial Black", 26.25, Fit::Caption},
    {Kind::Label, "Label4", 1440, 120, 420, 750, "Arial Black", 26.25, Fit::Caption},
    {Kind::Label, "Label3", 120, 120, 420, 750, "Arial Black", 26.25, Fit::Caption},
    {Kind::Label, "LabelC", 960, 2280, 990, 615, "Arial Black", 21.75, Fit::Caption},
    {Kind::Label, "LabelB", 960, 1680, 990, 615, "Arial Black", 21.75, Fit::Caption},
    {Kind::Label, "LabelA", 960, 1080, 990, 615, "Arial Black", 21.75, Fit::Caption},
    {Kind::Label, "Label1", 120, 120, 3450, 750, "Arial Black", 26.25, Fit::Caption},
};
// clang-format on

// The client area below the menu bar.
constexpr int client_width = 6015;
constexpr int client_height = 7065;

// Name of the dynamic property that tells set_caption how a label fits its caption.
constexpr const char* fit_property = "captionFit";

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

bool is_arial_black(const Design& d) {
    return std::strcmp(d.family, "Arial Black") == 0;
}

bool arial_black_stands_in() {
    return installed_family("Arial Black") != QLatin1String("Arial Black");
}

QFont design_font(const Design& d) {
    QFont font(installed_family(d.family));
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
struct Anchor {
    const char* prefix;    // caption text before the letter
    const QWidget* letter; // the label laid over the next glyph
};

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

QColor from_bgr(std::uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// Sets two colours of a widget's palette at once.
void set_colours(QWidget* widget, QPalette::ColorRole text_role, std::uint32_t text,
                 QPalette::ColorRole background_role, std::uint32_t background) {
    QPalette palette = widget->palette();
    palette.setColor(text_role, from_bgr(text));
    palette.setColor(background_role, from_bgr(background));
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

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), core_(*this) {
    setObjectName("Form1");
    setWindowTitle("B");
    setWindowIcon(app_icon());
    // A fixed border: title bar, system menu and close button, nothing to resize,
    // maximise or minimise with.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    build_controls();
    build_menu();
    build_accessibility();
    mirror(true);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    widget("textAN")->setFocus();
}

void Form1::build_controls() {
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(px(client_width), px(client_height));
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    // The design table and the core's controls list the controls in the same order.
    static_assert(std::size(designs) == std::size(tutor::controls));
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        const Design& d = designs[i];
        Q_ASSERT(std::strcmp(d.name, tutor::controls[i].name) == 0);
        QWidget* widget = nullptr;
        switch (d.kind) {
        case Kind::Box: {
            auto* box = new QLineEdit(client);
            box->setMaxLength(std::numeric_limits<int>::max());
            box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            box->setFont(design_font(d));
            widget = box;
            break;
        }
        case Kind::Line: {
            auto* line = new QFrame(client);
            line->setFrameShape(QFrame::NoFrame);
            line->setAutoFillBackground(true);
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
            label->setFont(design_font(d));
            widget = label;
            break;
        }
        }
        widget->setObjectName(QString::fromLatin1(d.name));
        widget->setGeometry(px(d.left), px(d.top), px(d.width), std::max(1, px(d.height)));
        widgets_[i] = widget;
    }
    if (arial_black_stands_in()) {
        // The compose heading is widened when compose mode first shows it.
        const int stretch = stretch_for(
            widget("Label1"), {{"Ax +", widget("Label4")}, {"Ax +Bx+ ", widget("Label5")}});
        for (std::size_t i = 0; i < widgets_.size(); ++i)
            if (is_arial_black(designs[i]) && !in_compose_heading(widgets_[i]))
                widen_stand_in(widgets_[i], stretch);
        // "a=" and "b=" must hide the row captions under them: never narrower than designed.
        for (const char* name : {"Labelalfa2", "LabelBeta2"})
            widget(name)->setMinimumWidth(widget(name)->width());
    }
    // Raise from the back so that the first control of the table ends up in front.
    for (auto it = widgets_.crbegin(); it != widgets_.crend(); ++it)
        (*it)->raise();

    // Tab visits the boxes row by row, numerator before denominator.
    for (std::size_t i = 1; i < std::size(tutor::boxes); ++i)
        setTabOrder(widget(tutor::boxes[i - 1].name), widget(tutor::boxes[i].name));
}

QWidget* Form1::widget(const char* name) const {
    return widgets_[tutor::index_of(name)];
}

bool Form1::in_compose_heading(const QWidget* label) const {
    return label == widget("CompLabel") || label == widget("LabelAlfa") ||
           label == widget("LabelBeta");
}

void Form1::show_control(std::size_t i, const tutor::Control& now, const tutor::Control* before) {
    QWidget* widget = widgets_[i];
    const auto changed = [before, &now](auto tutor::Control::*field) {
        return before == nullptr || before->*field != now.*field;
    };
    // A label fits its caption once it is shown: the labels of compose mode, hidden at
    // start, cost nothing until compose mode first shows them.
    auto* label = qobject_cast<QLabel*>(widget);
    bool fitted = false;
    if (label != nullptr) {
        if (changed(&tutor::Control::text)) {
            label->setText(text_of(now.text));
            if (now.visible) {
                fit_to_caption(label);
                fitted = true;
            }
        }
        if (changed(&tutor::Control::colour) || changed(&tutor::Control::background))
            set_colours(label, QPalette::WindowText, now.colour, QPalette::Window, now.background);
    } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        // A box that a command wrote has its cursor at the end, even where the text
        // stayed the same (a screen reader would read an unchanged text out again).
        if (changed(&tutor::Control::writes)) {
            const QString text = text_of(now.text);
            if (box->text() != text)
                box->setText(text);
            else
                box->setCursorPosition(text.size());
        }
        if (changed(&tutor::Control::colour) || changed(&tutor::Control::background))
            set_colours(box, QPalette::Text, now.colour, QPalette::Base, now.background);
    } else if (changed(&tutor::Control::colour)) {
        // A line is all colour.
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, from_bgr(now.colour));
        widget->setPalette(palette);
    }
    if (changed(&tutor::Control::tooltip))
        widget->setToolTip(text_of(now.tooltip));
    if (now.visible && changed(&tutor::Control::visible)) {
        if (label != nullptr && !fitted) {
            if (in_compose_heading(label) && !compose_heading_widened_ && arial_black_stands_in()) {
                const int stretch = stretch_for(this->widget("CompLabel"),
                                                {{"( x-", this->widget("LabelAlfa")},
                                                 {"( x-a )( x-", this->widget("LabelBeta")}});
                for (const char* name : {"CompLabel", "LabelAlfa", "LabelBeta"})
                    widen_stand_in(this->widget(name), stretch);
                compose_heading_widened_ = true;
            }
            fit_to_caption(label);
        }
        widget->setVisible(true);
    }
}

void Form1::build_menu() {
    using tutor::Tutor;
    void (Tutor::*const commands[])() = {&Tutor::Analizza_Click, &Tutor::Componi_Click,
                                         &Tutor::Frazioni_Click, &Tutor::Test_Click,
                                         &Tutor::Credits_Click,  &Tutor::Lingua_Click};
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        QAction* action = menuBar()->addAction(QString());
        action->setObjectName(QString::fromLatin1(tutor::menu_items[i].name));
        connect(action, &QAction::triggered, this, [this, command = commands[i]] { run(command); });
        actions_[i] = action;
    }
}

void Form1::run(void (tutor::Tutor::*command)()) {
    take_typed_texts();
    const tutor::Screen before = core_;
    (core_.*command)();
    mirror();
    announce_changes(before);
    // Chosen from the menu bar with the keyboard, a command gives the focus back to the
    // box it came from once it is done. A box the command has hidden (compose mode
    // hides the C and X rows) must not get it: the next box shown takes it now.
    if (menuBar()->hasFocus() && last_box_ && last_box_->isHidden())
        restore_focus();
}

void Form1::take_typed_texts() {
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        if (const auto* box = qobject_cast<const QLineEdit*>(widgets_[i])) {
            // Both pictures get the text as typed, so that the box is not rewritten
            // unless the command writes it.
            std::string typed = box->text().toStdString();
            (shown_.*tutor::controls[i].control).text = typed;
            (core_.*tutor::controls[i].control).text = std::move(typed);
        }
    }
}

void Form1::mirror(bool everything) {
    const auto before = [&](const tutor::NamedControl& c) {
        return everything ? nullptr : &(shown_.*c.control);
    };
    for (std::size_t i = 0; i < widgets_.size(); ++i)
        show_control(i, core_.*tutor::controls[i].control, before(tutor::controls[i]));
    for (std::size_t i = 0; i < widgets_.size(); ++i)
        if (!(core_.*tutor::controls[i].control).visible)
            widgets_[i]->setVisible(false);

    for (std::size_t i = 0; i < actions_.size(); ++i) {
        const tutor::MenuItem& now = core_.*tutor::menu_items[i].item;
        const tutor::MenuItem& was = shown_.*tutor::menu_items[i].item;
        if (everything || now.caption != was.caption)
            actions_[i]->setText(text_of(now.caption));
        if (everything || now.enabled != was.enabled)
            actions_[i]->setEnabled(now.enabled);
    }
    if (everything || core_.background != shown_.background) {
        QPalette palette = centralWidget()->palette();
        palette.setColor(QPalette::Window, from_bgr(core_.background));
        centralWidget()->setPalette(palette);
    }
    shown_ = core_;
    describe_controls();
}

void Form1::message(tutor::Icon icon, const std::string& title, const std::string& prompt) {
    // The box shows over everything the command has written so far.
    mirror();
    const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning,
                                       QMessageBox::Critical};
    show_message(icons[static_cast<int>(icon)], text_of(title), text_of(prompt));
    restore_focus();
}

void Form1::show_message(QMessageBox::Icon icon, const QString& title, const QString& prompt) {
    QMessageBox box(icon, title, prompt, QMessageBox::Ok, this);
    box.exec();
}

void Form1::beep() {
    QApplication::beep();
}
