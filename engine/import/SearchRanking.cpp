#include "import/SearchFiles.h"

#include "comparison/Compare.h"

#include <algorithm>
#include <limits>

namespace rw {

namespace {

// New events with the number, clip and times of the selection, so that the
// comparison's colours never touch the NEW list.
EditArray copiesOf(const EditArray& selected) {
    EditArray out;
    auto copy = [](const TcPtr& t) { return t ? t->copy() : nullptr; };
    for (const auto& e : selected)
        out.push_back(edit::initWithNum(e->editNum(), e->clip(), copy(e->sourceIn()), copy(e->sourceOut()),
                                        copy(e->masterIn()), copy(e->masterOut())));
    return out;
}

std::string durationText(const EditArray& changes, const std::string& timebase) {
    std::int64_t frames = 0;
    for (const auto& c : changes) frames += framesOf(c->masterOut()) - framesOf(c->masterIn());
    frames = std::clamp<std::int64_t>(frames, 0, std::numeric_limits<std::int32_t>::max());
    TcPtr tc = KLVtc::initWithFrames(static_cast<std::int32_t>(frames), timebase);
    return tc ? tc->tcAsString() : std::string();
}

// Longest duration first (as text: the timecodes have the same width), then
// most shots; results that were not compared go last, in their count order.
bool ranksBefore(const SearchResult& a, const SearchResult& b) {
    if (a.duration.has_value() != b.duration.has_value()) return a.duration.has_value();
    if (!a.duration) return false;
    if (*a.duration != *b.duration) return *a.duration > *b.duration;
    return a.shotCount.value_or(0) > b.shotCount.value_or(0);
}

}  // namespace

void rankResults(std::vector<SearchResult>& results, const EditArray& selected, const EdlReadOptions& readOptions,
                 const std::string& timebase) {
    const EditArray copies = copiesOf(selected);
    const std::size_t compared = std::min(results.size(), kComparedResults);
    for (std::size_t i = 0; i < compared; ++i) {
        const EditArray olds = extractEDLDataFromPath(results[i].thePath, readOptions);
        const EditArray changes = compareOldList(olds, copies, timebase);
        results[i].shotCount = static_cast<int>(changes.size());
        results[i].duration = durationText(changes, timebase);
    }
    std::stable_sort(results.begin(), results.end(), ranksBefore);
}

std::string summaryText(const std::vector<SearchResult>& results) {
    std::string text;
    for (std::size_t i = 0; i < results.size() && i < kComparedResults; ++i) {
        const SearchResult& r = results[i];
        if (r.shotCount.value_or(0) <= 0) continue;
        text += std::to_string(*r.shotCount) + "\t\t" + r.duration.value_or("") + "\t\t" + r.file + "\n";
    }
    return text;
}

}  // namespace rw
