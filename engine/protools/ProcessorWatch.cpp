#include "protools/ProcessorWatch.h"

#include "protools/Protocol.h"

namespace rw {

std::chrono::nanoseconds secondsToDuration(double seconds) {
    return std::chrono::round<std::chrono::nanoseconds>(std::chrono::duration<double>(seconds));
}

std::optional<float> measureBaseline(const ProcessorReading& read, Clock& clock, const std::atomic<bool>& running,
                                     double timeLimit) {
    const auto poll = secondsToDuration(protocol::PollInterval);
    const auto deadline = clock.now() + secondsToDuration(timeLimit);
    float sum = 0.0f, last = 0.0f;
    int k = 1;
    while (k < protocol::BaselineSamples + 1) {
        if (!running || clock.now() >= deadline) return std::nullopt;
        clock.sleepFor(poll);
        const float c = read();
        if (c == last) continue;
        sum += c;
        last = c;
        const float mean = sum / static_cast<float>(k);
        if (c > mean * protocol::BaselineOutlierFactor || mean / protocol::BaselineOutlierFactor > c) {
            sum = c;  // an outlier starts the series again from this reading
            last = 0.0f;
            k = 2;
        } else {
            ++k;
        }
    }
    return sum / static_cast<float>(protocol::BaselineSamples);
}

QuietWait waitForQuiet(const ProcessorReading& read, Clock& clock, const std::atomic<bool>& running, float baseline,
                       int quietNeeded, double timeLimit) {
    const auto poll = secondsToDuration(protocol::PollInterval);
    const auto deadline = clock.now() + secondsToDuration(timeLimit);
    float quiet = 0.0f, lastQuiet = 0.0f, sum = 0.0f;
    int n = 0;
    while (quiet < static_cast<float>(quietNeeded)) {
        if (!running) return QuietWait::Stopped;
        if (clock.now() >= deadline) return QuietWait::TimedOut;
        clock.sleepFor(poll);
        const float c = read();
        if (c == lastQuiet) continue;
        if (c < baseline * protocol::QuietFactor) {
            quiet += 1.0f;
            lastQuiet = c;
        }
        ++n;
        sum += c;
        if (n < protocol::SettleWindow) continue;
        const float average = sum / static_cast<float>(n);
        if (average < baseline * protocol::SettleCeiling && average * protocol::SettleBandLow < c &&
            c < average * protocol::SettleBandHigh) {
            quiet += 100.0f;  // settled at a new level: the operation is over
        } else {
            n = 0;
            sum = 0.0f;
        }
    }
    return QuietWait::Quiet;
}

}  // namespace rw
