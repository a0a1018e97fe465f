// Plays the graph's sounds (tutor/audio_trace.h: 44.1 kHz, 16-bit stereo) through Qt
// Multimedia's QAudioSink. Nothing of the sound system is touched before the first sound:
// the output device is looked up and the sink made then, so that start-up pays nothing.
#pragma once

#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

class QAudioSink;
class SampleSource;

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

  signals:
    // The sink has taken the first samples of a play, to hand them to the sound system.
    void started();
    // A play ended, or was stopped.
    void finished();

  private:
    bool make_sink();
    void on_state_changed();

    QAudioSink* sink_ = nullptr;
    std::unique_ptr<SampleSource> source_;
    bool playing_ = false;
};
