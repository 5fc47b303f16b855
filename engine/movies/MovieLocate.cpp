#include "movies/MovieLocate.h"

#include "core/Text.h"
#include "movies/MovieRate.h"

#include <cmath>
#include <limits>

namespace rw {

namespace {

// Frames in T's hour, or day, at T's rate: less 108 an hour at 30 df, 216 at 60 df.
double framesInHours(const KLVtc& T, double hours) {
    double frames = std::trunc(hours * 3600.0 * T.framerate());
    if (T.isDrop() && T.framerate() == 30) frames -= 108.0 * hours;
    if (T.isDrop() && T.framerate() == 60) frames -= 216.0 * hours;
    return frames;
}

float secondsWithoutStart(const KLVtc& T) {
    if (!(T.framerate() > 0)) return 0;
    return static_cast<float>((T.totalFrames() - framesInHours(T, T.hours())) / T.framerate());
}

// F0 over the rate it is counted at. With an "NTSC df" list the start
// field's text is read as drop frame (at 60 when the movie's start runs at 60).
double startSeconds(const LocateRequest& r) {
    if (r.ntscDf) {
        const TcPtr asDrop = KLVtc::initWithString(r.startField, r.start.framerate() == 60 ? "59.94df" : "29.97df");
        return asDrop ? asDrop->totalFrames() / asDrop->framerate() : 0.0;
    }
    return r.start.framerate() > 0 ? r.start.totalFrames() / r.start.framerate() : 0.0;
}

// A list time before the start is taken from the next day when that lands
// inside the movie: a start just before midnight, T just after it.
double secondsWithStart(const LocateRequest& r, double stretch) {
    if (!(r.time.framerate() > 0)) return 0;
    const double t = r.time.totalFrames() / r.time.framerate() - startSeconds(r);
    const double nextDay = t + framesInHours(r.time, 24) / r.time.framerate();
    const bool inMovie = r.timeScale > 0 && nextDay >= 0 &&
                         nextDay * stretch * static_cast<double>(r.timeScale) < static_cast<double>(r.duration);
    return t < 0 && inMovie ? nextDay : t;
}

std::int64_t truncToUnits(double v) {
    constexpr double limit = 9.0e18;
    if (!std::isfinite(v)) return 0;
    return static_cast<std::int64_t>(std::fmax(-limit, std::fmin(limit, std::trunc(v))));
}

// At a constant rate: the next frame within 30 % of G, else one step on
// from target - G; at a variable rate the frame holding the target stands
// in for the second.
std::int64_t snapToFrame(std::int64_t target, std::int64_t frameLength, const FrameGrid& frames) {
    if (frameLength <= 0) return target;  // no measured rate: no frame to snap to
    const std::int64_t next = frames.nextFrameTime(target);
    if (static_cast<double>(frameLength) * 0.3 > static_cast<double>(next - target)) return next;
    if (frames.variable()) return target >= 0 ? frames.frameStart(frames.frameIndexAt(target)) : target;
    if (target > frameLength) return frames.nextFrameTime(target - frameLength);
    return target;
}

}  // namespace

LocateResult locateMovie(const LocateRequest& r, const FrameGrid& frames) {
    LocateResult out;
    const bool pulldown = isPulldownRate(r.rate);
    const bool startSet = !trimWhitespace(r.startField).empty();
    float t = startSet ? static_cast<float>(secondsWithStart(r, pulldown ? 1.001 : 1.0)) : secondsWithoutStart(r.time);
    if (pulldown) {
        t = t * 1001.0f / 1000.0f;
        if (r.newSide || !startSet) t = static_cast<float>(t + 0.01);
    }
    out.seconds = t;
    out.target = truncToUnits(static_cast<double>(r.timeScale) * static_cast<double>(t));
    std::int64_t length = truncToUnits(r.rate > 0 ? static_cast<double>(r.timeScale) / r.rate : 0.0);
    if (frames.variable()) length = frames.frameLength(frames.frameIndexAt(std::max<std::int64_t>(out.target, 0)));
    out.locateTime = snapToFrame(out.target, length, frames);
    out.outside = out.locateTime < 0 || (r.duration > 0 && out.target >= r.duration);
    if (startSet) out.startRed = out.outside;
    return out;
}

}  // namespace rw
