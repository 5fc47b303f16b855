#include "import/FcpClipItem.h"

#include <algorithm>
#include <bit>

namespace rw {

FcpPlacement resolveTransitions(const FcpClipItem& item, bool afterTransitionEnd) {
    const std::int64_t ts = item.transitionStart.value_or(0), te = item.transitionEnd.value_or(0);
    FcpPlacement p{item.in, item.out, item.start, item.end};
    if (p.start == -1) {
        if (afterTransitionEnd) {
            p.start = te;
            p.in += te - ts;  // the cut lies at the end of the transition
        } else {
            p.start = ts;
        }
    }
    if (p.end == -1) p.end = p.start + (p.out - p.in);
    return p;
}

void FcpClipItemStack::push(FcpClipItem item) { items_.push_back(std::move(item)); }

FcpClipItem FcpClipItemStack::pop() {
    FcpClipItem item = std::move(items_.back());
    items_.pop_back();
    if (levels_.size() > items_.size()) levels_.pop_back();
    return item;
}

FcpClipItem& FcpClipItemStack::top() {
    if (levels_.size() == items_.size()) levels_.pop_back();  // it may change
    return items_.back();
}

void FcpClipItemStack::compose() {
    while (levels_.size() < items_.size()) levels_.push_back(composed(levels_.size()));
}

// Within a level's used part a time moves by the level's shift; before it a
// start is held at the part's start (its in advanced), and from its end on an
// end becomes the level's end (its out cut back).
FcpClipItemStack::Level FcpClipItemStack::composed(std::size_t at) const {
    const FcpPlacement p = resolveTransitions(items_[at], true);
    const Level* outer = at > 0 ? &levels_[at - 1] : nullptr;
    const std::int64_t before = outer ? outer->shift : 0;
    Level l;
    l.shift = before + p.start - p.in;
    l.in = p.in + l.shift;
    l.out = p.out + l.shift;
    l.outer = outer ? Window{std::max(outer->outer.maxIn, l.in), std::min(outer->outer.minOut, l.out)}
                    : Window{l.in, l.out};
    l.crossed = outer && (outer->crossed || l.in >= outer->outer.minOut);
    l.tail = endThrough(at, p.end + before);
    l.runs.push_back({l.in, l.out});
    for (std::size_t w = 1; 2 * w <= at + 1; w *= 2) {
        const Window& inner = l.runs.back();
        const Window& outerRun = levels_[at - w].runs[l.runs.size() - 1];
        l.runs.push_back({std::max(inner.maxIn, outerRun.maxIn), std::min(inner.minOut, outerRun.minOut)});
    }
    return l;
}

std::optional<std::size_t> FcpClipItemStack::stopOfEnd(std::size_t levels, std::int64_t e) const {
    if (levels == 0) return std::nullopt;
    std::size_t i = levels;  // levels i and above pass e unchanged
    for (int k = std::bit_width(levels) - 1; k >= 0; --k) {
        const std::size_t w = std::size_t{1} << k;
        if (i < w) continue;
        const Window& run = levels_[i - 1].runs[static_cast<std::size_t>(k)];
        if (run.maxIn < e && e < run.minOut) i -= w;
    }
    if (i == 0) return std::nullopt;
    return i - 1;
}

FcpClipItemStack::Tail FcpClipItemStack::endThrough(std::size_t levels, std::int64_t e) const {
    const auto stop = stopOfEnd(levels, e);
    if (!stop) return {false, e, 0};
    const Level& l = levels_[*stop];
    if (e <= l.in) return {true, 0, 0};
    return {l.tail.outside, l.tail.end, e - l.out + l.tail.cut};
}

// The start only ever rises to the levels' starts, so its way out is the
// largest of them; the end stops at the innermost level that cuts it or
// leaves it outside, and that level's tail holds the rest of its way.
std::optional<FcpPlacement> FcpClipItemStack::place(const FcpClipItem& item, bool earlierEvents) {
    const FcpPlacement p = resolveTransitions(item, earlierEvents);
    if (items_.empty()) return p;
    compose();
    const Level& inner = levels_.back();
    const std::int64_t s = p.start + inner.shift;
    if (inner.crossed || s >= inner.outer.minOut) return std::nullopt;
    const Tail end = endThrough(levels_.size(), p.end + inner.shift);
    if (end.outside) return std::nullopt;
    const std::int64_t start = std::max(s, inner.outer.maxIn);
    return FcpPlacement{p.in + start - s, p.out - end.cut, start, end.end};
}

}  // namespace rw
