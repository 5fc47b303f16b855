#include "comparison/Timebase.h"

#include "core/Text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rw {

namespace {

struct Target {
    double rate;
    std::string timebase;
};

Target targetFor(const std::string& t) {
    if (t == "23.976") return {24, "24"};
    if (t == "29.97") return {30, "30"};
    if (t == "29.97df") return {30, "29.97df"};
    if (t == "59.94") return {60, "60"};
    if (t == "59.94df") return {60, "59.94df"};
    return {leadingNumber(t), t};
}

TcPtr converted(const TcPtr& tc, const Target& target) {
    if (!tc) return nullptr;
    double r = tc->framerate() == 29.97 ? 30 : tc->framerate();
    if (!(r > 0)) return nullptr;
    double frames = std::round(static_cast<double>(tc->totalFrames()) / r * target.rate);
    if (!(frames >= 0 && frames <= std::numeric_limits<std::int32_t>::max())) return nullptr;
    return KLVtc::initWithFrames(static_cast<std::int32_t>(frames), target.timebase);
}

void relabelAt24(const TcPtr& tc, std::int32_t frames) {
    if (!tc) return;
    tc->setFramerate(24);
    tc->setTotalFrames(frames);
}

// A 24 fps frame count for a label, without the frames-below-rate check, so
// that hh:mm:ss:24 of a 25 fps list anchors at the next second's first frame.
std::int64_t labelAt24(const KLVtc& tc) {
    return (std::int64_t{tc.hours()} * 3600 + std::int64_t{tc.minutes()} * 60 + tc.seconds()) * 24 + tc.frames();
}

void translateContinuous(EditArray& events) {
    std::stable_sort(events.begin(), events.end(), [](const EditPtr& a, const EditPtr& b) {
        return framesOf(a->masterIn()) < framesOf(b->masterIn());
    });
    const EditPtr& first = events.front();
    if (!first->masterIn()) return;
    const std::int64_t base25 = first->masterIn()->totalFrames();
    const std::int64_t base24 = labelAt24(*first->masterIn());
    for (const auto& e : events) {
        for (const TcPtr* t : {&e->masterIn(), &e->masterOut()})
            if (*t) relabelAt24(*t, wrap32(base24 + ((*t)->totalFrames() - base25)));
        for (const TcPtr* t : {&e->sourceIn(), &e->sourceOut()})
            if (*t) relabelAt24(*t, (*t)->totalFrames());
    }
}

void translateReels(EditArray& events) {
    for (const auto& e : events) {
        for (const TcPtr* t : {&e->sourceIn(), &e->sourceOut()})
            if (*t) relabelAt24(*t, (*t)->totalFrames());
        for (const TcPtr* t : {&e->masterIn(), &e->masterOut()}) {
            if (!*t) continue;
            const std::int64_t h = (*t)->hours();
            const std::int64_t withinHour = (*t)->totalFrames() - h * 3600 * 25;
            relabelAt24(*t, wrap32(h * 86400 + withinHour));
        }
    }
}

}  // namespace

EditArray convertTimebaseForArray(const EditArray& events, const std::string& targetRate) {
    const Target target = targetFor(targetRate);
    EditArray out;
    out.reserve(events.size());
    for (const auto& e : events) {
        EditPtr n = edit::initWithNum(e->editNum(), e->clip(), converted(e->sourceIn(), target),
                                      converted(e->sourceOut(), target), converted(e->masterIn(), target),
                                      converted(e->masterOut(), target));
        n->setColor(e->color());
        out.push_back(std::move(n));
    }
    return out;
}

void translate25To24(EditArray& events, bool reelsMode) {
    if (events.empty()) return;
    if (reelsMode) translateReels(events);
    else translateContinuous(events);
}

}  // namespace rw
