#include "Pictures.h"

namespace rw::media {

const Pictures::Item* Pictures::find(std::int64_t t) const {
    auto it = byStart_.upper_bound(t);
    if (it == byStart_.begin()) return nullptr;
    --it;
    return t < it->second.end ? &*it : nullptr;
}

std::uint64_t Pictures::distance(std::int64_t t) const {
    return t > focus_ ? static_cast<std::uint64_t>(t) - static_cast<std::uint64_t>(focus_)
                      : static_cast<std::uint64_t>(focus_) - static_cast<std::uint64_t>(t);
}

bool Pictures::wouldKeep(std::int64_t start) const {
    if (bytes_ + lastSize_ <= budget_ || byStart_.empty()) return lastSize_ <= budget_;
    const std::uint64_t farthest = std::max(distance(byStart_.begin()->first), distance(byStart_.rbegin()->first));
    return distance(start) < farthest;
}

void Pictures::put(std::int64_t start, std::int64_t end, std::shared_ptr<const Image> image) {
    if (!image || end <= start) return;
    lastSize_ = sizeOf(*image);
    auto [it, added] = byStart_.try_emplace(start);
    if (!added) bytes_ -= sizeOf(*it->second.image);
    it->second = Entry{std::move(image), end};
    bytes_ += lastSize_;
    trim();
}

void Pictures::trim() {
    while (bytes_ > budget_ && !byStart_.empty()) {
        auto first = byStart_.begin(), last = std::prev(byStart_.end());
        auto gone = distance(first->first) >= distance(last->first) ? first : last;
        bytes_ -= sizeOf(*gone->second.image);
        byStart_.erase(gone);
    }
}

std::pair<std::int64_t, std::int64_t> Pictures::runAround(std::int64_t t) const {
    auto it = byStart_.upper_bound(t);
    if (it == byStart_.begin() || t >= std::prev(it)->second.end) return {t, t};
    auto first = std::prev(it), last = first;
    while (first != byStart_.begin() && std::prev(first)->second.end == first->first) --first;
    for (auto next = std::next(last); next != byStart_.end() && last->second.end == next->first; ++next) last = next;
    return {first->first, last->second.end};
}

void Pictures::clear() {
    byStart_.clear();
    bytes_ = 0;
}

}  // namespace rw::media
