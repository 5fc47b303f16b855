#include "comparison/Heal.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace rw {

namespace {

std::int64_t mi(const EditPtr& e) { return framesOf(e->masterIn()); }
std::int64_t mo(const EditPtr& e) { return framesOf(e->masterOut()); }
std::int64_t si(const EditPtr& e) { return framesOf(e->sourceIn()); }
std::int64_t so(const EditPtr& e) { return framesOf(e->sourceOut()); }

void setFrames(const TcPtr& tc, std::int64_t v) {
    if (tc) tc->setTotalFrames(wrap32(v));
}

bool isRed(const EditPtr& e) { return e->color() == Color::red(); }

// Removes the overlaps in NEW time; colours events after a gap or a cut.
EditArray overlapPass(const EditArray& events) {
    EditArray kept;
    if (events.empty()) return kept;
    kept.push_back(events.front());
    for (std::size_t i = 1; i < events.size(); ++i) {
        const EditPtr& cur = events[i];
        const EditPtr prev = kept.back();
        const std::int64_t prevMi = mi(prev), prevMo = mo(prev), curMi = mi(cur), curMo = mo(cur);
        if (prevMo > curMi && prevMo >= curMo) continue;  // cur lies within prev
        if (prevMo > curMi && prevMo < curMo) {
            const std::int64_t overlap = prevMo - curMi;
            if (prevMo - prevMi > curMo - curMi) {
                setFrames(cur->masterIn(), curMi + overlap);
                setFrames(cur->sourceIn(), si(cur) + overlap);
            } else {
                setFrames(prev->masterOut(), prevMo - overlap);
                setFrames(prev->sourceOut(), so(prev) - overlap);
                if (mo(prev) - mi(prev) <= 0) kept.pop_back();
            }
        }
        kept.push_back(cur);
        if (kept.size() >= 2 && prevMo != curMi && !isRed(cur)) cur->setColor(standardColorGap());
    }
    return kept;
}

bool sameDisplacement(const EditPtr& a, const EditPtr& b) { return si(b) - si(a) == mi(b) - mi(a); }
bool touching(const EditPtr& a, const EditPtr& b) { return si(b) <= so(a) && mi(b) <= mo(a); }

// Answers "does some NEW event end after a.masterOut and begin before
// b.masterIn?" in log time: NEW events sorted by masterIn with the running
// maximum of their masterOut.
class GapIndex {
public:
    explicit GapIndex(const EditArray& newList) {
        for (const auto& e : newList) starts_.push_back({mi(e), mo(e)});
        std::sort(starts_.begin(), starts_.end());
        std::int64_t run = INT64_MIN;
        for (auto& [start, end] : starts_) end = run = std::max(run, end);
    }
    bool blocked(const EditPtr& a, const EditPtr& b) const {
        auto it = std::lower_bound(starts_.begin(), starts_.end(), std::pair{mi(b), INT64_MIN});
        if (it == starts_.begin()) return false;
        return std::prev(it)->second > mo(a);
    }

private:
    std::vector<std::pair<std::int64_t, std::int64_t>> starts_;  // masterIn, max masterOut so far
};

bool joins(const EditPtr& a, const EditPtr& b, const std::string& aggression, const GapIndex& gaps) {
    if (!sameDisplacement(a, b)) return false;
    if (aggression == "aggressive") return true;
    if (aggression == "normal") return touching(a, b);
    if (aggression == "forceful") return touching(a, b) || !gaps.blocked(a, b);
    return false;
}

EditArray joinPass(const EditArray& kept, const std::string& aggression, const EditArray& newList) {
    const GapIndex gaps(aggression == "forceful" ? newList : EditArray{});
    EditArray result;
    if (kept.empty()) return result;
    result.push_back(kept.front());
    for (std::size_t i = 0; i + 1 < kept.size(); ++i) {
        const EditPtr& a = kept[i];
        const EditPtr& b = kept[i + 1];
        if (joins(a, b, aggression, gaps)) {
            const EditPtr& r = result.back();
            setFrames(r->sourceOut(), so(b));
            setFrames(r->masterOut(), mo(b));
            r->setClip("healed");
            if (isRed(b)) r->setColor(Color::red());
            continue;
        }
        if (mo(a) > mi(b) && mo(a) >= mo(b)) continue;  // b lies within a
        result.push_back(b);
        if (result.size() >= 2 && mo(a) != mi(b) && !isRed(b)) b->setColor(standardColorGap());
    }
    return result;
}

}  // namespace

void sortByMasterTimes(EditArray& events) {
    std::stable_sort(events.begin(), events.end(), [](const EditPtr& x, const EditPtr& y) {
        if (mi(x) != mi(y)) return mi(x) < mi(y);
        return mo(x) < mo(y);
    });
}

EditArray healArray(EditArray& events, const std::string& aggression, const EditArray& newList) {
    sortByMasterTimes(events);
    EditArray kept = overlapPass(events);
    sortByMasterTimes(kept);
    return joinPass(kept, aggression, newList);
}

std::string eventNumberText(std::size_t n) {
    std::string s = std::to_string(n);
    if (n < 10) return "00" + s;
    if (n < 100) return "0" + s;
    return s;
}

void renumberArray(const EditArray& events) {
    for (std::size_t i = 0; i < events.size(); ++i) events[i]->setEditNum(eventNumberText(i + 1));
}

}  // namespace rw
