#include "movies/MovieSound.h"

#include "media/MovieAudio.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QAudioDevice>
#include <QMediaDevices>

#include <cstring>
#include <mutex>
#include <vector>

namespace rw::qt {

namespace {

// 48 kHz stereo, or the device's own rate and channels when it refuses that.
QAudioFormat outputFormat() {
    QAudioFormat format;
    format.setSampleRate(48000);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (!device.isNull() && !device.isFormatSupported(format)) {
        const QAudioFormat preferred = device.preferredFormat();
        format.setSampleRate(preferred.sampleRate());
        format.setChannelCount(preferred.channelCount());
    }
    return format;
}

}  // namespace

// The sink pulls 16-bit samples from here; they come from the movie's sound.
class MovieSound::Source : public QIODevice {
public:
    Source(std::unique_ptr<media::MovieAudio> audio, QAudioFormat format)
        : audio_(std::move(audio)), format_(format) {}

    const QAudioFormat& format() const { return format_; }
    bool seek(std::int64_t time, std::int64_t timeScale) {
        std::lock_guard lock(mutex_);
        return audio_->seek(time, timeScale).ok();
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        std::lock_guard lock(mutex_);
        const auto frameBytes = static_cast<qint64>(sizeof(std::int16_t)) * audio_->channels();
        const auto frames = static_cast<std::size_t>(maxSize / frameBytes);
        samples_.resize(frames * static_cast<std::size_t>(audio_->channels()));
        const std::size_t got = audio_->read(samples_.data(), frames);
        const auto bytes = static_cast<qint64>(got) * frameBytes;
        std::memcpy(data, samples_.data(), static_cast<std::size_t>(bytes));
        return bytes;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::mutex mutex_;  // the sink may read on a thread of its own
    std::unique_ptr<media::MovieAudio> audio_;
    QAudioFormat format_;
    std::vector<std::int16_t> samples_;
};

MovieSound::MovieSound(QObject* parent) : QObject(parent) {}

MovieSound::~MovieSound() { stop(); }

bool MovieSound::load(const QString& path) {
    stop();
    source_.reset();
    const QAudioFormat format = outputFormat();
    auto opened = media::MovieAudio::open(path.toStdString(), format.sampleRate(), format.channelCount());
    if (!opened) return false;
    source_ = std::make_unique<Source>(std::move(opened.value), format);
    return true;
}

void MovieSound::play(std::int64_t time, std::int64_t timeScale) {
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (!source_ || device.isNull() || !source_->seek(time, timeScale)) return;
    if (!source_->isOpen()) source_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, source_->format());
    sink_->setVolume(muted_ ? 0.0 : 1.0);
    sink_->start(source_.get());
}

void MovieSound::stop() {
    if (!sink_) return;
    sink_->stop();
    sink_.reset();
}

void MovieSound::setMuted(bool muted) {
    muted_ = muted;
    if (sink_) sink_->setVolume(muted ? 0.0 : 1.0);
}

bool MovieSound::hasSound() const { return source_ != nullptr; }

}  // namespace rw::qt
