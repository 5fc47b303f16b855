#include "core/BeepSound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>

namespace rw::qt {

namespace {

// A 0.12 s tone at 880 Hz with short fades, 16-bit mono.
QByteArray tone(int sampleRate) {
    const int count = sampleRate * 12 / 100, fade = sampleRate / 200;
    QByteArray pcm(count * static_cast<int>(sizeof(std::int16_t)), Qt::Uninitialized);
    auto* out = reinterpret_cast<std::int16_t*>(pcm.data());
    for (int i = 0; i < count; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(count - i) / fade});
        const double s = std::sin(2.0 * std::numbers::pi * 880.0 * i / sampleRate);
        out[i] = static_cast<std::int16_t>(s * envelope * 0.3 * 32767);
    }
    return pcm;
}

class BeepSound : public QObject {
public:
    explicit BeepSound(QObject* parent) : QObject(parent) {}

    void play() {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return;
        QAudioFormat format;
        format.setSampleRate(48000);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format)) format.setSampleRate(device.preferredFormat().sampleRate());
        if (!device.isFormatSupported(format)) return;
        sink_.reset();  // a beep still sounding gives way
        buffer_ = std::make_unique<QBuffer>();
        buffer_->setData(tone(format.sampleRate()));
        buffer_->open(QIODevice::ReadOnly);
        sink_ = std::make_unique<QAudioSink>(device, format);
        sink_->start(buffer_.get());
    }

private:
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QAudioSink> sink_;  // after buffer_: stops before its data goes
};

}  // namespace

void playBeepSound() {
#if !defined(Q_OS_MACOS) && !defined(Q_OS_WIN)
    if (!qApp || QGuiApplication::platformName() == QLatin1String("offscreen")) return;
    static QPointer<BeepSound> sound;
    if (!sound) sound = new BeepSound(qApp);
    sound->play();
#endif
}

}  // namespace rw::qt
