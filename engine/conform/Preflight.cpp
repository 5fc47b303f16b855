#include "conform/Preflight.h"

#include "comparison/Timebase.h"
#include "core/Text.h"

#include <algorithm>
#include <limits>

namespace rw {

namespace {

KLVtc valueOf(const TcPtr& tc) { return tc ? *tc : KLVtc(); }

// The same time value moved to another frame count.
KLVtc movedTo(const KLVtc& like, std::int64_t frames) {
    KLVtc t = like;
    t.setTotalFrames(wrap32(frames));
    return t;
}

// 24:00:00:00 at the time's rate, in frames.
std::int64_t dayOf(const KLVtc& t) {
    TcPtr day = KLVtc::initWithString("24:00:00:00", t.timebase());
    return day ? day->totalFrames() : std::numeric_limits<std::int32_t>::max();
}

bool meet(const KLVtc& in1, const KLVtc& out1, const KLVtc& in2, const KLVtc& out2) {
    return in1.totalFrames() < out2.totalFrames() && in2.totalFrames() < out1.totalFrames();
}

enum class Fault { None, AcrossMidnight, EmptyOld, SpeedChange, BeforeStart };

Fault faultOf(const edit& unconverted, const ConformEvent& e, const std::optional<std::int64_t>& start) {
    const std::int64_t oldLength = std::int64_t{framesOf(unconverted.sourceOut())} - framesOf(unconverted.sourceIn());
    const std::int64_t newLength = std::int64_t{framesOf(unconverted.masterOut())} - framesOf(unconverted.masterIn());
    const std::int64_t day = dayOf(e.masterIn);
    if (oldLength < 0 || newLength < 0 || e.sourceOut.totalFrames() > day || e.masterOut.totalFrames() > day)
        return Fault::AcrossMidnight;
    if (oldLength == 0 || e.sourceOut.totalFrames() <= e.sourceIn.totalFrames()) return Fault::EmptyOld;
    if (oldLength != newLength) return Fault::SpeedChange;
    if (start && (e.sourceIn.totalFrames() < *start || e.masterIn.totalFrames() < *start)) return Fault::BeforeStart;
    return Fault::None;
}

// Who cuts, and which pastes land on material a later event still copies
// (the first such event of each paste is named).
void planEdits(ConformPlan& plan, bool cutMode) {
    ConformEvents& ev = plan.events;
    for (std::size_t k = 0; k < ev.size(); ++k) {
        ev[k].cut = cutMode;
        bool named = false;
        for (std::size_t j = 0; j < ev.size(); ++j) {
            if (j < k && meet(ev[k].sourceIn, ev[k].sourceOut, ev[j].masterIn, ev[j].masterOut)) ev[k].cut = false;
            if (j <= k) continue;
            if (meet(ev[k].sourceIn, ev[k].sourceOut, ev[j].sourceIn, ev[j].sourceOut)) ev[k].cut = false;
            if (!named && meet(ev[k].masterIn, ev[k].masterOut, ev[j].sourceIn, ev[j].sourceOut)) {
                plan.overwrites.emplace_back(ev[k].editNum, ev[j].editNum);
                named = true;
            }
        }
    }
}

// "001, 002, 003", the first twenty and the count of the rest.
std::string numbers(const std::vector<std::string>& nums) {
    constexpr std::size_t shown = 20;
    std::string out;
    for (std::size_t i = 0; i < nums.size() && i < shown; ++i) out += (i ? ", " : "") + nums[i];
    if (nums.size() > shown) out += " and " + std::to_string(nums.size() - shown) + " more";
    return out;
}

std::string overwriteLines(const ConformPlan& plan) {
    std::vector<std::string> pairs;
    for (const auto& [pasting, copying] : plan.overwrites) pairs.push_back(pasting + " over " + copying);
    return "these pastes land on old material a later event still has to copy: " + numbers(pairs) + "\n";
}

std::string skipNotes(const ConformPlan& plan) {
    std::string notes;
    auto note = [&notes](const std::vector<std::string>& nums, const std::string& what, const std::string& after) {
        if (!nums.empty()) notes += "\nNOTE: " + what + " and will be skipped: " + numbers(nums) + after + "\n";
    };
    note(plan.acrossMidnight, "these events have a range that crosses midnight (24:00:00:00) or runs backwards",
         ". use the small arrow buttons to nudge the timecodes up or down an hour.");
    note(plan.emptyOld, "these events have an empty old range", "");
    note(plan.speedChanges, "these events change speed (their old and new lengths differ)",
         ". please conform them by hand.");
    note(plan.beforeStart, "these events lie before the session start (" + plan.sessionStart + ")", "");
    return notes;
}

}  // namespace

ConformPlan planProToolsConform(const EditArray& events, const std::string& timebase, bool cutMode,
                                const std::optional<std::string>& sessionStart) {
    const EditArray converted = convertTimebaseForArray(events, timebase);
    ConformPlan plan;
    if (sessionStart) plan.sessionStart = *sessionStart;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const edit& c = *converted[i];
        ConformEvent e{events[i]->editNum(), valueOf(c.sourceIn()), valueOf(c.sourceOut()), valueOf(c.masterIn()),
                       valueOf(c.masterOut())};
        // Each end rounds on its own; the old range takes the new one's length
        // so that every new frame is conformed.
        e.sourceOut = movedTo(e.sourceIn, std::int64_t{e.sourceIn.totalFrames()} + e.masterOut.totalFrames() -
                                              e.masterIn.totalFrames());
        std::optional<std::int64_t> start;
        if (sessionStart)
            if (TcPtr s = KLVtc::initWithString(*sessionStart, e.sourceIn.timebase())) start = s->totalFrames();
        switch (faultOf(*events[i], e, start)) {
        case Fault::AcrossMidnight: plan.acrossMidnight.push_back(e.editNum); break;
        case Fault::EmptyOld: plan.emptyOld.push_back(e.editNum); break;
        case Fault::SpeedChange: plan.speedChanges.push_back(e.editNum); break;
        case Fault::BeforeStart: plan.beforeStart.push_back(e.editNum); break;
        case Fault::None: plan.events.push_back(std::move(e)); break;
        }
    }
    planEdits(plan, cutMode);
    return plan;
}

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
    // Either end of the new span inside the old span, or the new span around it.
    return minMasterIn < maxSourceOut && minSourceIn < maxMasterOut;
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

std::string proToolsPreflightNotes(const EditArray& events, WorkstationHost& host, const ConformPlan& plan) {
    std::string notes;
    if (copyAndPasteTimesOverlap(events)) {
        notes += "\nNOTE: your copy and paste times appear to be overlapping. use the small arrow buttons to nudge the "
                 "timecodes up or down an hour.\n";
        if (!plan.overwrites.empty()) notes += overwriteLines(plan);
    }
    const std::string skipped = skipNotes(plan);
    notes += skipped;
    if (!skipped.empty() && plan.events.empty()) notes += "\nNOTE: no event is left to conform.\n";
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
