// The board's window. The steps are a read-only text with a caret, so that a screen
// reader reads them line by line with the arrow keys. Their type follows the window's
// size (full screen on a 1920 × 1080 projector, 24 to 36 px, as large as lets every step
// fit); white on near-black, the headings in the yellow of the main window's A row, and a
// line that says the last solve did not run to its end in a light red.
#include "board_window.h"

#include "graph_layout.h"
#include "graph_view.h"

#include "tutor/colours.h"

#include "tutor/vocabulary.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAccessibleWidget>
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
#include <QTextDocumentFragment>
#include <QTextEdit>

#include <algorithm>
#include <memory>

namespace {

const QColor background = board_colour(tutor::colours::board_background);
const QColor heading_colour = board_colour(tutor::colours::yellow);
const QColor notice_colour = board_colour(tutor::colours::board_notice);
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

constexpr QChar word_joiner(0x2060);

// The text as written, without what holds it together on screen.
QString as_written(QString text) {
    return text.remove(word_joiner).replace(QChar(QChar::Nbsp), ' ');
}

// What a screen reader reads of the steps. Qt's own interface of a text edit takes a line
// to be a line as laid out, so a step that wraps in the window would be read in pieces;
// here a line is a paragraph of the text, one step's line, read whole at any width (the
// text interface's own line boundaries are the line feeds of the text).
class StepsAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit StepsAccessible(QTextEdit* steps)
        : QAccessibleWidget(steps, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? all() : QAccessibleWidget::text(kind);
    }

    // Offsets count the characters of the text as written: each paragraph's end is one, a
    // line feed, and the word joiners that hold expressions together on screen are none.
    QString text(int start, int end) const override { return all().mid(start, end - start); }
    int characterCount() const override { return all().size(); }

    int cursorPosition() const override { return written(steps()->textCursor().position()); }
    void setCursorPosition(int position) override { steps()->setTextCursor(at(position)); }
    int selectionCount() const override { return steps()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override {
        const QTextCursor cursor = steps()->textCursor();
        const bool some = index == 0 && cursor.hasSelection();
        *start = some ? written(cursor.selectionStart()) : 0;
        *end = some ? written(cursor.selectionEnd()) : 0;
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { setCursorPosition(cursorPosition()); }
    void setSelection(int, int start, int end) override {
        QTextCursor cursor = at(start);
        cursor.setPosition(in_document(end), QTextCursor::KeepAnchor);
        steps()->setTextCursor(cursor);
    }

    QRect characterRect(int offset) const override {
        QTextCursor cursor = at(offset);
        QRect rect = steps()->cursorRect(cursor);
        cursor.setPosition(in_document(offset + 1));
        const QRect next = steps()->cursorRect(cursor);
        rect.setRight(next.top() == rect.top() ? next.left() : rect.left());
        return QRect(steps()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = steps()->viewport()->mapFromGlobal(point);
        return steps()->viewport()->rect().contains(local)
                   ? written(steps()->cursorForPosition(local).position())
                   : -1;
    }
    void scrollToSubstring(int start, int end) override {
        setSelection(0, start, end);
        steps()->ensureCursorVisible();
    }
    QString attributes(int, int* start, int* end) const override {
        *start = 0; // the same (none) everywhere
        *end = characterCount();
        return {};
    }

  private:
    QTextEdit* steps() const { return static_cast<QTextEdit*>(widget()); }
    QString laid_out() const { return steps()->document()->toPlainText(); }
    QString all() const { return as_written(laid_out()); }
    // A position in the document as an offset in the text as written, and back.
    int written(int position) const {
        return position - static_cast<int>(laid_out().left(position).count(word_joiner));
    }
    int in_document(int offset) const {
        const QString text = laid_out();
        int position = 0;
        for (int seen = 0; position < text.size(); ++position) {
            if (text[position] == word_joiner)
                continue;
            if (seen++ == offset)
                break;
        }
        return std::clamp(position, 0, static_cast<int>(text.size()));
    }
    QTextCursor at(int offset) const {
        QTextCursor cursor(steps()->document());
        cursor.setPosition(in_document(std::max(offset, 0)));
        return cursor;
    }
};

constexpr const char* steps_object = "Passaggi";

QAccessibleInterface* steps_interface(const QString& class_name, QObject* object) {
    if (class_name == QLatin1String("QTextEdit") &&
        object->objectName() == QLatin1String(steps_object))
        return new StepsAccessible(static_cast<QTextEdit*>(object));
    return nullptr;
}

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
    // The layout would also break after a "/", a "−" or a bracket: a word joiner between
    // every two characters that touch holds each part of an expression together.
    QString held;
    for (int i = 0; i < out.size(); ++i) {
        if (i > 0 && !out[i - 1].isSpace() && !out[i].isSpace())
            held += word_joiner;
        held += out[i];
    }
    return held;
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
        const bool notice = i < static_cast<int>(lines.size()) && lines[i].notice;
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
        type.setForeground(heading  ? QBrush(heading_colour)
                           : notice ? QBrush(notice_colour)
                                    : QBrush(Qt::white));
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

    static const bool steps_interface_installed =
        (QAccessible::installFactory(steps_interface), true);
    (void)steps_interface_installed;
    steps_ = new QTextEdit(this);
    steps_->setObjectName(steps_object);
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

QString BoardWindow::notice() const {
    return !lines_.empty() && lines_.front().notice ? QString::fromStdString(lines_.front().text)
                                                    : QString();
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
    if (watched != steps_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Down and Up go from line to line of the steps, a wrapped one taken whole (as a screen
    // reader reads it); with Shift they select.
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) &&
        (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        QTextCursor cursor = steps_->textCursor();
        cursor.movePosition(
            key->key() == Qt::Key_Down ? QTextCursor::NextBlock : QTextCursor::PreviousBlock,
            modifiers == Qt::ShiftModifier ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
        steps_->setTextCursor(cursor);
        steps_->ensureCursorVisible();
        return true;
    }
    // Ctrl+C copies the selection, or with nothing selected every step, one line each, as
    // written.
    if (key->matches(QKeySequence::Copy)) {
        QStringList text;
        for (const tutor::BoardLine& line : lines_)
            text << QString::fromStdString(line.text);
        const QTextCursor cursor = steps_->textCursor();
        QGuiApplication::clipboard()->setText(
            cursor.hasSelection() ? as_written(cursor.selection().toPlainText()) : text.join('\n'));
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
