// Plays the graph's sounds (tutor/audio_trace.h: 44.1 kHz, 16-bit stereo) through Qt
// Multimedia's QAudioSink: the sound module's SoundOutput. The output device is looked up
// on the first sound.
#pragma once

#include "sound_output.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QAudioDevice;
class QAudioSink;
class QIODevice;

class TracePlayer : public QObject, public SoundOutput {
  public:
    TracePlayer();
    ~TracePlayer() override;

    bool play(std::vector<std::int16_t> samples) override;
    void stop() override;
    bool playing() const override { return playing_; }
    std::chrono::steady_clock::time_point started_at() const override { return started_at_; }

  private:
    bool make_sink();
    // Writes what the sink has room for.
    void feed();
    void on_state_changed();

    std::unique_ptr<QAudioDevice> device_; // found on the first sound
    QAudioSink* sink_ = nullptr;
    QIODevice* out_ = nullptr; // the sink's, while it plays
    QTimer feeder_;
    std::vector<std::int16_t> samples_;
    qint64 written_ = 0; // bytes
    bool playing_ = false;
    std::chrono::steady_clock::time_point started_at_;
};
