// Plays the graph's sounds (tutor/audio_trace.h: 44.1 kHz, 16-bit stereo) through Qt
// Multimedia's QAudioSink. Nothing of the sound system is touched before the first sound:
// the output device is looked up and the sink made then, so that start-up pays nothing.
#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

class QAudioDevice;
class QAudioSink;
class QIODevice;

class TracePlayer : public QObject {
    Q_OBJECT

  public:
    explicit TracePlayer(QObject* parent = nullptr);
    ~TracePlayer() override;

    // Plays the samples from their start, in place of what plays now. False, and nothing
    // plays, when there is no sound output (no sound server, no device).
    bool play(std::vector<std::int16_t> samples);
    void stop();
    bool playing() const { return playing_; }
    // When the first samples of the last play were written.
    std::chrono::steady_clock::time_point started_at() const { return started_at_; }

  signals:
    // The first samples of a play have been written to the sink, and so to the sound
    // server.
    void started();
    // A play ended, or was stopped.
    void finished();

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
