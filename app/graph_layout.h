// Where everything of the board's graph goes at a size, before anything is painted: the
// plot, the grid and its tick labels, the curve as a polyline, the marked points and their
// labels placed clear of each other. The graph view paints a layout; tests read it.
#pragma once

#include "tutor/board.h"

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

// Every size of the graph as a fraction of one unit, which follows the widget's size: full
// screen on a 1920 × 1080 projector the labels are about 30 px tall, the curve 5 px wide.
namespace graph_size {
inline constexpr double tick_type = 0.9;        // tick labels
inline constexpr double label_type = 1.0;       // point labels, bold
inline constexpr double pad = 0.6;              // around the plot
inline constexpr double grid_line = 0.05;       // grid and the plot's frame
inline constexpr double axis_line = 0.09;       //
inline constexpr double symmetry_line = 0.1;    // the axis of symmetry, dotted
inline constexpr double directrix_line = 0.12;  // dashed
inline constexpr double curve_line = 0.17;      //
inline constexpr double dot = 0.32;             // a point's radius
inline constexpr double dot_edge = 0.08;        // its rim, in the background colour
inline constexpr double highlight = 1.5;        // a highlighted point's radius, times a dot's
inline constexpr double ring_gap = 0.2;         // its ring, outside the dot
inline constexpr double ring_line = 0.1;        //
inline constexpr double diamond = 3.2;          // the tested point's diamond, times a dot's
inline constexpr double diamond_line = 0.14;    //
inline constexpr double label_gap = 0.25;       // between a point and its label
inline constexpr double curve_near_point = 3;   // a label keeps off the curve near its point
inline constexpr double label_padding = 0.5;    // a label box wider than its text
inline constexpr double label_height = 1.1;     // and taller, times the line height
inline constexpr double highlight_label = 0.3;  // further for a highlighted point
inline constexpr double directrix_gap = 0.3;    // the directrix's label from the line's end
inline constexpr double directrix_rise = 0.2;   // and from the line
inline constexpr double note_inset = 0.4;       // the note of complex roots from the plot's edge
inline constexpr double note_height = 1.4;      //
inline constexpr double note_edge = 0.06;       //
inline constexpr double corner = 0.2;           // rounded corners of the note
inline constexpr double focus_frame = 0.12;     // the whole graph focused
inline constexpr double focus_ring = 1.3;       // the point reached, ringed
inline constexpr double focus_ring_line = 0.16; //
inline constexpr double reach = 1.2;            // a click this close reaches a point
} // namespace graph_size

struct GraphLayout {
    struct Text {
        QRectF box;
        QString text;
        int flags = 0; // Qt::Alignment of the text in its box
    };
    struct Label {
        QRectF box;
        QString text;
        QColor colour;
    };
    struct Point {
        QPointF at;
        double radius = 0;
        QColor colour;
        bool tested = false; // drawn as a diamond
        bool highlighted = false;
        QString label;        // its own, or that of every point drawn with it
        int merged_into = -1; // drawn as part of an earlier point, too close to it
    };

    double unit = 15;
    QRectF plot;
    tutor::ViewBox box;
    QFont tick_font, label_font;
    std::vector<QLineF> grid;
    std::vector<Text> ticks;
    std::vector<QLineF> axes;
    QLineF symmetry, directrix;
    QPolygonF curve;
    std::vector<Point> points; // as the graph lists them
    std::vector<Label> labels; // the points' labels, then the directrix's
    std::optional<Label> note; // with complex roots: the parabola misses the x axis

    // Where a point of the plane lies on the widget.
    QPointF at(double x, double y) const {
        return {plot.left() + (x - box.x_min) / (box.x_max - box.x_min) * plot.width(),
                plot.bottom() - (y - box.y_min) / (box.y_max - box.y_min) * plot.height()};
    }
};

// The unit of sizes at a widget size.
double graph_unit(const QSizeF& size);

// The layout of a graph at a widget size and device pixel ratio, its texts in the language
// given (0 Italian). Empty (no plot) where the graph or the widget leaves no room.
std::optional<GraphLayout> lay_out_graph(const tutor::Graph& graph, const QSizeF& size,
                                         double ratio, int language);

// The board's colours, as the main window's rows.
QColor board_colour(std::uint32_t bgr);
QColor point_colour(tutor::PointKind kind);
