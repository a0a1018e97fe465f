// The graph's sound through the real playback path: H on the graph plays the curve on the
// sound server, from the first samples to the end. Skipped without a sound output;
// scripts/null-sink.sh runs it on a private PulseAudio null sink and checks that its
// monitor recorded sound.
#include "app/graph_view.h"

#include <QtTest>

class TestTracePlayback : public QObject {
    Q_OBJECT
  private slots:
    void h_plays_the_curve_to_its_end() {
        GraphView view;
        tutor::Graph g;
        g.a = 1, g.b = -3, g.c = 2;
        g.box = {-1, 4, -1.5, 3, 1, 0.5};
        g.points = {{tutor::PointKind::Root, 1, 0, "", "x = 1", false},
                    {tutor::PointKind::Vertex, 1.5, -0.25, "", "V", false}};
        view.set_graph(g, 1);
        view.show();
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_5); // 2 s
        const auto pressed = std::chrono::steady_clock::now();
        QTest::keyClick(&view, Qt::Key_H);
        SoundOutput* sound = view.sound_output();
        if (!sound || !sound->playing())
            QSKIP("no sound output");
        // The first samples are written within the key press.
        QVERIFY(sound->started_at() > pressed);
        QTRY_VERIFY_WITH_TIMEOUT(!sound->playing(), 5000);
        // The whole curve played, not cut short.
        QVERIFY(std::chrono::steady_clock::now() - pressed >= std::chrono::milliseconds(1900));
    }
};

QTEST_MAIN(TestTracePlayback)
#include "test_trace_playback.moc"
