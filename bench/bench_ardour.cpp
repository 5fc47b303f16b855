// The Ardour session conform at size: a change list of 500 events conformed
// into a session of 4 tracks and 90 minutes (10-second regions), timed from
// the command's start to the checked new snapshot, Ardour's start included.
// Aim: under 10 seconds. A plain program: the session is built once, with
// Ardour's own tools, and the conform runs three times into new snapshots.
// Besides the wall time it prints the processor time of Ardour's process,
// which is what the wall time comes to on an idle machine.
//
//   build-bench/bench/bench_ardour [EVENTS [REGION_SECONDS]]

#include "Commands.h"
#include "SessionBuilder.h"

#include "core/Files.h"
#include "core/KLVtc.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>
#include <sys/resource.h>

namespace {

using namespace rw;

constexpr std::int64_t kHour = 90000;          // 01:00:00:00 at 25 fps
constexpr std::int64_t kProgramme = 90 * 1500;  // 90 minutes of frames
std::int64_t regionFrames = 250;                // 10 seconds

test::SessionSpec session() {
    const std::int64_t kRegion = regionFrames;
    test::SessionSpec s{"bench", {48000, "25"}, "timecode_25", kHour, 4, false, {}, {}};
    s.regions.push_back({1, kHour, kRegion, 0, -1});  // the one timecode file every region plays
    for (int track = 1; track <= 4; ++track)
        for (std::int64_t at = 0; at < kProgramme; at += kRegion)
            if (track > 1 || at > 0) s.regions.push_back({track, kHour + at, kRegion, 0, 0});
    for (std::int64_t at = 0; at < kProgramme; at += 1500) s.gain.push_back({kHour + at, at % 3000 ? 0.5 : 1.0});
    return s;
}

std::string tc(std::int64_t frames) { return KLVtc::initWithFrames(static_cast<std::int32_t>(frames), "25")->tcAsString(); }

// Events of 2 to 20 seconds from anywhere in the programme, one after the other in the new cut.
std::string changeList(int events) {
    std::mt19937 random(21);
    std::string text = "TITLE: BENCH\nFCM: NON-DROP FRAME\n\n";
    std::int64_t at = kHour;
    for (int n = 1; n <= events; ++n) {
        const std::int64_t length = 50 + random() % 450;
        const std::int64_t from = kHour + random() % (kProgramme - length);
        char num[16];
        std::snprintf(num, sizeof num, "%03d", n);
        text += std::string(num) + "  R1       V     C        " + tc(from) + " " + tc(from + length) + " " + tc(at) +
                " " + tc(at + length) + "\n";
        at += length;
    }
    return text;
}

// Processor time (user and system) of this process or of its finished children.
double seconds(int who) {
    rusage u{};
    ::getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    const int events = argc > 1 ? std::atoi(argv[1]) : 500;
    if (argc > 2) regionFrames = 25 * std::max(1, std::atoi(argv[2]));
    if (auto missing = test::ardourMissing()) {
        std::cerr << *missing << "\n";
        return 1;
    }
    const auto dir = std::filesystem::temp_directory_path() / ("reelwright-bench-ardour-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string error;
    const auto built = std::chrono::steady_clock::now();
    const std::string path = test::buildSession(session(), dir.string(), error);
    if (path.empty()) {
        std::cerr << error << "\n";
        return 1;
    }
    std::printf("session of 4 tracks, 90 minutes, %zu regions of %lld s built in %.1f s\n", session().regions.size(),
                static_cast<long long>(regionFrames / 25),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - built).count());
    const std::string edl = (dir / "changes.edl").string();
    writeFileAtomic(edl, changeList(events));
    int status = 0;
    for (int run = 1; run <= 3; ++run) {
        const std::string snapshot = "bench" + std::to_string(run);
        const std::vector<const char*> args = {"reelwright", "conform", "ardour", "--changes", edl.c_str(),
                                               "--edl-type", "PAL video", "--session", path.c_str(),
                                               "--snapshot", snapshot.c_str()};
        std::ostringstream out, err;
        const double ardourBefore = seconds(RUSAGE_CHILDREN), ownBefore = seconds(RUSAGE_SELF);
        const auto start = std::chrono::steady_clock::now();
        status = cli::run(static_cast<int>(args.size()), args.data(), {out, err});
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double ardour = seconds(RUSAGE_CHILDREN) - ardourBefore, own = seconds(RUSAGE_SELF) - ownBefore;
        const std::string text = out.str();
        const auto last = text.rfind('\n', text.size() - 2);
        std::printf("run %d: %d events conformed in %.2f s (aim: under 10 s); processor time %.2f s in Ardour, %.2f s "
                    "in reelwright; exit %d: %s",
                    run, events, wall, ardour, own, status,
                    text.substr(last == std::string::npos ? 0 : last + 1).c_str());
        if (status != 0) std::cerr << err.str();
    }
    std::filesystem::remove_all(dir);
    return status;
}
