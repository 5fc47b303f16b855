#include "import/NameAutomaton.h"

#include <deque>
#include <limits>

namespace rw {

namespace {
constexpr std::uint32_t kEnds = 0x80000000u;
constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
}  // namespace

NameAutomaton::NameAutomaton(const std::vector<std::string>& names, const std::vector<std::uint32_t>& ids) {
    for (std::uint32_t id : ids)
        for (unsigned char c : names[id])
            if (byteClass_[c] == 0) byteClass_[c] = static_cast<std::uint8_t>(classes_++);
    const std::uint32_t C = classes_;

    std::vector<std::uint32_t> go(C, kNone);  // the trie, then the full automaton
    outputs_.emplace_back();
    for (std::uint32_t id : ids) {
        std::uint32_t s = 0;
        for (unsigned char c : names[id]) {
            const std::size_t at = std::size_t{s} * C + byteClass_[c];
            if (go[at] == kNone) {
                go[at] = static_cast<std::uint32_t>(outputs_.size());
                outputs_.emplace_back();
                go.resize(go.size() + C, kNone);
            }
            s = go[at];
        }
        outputs_[s].push_back(id);
    }

    std::vector<std::uint32_t> fail(outputs_.size(), 0);
    outLink_.assign(outputs_.size(), 0);
    std::deque<std::uint32_t> queue;
    for (std::uint32_t c = 0; c < C; ++c) {
        if (go[c] == kNone) go[c] = 0;
        else queue.push_back(go[c]);
    }
    while (!queue.empty()) {  // breadth first: a state's fail state is complete before it
        const std::uint32_t r = queue.front();
        queue.pop_front();
        for (std::uint32_t c = 0; c < C; ++c) {
            std::uint32_t& u = go[std::size_t{r} * C + c];
            const std::uint32_t viaFail = go[std::size_t{fail[r]} * C + c];
            if (u == kNone) {
                u = viaFail;
                continue;
            }
            fail[u] = viaFail;
            outLink_[u] = outputs_[viaFail].empty() ? outLink_[viaFail] : viaFail;
            queue.push_back(u);
        }
    }

    next_.resize(go.size());
    for (std::size_t i = 0; i < go.size(); ++i) {
        const std::uint32_t to = go[i];
        const bool ends = !outputs_[to].empty() || outLink_[to] != 0;
        next_[i] = to * C | (ends ? kEnds : 0);
    }
}

void NameAutomaton::search(std::string_view text, NameHits& hits, std::vector<bool>& reported) const {
    const std::uint32_t* next = next_.data();
    const std::uint8_t* cls = byteClass_;
    std::uint32_t state = 0;
    for (unsigned char c : text) {
        state = next[state + cls[c]];
        if (!(state & kEnds)) continue;
        state &= ~kEnds;
        report(state / classes_, hits, reported);
        if (hits.complete()) return;
    }
}

void NameAutomaton::report(std::uint32_t s, NameHits& hits, std::vector<bool>& reported) const {
    // Every state along a suffix chain is handled the first time it is reached.
    for (; s != 0 && !reported[s]; s = outLink_[s]) {
        reported[s] = true;
        for (std::uint32_t id : outputs_[s]) hits.mark(id);
    }
}

}  // namespace rw
