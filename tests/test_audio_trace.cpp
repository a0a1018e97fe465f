// The graph as sound, checked on the rendered samples alone: pitch, pan, static below
// the x axis, the markers' times, the length and the absence of clicks.
#include "tutor/audio_trace.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

using tutor::audio::sample_rate;
using Samples = std::vector<std::int16_t>;

namespace {

// y = a·x² + b·x + c in the given box, with its real roots and its vertex marked.
tutor::Graph parabola(double a, double b, double c, tutor::ViewBox box) {
    tutor::Graph g;
    g.a = a, g.b = b, g.c = c, g.box = box;
    const double delta = b * b - 4 * a * c;
    g.real_roots = delta >= 0;
    if (delta >= 0)
        for (double sign : delta > 0 ? std::vector{-1.0, 1.0} : std::vector{1.0})
            g.points.push_back(
                {tutor::PointKind::Root, (-b + sign * std::sqrt(delta)) / (2 * a), 0, "", ""});
    g.points.push_back({tutor::PointKind::Vertex, -b / (2 * a), g.y(-b / (2 * a)), "", ""});
    return g;
}

// What the stretch [from, to) seconds of a render sounds like.
struct Heard {
    double hz = 0;          // from the upward zero crossings, interpolated
    double right_share = 0; // of the energy
    double rms = 0;         // of both channels, of full scale
    double jitter = 0;      // mean relative change between neighbouring half-cycle peaks
};

Heard listen(const Samples& s, double from, double to) {
    const auto first = static_cast<std::size_t>(from * sample_rate),
               last = std::min(s.size() / 2, static_cast<std::size_t>(to * sample_rate));
    Heard h;
    double left = 0, right = 0, up_first = -1, up_last = 0, peak = 0, peak_sum = 0, change = 0;
    int ups = 0;
    double previous_peak = -1;
    for (std::size_t i = first; i < last; ++i) {
        const double l = s[2 * i], r = s[2 * i + 1], m = l + r;
        left += l * l, right += r * r;
        if (i == first)
            continue;
        const double before = s[2 * i - 2] + s[2 * i - 1];
        peak = std::max(peak, std::abs(m));
        if ((before < 0) != (m < 0)) { // a half cycle ends; the first is cut short
            if (previous_peak > 0)
                change += std::abs(peak - previous_peak), peak_sum += peak;
            previous_peak = previous_peak < 0 ? 0 : peak, peak = 0;
        }
        if (before < 0 && m >= 0) {
            const double t = i - 1 + before / (before - m);
            up_first = up_first < 0 ? t : up_first, up_last = t, ++ups;
        }
    }
    h.hz = ups > 1 ? (ups - 1) * sample_rate / (up_last - up_first) : 0;
    h.right_share = right / std::max(1.0, left + right);
    h.rms = std::sqrt((left + right) / std::max<std::size_t>(1, last - first)) / 32767;
    h.jitter = peak_sum > 0 ? change / peak_sum : 0;
    return h;
}

// The onsets (seconds) of the stretches where two renders differ, and how long each is.
std::vector<std::pair<double, double>> bursts(const Samples& with, const Samples& without) {
    std::vector<std::pair<double, double>> out;
    const int quiet = sample_rate / 200; // 5 ms of silence ends a burst
    int last_loud = -quiet;
    for (int i = 0; i < static_cast<int>(with.size() / 2); ++i) {
        const int d = std::max(std::abs(with[2 * i] - without[2 * i]),
                               std::abs(with[2 * i + 1] - without[2 * i + 1]));
        if (d <= 30)
            continue;
        if (i - last_loud >= quiet)
            out.push_back({double(i) / sample_rate, 0});
        out.back().second = double(i) / sample_rate - out.back().first;
        last_loud = i;
    }
    return out;
}

} // namespace

Q_DECLARE_METATYPE(tutor::Graph)

class AudioTraceTest : public QObject {
    Q_OBJECT
  private slots:
    void trace_data() {
        QTest::addColumn<tutor::Graph>("graph");
        QTest::addColumn<double>("seconds");
        using B = tutor::ViewBox;
        QTest::newRow("opens up") << parabola(1, -3, 2, B{-1, 4, -1, 6}) << 4.0;
        QTest::newRow("opens down, slow") << parabola(-1, 0, 4, B{-3, 3, -6, 5}) << 8.0;
        QTest::newRow("flat, fast") << parabola(0.05, 0, -1, B{-8, 8, -2, 3}) << 2.0;
        QTest::newRow("steep") << parabola(20, 0, -5, B{-1, 1, -6, 16}) << 3.0;
        QTest::newRow("no real roots, above") << parabola(1, 0, 1, B{-2, 2, -1, 5}) << 4.0;
        QTest::newRow("no real roots, below") << parabola(-1, 0, -1, B{-2, 2, -5, 1}) << 6.0;
        QTest::newRow("roots at the edges") << parabola(1, 0, -4, B{-2, 2, -5, 1}) << 6.0;
        QTest::newRow("double root") << parabola(1, -2, 1, B{-1, 3, -1, 4}) << 4.0;
        QTest::newRow("out of the box at the ends") << parabola(1, 0, -1, B{-3, 3, -2, 4}) << 4.0;
    }

    void trace() {
        QFETCH(tutor::Graph, graph);
        QFETCH(double, seconds);
        const Samples plain = tutor::audio::render_trace(graph, seconds, false);
        const Samples full = tutor::audio::render_trace(graph, seconds);
        QCOMPARE(full.size(), 2 * static_cast<std::size_t>(std::lround(seconds * sample_rate)));

        // Nothing jumps: not at the ends (silence beyond them), not at a change of pitch
        // or of timbre, not at a marker.
        for (int ch = 0; ch < 2; ++ch)
            for (std::size_t i = ch; i < full.size() + 2; i += 2) {
                const int before = i >= 2 ? full[i - 2] : 0, now = i < full.size() ? full[i] : 0;
                QVERIFY2(std::abs(now - before) < 32767 / 4, qPrintable(QString::number(i / 2)));
            }

        // Stretches of 40 ms away from the fades: pitch, pan and static against the curve.
        const tutor::ViewBox& box = graph.box;
        const auto x_at = [&](double t) {
            return box.x_min + (box.x_max - box.x_min) * t / seconds;
        };
        const auto height = [&](double t) {
            return std::clamp(graph.y(x_at(t)), box.y_min, box.y_max);
        };
        const double step = 0.04;
        Heard previous;
        double previous_y = 0, loudest_below = 0, softest_above = 1;
        for (double t = 0.02; t + step <= seconds - 0.02; t += step) {
            const Heard h = listen(plain, t, t + step);
            const double y = height(t + step / 2);
            QVERIFY2(h.hz > 190 && h.hz < 1650, qPrintable(QString::number(h.hz)));
            if (t > 0.02) {
                const double rise = (y - previous_y) / (box.y_max - box.y_min);
                if (std::abs(rise) > 0.01)
                    QVERIFY2((h.hz > previous.hz) == (rise > 0),
                             qPrintable(QString("%1 s: %2 Hz after %3 Hz, y %4 after %5")
                                            .arg(t)
                                            .arg(h.hz)
                                            .arg(previous.hz)
                                            .arg(y)
                                            .arg(previous_y)));
                QVERIFY(h.right_share >= previous.right_share - 0.01);
            }
            // Clearly on one side of the axis over the whole stretch and 20 ms around it.
            double low = 1e300, high = -1e300;
            for (double u = t - 0.02; u <= t + step + 0.02; u += 0.001)
                low = std::min(low, graph.y(x_at(u))), high = std::max(high, graph.y(x_at(u)));
            if (high < 0) {
                QVERIFY2(h.jitter > 0.06, qPrintable(QString("%1 s: %2").arg(t).arg(h.jitter)));
                loudest_below = std::max(loudest_below, h.rms);
            } else if (low > 0) {
                QVERIFY2(h.jitter < 0.04, qPrintable(QString("%1 s: %2").arg(t).arg(h.jitter)));
                softest_above = std::min(softest_above, h.rms);
            }
            previous = h, previous_y = y;
        }
        QVERIFY(loudest_below < 0.7 * softest_above);
        QVERIFY(listen(plain, 0.02, 0.06).right_share < 0.05);
        QVERIFY(listen(plain, seconds - 0.06, seconds - 0.02).right_share > 0.95);

        // A click at each root and a longer chime at the vertex, each within 10 ms of
        // where the curve passes it; one burst where they fall together.
        std::vector<std::pair<double, bool>> expected; // time, a chime among them
        for (const tutor::MarkedPoint& p : graph.points)
            expected.push_back({(p.x - box.x_min) / (box.x_max - box.x_min) * seconds,
                                p.kind == tutor::PointKind::Vertex});
        std::sort(expected.begin(), expected.end());
        for (std::size_t i = 1; i < expected.size(); ++i)
            if (expected[i].first - expected[i - 1].first < 0.01) {
                expected[i - 1].second = expected[i - 1].second || expected[i].second;
                expected.erase(expected.begin() + i--);
            }
        const auto heard = bursts(full, plain);
        QCOMPARE(heard.size(), expected.size());
        for (std::size_t i = 0; i < heard.size(); ++i) {
            QVERIFY2(
                std::abs(heard[i].first - expected[i].first) <= 0.01,
                qPrintable(QString("%1 s, not %2 s").arg(heard[i].first).arg(expected[i].first)));
            QVERIFY(expected[i].second ? heard[i].second > 0.1 : heard[i].second < 0.01);
        }
    }
};

QTEST_APPLESS_MAIN(AudioTraceTest)
#include "test_audio_trace.moc"
