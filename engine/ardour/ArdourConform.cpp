#include "ardour/ArdourConform.h"

#include "comparison/Timebase.h"
#include "core/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace rw {

namespace fs = std::filesystem;

const char* const kInstallArdour =
    "Ardour's headless tools are not installed: install Ardour 7 or newer (on Debian and Ubuntu: apt-get install "
    "ardour), which brings ardour7-lua";

namespace {

constexpr std::size_t kListedEvents = 20;  // the alert lists this many events to move, then counts the rest

std::string unreadable(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return "cannot read " + path + ": " + std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return "cannot read " + path + ": it is a folder; give the session's NAME.ardour file";
    return "cannot read " + path + ": it is not readable";
}

std::string versionText(std::pair<int, int> v) { return std::to_string(v.first) + "." + std::to_string(v.second); }

// Refusals that depend on the file and the installed Ardour.
std::string judgeSession(const ArdourSession& s, const std::optional<ArdourTool>& tool) {
    if (s.format < kOldestArdourFormat)
        return "it was saved by an Ardour older than 7 (session format " + std::to_string(s.format) +
               "): open it in Ardour 7 or newer and save it first";
    if (s.format > kNewestArdourFormat)
        return "it was saved by a newer Ardour than this conform supports (session format " + std::to_string(s.format) +
               "; it reads formats " + std::to_string(kOldestArdourFormat) + " to " + std::to_string(kNewestArdourFormat) + ")";
    if (!tool) return kInstallArdour;
    const auto saved = ardourVersion(s.savedBy);
    const auto installed = ardourVersion(tool->version);
    if (saved > installed)
        return "it was saved by Ardour " + versionText(saved) + ", newer than the installed Ardour " + versionText(installed);
    if (s.pulledUp) return "the session has a video pull-up or pull-down, so its timecode does not run with its samples";
    if (!s.musicTimeRegions.empty())
        return "region \"" + s.musicTimeRegions.front() +
               "\" is placed in bars and beats: lock it to audio time in Ardour and save the session first";
    for (const auto& t : s.tracks)
        if (!t.midi) return {};
    return "the session has no audio track";
}

std::string judgeSnapshot(const std::string& folder, const std::string& name) {
    if (name.empty() || name.find_first_of("/\\:;") != std::string::npos || name.front() == '.')
        return "\"" + name + "\" cannot name a snapshot (empty, or holding / \\ : ; or a leading dot)";
    for (const char* ext : {".ardour", ".history", ".pending"}) {
        std::error_code ec;
        if (fs::exists(fs::path(folder) / (name + ext), ec))
            return "a snapshot named \"" + name + "\" already exists in " + folder + ": it is never overwritten; give another name";
    }
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return "the session folder " + folder + " is read-only (" + std::strerror(errno) + "): nothing can be written there";
    return {};
}

std::string eventRanges(const PlannedEvent& p) {
    const edit& e = *p.shown;
    return "OLD " + describe(e.sourceIn()) + "-" + describe(e.sourceOut()) + " NEW " + describe(e.masterIn()) + "-" +
           describe(e.masterOut());
}

ArdourJob refused(ArdourJob& job, std::string why) {
    job.refusal = std::move(why);
    return std::move(job);
}

std::string regionCount(int n) { return std::to_string(n) + (n == 1 ? " region" : " regions"); }

}  // namespace

ArdourJob prepareArdourConform(const ArdourRequest& request, const std::optional<ArdourTool>& tool) {
    ArdourJob job;
    job.tool = tool;
    job.sessionPath = request.sessionPath;
    const fs::path path(request.sessionPath);
    job.folder = path.parent_path().empty() ? "." : path.parent_path().string();
    job.snapshotRead = path.stem().string();
    job.snapshot = request.snapshot;
    job.snapshotPath = (fs::path(job.folder) / (request.snapshot + ".ardour")).string();
    const auto bytes = readFileBytes(request.sessionPath);
    if (!bytes) return refused(job, unreadable(request.sessionPath));
    if (path.extension() != ".ardour")
        return refused(job, request.sessionPath + " is not an Ardour session: its name does not end in .ardour");
    Outcome<ArdourSession> read = readArdourSession(bytes.value);
    if (!read) return refused(job, request.sessionPath + " is not an Ardour session: " + read.error);
    job.session = std::move(read.value);
    job.readHash = std::hash<std::string>{}(bytes.value);
    const ArdourSession& s = job.session;
    if (std::string why = judgeSession(s, tool); !why.empty()) return refused(job, why);
    const auto clock = ardourClock(s.timecodeFormat, s.sampleRate, s.timecodeOffset, s.timecodeOffsetNegative);
    if (!clock)
        return refused(job, "the session's timecode format (" + s.timecodeFormat +
                             ") is not one this conform places: 23.976, 24, 25, 29.97, 29.97df, 30, 59.94 or 60");
    job.clock = *clock;
    if (!request.timebase.empty() && request.timebase != clock->timebase())
        return refused(job, "the session counts timecode at " + clock->timebase() + " fps: conforming at " +
                             request.timebase + " would place every event at another time");
    if (std::string why = judgeSnapshot(job.folder, request.snapshot); !why.empty()) return refused(job, why);
    if (request.events.empty()) return refused(job, "the change list holds no events");
    if (const TcPtr& first = request.events.front()->sourceIn()) job.listTimebase = first->framerateString();
    const EditArray converted = convertTimebaseForArray(request.events, clock->timebase());
    job.plan = planArdourConform(s, *clock, request.events, converted, request.snapshot);
    if (job.plan.refused() == static_cast<int>(job.plan.events.size()))
        job.refusal = "no event of the change list can be conformed";
    return job;
}

ConformAlert ardourConfirmation(const ArdourJob& job) {
    std::string text = "please check the details below\n\nsession - " + job.sessionPath + "\nnew snapshot - " +
                       job.snapshot + "\ntimebase - " + job.clock.timebase() + " (the session's timecode)\n";
    std::string note = timebaseNote(job.listTimebase, job.clock.timebase());
    if (const auto at = note.find("the Pro Tools framerate"); at != std::string::npos)
        note.replace(at, 23, "the session's timecode format");  // the drop-frame follow-up speaks of Pro Tools
    text += note;
    const ArdourPlan& plan = job.plan;
    const int moving = static_cast<int>(plan.events.size()) - plan.refused();
    text += "\nevents to move: " + std::to_string(moving) + " on " + std::to_string(plan.tracks.size()) +
            (plan.tracks.size() == 1 ? " audio track\n" : " audio tracks\n");
    std::size_t listed = 0;
    for (const auto& p : plan.events) {
        if (p.fate == EventFate::Refused || listed++ >= kListedEvents) continue;
        text += p.shown->editNum() + "  " + eventRanges(p) + "  " +
                (p.fate == EventFate::Silence ? std::string("silence") : regionCount(p.pieces)) + "\n";
    }
    if (static_cast<std::size_t>(moving) > kListedEvents)
        text += "... and " + std::to_string(moving - static_cast<int>(kListedEvents)) + " more\n";
    if (plan.refused() > 0) {
        text += "\nrefused:\n";
        for (const auto& p : plan.events)
            if (p.fate == EventFate::Refused) text += p.shown->editNum() + "  " + p.why + "\n";
    }
    for (const auto& p : plan.events)
        if (p.fate != EventFate::Refused && !p.why.empty()) text += "\nNOTE: event " + p.shown->editNum() + ": " + p.why + "\n";
    for (const auto& note : plan.notes) text += "\nNOTE: " + note + "\n";
    return {"conform Ardour session?", text};
}

std::vector<std::string> ardourEventLines(const ArdourJob& job) {
    std::vector<std::string> lines;
    for (const auto& p : job.plan.events) {
        std::string line = p.shown->editNum() + " ";
        if (p.fate == EventFate::Refused) line += "refused   " + eventRanges(p);
        else if (p.fate == EventFate::Silence) line += "silence   " + eventRanges(p);
        else line += "conformed " + eventRanges(p) + ", " + regionCount(p.pieces);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string ardourSummary(const ArdourJob& job, const Outcome<>& result) {
    if (!result) return "nothing written: " + result.error;
    const ArdourPlan& plan = job.plan;
    int silent = 0;
    for (const auto& p : plan.events) silent += p.fate == EventFate::Silence;
    const int moved = static_cast<int>(plan.events.size()) - plan.refused();
    return std::to_string(moved) + " of " + std::to_string(plan.events.size()) + " events conformed (" +
           std::to_string(silent) + " as silence, " + std::to_string(plan.refused()) + " refused) on " +
           std::to_string(plan.tracks.size()) + " audio tracks: " + job.snapshotPath;
}

}  // namespace rw
