#pragma once
// The Lua program that has Ardour carry out a plan: in Ardour's headless
// Lua interpreter it loads the session, checks every region against the
// file as the plan read it, gives each audio track a new playlist (the old
// one stays with the track), clones the pieces into it cut at the event
// edges, moves the track automation, all inside one reversible command,
// and saves the new snapshot. Its output lines start with "RW ":
//
//   RW PROGRESS DONE TOTAL   after each piece placed and each automation list moved
//   RW DONE                  the snapshot is saved
//   RW ERROR MESSAGE         nothing was saved

#include "ardour/ArdourPlan.h"

#include <string>

namespace rw {

struct ArdourScriptInput {
    std::string folder;        // the session folder
    std::string snapshotRead;  // the snapshot loaded (its name without ".ardour")
    std::string snapshot;      // the snapshot written
    std::int64_t sampleRate = 0;
};

std::string ardourConformScript(const ArdourScriptInput& in, const ArdourPlan& plan);

// A Lua string literal holding the bytes of `text`.
std::string luaString(const std::string& text);

}  // namespace rw
