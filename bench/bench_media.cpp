// Locating and stepping 1080p movies as the review windows do, on long-GOP
// H.264 with a GOP of 250 and with a 2 s GOP (B-frames), and on intra-only
// MJPEG, all 24 fps, pictures made for a 960 x 540 place:
//
//   locate            one movie to random frames: median and worst
//   locate_feeds      both movies at once, each through its own feed
//   step_forward      one step on from a located frame
//   back_cold         one step back across a GOP boundary, nothing decoded before
//   back_after_look   the same through a feed, after looking at the frame 2 s
//   steps_back        60 steps back through a feed at a key's repeat (30 a
//                     second), across a boundary: each step's wait and the total
//   sixty_back/fwd    60 steps back and forward one after another on a reader
//
// Times are milliseconds of wall clock; the counters are the figures.

#include "MovieMaker.h"
#include "support/TempDir.h"

#include "media/FrameFeed.h"
#include "media/MovieReader.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <random>
#include <thread>
#include <vector>

namespace {

using rw::media::FrameFeed;
using rw::media::MovieReader;
using Clock = std::chrono::steady_clock;

constexpr int kRate = 24;
constexpr int kBoxWidth = 960, kBoxHeight = 540;

struct Kind {
    const char* codec;
    int gop;
    int frames;
};
const Kind kGop250{"libx264", 250, 30 * kRate};
const Kind kGop2s{"libx264", 2 * kRate, 20 * kRate};
const Kind kIntra{"mjpeg", 1, 20 * kRate};

const std::string& moviePath(const Kind& kind) {
    static rw::test::TempDir folder;  // removed at exit
    static std::map<int, std::string> made;
    auto& path = made[kind.gop];
    if (path.empty()) {
        path = folder.file(std::string(kind.codec) + std::to_string(kind.gop) + ".mov");
        rw::test::MovieRecipe recipe{kind.codec, kRate, 1, kind.frames, 1920, 1080, kind.gop, "", true};
        if (!rw::test::makeMovie(path, recipe).empty()) path.clear();
    }
    return path;
}

rw::media::ReaderOptions placeOptions() {
    rw::media::ReaderOptions options;
    options.pictureWidth = kBoxWidth;
    options.pictureHeight = kBoxHeight;
    return options;
}

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double timeMs(const std::function<void()>& work) {
    const auto t0 = Clock::now();
    work();
    return ms(Clock::now() - t0);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double worst(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

void report(benchmark::State& state, const std::string& name, const std::vector<double>& times) {
    state.counters[name + "_median_ms"] = median(times);
    state.counters[name + "_worst_ms"] = worst(times);
}

std::unique_ptr<MovieReader> openReader(const Kind& kind) {
    rw::media::quietFFmpegLog();
    auto opened = MovieReader::open(moviePath(kind), placeOptions());
    return opened ? std::move(opened.value) : nullptr;
}

// A reader: random locates, one step on from each, and one step back across
// a GOP boundary with nothing decoded before.
void locate(benchmark::State& state, const Kind& kind) {
    auto m = openReader(kind);
    if (!m) return state.SkipWithError("cannot make the movie");
    std::mt19937 random(1);
    const rw::FrameGrid& grid = m->info().frames;
    std::vector<double> locates, forward, back;
    for (auto _ : state) {
        const std::int64_t k = random() % (kind.frames - 1);
        locates.push_back(timeMs([&] { benchmark::DoNotOptimize(m->frameNumber(k)); }));
        forward.push_back(timeMs([&] { benchmark::DoNotOptimize(m->frameNumber(k + 1)); }));
        if (kind.gop > 1) {
            auto cold = openReader(kind);
            const std::int64_t boundary = kind.gop * (1 + static_cast<int>(random() % (kind.frames / kind.gop - 1)));
            cold->frameAt(grid.frameStart(boundary));
            back.push_back(timeMs([&] { benchmark::DoNotOptimize(cold->frameNumber(boundary - 1)); }));
        }
    }
    report(state, "locate", locates);
    state.counters["step_forward_ms"] = median(forward);
    if (!back.empty()) report(state, "back_cold", back);
}

// Both movies located as the review windows do it: each on its own feed
// thread, at once, until both exact frames are shown.
void locateFeeds(benchmark::State& state, const Kind& kind) {
    rw::media::quietFFmpegLog();
    auto a = FrameFeed::open(moviePath(kind), placeOptions()), b = FrameFeed::open(moviePath(kind), placeOptions());
    if (!a || !b) return state.SkipWithError("cannot make the movie");
    std::mt19937 random(1);
    const rw::FrameGrid& grid = a.value->info().frames;
    const auto shows = [](const FrameFeed& feed, std::int64_t k) {
        const rw::media::Frame frame = feed.current();
        return frame.image && frame.index == k;
    };
    std::vector<double> both;
    for (auto _ : state) {
        const std::int64_t ka = random() % kind.frames, kb = random() % kind.frames;
        both.push_back(timeMs([&] {
            a.value->show(grid.frameStart(ka));
            b.value->show(grid.frameStart(kb));
            while (!shows(*a.value, ka) || !shows(*b.value, kb)) std::this_thread::sleep_for(std::chrono::microseconds(200));
        }));
    }
    report(state, "locate_feeds", both);
}

// Shows frame k on the feed; the wait until it is shown.
double showAndWait(FrameFeed& feed, std::int64_t k) {
    return timeMs([&] {
        feed.show(feed.info().frames.frameStart(k));
        while (feed.current().index != k || !feed.current().image)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    });
}

// Through a feed, as the windows step: located 30 frames into a GOP, a look
// of 2 s then one step back across its start; located again, 60 steps back
// at a key's repeat rate.
void stepsBack(benchmark::State& state, const Kind& kind) {
    rw::media::quietFFmpegLog();
    auto opened = FrameFeed::open(moviePath(kind), placeOptions());
    if (!opened) return state.SkipWithError("cannot make the movie");
    FrameFeed& feed = *opened.value;
    std::vector<double> afterLook, steps, totals;
    int round = 0;
    for (auto _ : state) {
        const std::int64_t gopStart = std::int64_t{kind.gop} * (1 + round++ % (kind.frames / kind.gop - 1));
        showAndWait(feed, gopStart);
        std::this_thread::sleep_for(std::chrono::seconds(2));
        afterLook.push_back(showAndWait(feed, gopStart - 1));

        showAndWait(feed, gopStart + 30);
        const auto t0 = Clock::now();
        for (std::int64_t k = gopStart + 29; k >= gopStart - 30; --k) {
            const auto next = Clock::now() + std::chrono::milliseconds(33);
            steps.push_back(showAndWait(feed, k));
            std::this_thread::sleep_until(next);
        }
        totals.push_back(ms(Clock::now() - t0));
    }
    report(state, "back_after_look", afterLook);
    report(state, "steps_back", steps);
    state.counters["steps_back_total_ms"] = median(totals);
}

// 60 steps one after another on a fresh reader: forward from one located
// frame, back from another 30 frames into a GOP (across its start), far
// apart so that nothing kept helps.
void sixtySteps(benchmark::State& state, const Kind& kind) {
    if (!openReader(kind)) return state.SkipWithError("cannot make the movie");
    std::vector<double> back, forward;
    const int groups = std::max(2, kind.frames / std::max(kind.gop, 4 * kRate));
    int round = 0;
    for (auto _ : state) {
        const int group = 1 + round++ % (groups - 1);
        const std::int64_t gopStart = kind.gop > 1 ? std::int64_t{kind.gop} * group : std::int64_t{kind.frames} * group / groups;
        const std::int64_t ahead = (gopStart + kind.frames / 2) % (kind.frames - 70);
        auto m = openReader(kind);  // nothing kept from the round before
        m->frameNumber(ahead);
        forward.push_back(timeMs([&] {
            for (std::int64_t k = ahead + 1; k <= ahead + 60; ++k) benchmark::DoNotOptimize(m->frameNumber(k));
        }));
        m->frameNumber(gopStart + 30);
        back.push_back(timeMs([&] {
            for (std::int64_t k = gopStart + 29; k >= gopStart - 30; --k) benchmark::DoNotOptimize(m->frameNumber(k));
        }));
    }
    state.counters["sixty_back_ms"] = median(back);
    state.counters["sixty_forward_ms"] = median(forward);
}

}  // namespace

BENCHMARK_CAPTURE(locate, gop250, kGop250)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(locate, gop2s, kGop2s)->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(locate, intra, kIntra)->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(locateFeeds, gop2s, kGop2s)->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(locateFeeds, intra, kIntra)->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(stepsBack, gop250, kGop250)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(stepsBack, gop2s, kGop2s)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sixtySteps, gop250, kGop250)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sixtySteps, gop2s, kGop2s)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sixtySteps, intra, kIntra)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
