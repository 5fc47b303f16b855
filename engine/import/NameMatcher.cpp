#include "import/NameMatcher.h"

#include <algorithm>

namespace rw {

namespace {
// No clip name is this long; such a name would not fit a table and is never found.
constexpr std::size_t kMaxName = std::size_t{1} << 20;
}  // namespace

NameMatcher::NameMatcher(const std::vector<std::string>& names) : names_(names) {
    std::size_t shortest = kMaxName;
    for (std::uint32_t i = 0; i < names.size(); ++i) {
        const std::string& n = names[i];
        for (unsigned char c : n)
            if (c >= 0x80) allAscii_ = false;
        if (n.empty() || n.size() > kMaxName) continue;
        matchable_.push_back(i);
        shortest = std::min(shortest, n.size());
        longest_ = std::max(longest_, n.size());
    }
    if (matchable_.empty()) return;
    if (shortest >= NameShiftTable::kMinLength) {
        shift_.emplace(names_, matchable_);
        return;
    }
    // Short names: automata, each within its table budget (256 classes at most).
    std::vector<std::uint32_t> group;
    std::size_t length = 0;
    for (std::uint32_t id : matchable_) {
        if (!group.empty() && NameAutomaton::entriesFor(length + names[id].size(), 256) > NameAutomaton::kMaxEntries) {
            automata_.emplace_back(names_, group);
            group.clear();
            length = 0;
        }
        group.push_back(id);
        length += names[id].size();
    }
    automata_.emplace_back(names_, group);
}

NameMatcher::Scan NameMatcher::start() const {
    Scan s;
    s.hits_.found.assign(names_.size(), false);
    s.hits_.left = matchable_.size();
    for (const auto& a : automata_) s.reported_.emplace_back(a.states(), false);
    return s;
}

void NameMatcher::feed(Scan& scan, std::string_view text) const {
    if (scan.complete()) return;
    if (shift_) shift_->search(text, names_, scan.hits_);
    for (std::size_t k = 0; k < automata_.size() && !scan.complete(); ++k)
        automata_[k].search(text, scan.hits_, scan.reported_[k]);
}

}  // namespace rw
