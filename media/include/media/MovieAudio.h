#pragma once
// A movie's sound: its first audio stream decoded and resampled to
// interleaved signed 16-bit PCM at the rate and channel count asked for.
//
// Sound is placed on the picture's clock: movie time 0 is the first video
// frame. Sound that starts before it is skipped, and a gap before the sound
// starts (or a position before time 0) reads as silence.

#include "media/Image.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace rw::media {

class MovieAudio {
public:
    // Fails with the reason for an unreadable file or one without sound.
    static Outcome<std::unique_ptr<MovieAudio>> open(const std::string& path, int sampleRate = 48000,
                                                     int channels = 2);
    ~MovieAudio();
    MovieAudio(const MovieAudio&) = delete;
    MovieAudio& operator=(const MovieAudio&) = delete;

    int sampleRate() const;
    int channels() const;

    // Positions the reading at movie time `time` (units of `timeScale` per second).
    Outcome<> seek(std::int64_t time, std::int64_t timeScale);
    // Up to `frames` sample frames into `out` (frames * channels values);
    // the frames written, 0 at the end.
    std::size_t read(std::int16_t* out, std::size_t frames);

    struct Impl;  // opaque: the FFmpeg state
    explicit MovieAudio(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace rw::media
