// Where the graph's sound goes: a plain interface, whose Qt Multimedia side (TracePlayer,
// app/trace_player.*) is built as a module of its own, libquadratic-tutor-sound.so, and
// loaded on the first sound. Start-up thus loads none of the audio libraries.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class SoundOutput {
  public:
    virtual ~SoundOutput() = default;

    // Plays the samples (tutor/audio_trace.h's format) from their start, in place of what
    // plays now. False, and nothing plays, when there is no sound output (no sound
    // server, no device).
    virtual bool play(std::vector<std::int16_t> samples) = 0;
    virtual void stop() = 0;
    virtual bool playing() const = 0;
    // When the first samples of the last play were written to the sound server.
    virtual std::chrono::steady_clock::time_point started_at() const = 0;

    // Called when a play ends, or is stopped.
    std::function<void()> on_finished;

    // Loads the module (beside the program, else where it is installed, else in the build
    // tree) and makes an output; null when the module cannot be loaded.
    static std::unique_ptr<SoundOutput> load();
};

// The module's one entry point, extern "C" quadratic_tutor_sound_output.
using MakeSoundOutput = SoundOutput* (*)();
