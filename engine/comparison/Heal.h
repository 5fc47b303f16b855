#pragma once
// Healing a list of change events, and renumbering.
//
// Overlap pass (NEW master time), sorted by masterIn:
//
//     prev |=======|            prev |=======|         prev |=============|
//     cur       |=====|   ->    cur         |===|      cur     |===|   -> cur dropped
//     (the shorter one loses the overlap, on both its OLD and NEW side)
//
// Join pass: neighbours that keep the same displacement (masterIn - sourceIn)
// become one "healed" event, as far as the ferocity allows:
//
//     OLD  |A|   |B|           OLD  |A.......B|
//     NEW    |A|   |B|   ->    NEW    |A.......B|     ("aggressive")
//
// "normal" joins only touching or overlapping neighbours; "forceful" also
// joins across a gap that no event of the NEW list reaches into.

#include "core/Edit.h"

#include <string>

namespace rw {

// Sorts `events` in place by masterIn then masterOut, changes its events in
// place, and returns the healed list in NEW time order. `newList` is the whole
// NEW list, read by the "forceful" gap test.
EditArray healArray(EditArray& events, const std::string& aggression, const EditArray& newList);

// Numbers the events 001, 002, ... in array order (at least three digits).
void renumberArray(const EditArray& events);
std::string eventNumberText(std::size_t n);

// Stable sort by masterIn, then masterOut.
void sortByMasterTimes(EditArray& events);

}  // namespace rw
