// The window: its controls built from the control tables, the menu bar from the list of
// commands, and the mirror that shows the core's picture on the widgets.
#include "form1.h"

#include "app_icon.h"
#include "board_window.h"
#include "design.h"
#include "fonts.h"

#include "tutor/exact_solution.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <limits>
#include <string>

using design::Fit;
using design::px;
using tutor::ControlId;
using tutor::Kind;

namespace {

// Name of the dynamic property that tells fit_to_caption how a label fits its caption.
constexpr const char* fit_property = "captionFit";

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

QColor from_bgr(std::uint32_t bgr) {
    const tutor::colours::Rgb c = tutor::colours::rgb(bgr);
    return QColor(c.red, c.green, c.blue);
}

Form1::Form1(QWidget* parent) : QMainWindow(parent), core_(*this) {
    setObjectName("Form1");
    setWindowTitle("B");
    setWindowIcon(design_icon());
    // A fixed border: title bar, system menu and close button, nothing to resize,
    // maximise or minimise with.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    build_controls();
    build_menu();
    build_accessibility();
    mirror(true);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    widget(tutor::textAN)->setFocus();
}

void Form1::build_controls() {
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(px(design::client_width), px(design::client_height));
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    for (const design::Place& d : design::places) {
        QWidget* widget = nullptr;
        switch (tutor::controls[d.id].kind) {
        case Kind::Numerator:
        case Kind::Denominator: {
            auto* box = new QLineEdit(client);
            box->setMaxLength(std::numeric_limits<int>::max());
            box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            box->setFont(fonts::design_font(d.family, d.points));
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
            label->setFont(fonts::design_font(d.family, d.points));
            widget = label;
            break;
        }
        }
        widget->setObjectName(QString::fromLatin1(tutor::controls[d.id].name));
        widget->setGeometry(px(d.left), px(d.top), px(d.width), std::max(1, px(d.height)));
        widgets_[d.id] = widget;
    }
    if (fonts::arial_black_stands_in()) {
        // The compose heading is widened when compose mode first shows it.
        const int stretch =
            fonts::stretch_for(widget(tutor::Label1), {{"Ax +", widget(tutor::Label4)},
                                                       {"Ax +Bx+ ", widget(tutor::Label5)}});
        for (const design::Place& d : design::places)
            if (fonts::is_arial_black(d.family) && !in_compose_heading(widgets_[d.id]))
                fonts::widen_stand_in(widgets_[d.id], stretch);
        // "a=" and "b=" must hide the row captions under them: never narrower than designed.
        for (ControlId id : {tutor::Labelalfa2, tutor::LabelBeta2})
            widget(id)->setMinimumWidth(widget(id)->width());
    }
    // Raise from the back so that the first control of the table ends up in front.
    for (auto it = widgets_.crbegin(); it != widgets_.crend(); ++it)
        (*it)->raise();

    // Tab visits the boxes row by row, numerator before denominator.
    for (std::size_t i = 1; i < tutor::boxes.size(); ++i)
        setTabOrder(widget(tutor::boxes[i - 1]), widget(tutor::boxes[i]));
}

bool Form1::in_compose_heading(const QWidget* label) const {
    return label == widget(tutor::CompLabel) || label == widget(tutor::LabelAlfa) ||
           label == widget(tutor::LabelBeta);
}

void Form1::show_control(ControlId id, const tutor::Control& now, const tutor::Control* before) {
    QWidget* widget = widgets_[id];
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
            if (in_compose_heading(label) && !compose_heading_widened_ &&
                fonts::arial_black_stands_in()) {
                const int stretch =
                    fonts::stretch_for(this->widget(tutor::CompLabel),
                                       {{"( x-", this->widget(tutor::LabelAlfa)},
                                        {"( x-a )( x-", this->widget(tutor::LabelBeta)}});
                for (ControlId heading : {tutor::CompLabel, tutor::LabelAlfa, tutor::LabelBeta})
                    fonts::widen_stand_in(this->widget(heading), stretch);
                compose_heading_widened_ = true;
            }
            fit_to_caption(label);
        }
        widget->setVisible(true);
    }
}

void Form1::build_menu() {
    for (const tutor::CommandInfo& c : tutor::commands) {
        QAction* action = menuBar()->addAction(QString());
        action->setObjectName(QString::fromLatin1(c.name));
        connect(action, &QAction::triggered, this, [this, command = c.command] { run(command); });
        actions_[static_cast<std::size_t>(c.command)] = action;
    }
}

void Form1::run(tutor::Command command) {
    take_typed_texts();
    const tutor::Screen before = core_.screen();
    core_.run(command);
    mirror();
    announce_changes(before);
    // Chosen from the menu bar with the keyboard, a command gives the focus back to the
    // box it came from once it is done. A box the command has hidden (compose mode
    // hides the C and X rows) must not get it: the next box shown takes it now.
    if (menuBar()->hasFocus() && last_box_ && last_box_->isHidden())
        restore_focus();
}

void Form1::take_typed_texts() {
    for (ControlId box : tutor::boxes) {
        // Both pictures get the text as typed, so that the box is not rewritten unless
        // the command writes it.
        std::string typed = static_cast<const QLineEdit*>(widget(box))->text().toStdString();
        shown_[box].text = typed;
        core_.type(box, std::move(typed));
    }
}

void Form1::mirror(bool everything) {
    const tutor::Screen& now = core_.screen();
    for (const tutor::ControlInfo& c : tutor::controls)
        show_control(c.id, now[c.id], everything ? nullptr : &shown_[c.id]);
    for (const tutor::ControlInfo& c : tutor::controls)
        if (!now[c.id].visible)
            widgets_[c.id]->setVisible(false);

    for (const tutor::CommandInfo& c : tutor::commands) {
        const tutor::MenuItem& item = now[c.command];
        const tutor::MenuItem& was = shown_[c.command];
        if (everything || item.caption != was.caption)
            action(c.command)->setText(text_of(item.caption));
        if (everything || item.enabled != was.enabled)
            action(c.command)->setEnabled(item.enabled);
    }
    if (everything || now.background != shown_.background) {
        QPalette palette = centralWidget()->palette();
        palette.setColor(QPalette::Window, from_bgr(now.background));
        centralWidget()->setPalette(palette);
    }
    if (now.board.requests != shown_.board.requests)
        open_board();
    else if (board_ != nullptr && board_->isVisible() &&
             (now.board.updates != shown_.board.updates || core_.language != board_language_))
        show_board(); // a closed board is brought up to date when it is opened again
    shown_ = now;
    describe_controls();
}

void Form1::open_board() {
    if (board_ == nullptr) {
        board_ = new BoardWindow(this);
        // Its first size leaves some of a small screen free.
        board_->resize(board_->size().boundedTo(screen()->availableSize() * 9 / 10));
    }
    show_board();
    board_->show();
    board_->raise();
    board_->activateWindow();
}

void Form1::show_board() {
    const tutor::Board& board = core_.screen().board;
    board_language_ = core_.language;
    std::vector<tutor::BoardLine> steps;
    std::optional<tutor::Graph> graph;
    try {
        std::optional<tutor::ExactSolution> solution;
        if (board.equation)
            solution = tutor::solve_exactly(*board.equation, board.tested);
        steps =
            tutor::board_steps(solution ? &*solution : nullptr, board_language_, board.interrupted);
        if (solution)
            graph = tutor::board_graph(*solution, board_language_);
    } catch (const std::exception& failure) {
        // Not reached by any solve (the session fuzzer works every board it solves); a
        // board that cannot be worked says why, as a failed command does.
        steps = {{false, tutor::vocabulary::failure_title_prefix.in(board_language_) +
                             std::string(failure.what())}};
        graph.reset();
    }
    // After a test of X, its step, the last, is brought into view.
    board_->show_board(steps, graph, board_language_, board.tested.has_value());
}

bool Form1::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // An update request paints and flushes a frame; once the first one is on screen the
    // icon's larger pictures are read, which would otherwise delay it.
    if (event->type() == QEvent::UpdateRequest && !icon_sizes_set_) {
        icon_sizes_set_ = true;
        QMetaObject::invokeMethod(
            this, [this] { setWindowIcon(app_icon()); }, Qt::QueuedConnection);
    }
    return handled;
}

void Form1::closeEvent(QCloseEvent* event) {
    if (board_ != nullptr)
        board_->close();
    QMainWindow::closeEvent(event);
}

void Form1::message(tutor::Icon icon, const std::string& title, const std::string& prompt) {
    // The box shows over everything the command has written so far.
    mirror();
    const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning,
                                       QMessageBox::Critical};
    show_message(icons[static_cast<int>(icon)], text_of(title), text_of(prompt));
    restore_focus();
}

void widen_for_title(QMessageBox& box) {
    // The window manager writes the title in the title bar, beside its buttons, in a bold
    // face of about the application's size: the box is made at least that wide, so that
    // the title, which names the failure, is not cut.
    QFont bold = box.font();
    bold.setBold(true);
    const int wanted = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) * 6 / 5 + 120;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid != nullptr)
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

void Form1::show_message(QMessageBox::Icon icon, const QString& title, const QString& prompt) {
    QMessageBox box(icon, title, prompt, QMessageBox::Ok, this);
    widen_for_title(box);
    box.exec();
}

void Form1::beep() {
    QApplication::beep();
}
