#pragma once
// Audio that says where it came from: linear timecode (libltc) whose frames
// read the OLD master time they were recorded at, with the track's number
// in the user bits; and the decoding of a rendered mix.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rw::test {

struct LtcFormat {
    int sampleRate = 48000;
    std::string timebase = "25";  // "24", "25", "29.97df", ...
};

// Mono 16-bit samples of `count` frames from frame `first` (counted from
// 00:00:00:00), each carrying `tag` in its user bits.
std::vector<std::int16_t> ltcSamples(const LtcFormat& format, std::int64_t first, std::int64_t count, unsigned tag);

bool writeWav(const std::string& path, int sampleRate, int channels, const std::vector<std::int16_t>& samples);

struct Wav {
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> samples;  // interleaved
    std::int64_t frames() const { return channels ? static_cast<std::int64_t>(samples.size()) / channels : 0; }
};
// 16-bit integer and 32-bit float WAV files.
std::optional<Wav> readWav(const std::string& path);

struct DecodedFrame {
    std::int64_t start = 0, end = 0;  // samples of the file, inclusive
    std::int64_t frame = 0;           // the label as a count from 00:00:00:00
    unsigned tag = 0;
    float level = 0.0f;  // median magnitude of the frame's last quarter (after Ardour's gain smoothing)
};

// The frames of one channel in [from, to). Timecode of its own is fed before
// and after, so that the first and the last frame are read however the
// audio around them sounds.
std::vector<DecodedFrame> decodeLtc(const Wav& wav, int channel, std::int64_t from, std::int64_t to,
                                    const LtcFormat& format);

}  // namespace rw::test
