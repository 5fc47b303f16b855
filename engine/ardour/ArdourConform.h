#pragma once
// The conform of an Ardour session to the change list, from the session file
// to the checked new snapshot: what is refused before anything runs, the
// confirmation, the run in Ardour's headless Lua, and the check of what
// Ardour saved. The snapshot read and every audio file stay as they are; a
// refusal or a failed run leaves the session folder as it was.

#include "ardour/ArdourPlan.h"
#include "conform/ConformAlert.h"
#include "core/Outcome.h"
#include "ports/ArdourHost.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rw {

struct ArdourRequest {
    std::string sessionPath;  // the snapshot read, NAME.ardour
    std::string snapshot;     // the name of the snapshot written
    std::string timebase;     // the conform timebase; empty: the session's own
    EditArray events;         // the change events as listed
};

struct ArdourJob {
    std::string refusal;  // non-empty: nothing may run, and why
    std::string sessionPath, folder, snapshotRead, snapshot, snapshotPath;
    std::optional<ArdourTool> tool;
    ArdourSession session;
    ArdourClock clock;
    std::string listTimebase;
    std::size_t readHash = 0;  // of the snapshot read, to see that it stayed as it was
    ArdourPlan plan;
};

ArdourJob prepareArdourConform(const ArdourRequest& request, const std::optional<ArdourTool>& tool);

// "conform Ardour session?" with the events to move, those refused and the notes.
ConformAlert ardourConfirmation(const ArdourJob& job);

using ArdourProgress = std::function<void(int done, int total)>;

// Runs a job that was not refused. `progress` may be empty. Success: the new
// snapshot is saved and holds what was planned; failure: the session folder
// is as it was.
Outcome<> runArdourConform(const ArdourJob& job, ArdourHost& host, const ArdourProgress& progress);

// One line per change event ("001 conformed OLD ... NEW ..., 3 regions"), and
// the closing summary.
std::vector<std::string> ardourEventLines(const ArdourJob& job);
std::string ardourSummary(const ArdourJob& job, const Outcome<>& result);

// How to get Ardour when none is installed.
extern const char* const kInstallArdour;

}  // namespace rw
