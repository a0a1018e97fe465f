// The parabola of the board, painted by hand: axes, grid and ticks, the curve, the axis of
// symmetry, the directrix and the marked points with their exact texts. It takes the
// keyboard focus; the arrow keys move from point to point, and a screen reader speaks
// each as it is reached, after its tone. H plays the whole curve as sound, 1 to 5 set
// its speed. Ctrl+C copies the picture.
#pragma once

#include "sound_output.h"
#include "tutor/audio_trace.h"
#include "tutor/board.h"

#include <QWidget>

#include <optional>
#include <vector>

struct GraphLayout;

class GraphView : public QWidget {
    Q_OBJECT

  public:
    explicit GraphView(QWidget* parent = nullptr);

    // The graph the core computed; language 0 Italian, other English.
    void set_graph(const tutor::Graph& graph, int language);

    // The point the arrow keys reached, or -1 before the first arrow key.
    int current_point() const { return current_; }
    // The graph as a picture, at the widget's size and device pixel ratio.
    QImage picture() const;
    // Where the sound goes, once a sound has been played.
    SoundOutput* sound_output() const { return sound_.get(); }

    QSize sizeHint() const override { return {640, 480}; }
    QSize minimumSizeHint() const override { return {240, 180}; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // Where everything goes at the widget's size, or nothing without a graph or room.
    std::optional<GraphLayout> lay_out() const;
    void paint(QPainter& painter, bool with_focus) const;
    // Moves the keyboard to point i and has it spoken.
    void move_to(int i);
    // The name a screen reader says: the graph's, or the point's while the graph has
    // the focus and a point is reached.
    void update_name();
    // The points the arrow keys reach: one of each group drawn as one marker.
    std::vector<int> reachable_points() const;
    // What a screen reader says of point i: its name and coordinates, and those of the
    // points drawn with it.
    QString spoken(int i) const;
    // Has a screen reader say `text` through the hidden notification.
    void announce(const QString& text);
    // The keys of the sound: H, Escape while the curve plays, 1 to 5. True if it was one.
    bool sound_key(QKeyEvent* event);
    // Plays samples, the sound output loaded on the first sound; without one the
    // first trace says so, spoken and shown.
    void play(std::vector<std::int16_t> samples, bool trace);

    tutor::Graph graph_;
    bool has_graph_ = false;
    int language_ = 0;
    int current_ = -1;
    std::unique_ptr<SoundOutput> sound_;
    bool tracing_ = false; // the whole curve plays, not a point's tone
    int speed_ = tutor::audio::default_speed;
    bool told_no_sound_ = false;
};
