#include "graph_layout.h"

#include "tutor/colours.h"
#include "tutor/vocabulary.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace {

namespace size = graph_size;

constexpr tutor::Bilingual misses_axis{"La parabola non interseca l'asse x",
                                       "The parabola does not meet the x axis"};

// A tick value with as many decimals as the step has, a true minus sign, and in Italian a
// decimal comma.
QString tick_text(double value, double step, int language) {
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
    return language == 0 ? text.replace('.', ',') : text;
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

QFont font_of(double pixels, bool bold) {
    QFont font;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

// The plot inside the widget: room on the left for the y ticks' labels, below for the x
// ticks' labels, and on the right for half of the last x tick's label, centred on the edge.
QRectF plot_of(const QSizeF& widget, const tutor::ViewBox& box, double unit,
               const QFontMetricsF& metrics, int language) {
    double label_width = 0;
    for (double y : ticks(box.y_min, box.y_max, box.y_step))
        label_width =
            std::max(label_width, metrics.horizontalAdvance(tick_text(y, box.y_step, language)));
    const double pad = unit * size::pad;
    const double right = std::max(
        pad, metrics.horizontalAdvance(tick_text(box.x_max, box.x_step, language)) / 2 + pad / 2);
    return QRectF(label_width + 2 * pad, pad, widget.width() - label_width - 2 * pad - right,
                  widget.height() - metrics.height() - 3 * pad);
}

// The grid, and the tick labels along the left and bottom edges. A label is left out where
// it would crowd its neighbour; its grid line stays.
void lay_out_grid(GraphLayout& g, int language) {
    const tutor::ViewBox& box = g.box;
    const QRectF& plot = g.plot;
    const QFontMetricsF metrics(g.tick_font);
    const auto xs = ticks(box.x_min, box.x_max, box.x_step);
    const auto ys = ticks(box.y_min, box.y_max, box.y_step);
    const auto stride = [](double room, double spacing) {
        return spacing > 0 ? std::max(1, static_cast<int>(std::ceil(room / spacing))) : 1;
    };
    double widest = 0;
    for (double x : xs)
        widest = std::max(widest, metrics.horizontalAdvance(tick_text(x, box.x_step, language)));
    const double x_spacing = plot.width() * box.x_step / (box.x_max - box.x_min);
    const double y_spacing = plot.height() * box.y_step / (box.y_max - box.y_min);
    const int x_stride = stride(widest + g.unit, x_spacing);
    const int y_stride = stride(metrics.height() * 1.3, y_spacing);
    const auto labelled = [](double value, double step, int every) {
        return static_cast<long long>(std::llround(value / step)) % every == 0;
    };

    for (double x : xs)
        g.grid.emplace_back(g.at(x, box.y_min), g.at(x, box.y_max));
    for (double y : ys)
        g.grid.emplace_back(g.at(box.x_min, y), g.at(box.x_max, y));
    const double pad = g.unit * size::pad;
    for (double x : xs) {
        if (!labelled(x, box.x_step, x_stride))
            continue;
        const QPointF p = g.at(x, box.y_min);
        g.ticks.push_back({QRectF(p.x() - x_spacing * x_stride / 2, plot.bottom() + pad * 0.5,
                                  x_spacing * x_stride, metrics.height()),
                           tick_text(x, box.x_step, language), Qt::AlignHCenter | Qt::AlignTop});
    }
    for (double y : ys) {
        if (!labelled(y, box.y_step, y_stride))
            continue;
        const QPointF p = g.at(box.x_min, y);
        g.ticks.push_back(
            {QRectF(0, p.y() - metrics.height() / 2, plot.left() - pad, metrics.height()),
             tick_text(y, box.y_step, language), Qt::AlignRight | Qt::AlignVCenter});
    }
}

// The axes where they are in view, the axis of symmetry, the directrix and the curve,
// sampled once per device pixel. Points far outside are pulled in, as the plot's clip
// hides them anyway and a huge coordinate would upset the rasterizer.
void lay_out_lines(GraphLayout& g, const tutor::Graph& graph, double ratio) {
    const tutor::ViewBox& box = g.box;
    const QRectF& plot = g.plot;
    if (box.y_min <= 0 && box.y_max >= 0)
        g.axes.emplace_back(g.at(box.x_min, 0), g.at(box.x_max, 0));
    if (box.x_min <= 0 && box.x_max >= 0)
        g.axes.emplace_back(g.at(0, box.y_min), g.at(0, box.y_max));
    g.symmetry = QLineF(g.at(graph.axis_x, box.y_min), g.at(graph.axis_x, box.y_max));
    g.directrix = QLineF(g.at(box.x_min, graph.directrix_y), g.at(box.x_max, graph.directrix_y));

    const double far = plot.height() * 4;
    for (double px = plot.left(); px <= plot.right() + 1e-9; px += 1 / ratio) {
        const double x = box.x_min + (px - plot.left()) / plot.width() * (box.x_max - box.x_min);
        const double py =
            std::clamp(g.at(x, graph.y(x)).y(), plot.top() - far, plot.bottom() + far);
        g.curve << QPointF(px, py);
    }
}

// A label's box: its text, a line for each point it names, and a margin.
QSizeF label_size(const QFontMetricsF& metrics, const QString& text, double unit) {
    const QStringList lines = text.split('\n');
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return {widest + unit * size::label_padding,
            metrics.height() * (size::label_height + lines.size() - 1)};
}

// What a place for a label costs: the labels and dots it would hide, the curve it would
// cover, the axes it would sit on, a side of the x axis other than its point's, and, a little,
// how far down the list of places it comes.
struct Placer {
    const GraphLayout& g;
    std::vector<QRectF> taken;  // dots and labels placed so far
    QRectF x_axis, y_axis;      // their lines, a few pixels thick
    QRectF symmetry, directrix; // likewise: a label may cover them, at a small cost

    double cost(const QRectF& box, double point_y, int rank) const {
        double cost = rank;
        for (const QRectF& r : taken)
            cost += r.intersects(box) ? 1e6 : 0;
        // The curve: each sample it has inside the box, with a small margin, and far more
        // where it runs close to a marked point, whose place on it must show.
        const QRectF near = box.adjusted(-2, -2, 2, 2);
        const double close = g.unit * size::curve_near_point;
        const auto near_a_point = [&](const QPointF& c) {
            return std::any_of(g.points.begin(), g.points.end(), [&](const GraphLayout::Point& p) {
                return std::hypot(c.x() - p.at.x(), c.y() - p.at.y()) < close;
            });
        };
        for (const QPointF& c : g.curve)
            if (near.contains(c))
                cost += near_a_point(c) ? 3000 : 200;
        cost += box.intersects(x_axis) ? 50 : 0;
        cost += box.intersects(symmetry) ? 20 : 0;
        cost += box.intersects(directrix) ? 20 : 0;
        cost += box.intersects(y_axis) ? 50 : 0;
        const double axis = g.at(0, 0).y();
        if ((point_y > 0 && box.bottom() > axis) || (point_y < 0 && box.top() < axis))
            cost += 5000;
        return cost;
    }

    // The cheapest of the places, kept inside the plot.
    QRectF place(const std::vector<QRectF>& places, double point_y) {
        const QRectF inside = g.plot.adjusted(2, 2, -2, -2);
        QRectF best;
        double best_cost = 0;
        for (std::size_t i = 0; i < places.size(); ++i) {
            QRectF box = places[i];
            if (box.width() > inside.width() || box.height() > inside.height())
                continue;
            box.moveLeft(std::clamp(box.left(), inside.left(), inside.right() - box.width()));
            box.moveTop(std::clamp(box.top(), inside.top(), inside.bottom() - box.height()));
            const double c = cost(box, point_y, static_cast<int>(i));
            if (best.isNull() || c < best_cost)
                best = box, best_cost = c;
        }
        if (best.isNull()) // larger than the plot: at its top left
            best = QRectF(inside.topLeft(), places.front().size());
        taken.push_back(best);
        return best;
    }
};

// Around a point, at three distances: right and left above it, below it, beside it, and
// centred above and below.
std::vector<QRectF> places_around(const QPointF& at, const QSizeF& size, double gap) {
    std::vector<QRectF> out;
    const double w = size.width(), h = size.height();
    for (double d : {gap, gap * 3, gap * 6}) {
        const QPointF corners[] = {
            {at.x() + d, at.y() - d - h},
            {at.x() - d - w, at.y() - d - h},
            {at.x() + d, at.y() + d},
            {at.x() - d - w, at.y() + d},
            {at.x() + d, at.y() - h / 2},
            {at.x() - d - w, at.y() - h / 2},
            {at.x() - w / 2, at.y() - d * 1.5 - h},
            {at.x() - w / 2, at.y() + d * 1.5},
        };
        for (const QPointF& corner : corners)
            out.emplace_back(corner, size);
    }
    return out;
}

// Points closer than a marker's size are drawn as one marker, in the vertex's colour where
// the vertex is one of them, with one label that names them all.
void merge_close_points(GraphLayout& g, const tutor::Graph& graph) {
    for (std::size_t i = 0; i < g.points.size(); ++i) {
        GraphLayout::Point& p = g.points[i];
        p.label = QString::fromStdString(graph.points[i].label);
        if (p.tested)
            continue;
        for (std::size_t j = 0; j < i; ++j) {
            GraphLayout::Point& first = g.points[j];
            const QPointF d = p.at - first.at;
            if (first.tested || first.merged_into >= 0 ||
                std::hypot(d.x(), d.y()) >= first.radius + p.radius)
                continue;
            p.merged_into = static_cast<int>(j);
            if (graph.points[i].kind == tutor::PointKind::Vertex)
                first.colour = p.colour;
            first.highlighted = first.highlighted || p.highlighted;
            first.radius = std::max(first.radius, p.radius);
            if (!p.label.isEmpty())
                first.label += (first.label.isEmpty() ? "" : "\n") + p.label;
            break;
        }
    }
}

// Each label beside its point, the directrix's on its line: inside the plot, on the side of
// the x axis its point is on, and clear of the other labels, the dots, the curve and the
// axes wherever the room allows.
void lay_out_labels(GraphLayout& g, const tutor::Graph& graph) {
    const double unit = g.unit;
    const double thin = unit * size::directrix_line;
    Placer placer{
        g,
        {},
        {},
        {},
        QRectF(g.symmetry.p1(), g.symmetry.p2()).normalized().adjusted(-thin, 0, thin, 0),
        QRectF(g.directrix.p1(), g.directrix.p2()).normalized().adjusted(0, -thin, 0, thin)};
    for (const GraphLayout::Point& p : g.points) {
        // A tested point takes the room of its diamond.
        const double r = p.tested ? unit * size::dot * size::diamond : p.radius;
        placer.taken.push_back(QRectF(p.at.x() - r, p.at.y() - r, 2 * r, 2 * r));
    }
    const double thick = std::max(1.5, unit * size::axis_line) * 2;
    for (const QLineF& axis : g.axes) {
        const QRectF line = QRectF(axis.p1(), axis.p2()).normalized();
        (axis.dy() == 0 ? placer.x_axis : placer.y_axis) =
            line.adjusted(-thick, -thick, thick, thick);
    }
    if (g.note)
        placer.taken.push_back(g.note->box);
    const QFontMetricsF metrics(g.label_font);
    for (std::size_t i = 0; i < g.points.size(); ++i) {
        const GraphLayout::Point& point = g.points[i];
        if (point.label.isEmpty() || point.merged_into >= 0)
            continue;
        const double gap = point.radius + unit * size::label_gap +
                           (point.highlighted ? unit * size::highlight_label : 0);
        const QSizeF box = label_size(metrics, point.label, unit);
        g.labels.push_back({placer.place(places_around(point.at, box, gap), graph.points[i].y),
                            point.label, point.colour});
    }

    if (!graph.directrix_label.empty()) {
        const QString text = QString::fromStdString(graph.directrix_label);
        const QSizeF box = label_size(metrics, text, unit);
        const double gap = unit * size::directrix_gap, rise = unit * size::directrix_rise;
        const QPointF right = g.directrix.p2(), left(g.plot.left(), right.y());
        std::vector<QRectF> places;
        // Along the line, above it and below it, then a line further off: at its right end,
        // its left end, and from there in quarters and eighths.
        const double from = left.x() + gap, span = right.x() - box.width() - gap - from;
        const double h = box.height();
        for (double y : {right.y() - h - rise, right.y() + rise, right.y() - 2 * h - rise,
                         right.y() + h + rise})
            for (double along : {1.0, 0.0, 0.5, 0.25, 0.75, 0.125, 0.375, 0.625, 0.875})
                places.emplace_back(QPointF(from + span * along, y), box);
        g.labels.push_back({placer.place(places, graph.directrix_y), text,
                            board_colour(tutor::colours::light_green)});
    }
}

} // namespace

QColor board_colour(std::uint32_t bgr) {
    const tutor::colours::Rgb c = tutor::colours::rgb(bgr);
    return QColor(c.red, c.green, c.blue);
}

QColor point_colour(tutor::PointKind kind) {
    using namespace tutor::colours;
    switch (kind) {
    case tutor::PointKind::Vertex:
        return board_colour(cyan);
    case tutor::PointKind::Focus:
        return board_colour(light_green);
    case tutor::PointKind::Tested:
        return board_colour(board_tested);
    case tutor::PointKind::Root:
    case tutor::PointKind::YIntercept:
        break;
    }
    return board_colour(white);
}

double graph_unit(const QSizeF& size) {
    return std::max(15.0, std::min(size.width(), size.height()) / 35.0);
}

std::optional<GraphLayout> lay_out_graph(const tutor::Graph& graph, const QSizeF& widget,
                                         double ratio, int language) {
    const tutor::ViewBox& box = graph.box;
    if (!(box.x_max > box.x_min) || !(box.y_max > box.y_min))
        return std::nullopt;
    GraphLayout g;
    g.unit = graph_unit(widget);
    g.box = box;
    g.tick_font = font_of(g.unit * size::tick_type, false);
    g.label_font = font_of(g.unit * size::label_type, true);
    g.plot = plot_of(widget, box, g.unit, QFontMetricsF(g.tick_font), language);
    if (g.plot.width() < 10 || g.plot.height() < 10)
        return std::nullopt;

    lay_out_grid(g, language);
    lay_out_lines(g, graph, ratio);
    const double radius = g.unit * size::dot;
    for (const tutor::MarkedPoint& point : graph.points)
        g.points.push_back({g.at(point.x, point.y),
                            point.highlighted ? radius * size::highlight : radius,
                            point_colour(point.kind), point.kind == tutor::PointKind::Tested,
                            point.highlighted, QString(), -1});
    merge_close_points(g, graph);

    // Complex roots: said on the graph itself, inside the parabola's cup and clear of the
    // vertex: at the top when it opens upwards, at the bottom when it opens downwards.
    if (!graph.real_roots) {
        const QString text = QString::fromUtf8(misses_axis.in(language));
        const QFontMetricsF metrics(g.label_font);
        const QSizeF size(metrics.horizontalAdvance(text) + g.unit,
                          metrics.height() * size::note_height);
        QRectF where(g.plot.center().x() - size.width() / 2,
                     g.plot.top() + g.unit * size::note_inset, size.width(), size.height());
        if (graph.a < 0)
            where.moveBottom(g.plot.bottom() - g.unit * size::note_inset);
        g.note = GraphLayout::Label{where, text, Qt::white};
    }
    lay_out_labels(g, graph);
    return g;
}
