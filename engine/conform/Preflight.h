#pragma once
// The Pro Tools checks made before a conform is confirmed, and the plan the
// worker follows: the events it can type, in the conform timebase, and for
// each whether it may cut. Every finding is a note in the confirmation
// alert; events that cannot be conformed are named there and left out.

#include "core/Edit.h"
#include "core/KLVtc.h"
#include "ports/WorkstationHost.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rw {

// One change event as the worker types it: plain values, so the worker
// shares nothing with lists the main thread may change.
struct ConformEvent {
    std::string editNum;
    KLVtc sourceIn, sourceOut, masterIn, masterOut;
    bool cut = false;  // Cut instead of Copy
};
using ConformEvents = std::vector<ConformEvent>;

struct ConformPlan {
    ConformEvents events;
    // Left out, by event number.
    std::vector<std::string> acrossMidnight, emptyOld, speedChanges, beforeStart;
    std::string sessionStart;  // as the workstation shows it, when known
    // (event whose paste lands on old material, the first later event that
    // still has to copy it)
    std::vector<std::pair<std::string, std::string>> overwrites;
};

// `events` are the unconverted change events; the plan holds them converted
// to `timebase`, the old range as long as the new one. An event is left out
// when a range runs backwards or past 24:00:00:00 (an hour nudge across
// midnight), its old range is empty, its old and new lengths differ (a speed
// change), or it lies before the session start. In cut mode an event cuts
// only when no later event copies from its old range and no earlier event
// pasted into it; otherwise it copies.
ConformPlan planProToolsConform(const EditArray& events, const std::string& timebase, bool cutMode,
                                const std::optional<std::string>& sessionStart);

// The span of the old material and the span of the new positions overlap.
bool copyAndPasteTimesOverlap(const EditArray& events);

// The launched application whose name starts with "Pro Tools"; the last wins.
std::optional<LaunchedApplication> findProTools(const WorkstationHost& host);

// The script that reads the mark of "Options" > "Automation Follows Edit".
const std::string& automationFollowsEditScript();

// The notes of the checks, in order, for the unconverted events and their plan.
std::string proToolsPreflightNotes(const EditArray& events, WorkstationHost& host, const ConformPlan& plan = {});

}  // namespace rw
