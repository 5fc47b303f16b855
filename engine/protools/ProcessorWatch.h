#pragma once
// Pacing by the workstation's processor use: the level at rest before an
// edit, and the wait until the edit has finished (the use has fallen back
// under the rest level, or settled at a new level).

#include "ports/Clock.h"

#include <atomic>
#include <functional>
#include <optional>

namespace rw {

using ProcessorReading = std::function<float()>;

enum class QuietWait { Quiet, Stopped, TimedOut };

// The rest level from four distinct readings that agree within the outlier
// factor; nullopt when the stop flag went down first or `timeLimit` seconds
// of the clock passed. Readings that repeat the last one do not count, so a
// process that reads 0.0 throughout (one that has gone) never gives one.
std::optional<float> measureBaseline(const ProcessorReading& read, Clock& clock, const std::atomic<bool>& running,
                                     double timeLimit);

// Waits for `quietNeeded` distinct readings under the quiet factor times the
// baseline, or for a settled window; ends early on Stop or after `timeLimit`
// seconds of the clock.
QuietWait waitForQuiet(const ProcessorReading& read, Clock& clock, const std::atomic<bool>& running, float baseline,
                       int quietNeeded, double timeLimit);

std::chrono::nanoseconds secondsToDuration(double seconds);

}  // namespace rw
