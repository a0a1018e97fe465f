// The graph is painted straight onto the widget at its device pixel ratio, so that it is
// sharp on a HiDPI screen and a projector alike. Everything is sized from one unit that
// follows the widget's size: full screen on a 1920 × 1080 projector the labels are about
// 30 px tall, the curve 5 px wide.
//
// Colours: the board is white and colour on near-black, as the main window is on its dark
// backgrounds, and reuses its rows' colours: the curve in the yellow of A, the directrix
// and focus in the green of B, the axis of symmetry and vertex in the cyan of C. Every
// text is drawn on the background colour, at least 10:1.
//
// A screen reader: the graph is a chart whose name is "Graph" and whose description is
// what it shows. While it has the focus, each arrow key renames it to the point reached
// (its name and exact coordinates), and a hidden notification inside it shows with that
// name: Orca 43 reads a notification out as it shows. It says nothing on a name change
// from Qt 6.4, whose AT-SPI event carries the object where Orca expects the new name.
#include "graph_view.h"

#include "graph_layout.h"

#include "tutor/colours.h"
#include "tutor/vocabulary.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr tutor::Bilingual graph_name{"Grafico", "Graph"};
// The hidden child through which the point reached is spoken.
constexpr const char* point_announcer = "Grafico: punto";

void install_chart_role() {
    static const bool installed = [] {
        QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
            if (auto* graph = qobject_cast<GraphView*>(object))
                return new QAccessibleWidget(graph, QAccessible::Chart);
            if (object->isWidgetType() && object->objectName() == QLatin1String(point_announcer) &&
                qobject_cast<GraphView*>(object->parent()))
                return new QAccessibleWidget(static_cast<QWidget*>(object),
                                             QAccessible::Notification);
            return nullptr;
        });
        return true;
    }();
    (void)installed;
}

const QColor background = board_colour(tutor::colours::board_background);

// The labels' boxes, in the background colour over the grid, the axis of symmetry and the
// directrix, so that these do not lower the texts' contrast, and under the curve and the
// axes, which stay in view.
void draw_label_boxes(QPainter& painter, const GraphLayout& g) {
    QColor shade = background;
    shade.setAlpha(230);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    for (const GraphLayout::Label& label : g.labels)
        painter.drawRoundedRect(label.box, label.box.height() * 0.15, label.box.height() * 0.15);
}

void draw_grid(QPainter& painter, const GraphLayout& g) {
    painter.setPen(QPen(board_colour(tutor::colours::board_grid),
                        std::max(1.0, g.unit * graph_size::grid_line)));
    for (const QLineF& line : g.grid)
        painter.drawLine(line);
    painter.setFont(g.tick_font);
    painter.setPen(board_colour(tutor::colours::board_tick));
    for (const GraphLayout::Text& tick : g.ticks)
        painter.drawText(tick.box, tick.flags, tick.text);
}

// The axis of symmetry (dotted) and the directrix (dashed), inside the plot: a label's box
// may cover them.
void draw_guides(QPainter& painter, const GraphLayout& g) {
    using namespace tutor::colours;
    painter.save();
    painter.setClipRect(g.plot);
    painter.setPen(QPen(board_colour(cyan), std::max(1.5, g.unit * graph_size::symmetry_line),
                        Qt::DotLine, Qt::RoundCap));
    painter.drawLine(g.symmetry);
    painter.setPen(QPen(board_colour(light_green),
                        std::max(1.5, g.unit * graph_size::directrix_line), Qt::DashLine,
                        Qt::FlatCap));
    painter.drawLine(g.directrix);
    painter.restore();
}

// The axes and the curve, inside the plot and over the labels' boxes; then the plot's frame.
void draw_axes_and_curve(QPainter& painter, const GraphLayout& g) {
    using namespace tutor::colours;
    const double unit = g.unit;
    painter.save();
    painter.setClipRect(g.plot);
    painter.setPen(QPen(board_colour(board_axis), std::max(1.5, unit * graph_size::axis_line)));
    for (const QLineF& axis : g.axes)
        painter.drawLine(axis);
    painter.setPen(QPen(board_colour(yellow), std::max(2.0, unit * graph_size::curve_line),
                        Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(g.curve);
    painter.restore();

    painter.setPen(
        QPen(board_colour(board_grid).lighter(160), std::max(1.0, unit * graph_size::grid_line)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(g.plot);
}

// A dot each, larger and ringed when highlighted; the tested point a diamond around its
// place, so that a root it falls on still shows.
void draw_points(QPainter& painter, const GraphLayout& g) {
    const double unit = g.unit;
    for (const GraphLayout::Point& point : g.points) {
        if (point.merged_into >= 0)
            continue;
        const QPointF at = point.at;
        if (point.tested) {
            const double d = unit * graph_size::dot * graph_size::diamond;
            painter.setPen(QPen(point.colour, unit * graph_size::diamond_line, Qt::SolidLine,
                                Qt::SquareCap, Qt::MiterJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolygon(QPolygonF({at + QPointF(0, -d), at + QPointF(d, 0),
                                           at + QPointF(0, d), at + QPointF(-d, 0)}));
        } else {
            painter.setPen(QPen(background, unit * graph_size::dot_edge));
            painter.setBrush(point.colour);
            painter.drawEllipse(at, point.radius, point.radius);
        }
        if (point.highlighted) {
            const double ring = point.radius + unit * graph_size::ring_gap;
            painter.setPen(QPen(Qt::white, unit * graph_size::ring_line));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, ring, ring);
        }
    }
}

void draw_labels(QPainter& painter, const GraphLayout& g) {
    painter.setFont(g.label_font);
    for (const GraphLayout::Label& label : g.labels) {
        painter.setPen(label.colour);
        painter.drawText(label.box, Qt::AlignCenter, label.text);
    }
}

void draw_note(QPainter& painter, const GraphLayout& g) {
    if (!g.note)
        return;
    painter.setPen(QPen(g.note->colour, std::max(1.0, g.unit * graph_size::note_edge)));
    painter.setBrush(background);
    painter.drawRoundedRect(g.note->box, g.unit * graph_size::corner, g.unit * graph_size::corner);
    painter.setPen(g.note->colour);
    painter.drawText(g.note->box, Qt::AlignCenter, g.note->text);
}

} // namespace

GraphView::GraphView(QWidget* parent) : QWidget(parent) {
    install_chart_role();
    setObjectName("Grafico");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    auto* announcer = new QWidget(this);
    announcer->setObjectName(point_announcer);
    announcer->setGeometry(0, 0, 0, 0);
    announcer->hide();
}

void GraphView::set_graph(const tutor::Graph& graph, int language) {
    graph_ = graph;
    has_graph_ = true;
    language_ = language;
    current_ = -1;
    if (sound_)
        sound_->stop();
    setAccessibleDescription(QString::fromStdString(graph_.description) + ". " +
                             QString::fromUtf8(tutor::vocabulary::graph_sound_hint.in(language)));
    update_name();
    update();
}

std::vector<int> GraphView::reachable_points() const {
    std::vector<int> out;
    const std::optional<GraphLayout> layout = lay_out();
    for (int i = 0; i < static_cast<int>(graph_.points.size()); ++i)
        if (!layout || layout->points[i].merged_into < 0)
            out.push_back(i);
    return out;
}

QString GraphView::spoken(int i) const {
    // A point drawn with others is spoken with them.
    QString text = QString::fromStdString(graph_.points[i].spoken);
    if (const std::optional<GraphLayout> layout = lay_out())
        for (std::size_t j = 0; j < layout->points.size(); ++j)
            if (layout->points[j].merged_into == i)
                text += ", " + QString::fromStdString(graph_.points[j].spoken);
    return text;
}

void GraphView::update_name() {
    QString name = QString::fromUtf8(graph_name.in(language_));
    if (hasFocus() && current_ >= 0 && current_ < static_cast<int>(graph_.points.size()))
        name = spoken(current_);
    // Each change is spoken while the graph has the focus: make only real ones.
    if (accessibleName() != name)
        setAccessibleName(name);
}

void GraphView::move_to(int i) {
    current_ = i;
    update_name();
    update();
    play(tutor::audio::render_point_tone(graph_, graph_.points[i]), false);
    announce(spoken(i));
}

void GraphView::announce(const QString& text) {
    // Shown again, so that the same text said twice is spoken twice.
    if (auto* announcer = findChild<QWidget*>(point_announcer, Qt::FindDirectChildrenOnly)) {
        announcer->hide();
        announcer->setAccessibleName(text);
        announcer->show();
    }
}

void GraphView::play(std::vector<std::int16_t> samples, bool trace) {
    if (!sound_) {
        sound_ = SoundOutput::load();
        if (sound_)
            sound_->on_finished = [this] { tracing_ = false; };
    }
    tracing_ = sound_ && sound_->play(std::move(samples)) && trace;
    if ((sound_ && sound_->playing()) || !trace || told_no_sound_)
        return;
    told_no_sound_ = true;
    const QString text = QString::fromUtf8(tutor::vocabulary::no_sound_output.in(language_));
    auto* notice = new QLabel(text, this);
    notice->setStyleSheet("QLabel { background: #121212; color: white; border: 2px solid white;"
                          " padding: 6px; }");
    notice->adjustSize();
    notice->move(8, 8);
    notice->show();
    QTimer::singleShot(8000, notice, &QObject::deleteLater);
    announce(text);
}

bool GraphView::sound_key(QKeyEvent* event) {
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    const int key = event->key();
    if (key == Qt::Key_H) {
        if (tracing_)
            sound_->stop();
        else
            play(tutor::audio::render_trace(graph_, tutor::audio::trace_seconds[speed_ - 1]), true);
    } else if (key == Qt::Key_Escape && tracing_) {
        sound_->stop();
    } else if (key >= Qt::Key_1 && key < Qt::Key_1 + tutor::audio::speed_count) {
        speed_ = key - Qt::Key_0;
        using namespace tutor::vocabulary;
        announce(QString::fromUtf8(sound_speed.in(language_)) + QString::number(speed_) + ": " +
                 QString::number(tutor::audio::trace_seconds[speed_ - 1]) +
                 QString::fromUtf8(sound_seconds.in(language_)));
    } else {
        return false;
    }
    return true;
}

bool GraphView::event(QEvent* event) {
    // Escape stops the curve before it leaves full screen.
    if (event->type() == QEvent::ShortcutOverride && tracing_ &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void GraphView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setImage(picture());
        return;
    }
    // The arrow keys go from marker to marker: points drawn as one are reached together.
    const std::vector<int> points = reachable_points();
    const int count = static_cast<int>(points.size());
    if (count == 0)
        return QWidget::keyPressEvent(event);
    if (sound_key(event))
        return;
    const auto at = std::find(points.begin(), points.end(), current_);
    const int here = at == points.end() ? -1 : static_cast<int>(at - points.begin());
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        move_to(points[(here + 1) % count]);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        move_to(points[here <= 0 ? count - 1 : here - 1]);
        break;
    case Qt::Key_Home:
        move_to(points.front());
        break;
    case Qt::Key_End:
        move_to(points.back());
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void GraphView::mousePressEvent(QMouseEvent* event) {
    // A click on a point reaches it as the arrow keys would.
    const std::optional<GraphLayout> layout = lay_out();
    if (layout) {
        const double reach = layout->unit * graph_size::reach;
        for (int i = 0; i < static_cast<int>(layout->points.size()); ++i) {
            const QPointF d = layout->points[i].at - event->position();
            if (layout->points[i].merged_into < 0 && std::hypot(d.x(), d.y()) <= reach) {
                setFocus(Qt::MouseFocusReason);
                move_to(i);
                return;
            }
        }
    }
    QWidget::mousePressEvent(event);
}

void GraphView::focusInEvent(QFocusEvent* event) {
    update_name();
    update();
    QWidget::focusInEvent(event);
}

void GraphView::focusOutEvent(QFocusEvent* event) {
    // Back to the graph's own name, which is what a screen reader says when it returns.
    update_name();
    update();
    QWidget::focusOutEvent(event);
}

QImage GraphView::picture() const {
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    paint(painter, false);
    return image;
}

void GraphView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, hasFocus());
}

std::optional<GraphLayout> GraphView::lay_out() const {
    if (!has_graph_)
        return std::nullopt;
    return lay_out_graph(graph_, QSizeF(size()), devicePixelRatioF(), language_);
}

void GraphView::paint(QPainter& painter, bool with_focus) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), background);
    const QColor focus = board_colour(tutor::colours::board_focus);
    if (with_focus && current_ < 0) {
        // The whole graph has the focus, no point yet.
        painter.setPen(
            QPen(focus, std::max(2.0, graph_unit(QSizeF(size())) * graph_size::focus_frame)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    }
    const std::optional<GraphLayout> layout = lay_out();
    if (!layout)
        return;
    draw_grid(painter, *layout);
    draw_guides(painter, *layout);
    draw_label_boxes(painter, *layout);
    draw_axes_and_curve(painter, *layout);
    draw_points(painter, *layout);
    draw_labels(painter, *layout);
    // The point the keyboard reached, ringed in the focus colour over everything.
    if (with_focus && current_ >= 0 && current_ < static_cast<int>(layout->points.size())) {
        const double ring = layout->unit * graph_size::focus_ring;
        painter.setPen(QPen(focus, layout->unit * graph_size::focus_ring_line));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(layout->points[current_].at, ring, ring);
    }
    draw_note(painter, *layout);
}
