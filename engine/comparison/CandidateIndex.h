#pragma once
// Which OLD events a NEW event can match, in OLD list order. The comparison
// only pairs events of the same clip name or the same VFX scene and shot whose
// source ranges overlap; this index finds exactly those without trying every
// OLD event, so a comparison grows with the list length, not its square.

#include "core/Edit.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace rw {

class CandidateIndex {
public:
    // `indexed` false gives every OLD event for every NEW event.
    CandidateIndex(const EditArray& oldList, bool indexed);

    // The OLD list positions worth trying for `n`, ascending. Always a
    // superset of the pairs that match and overlap.
    void candidatesFor(const edit& n, std::vector<std::size_t>& out) const;

private:
    // OLD events of one key, sorted by sourceIn, with a max-tree over sourceOut
    // to find the ones whose source range overlaps a query range.
    struct Bucket {
        std::vector<std::int64_t> sourceIn, sourceOut;
        std::vector<std::size_t> position;
        std::vector<std::int64_t> maxOut;  // segment tree over sourceOut
        void build();
        void overlapping(std::int64_t in, std::int64_t out, std::vector<std::size_t>& found) const;
        void collect(std::size_t node, std::size_t lo, std::size_t hi, std::size_t limit, std::int64_t in,
                     std::vector<std::size_t>& found) const;
    };

    std::size_t size_ = 0;
    bool indexed_;
    std::unordered_map<std::string, Bucket> byClip_;
    std::unordered_map<std::string, Bucket> byShot_;  // scene + '\0' + shot
};

}  // namespace rw
