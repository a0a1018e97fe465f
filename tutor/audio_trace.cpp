// The tone is a sine with a quiet second harmonic (brighter than a bare sine, and its
// zero crossings stay those of the fundamental). Below the x axis it is multiplied by
// (1 + depth · noise), with low-passed noise that never reaches −1/depth: a hiss riding
// on the tone, which keeps its pitch. The change to and from the static glides over a
// few milliseconds. The markers are enveloped bursts added on top: a 4 ms Hann-windowed
// tick at each root, and a decaying two-note chime (C7 and E7) at the vertex, both
// panned to their place.
#include "tutor/audio_trace.h"

#include <algorithm>
#include <cmath>

namespace tutor::audio {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double full_scale = 32767;

constexpr double tone_level = 0.4;  // above the x axis, of full scale
constexpr double below_level = 0.2; // below it
constexpr double harmonic = 0.25;   // the second harmonic's share
constexpr double noise_depth = 0.8;
constexpr double noise_smoothing = 0.3; // the noise's one-pole low-pass
constexpr double glide_seconds = 0.004; // to and from the static
constexpr double fade_seconds = 0.010;  // at the start and the end

constexpr double click_seconds = 0.004, click_hz = 3000, click_level = 0.3;
constexpr double chime_seconds = 0.18, chime_attack = 0.003, chime_decay = 0.05;
constexpr double chime_level = 0.25, chime_low_hz = 2093, chime_high_hz = 2637;

constexpr double point_tone_seconds = 0.15;

// A small generator of our own (xorshift32), so that the static is the same on every
// platform and every run: uniform in [−1, 1].
class Noise {
  public:
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 2147483647.5 - 1;
    }

  private:
    std::uint32_t state_ = 0x2545F491u;
};

// Left and right gains for x in the box: equal power, so the loudness holds as it pans.
std::pair<double, double> pan(const ViewBox& box, double x) {
    const double p = std::clamp((x - box.x_min) / (box.x_max - box.x_min), 0.0, 1.0);
    return {std::cos(p * pi / 2), std::sin(p * pi / 2)};
}

double pitch(const ViewBox& box, double y) {
    const double p = std::clamp((y - box.y_min) / (box.y_max - box.y_min), 0.0, 1.0);
    return lowest_hz * std::pow(highest_hz / lowest_hz, p);
}

// Raised-cosine fade: 0 at the ends, 1 from `fade` frames in.
double fade(int i, int frames, int fade) {
    const int from_end = std::min(i, frames - 1 - i);
    return from_end >= fade ? 1 : 0.5 - 0.5 * std::cos(pi * from_end / fade);
}

// The curve's tone over `frames` frames, the point (x, y) at frame i given by `at`. Pitch,
// pan and side of the axis are worked out every `control` frames and the gains and the
// phase step followed linearly in between: far below what the ear can tell at this rate,
// and a fifth of the work.
template <typename At> std::vector<double> tone(const ViewBox& box, int frames, At at) {
    constexpr int control = 32;
    std::vector<double> out(static_cast<std::size_t>(frames) * channels);
    Noise noise;
    const double glide = 1 - std::exp(-1 / (glide_seconds * sample_rate));
    const int fade_frames = static_cast<int>(fade_seconds * sample_rate);
    struct Control {
        double step, left, right, below;
    };
    const auto control_at = [&](int i) {
        const auto [x, y] = at(std::min(i, frames - 1));
        const auto [left, right] = pan(box, x);
        return Control{2 * pi * pitch(box, y) / sample_rate, left, right, y < 0 ? 1.0 : 0.0};
    };
    Control from = control_at(0), to = from;
    double phase = 0, smoothed_noise = 0, below = from.below; // below: into the static, 0..1
    for (int i = 0; i < frames; ++i) {
        if (i % control == 0)
            from = to, to = control_at(i + control);
        const double k = static_cast<double>(i % control) / control;
        const auto follow = [k](double a, double b) { return a + (b - a) * k; };
        below += (from.below - below) * glide;
        smoothed_noise += (noise.next() - smoothed_noise) * noise_smoothing;
        const double sine = std::sin(phase), cosine = std::cos(phase);
        const double wave = sine * (1 + 2 * harmonic * cosine); // sin + harmonic · sin 2φ
        const double level = (tone_level + (below_level - tone_level) * below) *
                             (1 + below * noise_depth * smoothed_noise) *
                             fade(i, frames, fade_frames);
        out[2 * i] = wave * level * follow(from.left, to.left);
        out[2 * i + 1] = wave * level * follow(from.right, to.right);
        phase += follow(from.step, to.step);
        if (phase > 2 * pi)
            phase -= 2 * pi;
    }
    return out;
}

// Adds `sound(t)` (t in seconds from its start, lasting `seconds`) to the mix at frame
// `start`, panned to x; it is moved whole inside the mix.
template <typename Sound>
void add(std::vector<double>& mix, const ViewBox& box, double x, int start, double seconds,
         Sound sound) {
    const int frames = static_cast<int>(mix.size() / channels);
    const int length = std::min(frames, static_cast<int>(seconds * sample_rate));
    start = std::clamp(start, 0, frames - length);
    const auto [left, right] = pan(box, x);
    for (int i = 0; i < length; ++i) {
        const double s = sound(static_cast<double>(i) / sample_rate);
        mix[2 * (start + i)] += s * left;
        mix[2 * (start + i) + 1] += s * right;
    }
}

std::vector<std::int16_t> to_samples(const std::vector<double>& mix) {
    std::vector<std::int16_t> out(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i)
        out[i] = static_cast<std::int16_t>(std::lround(std::clamp(mix[i], -1.0, 1.0) * full_scale));
    return out;
}

bool usable(const ViewBox& box) {
    return box.x_max > box.x_min && box.y_max > box.y_min;
}

} // namespace

std::vector<std::int16_t> render_trace(const Graph& graph, double seconds, bool markers) {
    const ViewBox& box = graph.box;
    if (!usable(box) || !(seconds > 0))
        return {};
    const int frames = static_cast<int>(std::lround(seconds * sample_rate));
    const double width = box.x_max - box.x_min;
    const auto x_at = [&](int i) { return box.x_min + width * (i + 0.5) / frames; };
    std::vector<double> mix = tone(box, frames, [&](int i) {
        const double x = x_at(i);
        return std::pair{x, graph.y(x)};
    });
    if (markers) {
        for (const MarkedPoint& point : graph.points) {
            if (point.x < box.x_min || point.x > box.x_max)
                continue;
            const int frame = static_cast<int>(std::lround((point.x - box.x_min) / width * frames));
            if (point.kind == PointKind::Root) {
                // Centred on the crossing.
                const int half = static_cast<int>(click_seconds * sample_rate / 2);
                add(mix, box, point.x, frame - half, click_seconds, [](double t) {
                    const double window = 0.5 - 0.5 * std::cos(2 * pi * t / click_seconds);
                    return click_level * window * std::sin(2 * pi * click_hz * t);
                });
            } else if (point.kind == PointKind::Vertex) {
                // Starting at the vertex; its tail fades to nothing.
                add(mix, box, point.x, frame, chime_seconds, [](double t) {
                    const double attack = std::min(1.0, t / chime_attack);
                    const double release =
                        std::min(1.0, (chime_seconds - t) / (chime_seconds * 0.2));
                    return chime_level * attack * release * std::exp(-t / chime_decay) *
                           (0.6 * std::sin(2 * pi * chime_low_hz * t) +
                            0.4 * std::sin(2 * pi * chime_high_hz * t));
                });
            }
        }
    }
    return to_samples(mix);
}

std::vector<std::int16_t> render_point_tone(const Graph& graph, const MarkedPoint& point) {
    if (!usable(graph.box))
        return {};
    const int frames = static_cast<int>(point_tone_seconds * sample_rate);
    return to_samples(tone(graph.box, frames, [&](int) { return std::pair{point.x, point.y}; }));
}

} // namespace tutor::audio
