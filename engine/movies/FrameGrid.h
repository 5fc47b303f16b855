#pragma once
// The frames of a movie on its time line. At a constant rate frame k starts
// at ceil(k * length), the frame length being a ratio of time-scale units; a
// rounded or truncated stored frame time is never later than the start given
// here, so the frame shown at that start is frame k. At a variable rate the
// grid holds every frame's own start. Either way the last frame ends at the
// movie's duration.

#include <cstdint>
#include <memory>
#include <vector>

namespace rw {

struct FrameGrid {
    std::int64_t lengthNum = 0;  // frame length in time units = lengthNum / lengthDen (the average when variable)
    std::int64_t lengthDen = 1;
    std::int64_t duration = 0;   // time units
    // Variable rate: each frame's start, ascending from 0; shared, as grids are copied freely.
    std::shared_ptr<const std::vector<std::int64_t>> starts;

    // From a rate of rateNum/rateDen frames per second at `timeScale` units per second.
    static FrameGrid fromRate(std::int64_t rateNum, std::int64_t rateDen, std::int64_t timeScale,
                              std::int64_t duration);
    // From every frame's start (ascending, the first at 0) and the last frame's end.
    static FrameGrid fromStarts(std::vector<std::int64_t> starts, std::int64_t duration);

    bool valid() const { return lengthNum > 0 && lengthDen > 0; }
    bool variable() const { return starts != nullptr; }
    std::int64_t frameStart(std::int64_t k) const;
    // The frame that holds time t (may be negative or past the last frame).
    std::int64_t frameIndexAt(std::int64_t t) const;
    // The frame a stored frame time belongs to, when that time was rounded
    // or truncated to whole units.
    std::int64_t nearestFrame(std::int64_t t) const;
    // Frames whose start lies before the duration.
    std::int64_t frameCount() const;
    // How long frame k is shown, in time units.
    std::int64_t frameLength(std::int64_t k) const { return frameStart(k + 1) - frameStart(k); }
    // The first frame start after t; the duration when no frame starts later.
    std::int64_t nextFrameTime(std::int64_t t) const;
    // The last frame start before t; 0 when none.
    std::int64_t previousFrameTime(std::int64_t t) const;
    // n frame steps forward (n > 0) or backward (n < 0) from t.
    std::int64_t step(std::int64_t t, int n) const;
};

}  // namespace rw
