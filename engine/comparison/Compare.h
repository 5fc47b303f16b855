#pragma once
// Matching an OLD list against a NEW list into change events.
//
// For every NEW event N and every OLD event O carrying the same material (same
// clip name, or same VFX scene and shot) whose source ranges overlap:
//
//     OLD source   |-------O-------|          OLD master  ....|===O===|....
//     NEW source        |----N----|      ->   the part of O's master range
//                                             that N uses, and where N puts it
//
// gives a candidate change event: sourceIn..sourceOut the OLD master range,
// masterIn..masterOut the NEW master range, both of the same length. One main
// candidate per NEW event is kept, plus any that lie wholly outside it.

#include "core/Edit.h"

#include <string>

namespace rw {

enum class CandidateOrder {
    Indexed,  // OLD events found through an index by clip name and VFX shot
    Plain,    // every OLD event tried in turn (the reference; slow)
};

// Returns the change events in emission order; recolours the OLD and NEW
// events in place. Change-event times are made at `timebase`.
EditArray compareOldList(const EditArray& oldList, const EditArray& newList, const std::string& timebase,
                         CandidateOrder order = CandidateOrder::Indexed);

}  // namespace rw
