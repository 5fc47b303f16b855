#include "ardour/ArdourClock.h"

#include <array>

namespace rw {

namespace {

struct Format {
    const char* name;
    int nominal;
    bool pulled;
    bool drop;
    const char* timebase;
};

constexpr std::array<Format, 8> kFormats = {{
    {"timecode_23976", 24, true, false, "23.976"},
    {"timecode_24", 24, false, false, "24"},
    {"timecode_25", 25, false, false, "25"},
    {"timecode_2997", 30, true, false, "29.97"},
    {"timecode_2997drop", 30, true, true, "29.97df"},
    {"timecode_30", 30, false, false, "30"},
    {"timecode_5994", 60, true, false, "59.94"},
    {"timecode_60", 60, false, false, "60"},
}};

}  // namespace

std::int64_t ArdourClock::sampleAt(std::int64_t frames) const {
    // frames x rate x (1001 | 1000) / (nominal x 1000), rounded up. A day of
    // frames at 96 kHz stays far inside 64 bits.
    const std::int64_t num = frames * sampleRate * (pulled ? 1001 : 1000);
    const std::int64_t den = std::int64_t{nominal} * 1000;
    std::int64_t edge = num / den;
    if (num % den > 0) ++edge;
    return offsetNegative ? edge - offset : edge + offset;
}

std::string ArdourClock::timebase() const {
    for (const auto& f : kFormats)
        if (f.nominal == nominal && f.pulled == pulled && f.drop == drop) return f.timebase;
    return {};
}

std::optional<ArdourClock> ardourClock(const std::string& timecodeFormat, std::int64_t sampleRate,
                                       std::int64_t offset, bool offsetNegative) {
    if (sampleRate <= 0) return std::nullopt;
    for (const auto& f : kFormats)
        if (timecodeFormat == f.name) return ArdourClock{sampleRate, f.nominal, f.pulled, f.drop, offset, offsetNegative};
    return std::nullopt;
}

}  // namespace rw
