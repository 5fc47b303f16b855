#pragma once
// Where a time of the old cut lies now: the first event (in list order) whose
// old range [sourceIn, sourceOut) holds it moves it by masterIn - sourceIn.

#include "core/Edit.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace rw {

enum class OldRange {
    Full,        // the events' source times as they are
    WithinHour,  // each source time less its own hours (footages count from the hour)
};

// A source time as the old range is read.
std::int64_t oldFrames(const KLVtc& tc, OldRange range);

// The events' old ranges cut into pieces, each owned by the first event in
// list order that holds it, so that a file of many times costs a binary
// search per time instead of a pass over the list.
class ChangeIndex {
public:
    ChangeIndex(const EditArray& events, OldRange range = OldRange::Full);

    // The time's new frame count; nullopt when no event holds it.
    std::optional<std::int64_t> movedFrames(std::int64_t frames) const;

private:
    struct Piece {
        std::int64_t from;   // reaches up to the next piece's start
        std::int64_t shift;  // masterIn - sourceIn of the owner
        bool held;
    };
    std::vector<Piece> pieces_;  // ascending by `from`
};

}  // namespace rw
