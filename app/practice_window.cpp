// The practice window. White on near-black as the board, the type following the
// window's size; each step a row of boxes, the current one editable, those done read-only
// with their mark, those to come disabled. Verdicts are read out through a notification,
// as the main window's results are.
#include "practice_window.h"

#include "class_window.h"

#include "tutor/vocabulary.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>

#include <algorithm>

namespace {

using tutor::Bilingual;
using namespace tutor::practice;

// White type; the headings in the yellow of the main window's A row; a verdict and a box's
// frame green when right, amber when nearly, red when wrong; the focus in cyan.
const char* const style_sheet = R"(
QLabel { color: white; }
QLabel[tone="heading"] { color: #ffff00; }
QLabel[tone="right"] { color: #80ff80; }
QLabel[tone="nearly"] { color: #ffc800; }
QLabel[tone="wrong"] { color: #ff6e6e; }
QLineEdit { background: #2a2a2a; color: white; border: 2px solid #707070; padding: 2px; }
QLineEdit:focus { border-color: #00ffff; }
QLineEdit:disabled { background: #1c1c1c; color: #808080; border-color: #383838; }
QLineEdit[verdict="wrong"] { border-color: #ff6e6e; }
QLineEdit[verdict="nearly"] { border-color: #ffc800; }
QLineEdit[verdict="right"] { border-color: #80ff80; }
QComboBox, QSpinBox, QPushButton { background: #2a2a2a; color: white; border: 2px solid #707070;
    padding: 2px 8px; }
QPushButton:disabled { color: #808080; border-color: #383838; }
QComboBox:focus, QSpinBox:focus, QPushButton:focus, QLabel:focus { border: 2px solid #00ffff; }
QLabel#summary { padding: 8px; }
QComboBox QAbstractItemView { background: #2a2a2a; color: white;
    selection-background-color: #00ffff; selection-color: black; }
)";

constexpr Bilingual window_description{
    "Esercizi sulle equazioni di secondo grado: Invio controlla un passaggio, F1 lo mostra, "
    "F11 schermo intero",
    "Practice on second-degree equations: Return checks a step, F1 shows it, F11 full screen"};
constexpr Bilingual kind_caption{"Tipo", "Kind"};
constexpr Bilingual kind_name{"Tipo di esercizi", "Kind of exercises"};
constexpr Bilingual set_caption{"Serie", "Set"};
constexpr Bilingual set_name{"Numero della serie, da 1 a 9999: Invio la inizia",
                             "Set number, 1 to 9999: Return starts it"};
constexpr Bilingual new_set{"Nuova serie", "New set"};
constexpr Bilingual show_caption{"Mostra", "Show"};
constexpr Bilingual show_description{"F1: il passaggio svolto dalla lavagna",
                                     "F1: the step as the board works it"};
constexpr Bilingual how_to_start{
    "Scegli il tipo e premi Invio per una nuova serie di 10 esercizi, oppure scrivi il numero "
    "di una serie.",
    "Choose a kind and press Return for a new set of 10 exercises, or type a set number."};
constexpr Bilingual exercise_heading{"Esercizio %1 di 10 · serie %2", "Exercise %1 of 10 · set %2"};
constexpr Bilingual set_done{"Serie %2 finita", "Set %2 done"};
constexpr Bilingual copy_hint{"Ctrl+C copia il riepilogo.", "Ctrl+C copies the summary."};
constexpr Bilingual copied{"Riepilogo copiato", "Summary copied"};
constexpr Bilingual summary_name{"Riepilogo", "Summary"};
constexpr Bilingual equation_name{"Equazione", "Equation"};
constexpr Bilingual verdict_name{"Verifica", "Verdict"};
constexpr Bilingual worked_name{"Passaggio svolto", "Worked step"};

// What stands before each box.
const char* box_caption(const Exercise& x, Step step, int box) {
    static const char* const captions[step_count][3] = {{"A =", "B =", "C ="},
                                                        {"Δ =", "", ""},
                                                        {"n =", "", ""},
                                                        {"x₁ =", "x₂ =", ""},
                                                        {"x =", "y =", ""}};
    if (step == Step::Roots && box_count(x, step) == 1)
        return "x₁ = x₂ =";
    return captions[static_cast<int>(step)][box];
}

QString joined(const std::vector<std::string>& lines, const QString& separator) {
    QStringList out;
    for (const std::string& line : lines)
        out << QString::fromStdString(line);
    return out.join(separator);
}

// Sets a property that the style sheet draws by, and draws the widget anew.
void restyle(QWidget* widget, const char* property, const char* value) {
    if (widget->property(property).toString() == QLatin1String(value))
        return;
    widget->setProperty(property, value);
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

// The tone of a verdict: right, nearly (not simplified, approximately right) or wrong.
const char* tone_of(Verdict v) {
    switch (v) {
    case Verdict::Right:
        return "right";
    case Verdict::Approximate:
    case Verdict::NotSimplified:
        return "nearly";
    default:
        return "wrong";
    }
}

} // namespace

PracticeWindow::PracticeWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Esercizi");
    setMinimumSize(560, 420);
    resize(1000, 720);
    dress_for_class(this);
    setStyleSheet(style_sheet);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);
    kind_caption_ = new QLabel(this);
    kind_ = new QComboBox(this);
    kind_->setObjectName("kind");
    for (int k = 0; k < kind_count; ++k)
        kind_->addItem(QString());
    kind_->setCurrentIndex(static_cast<int>(Kind::Mixed));
    kind_caption_->setBuddy(kind_);
    set_caption_ = new QLabel(this);
    set_ = new QSpinBox(this);
    set_->setObjectName("set");
    set_->setRange(first_set, last_set);
    set_->setValue(1);
    set_caption_->setBuddy(set_);
    new_set_ = new QPushButton(this);
    new_set_->setObjectName("new_set");
    show_ = new QPushButton(this);
    show_->setObjectName("show");
    for (QWidget* w :
         std::initializer_list<QWidget*>{kind_caption_, kind_, set_caption_, set_, new_set_})
        top->addWidget(w);
    top->addStretch(1);
    top->addWidget(show_);
    connect(new_set_, &QPushButton::clicked, this, [this] { start(0); });
    connect(show_, &QPushButton::clicked, this, &PracticeWindow::show_worked);
    kind_->installEventFilter(this);
    // A screen reader does not say a new choice in a closed combo box by itself.
    connect(kind_, &QComboBox::currentIndexChanged, this, [this] {
        kind_->setAccessibleDescription(say(kind_name) + ": " + kind_->currentText());
        if (kind_->hasFocus())
            announce(kind_->currentText());
    });
    set_->installEventFilter(this);

    heading_ = new QLabel(this);
    heading_->setWordWrap(true);
    restyle(heading_, "tone", "heading");
    equation_ = new QLabel(this);
    equation_->setObjectName("equation");
    equation_->setWordWrap(true);
    layout->addWidget(heading_);
    layout->addWidget(equation_);

    steps_ = new QWidget(this);
    auto* grid = new QGridLayout(steps_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(8, 1); // the boxes keep their width, the marks stand beside them
    for (int s = 0; s < step_count; ++s) {
        step_captions_[s] = new QLabel(steps_);
        step_captions_[s]->setWordWrap(true);
        grid->addWidget(step_captions_[s], s, 0);
        for (int i = 0; i < 3; ++i) {
            box_captions_[s][i] = new QLabel(steps_);
            box_captions_[s][i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            auto* box = new QLineEdit(steps_);
            box->setObjectName(QString("box%1_%2").arg(s).arg(i));
            connect(box, &QLineEdit::returnPressed, this, &PracticeWindow::check_step);
            boxes_[s][i] = box;
            grid->addWidget(box_captions_[s][i], s, 1 + 2 * i);
            grid->addWidget(box, s, 2 + 2 * i);
        }
        marks_[s] = new QLabel(steps_);
        grid->addWidget(marks_[s], s, 7);
    }
    layout->addWidget(steps_);

    verdict_ = new QLabel(this);
    verdict_->setObjectName("verdict");
    verdict_->setWordWrap(true);
    worked_ = new QLabel(this);
    worked_->setObjectName("worked");
    worked_->setWordWrap(true);
    summary_ = new QLabel(this);
    summary_->setObjectName("summary");
    summary_->setWordWrap(true);
    summary_->setFocusPolicy(Qt::StrongFocus);
    for (QLabel* label : {verdict_, worked_, summary_})
        layout->addWidget(label);
    layout->addStretch(1);

    // Read out whenever it is shown (the main window installs the screen reader's view
    // of a widget so named as a notification).
    announcer_ = new QWidget(this);
    announcer_->setObjectName("announcer");
    announcer_->setGeometry(0, 0, 0, 0);
    announcer_->hide();

    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            &PracticeWindow::show_worked);
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            &PracticeWindow::copy_summary);

    set_language(0);
    kind_->setFocus();
}

QString PracticeWindow::say(const Bilingual& text) const {
    return QString::fromUtf8(text.in(language_));
}

void PracticeWindow::set_language(int language) {
    language_ = language;
    setWindowTitle(say(tutor::vocabulary::menu_practice));
    setAccessibleName(windowTitle());
    setAccessibleDescription(say(window_description));
    kind_caption_->setText(say(kind_caption));
    kind_->setAccessibleName(say(kind_name));
    kind_->setAccessibleDescription(say(kind_name) + ": " + kind_->currentText());
    for (int k = 0; k < kind_count; ++k)
        kind_->setItemText(k, say(kind_names[k]));
    set_caption_->setText(say(set_caption));
    set_->setAccessibleName(say(set_name));
    new_set_->setText(say(new_set));
    show_->setText(say(show_caption));
    show_->setAccessibleDescription(say(show_description));
    equation_->setAccessibleName(say(equation_name));
    verdict_->setAccessibleName(say(verdict_name));
    worked_->setAccessibleName(say(worked_name));
    summary_->setAccessibleName(say(summary_name));
    // What was said last is said again in the new language.
    if (last_.any)
        last_.verdict.message =
            check(session_.exercises()[last_.exercise], last_.step, last_.typed, language_).message;
    show_exercise();
}

void PracticeWindow::start(int set_number) {
    if (set_number == 0)
        set_number = static_cast<int>(QRandomGenerator::global()->bounded(first_set, last_set + 1));
    set_->setValue(set_number);
    session_.start(static_cast<Kind>(kind_->currentIndex()), set_->value());
    last_ = Judged{};
    worked_shown_ = false;
    for (auto& row : boxes_)
        for (QLineEdit* box : row)
            box->clear();
    show_exercise();
    box(session_.step(), 0)->setFocus();
    announce(say(set_caption) + " " + QString::number(session_.set_number()) + ". " +
             QString::fromStdString(session_.introduction(language_)));
}

void PracticeWindow::check_step() {
    if (!session_.started() || session_.finished())
        return;
    const int exercise = session_.index();
    const Step step = session_.step();
    std::vector<std::string> typed;
    for (int i = 0; i < box_count(session_.exercise(), step); ++i)
        typed.push_back(box(step, i)->text().toStdString());
    const StepVerdict v = session_.check(typed, language_);
    QString said = QString::fromStdString(v.message);
    if (v.verdict == Verdict::Empty) {
        box(step, v.box)->setFocus();
        announce(said);
        return;
    }
    last_ = {true, exercise, step, typed, v};
    if (v.verdict == Verdict::Right) {
        worked_shown_ = false;
        if (session_.index() != exercise) {
            for (auto& row : boxes_)
                for (QLineEdit* b : row)
                    b->clear();
            said += " " + QString::fromStdString(session_.introduction(language_));
        } else {
            said += " " + say(prompt(session_.step()));
        }
        show_exercise();
        if (session_.finished())
            summary_->setFocus();
        else
            box(session_.step(), 0)->setFocus();
        announce(said);
        return;
    }
    show_exercise();
    QLineEdit* at = box(step, v.box);
    at->setFocus();
    if (v.verdict == Verdict::Unreadable) // where reading stopped, as a character
        at->setCursorPosition(
            QString::fromUtf8(typed[v.box].substr(0, v.boxes[v.box].stopped).c_str()).size());
    else if (v.verdict != Verdict::TooLong && v.verdict != Verdict::TooLarge)
        at->selectAll(); // judged: what is typed next replaces it, an arrow key edits it
    announce(said);
}

void PracticeWindow::show_worked() {
    if (!session_.started() || session_.finished())
        return;
    const std::vector<std::string> lines = session_.show(language_);
    worked_shown_ = true;
    show_exercise();
    announce(joined(lines, ". "));
}

void PracticeWindow::copy_summary() {
    if (!session_.started())
        return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(session_.summary(language_)));
    announce(say(copied));
}

void PracticeWindow::show_exercise() {
    const bool working = session_.started() && !session_.finished();
    const QString number = QString::number(session_.set_number());
    if (!session_.started())
        heading_->setText(say(how_to_start));
    else if (!working)
        heading_->setText(say(set_done).replace("%2", number));
    else
        heading_->setText(say(exercise_heading)
                              .replace("%1", QString::number(session_.index() + 1))
                              .replace("%2", number));
    equation_->setVisible(working);
    steps_->setVisible(working);
    show_->setEnabled(working);
    summary_->setVisible(session_.finished());
    if (session_.finished())
        summary_->setText(QString::fromStdString(session_.summary(language_)) + "\n\n" +
                          say(copy_hint));
    if (working) {
        equation_->setText(QString::fromStdString(session_.exercise().equation));
        show_steps();
    }
    if (worked_shown_ && working)
        worked_->setText(
            joined(worked_lines(session_.exercise(), session_.step(), language_), "\n"));
    worked_->setVisible(worked_shown_ && working);
    show_verdict();
    scale_type();
}

void PracticeWindow::show_steps() {
    const Exercise& x = session_.exercise();
    const std::vector<Step>& steps = session_.steps();
    for (int s = 0; s < step_count; ++s) {
        const Step step = static_cast<Step>(s);
        const auto at = std::find(steps.begin(), steps.end(), step);
        const bool present = at != steps.end();
        const int order = static_cast<int>(at - steps.begin());
        const bool done = present && order < session_.step_index();
        const bool current = present && order == session_.step_index();
        step_captions_[s]->setVisible(present);
        step_captions_[s]->setText(say(step_names[s]));
        marks_[s]->setVisible(present);
        const bool missed = session_.missed(step);
        marks_[s]->setText(done ? "✓" : current && missed ? "✗" : "");
        restyle(marks_[s], "tone", !done ? "wrong" : missed ? "nearly" : "right");
        for (int i = 0; i < 3; ++i) {
            QLineEdit* b = boxes_[s][i];
            const bool shown = present && i < box_count(x, step);
            b->setVisible(shown);
            box_captions_[s][i]->setVisible(shown);
            if (!shown)
                continue;
            box_captions_[s][i]->setText(QString::fromUtf8(box_caption(x, step, i)));
            b->setAccessibleName(say(box_name(x, step, i)));
            b->setAccessibleDescription(say(prompt(step)));
            b->setEnabled(done || current);
            b->setReadOnly(done);
            restyle(b, "verdict", done ? "right" : "");
        }
    }
}

void PracticeWindow::show_verdict() {
    const bool shown = last_.any && session_.started() &&
                       (session_.finished() || last_.exercise == session_.index());
    verdict_->setVisible(shown);
    if (!shown)
        return;
    verdict_->setText(QString::fromStdString(last_.verdict.message));
    restyle(verdict_, "tone", tone_of(last_.verdict.verdict));
    // The boxes of the step judged, while it is the current one, marked as judged.
    if (session_.finished() || last_.step != session_.step())
        return;
    for (std::size_t i = 0; i < last_.verdict.boxes.size(); ++i) {
        const Verdict b = last_.verdict.boxes[i].verdict;
        restyle(box(last_.step, static_cast<int>(i)), "verdict",
                b == Verdict::Right || b == Verdict::Empty ? "" : tone_of(b));
    }
}

void PracticeWindow::announce(const QString& text) {
    announced_ = text;
    announcer_->hide();
    announcer_->setAccessibleName(text);
    announcer_->show();
}

void PracticeWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scale_type();
}

bool PracticeWindow::eventFilter(QObject* watched, QEvent* event) {
    // Return in the kind starts a new set of it, in the set number that set.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            (watched == kind_ || watched == set_)) {
            if (watched == set_)
                set_->interpretText();
            start(watched == kind_ ? 0 : set_->value());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PracticeWindow::scale_type() {
    // About 20 lines to the window's height and 42 characters to its width.
    const int pixels = std::clamp(std::min(height() / 20, width() / 42), 14, 72);
    if (pixels == type_pixels_)
        return;
    type_pixels_ = pixels;
    QFont font = this->font();
    font.setPixelSize(pixels);
    setFont(font);
    // Widgets drawn by the style sheet do not take the window's font by themselves.
    for (QWidget* child : findChildren<QWidget*>())
        child->setFont(font);
    QFont large = font;
    large.setPixelSize(pixels * 3 / 2);
    large.setBold(true);
    equation_->setFont(large);
    QFont bold = font;
    bold.setBold(true);
    heading_->setFont(bold);
    for (QLabel* caption : step_captions_)
        caption->setFont(bold);
    // Room for a root as the board writes it, and for a fraction.
    const QFontMetrics metrics(font);
    for (int s = 0; s < step_count; ++s)
        for (QLineEdit* box : boxes_[s])
            box->setMinimumWidth(metrics.horizontalAdvance(
                s == static_cast<int>(Step::Roots) ? "(−7 + 3√17)/10" : "−123/45"));
}
