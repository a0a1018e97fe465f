// Push mode: the first tenth of a second is written to the sink as soon as it starts, so
// that it reaches the sound server within the key press; a timer tops the sink's buffer
// up from then on. (In pull mode the sink first asks for samples on its own timer, some
// tens of milliseconds later.)
#include "trace_player.h"

#include "tutor/audio_trace.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>

extern "C" Q_DECL_EXPORT SoundOutput* quadratic_tutor_sound_output() {
    return new TracePlayer;
}

TracePlayer::TracePlayer() {
    feeder_.setInterval(10);
    connect(&feeder_, &QTimer::timeout, this, &TracePlayer::feed);
}

TracePlayer::~TracePlayer() {
    if (sink_)
        sink_->stop();
}

bool TracePlayer::make_sink() {
    if (!device_) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return false;
        device_ = std::make_unique<QAudioDevice>(device);
    }
    QAudioFormat format;
    format.setSampleRate(tutor::audio::sample_rate);
    format.setChannelCount(tutor::audio::channels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device_->isFormatSupported(format))
        return false;
    // A sink of its own for each play: Qt 6.4's PulseAudio sink, stopped and started
    // again, now and then takes no more samples.
    if (sink_) {
        sink_->disconnect(this);
        sink_->deleteLater();
    }
    sink_ = new QAudioSink(*device_, format, this);
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
    out_ = sink_->start();
    if (!out_ || sink_->error() != QAudio::NoError) {
        // The server has gone since the device was found: look again next time.
        device_.reset();
        return false;
    }
    samples_ = std::move(samples);
    written_ = 0;
    playing_ = true;
    feed();
    if (written_ > 0)
        started_at_ = std::chrono::steady_clock::now();
    feeder_.start();
    return true;
}

void TracePlayer::feed() {
    if (!playing_)
        return;
    const qint64 total = static_cast<qint64>(samples_.size() * sizeof(std::int16_t));
    const qint64 room = std::min(sink_->bytesFree(), total - written_) & ~qint64{3}; // whole frames
    if (room > 0)
        written_ += std::max<qint64>(
            0, out_->write(reinterpret_cast<const char*>(samples_.data()) + written_, room));
    if (written_ >= total)
        feeder_.stop();
}

void TracePlayer::stop() {
    feeder_.stop();
    if (!sink_ || !playing_)
        return;
    playing_ = false;
    sink_->stop();
    if (on_finished)
        on_finished();
}

void TracePlayer::on_state_changed() {
    // Idle once everything written has played; stopped with an error when the server
    // has gone.
    if (!playing_)
        return;
    const bool all_written =
        written_ >= static_cast<qint64>(samples_.size() * sizeof(std::int16_t));
    if ((sink_->state() == QAudio::IdleState && all_written) ||
        (sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError))
        stop();
}
