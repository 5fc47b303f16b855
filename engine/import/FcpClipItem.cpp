#include "import/FcpClipItem.h"

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

std::optional<FcpPlacement> placeClipItem(const FcpClipItem& item, const std::vector<FcpClipItem>& enclosing,
                                          bool earlierEvents) {
    FcpPlacement p = resolveTransitions(item, earlierEvents);
    for (auto it = enclosing.rbegin(); it != enclosing.rend(); ++it) {
        const FcpPlacement parent = resolveTransitions(*it, true);
        if (p.end <= parent.in || p.start >= parent.out) return std::nullopt;
        if (p.start <= parent.in) {
            p.in += parent.in - p.start;
            p.start = parent.start;
        } else {
            p.start = p.start + parent.start - parent.in;
        }
        if (p.end >= parent.out) {
            p.out -= p.end - parent.out;
            p.end = parent.end;
        } else {
            p.end = p.end + parent.start - parent.in;
        }
    }
    return p;
}

}  // namespace rw
