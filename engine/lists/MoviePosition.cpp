#include "lists/MoviePosition.h"

#include "core/Text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rw {

namespace {

bool isPulldownRate(double r) {
    return (r > 29.96 && r < 29.98) || (r > 23.97 && r < 23.982) || (r > 59.93 && r < 59.95);
}

std::int32_t roundedFrames(float product) {
    if (!(product > -1.0f)) return 0;  // negative or not a number
    if (product >= 2147483520.0f) return std::numeric_limits<std::int32_t>::max();  // the largest float below 2^31
    return static_cast<std::int32_t>(std::lround(product));
}

std::int32_t clampFrames(std::int64_t frames) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(frames, 0, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::int32_t dropAllowance(const KLVtc& time, std::int32_t hours) {
    if (!time.isDrop()) return 0;
    if (time.framerate() == 30) return wrap32(std::int64_t{hours} * 108);
    if (time.framerate() == 60) return wrap32(std::int64_t{hours} * 216);
    return 0;
}

std::int32_t movieFramePosition(const MoviePort& movies, MovieSide side, const PositionRequest& req) {
    const std::int32_t scale = movies.timeScale(side);
    if (scale <= 0) return 0;
    float t = static_cast<float>(movies.currentTime(side)) / static_cast<float>(scale);
    if (isPulldownRate(movies.measuredRate(side))) t = t * 1000.0f / 1001.0f;

    const std::string field = movies.startField(side);
    if (trimWhitespace(field).empty()) {
        const float seconds = static_cast<float>(std::int64_t{req.hours} * 3600) + t;
        const std::int64_t frames = std::int64_t{roundedFrames(req.rate * seconds)} - req.dropAllowance;
        return clampFrames(frames);
    }
    const KLVtc start = movies.startTimecode(side);
    const double startSeconds = start.framerate() > 0 ? start.totalFrames() / start.framerate() : 0.0;
    std::int64_t frames = roundedFrames(req.rate * static_cast<float>(t + startSeconds));
    if (req.ntscDf) {
        const TcPtr asDrop = KLVtc::initWithString(field, "29.97df");
        frames -= std::int64_t{start.totalFrames()} - (asDrop ? asDrop->totalFrames() : 0);
    }
    return clampFrames(frames);
}

}  // namespace rw
