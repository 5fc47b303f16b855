#pragma once
// Where a time of the old cut lies now: the first event (in list order) whose
// old range [sourceIn, sourceOut) holds it moves it by masterIn - sourceIn.

#include "core/Edit.h"

#include <cstdint>
#include <optional>

namespace rw {

enum class OldRange {
    Full,        // the events' source times as they are
    WithinHour,  // each source time less its own hours (footages count from the hour)
};

// The time's new frame count; nullopt when no event holds it.
std::optional<std::int64_t> movedFrames(const EditArray& events, std::int64_t frames, OldRange range = OldRange::Full);

}  // namespace rw
