#pragma once
// One clip item of a Final Cut Pro XML sequence while it is being read, and
// the arithmetic that places it on the main sequence's timeline.
//
// A start or end of -1 means the clip item begins or ends inside a
// transition. A clip item inside a nested sequence is placed through every
// clip item that encloses it, from the innermost outward:
//
//   nested sequence   |--------|pIn=====used=====pOut|--------|
//   inner clip item          start|=======|end
//   main sequence               pStart|====...====|pEnd
//
// A clip item outside the used part gives no event; one that reaches past
// either end is cut there.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rw {

struct FcpClipItem {
    std::optional<std::int64_t> transitionStart, transitionEnd;  // a transition before it
    std::optional<std::string> fileID;
    std::string enabled;
    std::optional<std::string> clipname;
    std::int64_t in = 0, out = 0, start = 0, end = 0, startOffset = 0;
};

// Source in/out and master start/end of a placed clip item, in frames.
struct FcpPlacement {
    std::int64_t in, out, start, end;
};

// Resolves a -1 start (the cut at the transition's start, or at its end when
// `afterTransitionEnd`) and a -1 end (start plus the clip's length).
FcpPlacement resolveTransitions(const FcpClipItem& item, bool afterTransitionEnd);

// Places `item` through the enclosing clip items (outermost first, as they
// are stacked). nullopt when it lies outside the part of a nested sequence
// that is used. `earlierEvents`: the sequence already has finished events.
std::optional<FcpPlacement> placeClipItem(const FcpClipItem& item, const std::vector<FcpClipItem>& enclosing,
                                          bool earlierEvents);

}  // namespace rw
