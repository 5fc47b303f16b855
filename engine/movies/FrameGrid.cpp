#include "movies/FrameGrid.h"

#include <algorithm>
#include <numeric>

namespace rw {

namespace {

using Wide = __int128;

std::int64_t floorDiv(Wide a, Wide b) {
    Wide q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<std::int64_t>(q);
}

}  // namespace

FrameGrid FrameGrid::fromRate(std::int64_t rateNum, std::int64_t rateDen, std::int64_t timeScale,
                              std::int64_t duration) {
    FrameGrid g;
    g.duration = std::max<std::int64_t>(duration, 0);
    if (rateNum <= 0 || rateDen <= 0 || timeScale <= 0) return g;
    // length = timeScale / rate = timeScale * rateDen / rateNum
    const std::int64_t d = std::gcd(timeScale, rateNum);
    g.lengthNum = (timeScale / d) * rateDen;
    g.lengthDen = rateNum / d;
    return g;
}

// Outside the table of a variable rate, frames go on at the average length.
FrameGrid FrameGrid::fromStarts(std::vector<std::int64_t> starts, std::int64_t duration) {
    FrameGrid g;
    if (starts.empty() || starts.front() != 0 || duration <= starts.back() ||
        !std::is_sorted(starts.begin(), starts.end()) ||
        std::adjacent_find(starts.begin(), starts.end()) != starts.end())
        return g;
    g.duration = duration;
    g.lengthNum = duration;
    g.lengthDen = static_cast<std::int64_t>(starts.size());
    g.starts = std::make_shared<const std::vector<std::int64_t>>(std::move(starts));
    return g;
}

std::int64_t FrameGrid::frameStart(std::int64_t k) const {
    if (!valid()) return 0;
    if (starts) {
        const auto n = static_cast<std::int64_t>(starts->size());
        if (k >= 0 && k < n) return (*starts)[static_cast<std::size_t>(k)];
        if (k >= n) return duration - floorDiv(-Wide{k - n} * lengthNum, lengthDen);
    }
    return -floorDiv(-Wide{k} * lengthNum, lengthDen);  // ceil
}

std::int64_t FrameGrid::frameIndexAt(std::int64_t t) const {
    if (!valid()) return 0;
    if (starts && t >= 0 && t < duration)
        return std::upper_bound(starts->begin(), starts->end(), t) - starts->begin() - 1;
    if (starts && t >= duration) return frameCount() + floorDiv(Wide{t - duration} * lengthDen, lengthNum);
    std::int64_t k = floorDiv(Wide{t} * lengthDen, lengthNum);
    while (frameStart(k) > t) --k;
    while (frameStart(k + 1) <= t) ++k;
    return k;
}

std::int64_t FrameGrid::nearestFrame(std::int64_t t) const {
    if (!valid()) return 0;
    if (starts) return frameIndexAt(t);  // stored times are the starts themselves
    return floorDiv(2 * Wide{t} * lengthDen + lengthNum, 2 * Wide{lengthNum});  // round(t / length)
}

std::int64_t FrameGrid::frameCount() const {
    if (starts) return static_cast<std::int64_t>(starts->size());
    if (!valid() || duration <= 0) return 0;
    return frameIndexAt(duration - 1) + 1;
}

std::int64_t FrameGrid::nextFrameTime(std::int64_t t) const {
    if (!valid()) return t;
    if (t < 0) return 0;
    const std::int64_t next = frameStart(frameIndexAt(t) + 1);
    return duration > 0 && next > duration ? duration : next;
}

std::int64_t FrameGrid::previousFrameTime(std::int64_t t) const {
    if (!valid() || t <= 0) return 0;
    if (duration > 0) t = std::min(t, duration);
    const std::int64_t k = frameIndexAt(t);
    const std::int64_t s = frameStart(k);
    return s < t ? s : std::max<std::int64_t>(frameStart(k - 1), 0);
}

std::int64_t FrameGrid::step(std::int64_t t, int n) const {
    for (; n > 0; --n) t = nextFrameTime(t);
    for (; n < 0; ++n) t = previousFrameTime(t);
    return t;
}

}  // namespace rw
