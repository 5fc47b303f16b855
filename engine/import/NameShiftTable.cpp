#include "import/NameShiftTable.h"

#include <algorithm>

namespace rw {

namespace {
// A longer window would jump further than a shift byte can say.
constexpr std::size_t kMaxWindow = 200;
}  // namespace

NameShiftTable::NameShiftTable(const std::vector<std::string>& names, const std::vector<std::uint32_t>& ids) {
    window_ = kMaxWindow;
    for (std::uint32_t id : ids) window_ = std::min(window_, names[id].size());
    const std::size_t m = window_;
    const std::size_t slots = std::size_t{1} << kHashBits;
    shift_.assign(slots, static_cast<std::uint8_t>(m - kBlock + 1));
    std::vector<std::uint32_t> count(slots + 1, 0);
    for (std::uint32_t id : ids) {
        const auto* p = reinterpret_cast<const unsigned char*>(names[id].data());
        for (std::size_t end = kBlock - 1; end < m; ++end) {  // `end`: the block's last byte
            std::uint8_t& s = shift_[hash(p + end + 1 - kBlock)];
            s = std::min<std::uint8_t>(s, static_cast<std::uint8_t>(m - 1 - end));
        }
        ++count[hash(p + m - kBlock) + 1];
    }
    bucketStart_.assign(slots + 1, 0);
    for (std::size_t h = 0; h < slots; ++h) bucketStart_[h + 1] = bucketStart_[h] + count[h + 1];
    bucketIds_.resize(ids.size());
    std::vector<std::uint32_t> fill(bucketStart_.begin(), bucketStart_.end() - 1);
    for (std::uint32_t id : ids)
        bucketIds_[fill[hash(reinterpret_cast<const unsigned char*>(names[id].data()) + m - kBlock)]++] = id;
}

// The names that start at `start` (the window's first byte).
void NameShiftTable::verify(const unsigned char* t, std::size_t n, std::size_t start, std::uint32_t h,
                            const std::vector<std::string>& names, NameHits& hits) const {
    for (std::uint32_t k = bucketStart_[h]; k < bucketStart_[h + 1]; ++k) {
        const std::string& name = names[bucketIds_[k]];
        if (name.size() <= n - start && std::memcmp(t + start, name.data(), name.size()) == 0)
            hits.mark(bucketIds_[k]);
    }
}

// One window position: how far the window ending at i moves on.
std::size_t NameShiftTable::step(const unsigned char* t, std::size_t n, std::size_t i,
                                 const std::vector<std::string>& names, NameHits& hits) const {
    const std::uint32_t h = hash(t + i + 1 - kBlock);
    if (const std::uint8_t s = shift_[h]) return s;
    verify(t, n, i + 1 - window_, h, names, hits);
    return 1;
}

void NameShiftTable::search(std::string_view text, const std::vector<std::string>& names, NameHits& hits) const {
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size(), m = window_;
    if (n < m) return;
    // Four windows move through four parts of the text at once: each step
    // waits on the table, so independent steps overlap. Part k holds the
    // windows that start in [k * part, (k + 1) * part).
    constexpr std::size_t kLanes = 4;
    const std::size_t starts = n - m + 1, part = (starts + kLanes - 1) / kLanes;
    std::size_t at[kLanes], end[kLanes];
    for (std::size_t k = 0; k < kLanes; ++k) {
        at[k] = std::min(k * part, starts) + m - 1;
        end[k] = std::min((k + 1) * part, starts) + m - 1;
    }
    while (at[0] < end[0] && at[1] < end[1] && at[2] < end[2] && at[3] < end[3] && !hits.complete())
        for (std::size_t k = 0; k < kLanes; ++k) at[k] += step(t, n, at[k], names, hits);
    for (std::size_t k = 0; k < kLanes; ++k)
        while (at[k] < end[k] && !hits.complete()) at[k] += step(t, n, at[k], names, hits);
}

}  // namespace rw
