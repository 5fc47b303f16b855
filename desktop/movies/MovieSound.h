#pragma once
// A movie's sound played on the default output, from a movie time on. Quiet
// by design when there is nothing to play: a movie without sound, or a
// machine without a sound device, plays pictures only.

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

class QAudioSink;

namespace rw::media {
class MovieAudio;
}

namespace rw::qt {

class MovieSound : public QObject {
public:
    explicit MovieSound(QObject* parent = nullptr);
    ~MovieSound() override;

    // False (silently) when the movie has no sound; replaces the earlier one.
    bool load(const QString& path);
    // Starts at that movie time; nothing when there is no device or no sound.
    void play(std::int64_t time, std::int64_t timeScale);
    void stop();
    void setMuted(bool muted);
    bool muted() const { return muted_; }
    bool hasSound() const;

private:
    class Source;
    std::unique_ptr<Source> source_;
    std::unique_ptr<QAudioSink> sink_;  // after source_: stops before its source goes
    bool muted_ = false;
};

}  // namespace rw::qt
