#pragma once
// The relative change note: list C re-expressed, in reading order through the
// new cut, as inserts and deletes with the running total of the change. The
// same steps feed the relative Euphonix change list.

#include "core/Edit.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rw {

// Why a list cannot be written as relative steps.
enum class RelativeOrder { Fine, ReorderedShots, OverlappingOrReusedShots };

RelativeOrder checkRelativeOrder(const EditArray& listC);
// The alert texts for a refused list.
inline constexpr const char* kChangeNoteError = "change note creation error";
std::string relativeOrderText(RelativeOrder problem);

// Sorted by masterIn, then masterOut; equal keys keep their list order.
EditArray sortedByMaster(const EditArray& events);

struct RelativeStep {
    bool insert = true;
    TcPtr position;             // where, in the new cut
    std::int64_t length = 0;    // frames inserted or removed; only >= 1 is written
    std::int64_t total = 0;     // the running total after this step
};

// Every step of the sorted events, also those of length zero or less (they
// still move the running total).
std::vector<RelativeStep> relativeSteps(const EditArray& sorted);

// The note's timebase: the rate label of the first sorted event's source in.
std::string relativeTimebase(const EditArray& sorted);

// The note's text; feet and frames when `feetFrames`, else timecode.
std::string relativeNoteText(const EditArray& listC, bool feetFrames);

}  // namespace rw
