#include "comparison/CandidateIndex.h"

#include <algorithm>
#include <numeric>

namespace rw {

namespace {
std::string shotKey(const edit& e) { return *e.scene() + std::string(1, '\0') + *e.shot(); }
bool hasShot(const edit& e) { return e.isVFX() && e.scene() && e.shot(); }

struct Entry {
    std::int64_t in, out;
    std::size_t position;
};
}  // namespace

CandidateIndex::CandidateIndex(const EditArray& oldList, bool indexed) : size_(oldList.size()), indexed_(indexed) {
    if (!indexed_) return;
    std::unordered_map<std::string, std::vector<Entry>> clips, shots;
    for (std::size_t k = 0; k < oldList.size(); ++k) {
        const edit& o = *oldList[k];
        Entry entry{framesOf(o.sourceIn()), framesOf(o.sourceOut()), k};
        clips[o.clip()].push_back(entry);
        if (hasShot(o)) shots[shotKey(o)].push_back(entry);
    }
    auto fill = [](auto& from, auto& to) {
        for (auto& [key, entries] : from) {
            std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.in < b.in; });
            Bucket& bucket = to[key];
            for (const Entry& e : entries) {
                bucket.sourceIn.push_back(e.in);
                bucket.sourceOut.push_back(e.out);
                bucket.position.push_back(e.position);
            }
            bucket.build();
        }
    };
    fill(clips, byClip_);
    fill(shots, byShot_);
}

void CandidateIndex::candidatesFor(const edit& n, std::vector<std::size_t>& out) const {
    out.clear();
    if (!indexed_) {
        out.resize(size_);
        std::iota(out.begin(), out.end(), std::size_t{0});
        return;
    }
    const std::int64_t in = framesOf(n.sourceIn()), end = framesOf(n.sourceOut());
    if (auto it = byClip_.find(n.clip()); it != byClip_.end()) it->second.overlapping(in, end, out);
    if (hasShot(n))
        if (auto it = byShot_.find(shotKey(n)); it != byShot_.end()) it->second.overlapping(in, end, out);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

void CandidateIndex::Bucket::build() {
    const std::size_t n = sourceOut.size();
    maxOut.assign(n == 0 ? 0 : 4 * n, INT64_MIN);
    if (n == 0) return;
    // Iterative fill is awkward for this layout; a small recursive lambda reads clearer.
    auto fillNode = [&](auto&& self, std::size_t node, std::size_t lo, std::size_t hi) -> std::int64_t {
        if (hi - lo == 1) return maxOut[node] = sourceOut[lo];
        std::size_t mid = lo + (hi - lo) / 2;
        return maxOut[node] = std::max(self(self, 2 * node, lo, mid), self(self, 2 * node + 1, mid, hi));
    };
    fillNode(fillNode, 1, 0, n);
}

void CandidateIndex::Bucket::overlapping(std::int64_t in, std::int64_t out, std::vector<std::size_t>& found) const {
    // Overlap: old.in < out and old.out > in. The first test is a prefix of
    // the sorted entries; the max-tree prunes the second.
    std::size_t limit = static_cast<std::size_t>(std::lower_bound(sourceIn.begin(), sourceIn.end(), out) - sourceIn.begin());
    if (limit == 0) return;
    collect(1, 0, sourceOut.size(), limit, in, found);
}

void CandidateIndex::Bucket::collect(std::size_t node, std::size_t lo, std::size_t hi, std::size_t limit,
                                     std::int64_t in, std::vector<std::size_t>& found) const {
    if (lo >= limit || maxOut[node] <= in) return;
    if (hi - lo == 1) {
        found.push_back(position[lo]);
        return;
    }
    std::size_t mid = lo + (hi - lo) / 2;
    collect(2 * node, lo, mid, limit, in, found);
    collect(2 * node + 1, mid, hi, limit, in, found);
}

}  // namespace rw
