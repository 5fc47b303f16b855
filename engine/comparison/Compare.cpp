#include "comparison/Compare.h"

#include "comparison/CandidateIndex.h"

#include <cmath>
#include <limits>
#include <optional>

namespace rw {

namespace {

struct Candidate {
    EditPtr oldEdit;
    EditPtr change;
    std::int64_t si, so, mi, mo;  // the change event's frames
};

std::int64_t frames(const TcPtr& t) { return framesOf(t); }

bool matchesByName(const edit& n, const edit& o) { return n.clip() == o.clip(); }

bool matchesByVFX(const edit& n, const edit& o) {
    return n.isVFX() && o.isVFX() && n.scene() && o.scene() && n.shot() && o.shot() && *n.scene() == *o.scene() &&
           *n.shot() == *o.shot();
}

// A single-precision result truncated toward zero; nullopt when it is not a
// frame count (infinite, not a number, or beyond 32 bits).
std::optional<std::int64_t> truncated(float v) {
    if (!std::isfinite(v) || std::fabs(v) >= 2147483648.0f) return std::nullopt;
    return static_cast<std::int64_t>(v);
}

std::optional<Candidate> candidateFor(const EditPtr& n, const EditPtr& o, bool byVFX, const std::string& timebase) {
    const std::int64_t nsi = frames(n->sourceIn()), nso = frames(n->sourceOut());
    const std::int64_t osi = frames(o->sourceIn()), oso = frames(o->sourceOut());
    if (!(nsi < oso && nso > osi)) return std::nullopt;

    const std::int64_t omi = frames(o->masterIn()), nmi = frames(n->masterIn()), nmo = frames(n->masterOut());
    std::int64_t offsetIn = nsi - osi;
    if (o->isMotionEffected()) {
        auto v = truncated(static_cast<float>(offsetIn) / o->motionEffectRatio());
        if (!v) return std::nullopt;
        offsetIn = *v;
    }
    std::int64_t oldStart = omi + offsetIn, newStart = nmi;
    if (oldStart < omi) {
        oldStart = omi;
        auto v = truncated(static_cast<float>(nmi) + static_cast<float>(std::llabs(offsetIn)) / n->motionEffectRatio());
        if (!v) return std::nullopt;
        newStart = *v;
    }

    std::int64_t offsetOut = nso - oso;
    if (n->isMotionEffected()) {
        auto v = truncated(static_cast<float>(offsetOut) / o->motionEffectRatio());
        if (!v) return std::nullopt;
        offsetOut = *v;
    }
    std::int64_t newEnd = nmo;
    if (offsetOut > 0) {
        auto v = truncated(static_cast<float>(nmo) - static_cast<float>(std::llabs(offsetOut)) / n->motionEffectRatio());
        if (!v) return std::nullopt;
        newEnd = *v;
    }
    const std::int64_t oldEnd = oldStart + (newEnd - newStart);
    if (!(oldStart < oldEnd && newStart < newEnd)) return std::nullopt;
    auto inRange = [](std::int64_t v) { return v >= 0 && v <= std::numeric_limits<std::int32_t>::max(); };
    if (!inRange(oldStart) || !inRange(oldEnd) || !inRange(newStart) || !inRange(newEnd)) return std::nullopt;

    auto tc = [&](std::int64_t v) { return KLVtc::initWithFrames(static_cast<std::int32_t>(v), timebase); };
    TcPtr a = tc(oldStart), b = tc(oldEnd), c = tc(newStart), d = tc(newEnd);
    if (!a || !b || !c || !d) return std::nullopt;
    EditPtr change = edit::initWithNum("001", n->clip(), a, b, c, d);
    if (byVFX) change->setColor(Color::red());
    return Candidate{o, change, oldStart, oldEnd, newStart, newEnd};
}

const Candidate& chooseMain(const std::vector<Candidate>& cands, const EditArray& result) {
    std::int64_t lastSI = 0, lastMI = 0;
    if (!result.empty()) {
        lastSI = frames(result.back()->sourceIn());
        lastMI = frames(result.back()->masterIn());
    }
    const Candidate* best = &cands.front();
    for (const Candidate& c : cands) {
        if (c.si == c.mi && c.so == c.mo) return c;  // the material has not moved
        if (!result.empty() && c.si - lastSI == c.mi - lastMI) return c;  // same displacement as the last
        if (c.so - c.si > best->so - best->si) best = &c;
        else if (std::llabs(c.mi - c.si) < std::llabs(best->mi - best->si)) best = &c;
    }
    return *best;
}

bool whollyOutside(const Candidate& c, const Candidate& best) {
    return (c.mi >= best.mo && c.mo > best.mo) || (c.mi < best.mi && c.mo <= best.mi);
}

}  // namespace

EditArray compareOldList(const EditArray& oldList, const EditArray& newList, const std::string& timebase,
                         CandidateOrder order) {
    for (const auto& o : oldList) o->setColor(standardColorMissed());
    const CandidateIndex index(oldList, order == CandidateOrder::Indexed);
    EditArray result;
    std::vector<Candidate> cands;
    std::vector<std::size_t> olds;
    for (const EditPtr& n : newList) {
        cands.clear();
        index.candidatesFor(*n, olds);
        for (std::size_t k : olds) {
            const EditPtr& o = oldList[k];
            bool byName = matchesByName(*n, *o);
            if (!byName && !matchesByVFX(*n, *o)) continue;
            if (auto c = candidateFor(n, o, !byName, timebase)) cands.push_back(std::move(*c));
        }
        if (cands.empty()) {
            n->setColor(Color::red());
            continue;
        }
        const Candidate& best = chooseMain(cands, result);
        result.push_back(best.change);
        best.oldEdit->setColor(standardColorText());
        for (const Candidate& c : cands) {
            if (c.change == best.change || !whollyOutside(c, best)) continue;
            result.push_back(c.change);
            c.oldEdit->setColor(standardColorText());
        }
        n->setColor(Color::textColor());
    }
    return result;
}

}  // namespace rw
