// Playing OLD and NEW together in real time, as the review windows do: two
// frame feeds on 1080p 24 fps movies (intra-only MJPEG and long-GOP H.264,
// 2 s GOP), NEW's clock the master and OLD a fixed number of frames ahead of
// it, shown at every display tick (1/48 s), with the difference picture of
// the two current frames made on a thread of its own at a lower priority (as
// a difference window would, always from the newest pair).
//
// A frame of the clock is dropped when no tick of its display slot found the
// feed's current() on it (checked right after show() and again just before
// the next tick, when a late frame would still have been painted).
//
// Runs start again from the top before OLD reaches the end of the movie.
//
// Usage: bench_playback [seconds to play, default 20] [--no-difference]

#include "MovieMaker.h"
#include "support/TempDir.h"

#include "media/Difference.h"
#include "media/FrameFeed.h"
#include "media/PictureThread.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>

namespace {

using namespace std::chrono;
using rw::media::FrameFeed;
using rw::media::Image;

constexpr int kRate = 24;
constexpr int kMovieFrames = 30 * kRate;
constexpr int kOldAhead = 2 * kRate + 7;  // OLD runs this many frames ahead of NEW

// The difference pictures of the newest pairs, made on the thread a
// difference window makes them on.
class DifferenceMaker {
public:
    void offer(std::shared_ptr<const Image> oldImage, std::shared_ptr<const Image> newImage) {
        if (!oldImage || !newImage || (oldImage == lastOld_ && newImage == lastNew_)) return;
        lastOld_ = oldImage, lastNew_ = newImage;
        thread_.offer([this, oldImage, newImage] {
            const auto t0 = steady_clock::now();
            const Image picture = rw::media::differencePicture(*oldImage, *newImage);
            const double ms = duration<double, std::milli>(steady_clock::now() - t0).count();
            std::lock_guard lock(mutex_);
            busyMs_ += ms;
            if (!picture.empty()) ++made_;
        });
    }
    int made() {
        std::lock_guard lock(mutex_);
        return made_;
    }
    double msEach() {
        std::lock_guard lock(mutex_);
        return made_ ? busyMs_ / made_ : 0;
    }

private:
    std::shared_ptr<const Image> lastOld_, lastNew_;
    std::mutex mutex_;
    int made_ = 0;
    double busyMs_ = 0;
    rw::media::PictureThread thread_;  // last: stopped before the rest goes
};

// One side's frames of the clock, and which of them were seen.
struct Side {
    FrameFeed& feed;
    std::int64_t offset;  // frames ahead of the clock
    std::set<std::int64_t> presented;
    std::int64_t lastAsked = -1;

    void check() {
        if (lastAsked >= 0 && feed.current().index == lastAsked) presented.insert(lastAsked);
    }
    void tick(std::int64_t clockFrame, std::int64_t time) {
        check();  // painted late but within the previous tick
        lastAsked = clockFrame + offset;
        feed.show(time + feed.info().frames.frameStart(offset), true);
        check();
    }
    std::int64_t dropped(std::int64_t first, std::int64_t last) const {
        std::int64_t n = 0;
        for (std::int64_t k = first; k <= last; ++k) n += presented.count(k + offset) ? 0 : 1;
        return n;
    }
};

void waitSettled(const FrameFeed& feed) {
    for (int i = 0; i < 10000; ++i) {
        const auto s = feed.stats();
        if (s.served + s.dropped == s.requests) return;
        std::this_thread::sleep_for(milliseconds(1));
    }
}

// What one side saw over the runs.
struct Tally {
    std::int64_t dropped = 0;
    FrameFeed::Stats stats;
    void add(const Side& side, std::int64_t last) {
        dropped += side.dropped(0, last);
        const auto s = side.feed.stats();
        stats.served += s.served, stats.dropped += s.dropped;
    }
};

struct Totals {
    double seconds = 0;
    std::int64_t lateTicks = 0;
    int differences = 0;
    double differenceMs = 0;
    Tally sideNew, sideOld;
};

// One run from the start: preroll, then the clock for `seconds`.
void playOnce(const std::string& path, double seconds, bool withDifference, Totals& totals) {
    auto openedNew = FrameFeed::open(path), openedOld = FrameFeed::open(path);
    if (!openedNew || !openedOld) return (void)std::printf("%s\n", openedNew.error.c_str());
    FrameFeed& feedNew = *openedNew.value;
    FrameFeed& feedOld = *openedOld.value;
    const rw::FrameGrid& grid = feedNew.info().frames;
    const std::int64_t scale = feedNew.info().timeScale;
    // Preroll: both on their first frames before the clock starts.
    feedNew.show(0);
    feedOld.show(grid.frameStart(kOldAhead));
    waitSettled(feedNew);
    waitSettled(feedOld);

    Side sideNew{feedNew, 0, {}}, sideOld{feedOld, kOldAhead, {}};
    DifferenceMaker difference;
    const auto start = steady_clock::now();
    const auto tickLength = duration<double>(1.0 / (2 * kRate));
    std::int64_t lastFrame = 0;
    for (int tick = 0; tick < seconds * 2 * kRate; ++tick) {
        const auto due = start + duration_cast<steady_clock::duration>(tickLength * tick);
        if (steady_clock::now() > due + milliseconds(5)) ++totals.lateTicks;
        std::this_thread::sleep_until(due);
        const double elapsed = duration<double>(steady_clock::now() - start).count();
        const auto time = static_cast<std::int64_t>(elapsed * static_cast<double>(scale));
        lastFrame = grid.frameIndexAt(time);
        sideNew.tick(lastFrame, time);
        sideOld.tick(lastFrame, time);
        if (withDifference) difference.offer(feedOld.current().image, feedNew.current().image);
    }
    totals.seconds += duration<double>(steady_clock::now() - start).count();
    totals.sideNew.add(sideNew, lastFrame - 1);  // the last frame's slot is not over
    totals.sideOld.add(sideOld, lastFrame - 1);
    totals.differences += difference.made();
    totals.differenceMs += difference.msEach() * difference.made();
}

// Plays for `seconds` in all, from the start again each time OLD nears the end.
void play(const std::string& label, const std::string& path, double seconds, bool withDifference) {
    constexpr double kRunSeconds = (kMovieFrames - kOldAhead - kRate) / static_cast<double>(kRate);
    Totals t;
    for (double left = seconds; left > 0.5; left -= kRunSeconds)
        playOnce(path, std::min(left, kRunSeconds), withDifference, t);
    if (t.seconds <= 0) return;
    const double perMinute = 60.0 / t.seconds;
    std::printf("%-16s %4.0f s  NEW dropped/min %6.1f  OLD dropped/min %6.1f  difference/s %5.1f (%.0f ms each)  "
                "requests served/dropped NEW %lld/%lld OLD %lld/%lld  late ticks %lld\n",
                label.c_str(), t.seconds, static_cast<double>(t.sideNew.dropped) * perMinute,
                static_cast<double>(t.sideOld.dropped) * perMinute, t.differences / t.seconds,
                t.differences ? t.differenceMs / t.differences : 0.0, static_cast<long long>(t.sideNew.stats.served),
                static_cast<long long>(t.sideNew.stats.dropped), static_cast<long long>(t.sideOld.stats.served),
                static_cast<long long>(t.sideOld.stats.dropped), static_cast<long long>(t.lateTicks));
}

// The difference picture alone, on one thread.
void timeDifference(const std::string& path) {
    auto a = rw::media::MovieReader::open(path), b = rw::media::MovieReader::open(path);
    if (!a || !b) return;
    const auto oldFrame = a.value->frameNumber(kOldAhead), newFrame = b.value->frameNumber(0);
    if (!oldFrame || !newFrame) return;
    constexpr int kRuns = 10;
    const auto t0 = steady_clock::now();
    for (int i = 0; i < kRuns; ++i) rw::media::differencePicture(*oldFrame.value.image, *newFrame.value.image);
    std::printf("differencePicture 1080p alone: %.1f ms\n",
                duration<double, std::milli>(steady_clock::now() - t0).count() / kRuns);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 20.0;
    const bool withDifference = !(argc > 2 && std::string(argv[2]) == "--no-difference");
    rw::media::quietFFmpegLog();
    rw::test::TempDir folder;
    for (const std::string codec : {"mjpeg", "libx264"}) {
        const std::string path = folder.file(codec + ".mov");
        rw::test::MovieRecipe recipe{codec, kRate, 1, kMovieFrames, 1920, 1080, codec == "mjpeg" ? 1 : 2 * kRate,
                                     "", true};
        if (std::string why = rw::test::makeMovie(path, recipe); !why.empty()) {
            std::printf("%s: cannot make the movie: %s\n", codec.c_str(), why.c_str());
            continue;
        }
        if (codec == "mjpeg") timeDifference(path);
        play(codec == "mjpeg" ? "intra_only_mjpeg" : "long_gop_h264", path, seconds, withDifference);
    }
    return 0;
}
