// The board's window. The steps are a read-only text with a caret, so that a screen
// reader reads them line by line with the arrow keys. Their type follows the window's
// size (full screen on a 1920 × 1080 projector, 24 to 36 px, as large as lets every step
// fit); white on near-black, the headings in the yellow of the main window's A row.
#include "board_window.h"

#include "graph_layout.h"
#include "graph_view.h"

#include "tutor/colours.h"

#include "tutor/vocabulary.h"

#include <QAbstractTextDocumentLayout>
#include <QBoxLayout>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <memory>

namespace {

const QColor background = board_colour(tutor::colours::board_background);
const QColor heading_colour = board_colour(tutor::colours::yellow);
const QColor selection_colour = board_colour(tutor::colours::cyan);

// How the window is shared between the graph and the steps: side by side in a wide
// window, the graph above the steps in a tall one.
struct Split {
    int graph, steps;
};
constexpr Split wide_split{2, 3}, tall_split{5, 4};
Split split_of(const QWidget* window) {
    return window->width() > window->height() ? wide_split : tall_split;
}

// What a screen reader says of the board and of its steps.
constexpr tutor::Bilingual board_description{
    "L'ultima equazione risolta, passo per passo, e la sua parabola. F11: schermo intero",
    "The last equation solved, step by step, and its parabola. F11: full screen"};
constexpr tutor::Bilingual steps_name{"Passaggi", "Steps"};
constexpr tutor::Bilingual more_below{"▼ continua sotto", "▼ more below"};
constexpr tutor::Bilingual steps_description{
    "La soluzione passo per passo: le frecce la leggono riga per riga, Ctrl+C la copia",
    "The solution step by step: the arrow keys read it line by line, Ctrl+C copies it"};

QString in_language(const tutor::Bilingual& text, int language) {
    return QString::fromUtf8(text.in(language));
}

bool is_word(const QString& token) {
    return token.size() >= 2 && std::all_of(token.begin(), token.end(),
                                            [](QChar c) { return c.isLetter() || c == '\''; });
}

// A line of the steps as it is laid out: it may wrap only between words, after a comma or
// a colon (between the terms of a list), and, outside a heading, after an "=" of a chain;
// every other blank is a non-breaking one, so that no expression is cut in two.
QString unbreakable(const QString& line, bool heading) {
    const QStringList tokens = line.split(' ');
    QString out = tokens.value(0);
    for (int i = 1; i < tokens.size(); ++i) {
        const QString& before = tokens[i - 1];
        const bool breaks = before.endsWith(',') || before.endsWith(':') ||
                            (!heading && before == "=") || (is_word(before) && is_word(tokens[i]));
        out += (breaks ? QChar(' ') : QChar(QChar::Nbsp)) + tokens[i];
    }
    // The layout would also break after a "/": a word joiner holds a fraction together.
    return out.replace('/', QString("/") + QChar(0x2060));
}

// The steps' type at a size: headings bold and yellow, with room above them; a line
// that wraps goes on indented.
void format_steps(QTextDocument* document, const std::vector<tutor::BoardLine>& lines, int pixels) {
    QFont font = document->defaultFont();
    font.setPixelSize(pixels);
    document->setDefaultFont(font);
    document->setDocumentMargin(pixels * 0.5);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    int i = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next(), ++i) {
        const bool heading = i < static_cast<int>(lines.size()) && lines[i].heading;
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        QTextBlockFormat spacing;
        spacing.setTopMargin(heading && i > 0 ? pixels * 0.4 : 0);
        spacing.setLeftMargin(pixels * 1.5);
        spacing.setTextIndent(-pixels * 1.5);
        cursor.mergeBlockFormat(spacing);
        QTextCharFormat type;
        type.setProperty(QTextFormat::FontPixelSize, pixels);
        type.setFontWeight(heading ? QFont::Bold : QFont::Normal);
        type.setForeground(heading ? QBrush(heading_colour) : QBrush(Qt::white));
        cursor.mergeCharFormat(type);
    }
    cursor.endEditBlock();
}

} // namespace

BoardWindow::BoardWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Lavagna");
    setWindowTitle("Lavagna");
    setMinimumSize(480, 360);
    resize(1000, 700);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Text, Qt::white);
    colours.setColor(QPalette::Highlight, selection_colour);
    colours.setColor(QPalette::HighlightedText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);

    steps_ = new QTextEdit(this);
    steps_->setObjectName("Passaggi");
    steps_->setReadOnly(true);
    // Read-only but with a caret: the arrow keys move it line by line, and a screen
    // reader reads the line it reaches.
    steps_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    steps_->setTabChangesFocus(true);
    steps_->setUndoRedoEnabled(false);
    steps_->setFrameShape(QFrame::NoFrame);
    steps_->installEventFilter(this);

    // Steps that do not fit scroll, and that is plain to see: a scroll bar in the board's
    // colours, and a sign over the last visible line.
    const QString bar = board_colour(tutor::colours::board_grid).name(),
                  handle = heading_colour.name(), back = background.name();
    steps_->verticalScrollBar()->setStyleSheet(
        QString(
            "QScrollBar:vertical { background: %1; width: 16px; border: 1px solid %2; }"
            "QScrollBar::handle:vertical { background: %3; min-height: 32px; }"
            "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
            "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
            .arg(back, bar, handle));
    more_below_ = new QLabel(steps_);
    more_below_->setStyleSheet(QString("QLabel { color: %1; background: %2; border: 1px solid %1; "
                                       "padding: 2px 8px; }")
                                   .arg(handle, back));
    more_below_->hide();
    QScrollBar* scroll = steps_->verticalScrollBar();
    connect(scroll, &QScrollBar::valueChanged, this, &BoardWindow::update_more_below);
    connect(scroll, &QScrollBar::rangeChanged, this, &BoardWindow::update_more_below);

    graph_ = new GraphView(this);
    graph_->hide();

    layout_ = new QBoxLayout(QBoxLayout::LeftToRight, this);
    layout_->setContentsMargins(8, 8, 8, 8);
    layout_->setSpacing(12);
    layout_->addWidget(graph_);
    layout_->addWidget(steps_);
    steps_->setFocus();

    connect(new QShortcut(QKeySequence(Qt::Key_F11), this), &QShortcut::activated, this,
            &BoardWindow::toggle_full_screen);
    leave_full_screen_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    leave_full_screen_->setEnabled(false);
    connect(leave_full_screen_, &QShortcut::activated, this, &BoardWindow::toggle_full_screen);
}

void BoardWindow::show_board(const std::vector<tutor::BoardLine>& steps,
                             const std::optional<tutor::Graph>& graph, int language,
                             bool last_step_in_view) {
    lines_ = steps;
    more_below_->setText(in_language(more_below, language));
    // The board is titled as its menu item.
    setWindowTitle(in_language(tutor::vocabulary::menu_board, language));
    setAccessibleName(windowTitle());
    setAccessibleDescription(in_language(board_description, language));
    steps_->setAccessibleName(in_language(steps_name, language));
    steps_->setAccessibleDescription(in_language(steps_description, language));

    if (graph) {
        graph_->set_graph(*graph, language);
        graph_->show();
    } else {
        graph_->hide();
    }

    // One paragraph per line; their type is set by scale_type().
    QTextDocument* document = steps_->document();
    document->clear();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(unbreakable(QString::fromStdString(lines_[i].text), lines_[i].heading));
    }
    cursor.endEditBlock();
    steps_->moveCursor(QTextCursor::Start);
    type_pixels_ = 0;
    arrange();
    scale_type();
    if (last_step_in_view) {
        int last = 0;
        for (std::size_t i = 0; i < lines_.size(); ++i)
            last = lines_[i].heading ? static_cast<int>(i) : last;
        steps_->setTextCursor(QTextCursor(document->findBlockByNumber(last)));
        steps_->verticalScrollBar()->setValue(steps_->verticalScrollBar()->maximum());
        steps_->ensureCursorVisible();
    }
    update_more_below();
}

void BoardWindow::update_more_below() {
    const QScrollBar* scroll = steps_->verticalScrollBar();
    const QRect view = steps_->viewport()->geometry();
    more_below_->setFont(steps_->font());
    more_below_->adjustSize();
    more_below_->move(view.right() - more_below_->width() - 4,
                      view.bottom() - more_below_->height() - 4);
    // Shown while the last line ends below the view (the document's margin may).
    const QTextDocument* document = steps_->document();
    const double last_line_ends =
        document->documentLayout()->blockBoundingRect(document->lastBlock()).bottom();
    more_below_->setVisible(last_line_ends - scroll->value() > view.height());
    more_below_->raise();
}

void BoardWindow::toggle_full_screen() {
    // Keeps the maximised state to come back to.
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void BoardWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
    scale_type();
    update_more_below();
}

void BoardWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange)
        leave_full_screen_->setEnabled(isFullScreen());
    QWidget::changeEvent(event);
}

bool BoardWindow::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+C with nothing selected copies every step, one line each.
    if (watched == steps_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
        !steps_->textCursor().hasSelection()) {
        QStringList text;
        for (const tutor::BoardLine& line : lines_)
            text << QString::fromStdString(line.text);
        QGuiApplication::clipboard()->setText(text.join('\n'));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void BoardWindow::arrange() {
    const bool wide = width() > height();
    const Split split = split_of(this);
    layout_->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    layout_->setStretchFactor(graph_, split.graph);
    layout_->setStretchFactor(steps_, split.steps);
}

void BoardWindow::scale_type() {
    // The room the steps will have once the layout has settled.
    const QMargins margins = layout_->contentsMargins();
    const int spacing = layout_->spacing();
    const bool with_graph = !graph_->isHidden();
    const bool wide = width() > height();
    double room_width = width() - margins.left() - margins.right();
    const Split split = split_of(this);
    if (with_graph && wide)
        room_width = (room_width - spacing) * split.steps / (split.graph + split.steps);
    room_width -= steps_->verticalScrollBar()->sizeHint().width();

    // The type follows the window's size alone, so that it stays the same from one
    // equation to the next: about 45 lines to the window's height and 34 characters to the
    // steps' width, at least 16 px; full screen on a 1920 × 1080 projector, 24 px. Steps
    // that do not fit scroll.
    const int pixels = std::max(16, std::min(height() / 45, static_cast<int>(room_width) / 34));
    if (pixels == type_pixels_)
        return;
    type_pixels_ = pixels;
    QFont font = steps_->font();
    font.setPixelSize(pixels);
    steps_->setFont(font);
    format_steps(steps_->document(), lines_, pixels);
}
