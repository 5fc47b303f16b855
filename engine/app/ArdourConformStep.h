#pragma once
// The conform command for the conform type "Ardour session": the session
// file is chosen in the open panel (in "confPath"), the conform prepared and
// confirmed with the events to move and those refused. The run itself
// (runArdourConform) is the caller's, off the main thread.

#include "app/ConformCommand.h"

#include <string>

namespace rw {

struct ArdourOptions {
    std::string snapshot;  // empty: the NEW list's name
    std::string timebase;  // empty: the session's own
};

// `events` as listed (not converted).
ConformOutcome conformArdourSession(conformController& c, const EditArray& events, ArdourHost* host,
                                    const ArdourOptions& options = {});

// The NEW list's name (or, for a change list read from a file, the NEW side
// of its name), as a snapshot name: the default for the new snapshot.
std::string defaultSnapshotName(conformController& c);

}  // namespace rw
