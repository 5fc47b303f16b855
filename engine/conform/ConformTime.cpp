#include "conform/ConformTime.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace rw {

namespace {

struct Range {
    std::int64_t in, out, shift;
};

std::vector<Range> oldRanges(const EditArray& events, OldRange range) {
    std::vector<Range> out;
    out.reserve(events.size());
    for (const auto& e : events) {
        if (!e->sourceIn() || !e->sourceOut() || !e->masterIn()) continue;
        const std::int64_t in = oldFrames(*e->sourceIn(), range), to = oldFrames(*e->sourceOut(), range);
        if (in < to) out.push_back({in, to, std::int64_t{e->masterIn()->totalFrames()} - in});
    }
    return out;
}

// The first cell at or after `c` that no earlier range has claimed.
std::size_t unclaimed(std::vector<std::size_t>& next, std::size_t c) {
    std::size_t root = c;
    while (next[root] != root) root = next[root];
    while (next[c] != root) c = std::exchange(next[c], root);
    return root;
}

}  // namespace

std::int64_t oldFrames(const KLVtc& tc, OldRange range) {
    if (range == OldRange::Full) return tc.totalFrames();
    return static_cast<std::int64_t>(
        std::trunc(static_cast<double>(tc.totalFrames()) - static_cast<double>(tc.hours()) * 3600.0 * tc.framerate()));
}

// The range ends cut the time line into cells; ranges claim their unclaimed
// cells in list order, so each cell ends up with the first range holding it.
ChangeIndex::ChangeIndex(const EditArray& events, OldRange range) {
    const std::vector<Range> ranges = oldRanges(events, range);
    std::vector<std::int64_t> ends;
    ends.reserve(2 * ranges.size());
    for (const auto& r : ranges) {
        ends.push_back(r.in);
        ends.push_back(r.out);
    }
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
    if (ends.empty()) return;

    const std::size_t cells = ends.size() - 1;
    std::vector<const Range*> owner(cells, nullptr);
    std::vector<std::size_t> next(cells + 1);
    for (std::size_t c = 0; c <= cells; ++c) next[c] = c;
    auto cellOf = [&](std::int64_t t) {
        return static_cast<std::size_t>(std::lower_bound(ends.begin(), ends.end(), t) - ends.begin());
    };
    for (const auto& r : ranges) {
        const std::size_t last = cellOf(r.out);
        for (std::size_t c = unclaimed(next, cellOf(r.in)); c < last; c = unclaimed(next, c + 1)) {
            owner[c] = &r;
            next[c] = c + 1;
        }
    }
    for (std::size_t c = 0; c <= cells; ++c) {
        const Range* r = c < cells ? owner[c] : nullptr;
        const Piece piece{ends[c], r ? r->shift : 0, r != nullptr};
        if (!pieces_.empty() && pieces_.back().held == piece.held && pieces_.back().shift == piece.shift) continue;
        pieces_.push_back(piece);
    }
}

std::optional<std::int64_t> ChangeIndex::movedFrames(std::int64_t t) const {
    auto it = std::upper_bound(pieces_.begin(), pieces_.end(), t,
                               [](std::int64_t v, const Piece& p) { return v < p.from; });
    if (it == pieces_.begin() || !std::prev(it)->held) return std::nullopt;
    return std::prev(it)->shift + t;
}

}  // namespace rw
