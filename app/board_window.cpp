// The board's window. The steps are a read-only text with a caret, so that a screen
// reader reads them line by line with the arrow keys. Their type follows the window's
// size (full screen on a 1920 × 1080 projector, 24 to 36 px, as large as lets every step
// fit); white on near-black, the headings in the yellow of the main window's A row.
#include "board_window.h"

#include "class_window.h"
#include "graph_view.h"

#include "tutor/vocabulary.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <memory>

namespace {

const QColor heading_colour(255, 255, 0);

// What a screen reader says of the board and of its steps.
constexpr tutor::Bilingual board_description{
    "L'ultima equazione risolta, passo per passo, e la sua parabola. F11: schermo intero",
    "The last equation solved, step by step, and its parabola. F11: full screen"};
constexpr tutor::Bilingual steps_name{"Passaggi", "Steps"};
constexpr tutor::Bilingual steps_description{
    "La soluzione passo per passo: le frecce la leggono riga per riga, Ctrl+C la copia",
    "The solution step by step: the arrow keys read it line by line, Ctrl+C copies it"};

QString in_language(const tutor::Bilingual& text, int language) {
    return QString::fromUtf8(text.in(language));
}

// The steps' type at a size: headings bold, a fifth larger, with room above them.
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
        spacing.setTopMargin(heading && i > 0 ? pixels * 0.8 : 0);
        spacing.setBottomMargin(pixels * 0.2);
        cursor.mergeBlockFormat(spacing);
        QTextCharFormat type;
        type.setProperty(QTextFormat::FontPixelSize, heading ? pixels * 6 / 5 : pixels);
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
    dress_for_class(this);

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

    graph_ = new GraphView(this);
    graph_->hide();

    layout_ = new QBoxLayout(QBoxLayout::LeftToRight, this);
    layout_->setContentsMargins(8, 8, 8, 8);
    layout_->setSpacing(12);
    layout_->addWidget(graph_);
    layout_->addWidget(steps_);
    steps_->setFocus();
}

void BoardWindow::show_board(const std::vector<tutor::BoardLine>& steps,
                             const std::optional<tutor::Graph>& graph, int language) {
    lines_ = steps;
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
        cursor.insertText(QString::fromStdString(lines_[i].text));
    }
    cursor.endEditBlock();
    steps_->moveCursor(QTextCursor::Start);
    type_pixels_ = 0;
    arrange();
    scale_type();
}

void BoardWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
    scale_type();
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
    layout_->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    layout_->setStretchFactor(graph_, wide ? 11 : 5);
    layout_->setStretchFactor(steps_, wide ? 9 : 4);
}

void BoardWindow::scale_type() {
    // The room the steps will have once the layout has settled.
    const QMargins margins = layout_->contentsMargins();
    const int spacing = layout_->spacing();
    const bool with_graph = !graph_->isHidden();
    const bool wide = width() > height();
    double room_width = width() - margins.left() - margins.right();
    double room_height = height() - margins.top() - margins.bottom();
    if (with_graph && wide)
        room_width = (room_width - spacing) * 9 / 20;
    else if (with_graph)
        room_height = (room_height - spacing) * 4 / 9;
    room_width -= steps_->verticalScrollBar()->sizeHint().width();

    // About 30 lines to the window's height and 20 characters to the steps' width, made
    // smaller (down to 45 lines to the height, at least 16 px) while the steps do not fit:
    // a projected board should not need scrolling.
    const int largest = std::max(16, std::min(height() / 30, static_cast<int>(room_width) / 20));
    const int smallest = std::max(16, std::min(largest, height() / 45));
    const auto fits = [&](int size) {
        std::unique_ptr<QTextDocument> trial(steps_->document()->clone());
        format_steps(trial.get(), lines_, size);
        trial->setTextWidth(room_width);
        return trial->size().height() <= room_height;
    };
    // The largest size that fits, by halving the range: each trial is a whole layout.
    int pixels = smallest;
    if (fits(largest)) {
        pixels = largest;
    } else {
        int too_large = largest;
        while (too_large - pixels > 1) {
            const int middle = (pixels + too_large) / 2;
            (fits(middle) ? pixels : too_large) = middle;
        }
    }
    if (pixels == type_pixels_)
        return;
    type_pixels_ = pixels;
    QFont font = steps_->font();
    font.setPixelSize(pixels);
    steps_->setFont(font);
    format_steps(steps_->document(), lines_, pixels);
}
