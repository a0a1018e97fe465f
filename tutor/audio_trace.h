// The board's graph as sound, for a student who cannot see it: the curve is played left
// to right across the view box, its height heard as pitch and its place as the stereo
// position. Everything here is a pure function of the graph, so that it can be checked
// sample by sample without a sound card; the window only plays the samples.
#pragma once

#include "tutor/board.h"

#include <cstdint>
#include <vector>

namespace tutor::audio {

// 44.1 kHz, 16-bit, stereo: the samples are interleaved left, right.
inline constexpr int sample_rate = 44100;
inline constexpr int channels = 2;

// The view box's bottom and top as pitch; heights in between on a logarithmic scale
// (three octaves), so that equal steps of y sound as equal musical steps.
inline constexpr double lowest_hz = 200;
inline constexpr double highest_hz = 1600;

// The keys 1 to 5 choose how long the whole curve takes, slow to fast.
inline constexpr double trace_seconds[] = {8, 6, 4, 3, 2};
inline constexpr int speed_count = 5;
inline constexpr int default_speed = 3; // 4 s

// The whole curve, from the view box's left edge to its right edge in `seconds`:
// - pitch follows y, from lowest_hz at the box's bottom to highest_hz at its top (held
//   there where the curve leaves the box);
// - the pan follows x: fully left at the left edge, fully right at the right edge;
// - below the x axis the tone is softer and carries static;
// - a short click where the curve crosses the x axis (each root) and a chime at the
//   vertex, unless `markers` is false.
// The tone's phase runs on through every change of pitch and it fades in and out, so
// nothing clicks but the markers' own soft clicks. The noise is the same every time.
// Empty when the box is empty or `seconds` is not positive.
std::vector<std::int16_t> render_trace(const Graph& graph, double seconds, bool markers = true);

// The short tone of one marked point: the curve's tone at the point's height and place.
std::vector<std::int16_t> render_point_tone(const Graph& graph, const MarkedPoint& point);

} // namespace tutor::audio
