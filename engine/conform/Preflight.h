#pragma once
// The Pro Tools checks made before a conform is confirmed. Each finding is a
// note in the confirmation alert, never a refusal.

#include "core/Edit.h"
#include "ports/WorkstationHost.h"

#include <optional>
#include <string>

namespace rw {

// The old material's range overlaps the start or the end of the new positions
// (a new range that encloses the whole old range is not reported).
bool copyAndPasteTimesOverlap(const EditArray& events);

// The launched application whose name starts with "Pro Tools"; the last wins.
std::optional<LaunchedApplication> findProTools(const WorkstationHost& host);

// The script that reads the mark of "Options" > "Automation Follows Edit".
const std::string& automationFollowsEditScript();

// The notes of the three checks, in order, for the unconverted events.
std::string proToolsPreflightNotes(const EditArray& events, WorkstationHost& host);

}  // namespace rw
