// The run of a prepared Ardour conform and the check of what Ardour saved.

#include "ardour/ArdourConform.h"
#include "ardour/ArdourScript.h"
#include "core/Files.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <tuple>

namespace rw {

namespace fs = std::filesystem;

namespace {

// Generous: Ardour starts in seconds and places thousands of regions a second.
std::chrono::seconds timeLimit(const ArdourPlan& plan) {
    return std::chrono::seconds(120 + plan.placedPieces() / 50);
}

std::set<std::string> entries(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.insert(it->path().filename().string());
    return names;
}

// What a failed run left of the new snapshot goes; nothing else is touched.
void removeLeftovers(const ArdourJob& job, const std::set<std::string>& before) {
    for (const auto& name : entries(job.folder)) {
        if (before.count(name) || name.rfind(job.snapshot + ".", 0) != 0) continue;
        std::error_code ec;
        fs::remove(fs::path(job.folder) / name, ec);
    }
}

struct Reading {
    bool done = false;
    std::string error;
};

// "RW PROGRESS d t", "RW DONE" and "RW ERROR message"; Ardour's own chatter is ignored.
void readLine(const std::string& line, Reading& r, const ArdourProgress& progress) {
    if (line.rfind("RW DONE", 0) == 0) r.done = true;
    else if (line.rfind("RW ERROR ", 0) == 0) r.error = line.substr(9);
    else if (line.rfind("RW PROGRESS ", 0) == 0 && progress) {
        int done = 0, total = 0;
        if (std::sscanf(line.c_str() + 12, "%d %d", &done, &total) == 2) progress(done, total);
    }
}

using RegionKey = std::tuple<std::int64_t, std::int64_t, std::int64_t>;  // position, length, start

std::multiset<RegionKey> planned(const TrackPlan& t) {
    std::multiset<RegionKey> keys;
    for (const auto& p : t.pieces)
        keys.insert({p.newPosition, p.to - p.from, p.region.start + (p.from - p.region.position)});
    return keys;
}

std::multiset<RegionKey> saved(const ArdourPlaylist& pl) {
    std::multiset<RegionKey> keys;
    for (const auto& r : pl.regions) keys.insert({r.position, r.length, r.start});
    return keys;
}

// Ardour has the last word: its saved snapshot must hold exactly the planned
// pieces in each track's new playlist, and still the old playlist.
Outcome<> checkSaved(const ArdourJob& job) {
    const auto bytes = readFileBytes(job.snapshotPath);
    if (!bytes) return Outcome<>::failure("Ardour reported the snapshot saved, but " + job.snapshotPath + " cannot be read");
    const Outcome<ArdourSession> read = readArdourSession(bytes.value);
    if (!read) return Outcome<>::failure("the snapshot Ardour saved cannot be read back: " + read.error);
    const ArdourSession& session = read.value;
    for (const auto& t : job.plan.tracks) {
        const auto it = std::find_if(session.tracks.begin(), session.tracks.end(),
                                     [&](const ArdourTrack& x) { return x.id == t.trackId; });
        const ArdourPlaylist* now = it == session.tracks.end() ? nullptr : session.playlist(it->playlistId);
        if (!now || it->playlistId == t.oldPlaylistId)
            return Outcome<>::failure("Ardour saved track \"" + t.trackName + "\" without its new playlist");
        if (saved(*now) != planned(t))
            return Outcome<>::failure("Ardour saved the new playlist of track \"" + t.trackName + "\" with " +
                                      std::to_string(now->regions.size()) + " regions other than the " +
                                      std::to_string(t.pieces.size()) + " planned");
        if (!session.playlist(t.oldPlaylistId))
            return Outcome<>::failure("Ardour saved track \"" + t.trackName + "\" without its old playlist");
    }
    return Outcome<>::success();
}

// Whether Ardour ran the script to its end and saved what was planned.
Outcome<> runOutcome(const ArdourJob& job, const ArdourRun& run, const Reading& reading, std::chrono::seconds limit) {
    if (!run.started) return Outcome<>::failure("Ardour's interpreter " + job.tool->path + " could not be started");
    if (run.timedOut)
        return Outcome<>::failure("Ardour did not finish within " + std::to_string(limit.count()) +
                                  " seconds and was stopped");
    if (!reading.error.empty()) return Outcome<>::failure(reading.error);
    if (!reading.done)
        return Outcome<>::failure("Ardour stopped without saving (exit status " + std::to_string(run.exitStatus) + ")" +
                                  (run.errorOutput.empty() ? "" : ": " + run.errorOutput));
    return checkSaved(job);
}

}  // namespace

Outcome<> runArdourConform(const ArdourJob& job, ArdourHost& host, const ArdourProgress& progress) {
    if (!job.refusal.empty()) return Outcome<>::failure(job.refusal);
    if (!job.tool) return Outcome<>::failure(kInstallArdour);
    const std::set<std::string> before = entries(job.folder);
    const std::string script = ardourConformScript({job.folder, job.snapshotRead, job.snapshot, job.session.sampleRate},
                                                   job.plan);
    Reading reading;
    const auto limit = timeLimit(job.plan);
    const ArdourRun run =
        host.runLua(*job.tool, script, [&](const std::string& line) { readLine(line, reading, progress); }, limit);
    if (Outcome<> ran = runOutcome(job, run, reading, limit); !ran) {
        removeLeftovers(job, before);
        return ran;
    }
    const auto read = readFileBytes(job.sessionPath);
    if (!read || std::hash<std::string>{}(read.value) != job.readHash)
        return Outcome<>::failure("the snapshot read, " + job.sessionPath +
                                  ", changed while Ardour ran: check it in Ardour");
    return Outcome<>::success();
}

}  // namespace rw
