#include "trace_player.h"

#include "tutor/audio_trace.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <cstring>

// The samples of one play, read by the sink as it needs them (pull mode).
class SampleSource : public QIODevice {
  public:
    SampleSource(std::vector<std::int16_t> samples, TracePlayer* player)
        : samples_(std::move(samples)), player_(player) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return remaining() + QIODevice::bytesAvailable(); }
    bool atEnd() const override { return remaining() == 0; }

  protected:
    qint64 readData(char* data, qint64 size) override {
        const qint64 count = std::min(size, remaining());
        std::memcpy(data, reinterpret_cast<const char*>(samples_.data()) + at_, count);
        at_ += count;
        if (count > 0 && !started_) {
            started_ = true;
            emit player_->started();
        }
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    qint64 remaining() const {
        return static_cast<qint64>(samples_.size() * sizeof(std::int16_t)) - at_;
    }

    std::vector<std::int16_t> samples_;
    TracePlayer* player_;
    qint64 at_ = 0;
    bool started_ = false;
};

TracePlayer::TracePlayer(QObject* parent) : QObject(parent) {}

TracePlayer::~TracePlayer() {
    if (sink_)
        sink_->stop();
}

bool TracePlayer::make_sink() {
    if (sink_)
        return true;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(tutor::audio::sample_rate);
    format.setChannelCount(tutor::audio::channels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return false;
    sink_ = new QAudioSink(device, format, this);
    // A tenth of a second queued: short enough for the Escape key, long enough for a busy
    // machine.
    sink_->setBufferSize(tutor::audio::sample_rate / 10 * tutor::audio::channels * 2);
    connect(sink_, &QAudioSink::stateChanged, this, &TracePlayer::on_state_changed);
    return true;
}

bool TracePlayer::play(std::vector<std::int16_t> samples) {
    stop();
    if (!make_sink())
        return false;
    source_ = std::make_unique<SampleSource>(std::move(samples), this);
    playing_ = true;
    sink_->start(source_.get());
    if (sink_->error() != QAudio::NoError) {
        // The server went away since the sink was made: make it afresh next time.
        playing_ = false;
        sink_->deleteLater();
        sink_ = nullptr;
        return false;
    }
    return true;
}

void TracePlayer::stop() {
    if (!sink_ || !playing_)
        return;
    playing_ = false;
    sink_->stop();
    emit finished();
}

void TracePlayer::on_state_changed() {
    // Idle: the samples have all been played (pull mode). Stopped with an error: the
    // server has gone.
    if (!playing_)
        return;
    if (sink_->state() == QAudio::IdleState ||
        (sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError))
        stop();
}
