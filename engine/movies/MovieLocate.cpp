#include "movies/MovieLocate.h"

#include "core/Text.h"
#include "movies/MovieRate.h"

#include <cmath>
#include <limits>

namespace rw {

namespace {

float secondsWithoutStart(const KLVtc& T) {
    if (!(T.framerate() > 0)) return 0;
    double H = std::trunc(static_cast<double>(T.hours()) * 3600.0 * T.framerate());
    if (T.isDrop() && T.framerate() == 30) H -= 108.0 * T.hours();
    if (T.isDrop() && T.framerate() == 60) H -= 216.0 * T.hours();
    return static_cast<float>((T.totalFrames() - H) / T.framerate());
}

float secondsWithStart(const LocateRequest& r) {
    double f0 = r.start.totalFrames();
    if (r.ntscDf) {
        const TcPtr asDrop = KLVtc::initWithString(r.startField, "29.97df");
        f0 = asDrop ? asDrop->totalFrames() : 0;
    }
    const double listSeconds = r.time.framerate() > 0 ? r.time.totalFrames() / r.time.framerate() : 0.0;
    const double startSeconds = r.start.framerate() > 0 ? f0 / r.start.framerate() : 0.0;
    return static_cast<float>(listSeconds - startSeconds);
}

std::int64_t truncToUnits(double v) {
    constexpr double limit = 9.0e18;
    if (!std::isfinite(v)) return 0;
    return static_cast<std::int64_t>(std::fmax(-limit, std::fmin(limit, std::trunc(v))));
}

std::int64_t snapToFrame(std::int64_t target, std::int64_t frameLength, const FrameGrid& frames) {
    if (frameLength <= 0) return target;  // no measured rate: no frame to snap to
    const std::int64_t next = frames.nextFrameTime(target);
    if (static_cast<double>(frameLength) * 0.3 > static_cast<double>(next - target)) return next;
    if (target > frameLength) return frames.nextFrameTime(target - frameLength);
    return target;
}

}  // namespace

LocateResult locateMovie(const LocateRequest& r, const FrameGrid& frames) {
    LocateResult out;
    const bool pulldown = isPulldownRate(r.rate);
    const bool startSet = !trimWhitespace(r.startField).empty();
    float t = startSet ? secondsWithStart(r) : secondsWithoutStart(r.time);
    if (pulldown) {
        t = t * 1001.0f / 1000.0f;
        if (r.newSide || !startSet) t = static_cast<float>(t + 0.01);
    }
    if (startSet) {
        const std::int64_t wholeSeconds = r.timeScale > 0 ? r.duration / r.timeScale : 0;
        out.startRed = t < 0 || t > static_cast<float>(wholeSeconds);
    }
    out.seconds = t;
    out.target = truncToUnits(static_cast<double>(r.timeScale) * static_cast<double>(t));
    const double length = r.rate > 0 ? std::trunc(static_cast<double>(r.timeScale) / r.rate) : 0.0;
    out.locateTime = snapToFrame(out.target, truncToUnits(length), frames);
    return out;
}

}  // namespace rw
