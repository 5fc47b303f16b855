#include "conform/ConformTime.h"

#include <cmath>

namespace rw {

namespace {

std::int64_t withinHour(const KLVtc& tc) {
    return static_cast<std::int64_t>(
        std::trunc(static_cast<double>(tc.totalFrames()) - static_cast<double>(tc.hours()) * 3600.0 * tc.framerate()));
}

}  // namespace

std::optional<std::int64_t> movedFrames(const EditArray& events, std::int64_t t, OldRange range) {
    for (const auto& e : events) {
        if (!e->sourceIn() || !e->sourceOut() || !e->masterIn()) continue;
        const bool full = range == OldRange::Full;
        const std::int64_t in = full ? e->sourceIn()->totalFrames() : withinHour(*e->sourceIn());
        const std::int64_t out = full ? e->sourceOut()->totalFrames() : withinHour(*e->sourceOut());
        if (in <= t && t < out) return std::int64_t{e->masterIn()->totalFrames()} - in + t;
    }
    return std::nullopt;
}

}  // namespace rw
