#pragma once
// Timecode as an Ardour session counts it: its timecode format, its sample
// rate and its timecode offset.
//
// The one rounding rule: a frame begins at the first whole sample at or
// after its exact start, ceil(frames x samples per second / frames per
// second), reckoned in whole numbers (1000/1001 rates included). Every edge
// is rounded once, by this rule, so two events that meet on a frame meet on
// the same sample.

#include <cstdint>
#include <optional>
#include <string>

namespace rw {

struct ArdourClock {
    std::int64_t sampleRate = 48000;
    int nominal = 25;     // frames counted per labelled second: 24, 25, 30, 60
    bool pulled = false;  // runs at 1000/1001 of the nominal rate (23.976, 29.97, 59.94)
    bool drop = false;    // drop-frame labels (29.97df)
    // The session's timecode offset in samples. A "negative" offset (Ardour's
    // default) makes the clock show sample + offset; otherwise sample - offset.
    std::int64_t offset = 0;
    bool offsetNegative = true;

    // The first sample at which the clock shows the frame that lies `frames`
    // frames after 00:00:00:00 (a drop-frame count for drop-frame labels).
    std::int64_t sampleAt(std::int64_t frames) const;
    // The conform timebase text of the format ("25", "29.97df", ...).
    std::string timebase() const;
};

// The clock of a timecode format as the session file names it
// ("timecode_25", "timecode_2997drop", ...); nullopt for a format the conform
// does not place (24.976, 29.97 and 30 drop at whole rates).
std::optional<ArdourClock> ardourClock(const std::string& timecodeFormat, std::int64_t sampleRate,
                                       std::int64_t offset, bool offsetNegative);

}  // namespace rw
