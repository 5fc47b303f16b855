#pragma once
// Euphonix change lists (".cfm"): a 36-byte header and records of 18 bytes,
// every 32-bit word little-endian, times as frame counts times 100.

#include "core/Edit.h"

#include <string>

namespace rw {

// 0 for 24 fps, 1 for 25, 2 for 30 drop frame, 3 for 30, 0 for anything else.
int euphonixFrameRateCode(const TcPtr& sourceIn);

// One move (type 3) per event, sorted by masterIn then masterOut.
std::string euphonixMoveList(const EditArray& listC);
// The same moves as type 6, the source in split into its hours and the rest.
std::string euphonixRebalanceList(const EditArray& listC);
// The inserts (type 1) and deletes (type 0) of the relative change note; the
// caller makes the note's order checks first.
std::string euphonixRelativeList(const EditArray& listC);

}  // namespace rw
