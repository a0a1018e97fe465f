// How soon the graph's sound starts: from the H key on the focused graph to the first
// samples taken by the sink, to be handed to the sound server. The first H of a run also
// finds the output device and makes the sink; the later ones reuse it. The slowest
// speed (8 s) is timed, as it has the most samples to render.
//
//   scripts/null-sink.sh env QT_QPA_PLATFORM=offscreen build-bench/benchmarks/bench_trace
//
// (any sound server will do; scripts/null-sink.sh starts a private PulseAudio one.)
#include "app/graph_view.h"

#include <QtTest>

#include <algorithm>
#include <chrono>

class TraceBenchmark : public QObject {
    Q_OBJECT

  private slots:
    void key_to_first_samples() {
        using Clock = std::chrono::steady_clock;
        GraphView view;
        tutor::Graph g;
        g.a = 1, g.b = -3, g.c = 2;
        g.box = {-1, 4, -1.5, 3, 1, 0.5};
        g.points = {{tutor::PointKind::Root, 1, 0, "", "x = 1", false},
                    {tutor::PointKind::Root, 2, 0, "", "x = 2", false},
                    {tutor::PointKind::Vertex, 1.5, -0.25, "", "V", false}};
        view.set_graph(g, 1);
        view.show();
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_1); // 8 s
        std::vector<double> ms;
        for (int i = 0; i < 21; ++i) {
            const Clock::time_point pressed = Clock::now();
            QTest::keyClick(&view, Qt::Key_H);
            SoundOutput* player = view.sound_output();
            QVERIFY2(player && player->playing(), "no sound output");
            // The sink may take them within the key press already.
            QTRY_VERIFY2_WITH_TIMEOUT(player->started_at() > pressed,
                                      qPrintable(QString::number(i)), 2000);
            ms.push_back(
                std::chrono::duration<double, std::milli>(player->started_at() - pressed).count());
            QTest::keyClick(&view, Qt::Key_H); // stops it
            QVERIFY(!player->playing());
        }
        const double first = ms.front();
        ms.erase(ms.begin());
        std::sort(ms.begin(), ms.end());
        qInfo("H to first samples taken: first %.1f ms; then median %.1f ms, slowest %.1f ms "
              "(%zu presses)",
              first, ms[ms.size() / 2], ms.back(), ms.size());
    }
};

QTEST_MAIN(TraceBenchmark)
#include "bench_trace.moc"
