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

const QColor background(18, 18, 18);
const QColor grid_colour(58, 58, 58);
const QColor axis_colour(235, 235, 235);
const QColor tick_colour(225, 225, 225);
const QColor curve_colour(255, 255, 0);       // the A row
const QColor directrix_colour(128, 255, 128); // the B row
const QColor symmetry_colour(0, 255, 255);    // the C row
const QColor tested_colour(255, 170, 60);
const QColor focus_colour(255, 110, 255);

QColor point_colour(tutor::PointKind kind) {
    switch (kind) {
    case tutor::PointKind::Root:
        return Qt::white;
    case tutor::PointKind::Vertex:
        return symmetry_colour;
    case tutor::PointKind::Focus:
        return directrix_colour;
    case tutor::PointKind::YIntercept:
        return Qt::white;
    case tutor::PointKind::Tested:
        return tested_colour;
    }
    return Qt::white;
}

constexpr tutor::Bilingual graph_name{"Grafico", "Graph"};
constexpr tutor::Bilingual misses_axis{"La parabola non interseca l'asse x",
                                       "The parabola does not meet the x axis"};

// A tick value with as many decimals as the step has, and a true minus sign.
QString tick_text(double value, double step) {
    int decimals = 0;
    while (decimals < 6) {
        const double scaled = step * std::pow(10.0, decimals);
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * scaled)
            break;
        ++decimals;
    }
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith('-')) {
        const bool zero = text.mid(1).toDouble() == 0;
        text = zero ? text.mid(1) : QChar(0x2212) + text.mid(1);
    }
    return text;
}

// The ticks k·step inside [low, high], at most a few hundred of them.
std::vector<double> ticks(double low, double high, double step) {
    std::vector<double> out;
    if (!(step > 0) || !(high > low) || (high - low) / step > 400)
        return out;
    for (double k = std::ceil(low / step - 1e-9); k * step <= high + step * 1e-9; ++k)
        out.push_back(k * step);
    return out;
}

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

// Where the plane lies on the widget.
struct Frame {
    QRectF plot;
    tutor::ViewBox box;
    QPointF at(double x, double y) const {
        return {plot.left() + (x - box.x_min) / (box.x_max - box.x_min) * plot.width(),
                plot.bottom() - (y - box.y_min) / (box.y_max - box.y_min) * plot.height()};
    }
};

// The graph's unit of size: fonts, line widths and dots follow it.
double unit_of(const QSize& size) {
    return std::max(15.0, std::min(size.width(), size.height()) / 35.0);
}

QFont font_of(double pixels, bool bold) {
    QFont font;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

Frame frame_of(const QSize& size, const tutor::ViewBox& box) {
    const double unit = unit_of(size);
    const QFontMetricsF metrics(font_of(unit * 0.9, false));
    double label_width = 0;
    for (double y : ticks(box.y_min, box.y_max, box.y_step))
        label_width = std::max(label_width, metrics.horizontalAdvance(tick_text(y, box.y_step)));
    const double pad = unit * 0.6;
    // The last x tick's label is centred on the plot's right edge: room for its half.
    const double right =
        std::max(pad, metrics.horizontalAdvance(tick_text(box.x_max, box.x_step)) / 2 + pad / 2);
    const QRectF plot(label_width + 2 * pad, pad, size.width() - label_width - 2 * pad - right,
                      size.height() - metrics.height() - 3 * pad);
    return {plot, box};
}

// A label in a box of the background colour, so that the grid and the curve behind it
// do not lower its contrast.
void draw_label(QPainter& painter, const QRectF& rect, const QString& text, const QColor& colour) {
    QColor shade = background;
    shade.setAlpha(230);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawRoundedRect(rect, rect.height() * 0.15, rect.height() * 0.15);
    painter.setPen(colour);
    painter.drawText(rect, Qt::AlignCenter, text);
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

void GraphView::update_name() {
    QString name = QString::fromUtf8(graph_name.in(language_));
    if (hasFocus() && current_ >= 0 && current_ < static_cast<int>(graph_.points.size()))
        name = QString::fromStdString(graph_.points[current_].spoken);
    // Each change is spoken while the graph has the focus: make only real ones.
    if (accessibleName() != name)
        setAccessibleName(name);
}

void GraphView::move_to(int i) {
    current_ = i;
    update_name();
    update();
    play(tutor::audio::render_point_tone(graph_, graph_.points[i]), false);
    announce(QString::fromStdString(graph_.points[i].spoken));
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
    const int count = static_cast<int>(graph_.points.size());
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setImage(picture());
        return;
    }
    if (count == 0)
        return QWidget::keyPressEvent(event);
    if (sound_key(event))
        return;
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        move_to(current_ < 0 ? 0 : (current_ + 1) % count);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        move_to(current_ <= 0 ? count - 1 : current_ - 1);
        break;
    case Qt::Key_Home:
        move_to(0);
        break;
    case Qt::Key_End:
        move_to(count - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void GraphView::mousePressEvent(QMouseEvent* event) {
    // A click on a point reaches it as the arrow keys would.
    if (has_graph_) {
        const Frame frame = frame_of(size(), graph_.box);
        const double reach = unit_of(size()) * 1.2;
        for (int i = 0; i < static_cast<int>(graph_.points.size()); ++i) {
            const QPointF d = frame.at(graph_.points[i].x, graph_.points[i].y) - event->position();
            if (std::hypot(d.x(), d.y()) <= reach) {
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

void GraphView::paint(QPainter& painter, bool with_focus) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), background);
    if (with_focus && current_ < 0) {
        // The whole graph has the focus, no point yet.
        painter.setPen(QPen(focus_colour, std::max(2.0, unit_of(size()) * 0.12)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    }
    const tutor::ViewBox& box = graph_.box;
    if (!has_graph_ || !(box.x_max > box.x_min) || !(box.y_max > box.y_min))
        return;

    const double unit = unit_of(size());
    const Frame frame = frame_of(size(), box);
    const QRectF& plot = frame.plot;
    if (plot.width() < 10 || plot.height() < 10)
        return;
    const QFont tick_font = font_of(unit * 0.9, false);
    const QFont label_font = font_of(unit, true);
    const QFontMetricsF tick_metrics(tick_font);

    // The grid, and the tick labels along the left and bottom edges. A label is left out
    // where it would crowd its neighbour; its grid line stays.
    const auto xs = ticks(box.x_min, box.x_max, box.x_step);
    const auto ys = ticks(box.y_min, box.y_max, box.y_step);
    const auto stride = [](double room, double spacing) {
        return spacing > 0 ? std::max(1, static_cast<int>(std::ceil(room / spacing))) : 1;
    };
    double widest = 0;
    for (double x : xs)
        widest = std::max(widest, tick_metrics.horizontalAdvance(tick_text(x, box.x_step)));
    const double x_spacing = plot.width() * box.x_step / (box.x_max - box.x_min);
    const double y_spacing = plot.height() * box.y_step / (box.y_max - box.y_min);
    const int x_stride = stride(widest + unit, x_spacing);
    const int y_stride = stride(tick_metrics.height() * 1.3, y_spacing);
    const auto labelled = [](double value, double step, int every) {
        return static_cast<long long>(std::llround(value / step)) % every == 0;
    };

    painter.setPen(QPen(grid_colour, std::max(1.0, unit * 0.05)));
    for (double x : xs)
        painter.drawLine(frame.at(x, box.y_min), frame.at(x, box.y_max));
    for (double y : ys)
        painter.drawLine(frame.at(box.x_min, y), frame.at(box.x_max, y));
    painter.setFont(tick_font);
    painter.setPen(tick_colour);
    const double pad = unit * 0.6;
    for (double x : xs) {
        if (!labelled(x, box.x_step, x_stride))
            continue;
        const QPointF p = frame.at(x, box.y_min);
        painter.drawText(QRectF(p.x() - x_spacing * x_stride / 2, plot.bottom() + pad * 0.5,
                                x_spacing * x_stride, tick_metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, tick_text(x, box.x_step));
    }
    for (double y : ys) {
        if (!labelled(y, box.y_step, y_stride))
            continue;
        const QPointF p = frame.at(box.x_min, y);
        painter.drawText(
            QRectF(0, p.y() - tick_metrics.height() / 2, plot.left() - pad, tick_metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, tick_text(y, box.y_step));
    }

    painter.save();
    painter.setClipRect(plot);
    // The axes, where they are in view.
    painter.setPen(QPen(axis_colour, std::max(1.5, unit * 0.09)));
    if (box.y_min <= 0 && box.y_max >= 0)
        painter.drawLine(frame.at(box.x_min, 0), frame.at(box.x_max, 0));
    if (box.x_min <= 0 && box.x_max >= 0)
        painter.drawLine(frame.at(0, box.y_min), frame.at(0, box.y_max));

    // The axis of symmetry, dotted, through the vertex.
    const double axis_x = -graph_.b / (2 * graph_.a);
    QPen dotted(symmetry_colour, std::max(1.5, unit * 0.1), Qt::DotLine, Qt::RoundCap);
    painter.setPen(dotted);
    painter.drawLine(frame.at(axis_x, box.y_min), frame.at(axis_x, box.y_max));

    // The directrix, dashed.
    QPen dashed(directrix_colour, std::max(1.5, unit * 0.12), Qt::DashLine, Qt::FlatCap);
    painter.setPen(dashed);
    const QPointF directrix_right = frame.at(box.x_max, graph_.directrix_y);
    painter.drawLine(frame.at(box.x_min, graph_.directrix_y), directrix_right);

    // The curve, sampled once per device pixel. Points far outside are pulled in, as
    // the clip hides them anyway and a huge coordinate would upset the rasterizer.
    const double ratio = devicePixelRatioF();
    const double far = plot.height() * 4;
    QPolygonF curve;
    for (double px = plot.left(); px <= plot.right() + 1e-9; px += 1 / ratio) {
        const double x = box.x_min + (px - plot.left()) / plot.width() * (box.x_max - box.x_min);
        const double y = (graph_.a * x + graph_.b) * x + graph_.c;
        const double py = std::clamp(frame.at(x, y).y(), plot.top() - far, plot.bottom() + far);
        curve << QPointF(px, py);
    }
    painter.setPen(
        QPen(curve_colour, std::max(2.0, unit * 0.17), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(curve);
    painter.restore();

    // The plot's frame.
    painter.setPen(QPen(grid_colour.lighter(160), std::max(1.0, unit * 0.05)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    // The points: a dot each, larger and ringed when highlighted.
    const double radius = unit * 0.32;
    std::vector<QRectF> taken;
    for (std::size_t i = 0; i < graph_.points.size(); ++i) {
        const tutor::MarkedPoint& point = graph_.points[i];
        const QPointF at = frame.at(point.x, point.y);
        const QColor colour = point_colour(point.kind);
        const double r = point.highlighted ? radius * 1.5 : radius;
        if (point.kind == tutor::PointKind::Tested) {
            // A diamond around the place, so that a root it falls on still shows.
            const double d = radius * 3.2;
            painter.setPen(QPen(colour, unit * 0.14, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolygon(QPolygonF({at + QPointF(0, -d), at + QPointF(d, 0),
                                           at + QPointF(0, d), at + QPointF(-d, 0)}));
        } else {
            painter.setPen(QPen(background, unit * 0.08));
            painter.setBrush(colour);
            painter.drawEllipse(at, r, r);
        }
        if (point.highlighted) {
            painter.setPen(QPen(Qt::white, unit * 0.1));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, r + unit * 0.2, r + unit * 0.2);
        }
        taken.push_back(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
    }

    // Labels beside their points: the first of eight places around each point that
    // stays on the widget and clear of the labels and dots placed before it.
    painter.setFont(label_font);
    const QFontMetricsF label_metrics(label_font);
    const QRectF inside = QRectF(rect()).adjusted(2, 2, -2, -2);
    const auto place = [&](const QPointF& at, const QString& text, double gap) {
        const QSizeF size(label_metrics.horizontalAdvance(text) + unit * 0.5,
                          label_metrics.height() * 1.1);
        const double w = size.width(), h = size.height();
        const QPointF corners[] = {
            {at.x() + gap, at.y() - gap - h},
            {at.x() - gap - w, at.y() - gap - h},
            {at.x() + gap, at.y() + gap},
            {at.x() - gap - w, at.y() + gap},
            {at.x() + gap, at.y() - h / 2},
            {at.x() - gap - w, at.y() - h / 2},
            {at.x() - w / 2, at.y() - gap * 1.5 - h},
            {at.x() - w / 2, at.y() + gap * 1.5},
        };
        QRectF best;
        for (const QPointF& corner : corners) {
            const QRectF candidate(corner, size);
            if (!inside.contains(candidate))
                continue;
            if (best.isNull())
                best = candidate;
            if (std::none_of(taken.begin(), taken.end(),
                             [&](const QRectF& r) { return r.intersects(candidate); })) {
                best = candidate;
                break;
            }
        }
        if (best.isNull()) // larger than the room: keep it on the widget as best it can
            best = QRectF(std::clamp(corners[0].x(), inside.left(), inside.right() - w),
                          std::clamp(corners[0].y(), inside.top(), inside.bottom() - h), w, h);
        taken.push_back(best);
        return best;
    };
    for (const tutor::MarkedPoint& point : graph_.points) {
        const QString text = QString::fromStdString(point.label);
        if (text.isEmpty())
            continue;
        const double r = point.highlighted ? radius * 1.5 + unit * 0.3 : radius;
        const QRectF where = place(frame.at(point.x, point.y), text, r + unit * 0.25);
        draw_label(painter, where, text, point_colour(point.kind));
    }

    // The directrix's label at its right end, above the line or below it near the top.
    if (!graph_.directrix_label.empty()) {
        const QString text = QString::fromStdString(graph_.directrix_label);
        const QSizeF size(label_metrics.horizontalAdvance(text) + unit * 0.5,
                          label_metrics.height() * 1.1);
        QRectF where(directrix_right.x() - size.width() - unit * 0.3,
                     directrix_right.y() - size.height() - unit * 0.2, size.width(), size.height());
        if (where.top() < plot.top())
            where.moveTop(directrix_right.y() + unit * 0.2);
        const bool clear = std::none_of(taken.begin(), taken.end(),
                                        [&](const QRectF& r) { return r.intersects(where); });
        if (!clear) // move it to the left end of the line
            where.moveLeft(plot.left() + unit * 0.3);
        draw_label(painter, where, text, directrix_colour);
    }

    // The point the keyboard reached, ringed in the focus colour over everything.
    if (with_focus && current_ >= 0 && current_ < static_cast<int>(graph_.points.size())) {
        const tutor::MarkedPoint& point = graph_.points[current_];
        painter.setPen(QPen(focus_colour, unit * 0.16));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(frame.at(point.x, point.y), unit * 1.3, unit * 1.3);
    }

    // Complex roots: say so on the graph itself.
    if (!graph_.real_roots) {
        const QString text = QString::fromUtf8(misses_axis.in(language_));
        const QSizeF size(label_metrics.horizontalAdvance(text) + unit,
                          label_metrics.height() * 1.4);
        QRectF where(plot.center().x() - size.width() / 2, plot.top() + unit * 0.4, size.width(),
                     size.height());
        // Inside the parabola's cup, clear of the vertex: at the top when it opens
        // upwards, at the bottom when it opens downwards.
        if (graph_.a < 0)
            where.moveBottom(plot.bottom() - unit * 0.4);
        painter.setPen(QPen(Qt::white, std::max(1.0, unit * 0.06)));
        painter.setBrush(background);
        painter.drawRoundedRect(where, unit * 0.2, unit * 0.2);
        painter.setPen(Qt::white);
        painter.drawText(where, Qt::AlignCenter, text);
    }
}
