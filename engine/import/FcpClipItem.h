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

#include <cstddef>
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

// The open clip items, outermost first. Each level's placement is composed
// once with the levels around it, so placing a clip item costs a binary
// search over the levels instead of a walk through every one of them, and a
// deeply nested file reads in near-linear time.
class FcpClipItemStack {
public:
    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }
    void push(FcpClipItem item);
    FcpClipItem pop();
    // The innermost open clip item, to be filled in; its level is composed
    // again when a clip item inside it is placed.
    FcpClipItem& top();

    // Places `item` through every open clip item, from the innermost
    // outward. nullopt when it lies outside the part of a nested sequence
    // that is used. `earlierEvents`: the sequence already has finished events.
    std::optional<FcpPlacement> place(const FcpClipItem& item, bool earlierEvents);

private:
    // Running extremes of a run of levels.
    struct Window {
        std::int64_t maxIn, minOut;
    };
    // What becomes of an end cut at a level on its way through the outer levels.
    struct Tail {
        bool outside;
        std::int64_t end, cut;
    };
    // All levels' times are compared in one frame: a time inside a level
    // plus the shifts (start - in) of that level and every level around it.
    // There a time that passes a level uncut keeps its value, a start before
    // a level's in rises to it, and an end at or past a level's out is cut to
    // the level's end.
    struct Level {
        std::int64_t shift;        // the sum of the shifts of this and every outer level
        std::int64_t in, out;      // the used part, in that frame
        Window outer;              // extremes over this and every outer level
        bool crossed;              // an inner level's used part starts after an outer one's ends
        Tail tail;                 // an end cut at this level
        std::vector<Window> runs;  // extremes over the 2^k levels ending here
    };
    void compose();
    Level composed(std::size_t at) const;
    // The innermost of the first `levels` levels at which an end `e`
    // (shifted) lies before the used part or is cut; nullopt when none.
    std::optional<std::size_t> stopOfEnd(std::size_t levels, std::int64_t e) const;
    Tail endThrough(std::size_t levels, std::int64_t e) const;

    std::vector<FcpClipItem> items_;
    std::vector<Level> levels_;  // composed levels, an innermost part may be missing
};

}  // namespace rw
