// Locating 1080p movies to random positions and stepping around them, as the
// review windows do: intra-only (MJPEG) and long-GOP H.264 (2 s GOP,
// B-frames). Reports the median milliseconds of each operation.

#include "MovieMaker.h"
#include "support/TempDir.h"

#include "media/FrameFeed.h"
#include "media/MovieReader.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <thread>
#include <vector>

namespace {

using rw::media::MovieReader;

// 20 s of 1080p at 24 fps.
const std::string& moviePath(const std::string& codec) {
    static rw::test::TempDir folder;  // removed at exit
    static std::map<std::string, std::string> made;
    auto& path = made[codec];
    if (path.empty()) {
        path = folder.file(codec + ".mov");
        rw::test::MovieRecipe recipe{codec, 24, 1, 480, 1920, 1080, codec == "mjpeg" ? 1 : 48, "", true};
        if (!rw::test::makeMovie(path, recipe).empty()) path.clear();
    }
    return path;
}

double medianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double timeMs(const std::function<void()>& work) {
    const auto t0 = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Both movies (two readers, as OLD and NEW) located to random positions,
// one after the other, and frame steps around the located frame.
void locate(benchmark::State& state, const std::string& codec) {
    rw::media::quietFFmpegLog();
    auto a = MovieReader::open(moviePath(codec)), b = MovieReader::open(moviePath(codec));
    if (!a || !b) return state.SkipWithError("cannot make the movie");
    std::mt19937 random(1);
    const std::int64_t frames = a.value->info().frameCount;
    const int steps[] = {-1, 1, 1, -1, -10, 10};  // from the located frame and back to it
    std::vector<double> one, both, step;
    for (auto _ : state) {
        const std::int64_t ka = random() % frames, kb = random() % frames;
        const double ta = timeMs([&] { benchmark::DoNotOptimize(a.value->frameNumber(ka)); });
        const double tb = timeMs([&] { benchmark::DoNotOptimize(b.value->frameNumber(kb)); });
        one.push_back(ta);
        both.push_back(ta + tb);
        std::int64_t t = a.value->info().frames.frameStart(ka);
        for (int n : steps) {
            t = a.value->stepTime(t, n);
            step.push_back(timeMs([&] { benchmark::DoNotOptimize(a.value->frameAt(t)); }));
        }
    }
    state.counters["locate_one_ms"] = medianMs(one);
    state.counters["locate_both_ms"] = medianMs(both);
    state.counters["step_ms"] = medianMs(step);
    state.counters["mbit_per_s"] = static_cast<double>(std::filesystem::file_size(moviePath(codec))) * 8 / 20e6;
}

// Both movies located as the review windows do it: each on its own feed
// thread, at once, until both exact frames are shown.
void locateFeeds(benchmark::State& state, const std::string& codec) {
    rw::media::quietFFmpegLog();
    auto a = rw::media::FrameFeed::open(moviePath(codec)), b = rw::media::FrameFeed::open(moviePath(codec));
    if (!a || !b) return state.SkipWithError("cannot make the movie");
    std::mt19937 random(1);
    const rw::FrameGrid& grid = a.value->info().frames;
    std::vector<double> both;
    const auto shows = [](const rw::media::FrameFeed& feed, std::int64_t k) {
        const rw::media::Frame frame = feed.current();
        return frame.image && frame.index == k;
    };
    for (auto _ : state) {
        const std::int64_t ka = random() % grid.frameCount(), kb = random() % grid.frameCount();
        both.push_back(timeMs([&] {
            a.value->show(grid.frameStart(ka));
            b.value->show(grid.frameStart(kb));
            while (!shows(*a.value, ka) || !shows(*b.value, kb)) std::this_thread::sleep_for(std::chrono::microseconds(200));
        }));
    }
    state.counters["locate_both_ms"] = medianMs(both);
}

}  // namespace

BENCHMARK_CAPTURE(locateFeeds, intra_only_mjpeg, std::string("mjpeg"))->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(locateFeeds, long_gop_h264, std::string("libx264"))->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(locate, intra_only_mjpeg, std::string("mjpeg"))->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(locate, long_gop_h264, std::string("libx264"))->Iterations(40)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
