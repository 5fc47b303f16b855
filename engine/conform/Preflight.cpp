#include "conform/Preflight.h"

#include "core/Text.h"

#include <algorithm>
#include <limits>

namespace rw {

bool copyAndPasteTimesOverlap(const EditArray& events) {
    if (events.empty()) return false;
    std::int32_t minMasterIn = std::numeric_limits<std::int32_t>::max(), minSourceIn = minMasterIn;
    std::int32_t maxMasterOut = std::numeric_limits<std::int32_t>::min(), maxSourceOut = maxMasterOut;
    for (const auto& e : events) {
        minMasterIn = std::min(minMasterIn, framesOf(e->masterIn()));
        minSourceIn = std::min(minSourceIn, framesOf(e->sourceIn()));
        maxMasterOut = std::max(maxMasterOut, framesOf(e->masterOut()));
        maxSourceOut = std::max(maxSourceOut, framesOf(e->sourceOut()));
    }
    if (minSourceIn <= minMasterIn && minMasterIn < maxSourceOut) return true;
    return minSourceIn < maxMasterOut && maxMasterOut <= maxSourceOut;
}

std::optional<LaunchedApplication> findProTools(const WorkstationHost& host) {
    std::optional<LaunchedApplication> found;
    for (const auto& app : host.launchedApplications())
        if (app.name.size() >= 9 && app.name.compare(0, 9, "Pro Tools") == 0) found = app;
    return found;
}

const std::string& automationFollowsEditScript() {
    static const std::string script =
        "tell application \"Finder\"\n"
        "tell application \"System Events\"\n"
        "set PT to the first application process whose creator type is \"PTul\"\n"
        "tell PT\n"
        "tell menu bar 1\n"
        "if menu bar item \"Options\" exists then\n"
        "tell menu bar item \"Options\"\n"
        "tell menu \"Options\"\n"
        "set RET to the value of attribute \"AXMenuItemMarkChar\" of menu item \"Automation Follows Edit\"\n"
        "end tell\n"
        "end tell\n"
        "end if\n"
        "end tell\n"
        "end tell\n"
        "end tell\n"
        "end tell";
    return script;
}

std::string proToolsPreflightNotes(const EditArray& events, WorkstationHost& host) {
    std::string notes;
    if (copyAndPasteTimesOverlap(events))
        notes += "\nNOTE: your copy and paste times appear to be overlapping. use the small arrow buttons to nudge the "
                 "timecodes up or down an hour.\n";
    if (!findProTools(host)) notes += "\nNOTE: can't seem to find Pro Tools. is it open?\n";
    if (host.accessibilityEnabled()) {
        // No mark (no result, or nothing but white space) means the item is off.
        auto mark = host.runScript(automationFollowsEditScript());
        if (!mark || trimWhitespace(*mark).empty())
            notes += "\nNOTE: you appear to have 'Automation Follows Edit' switched OFF\n";
    } else {
        notes += "\nNOTE: you appear to have Universal Access switched off. we recommend checking 'Enable access for "
                 "assistive devices' in the Universal Access pane of System Preferences\n";
    }
    return notes;
}

}  // namespace rw
