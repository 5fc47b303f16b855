#pragma once
// Re-expressing event lists in another timebase.
//
// convertTimebaseForArray() works by real time. Seconds stay, frame counts scale by
// target / nominal rate (a drop-frame time counts at its nominal 30 or 60).
//
// translate25To24 ("PAL film"): 25 fps lists whose frames stand one for one
// for 24 fps frames. Frame counts stay and are re-labelled at 24 fps:
//
//   REELS        each master time keeps its hour; the frames within the hour
//                are re-labelled (so the last 144 s of a 25 fps hour spill
//                into the next 24 fps hour)
//   CONTINUOUS   the whole list is anchored at its first master-in label and
//                every later time keeps its frame distance from it

#include "core/Edit.h"

#include <string>

namespace rw {

// New events with every time converted to `targetRate` ("24", "29.97df", ...).
EditArray convertTimebaseForArray(const EditArray& events, const std::string& targetRate);

// Changes the events' times in place; CONTINUOUS mode also sorts by masterIn.
void translate25To24(EditArray& events, bool reelsMode);

}  // namespace rw
