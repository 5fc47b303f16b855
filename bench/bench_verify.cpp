// Checking a change list against 1080p movies: events per second, long-GOP
// H.264 (2 s GOP, B-frames) and intra-only (MJPEG), and the picture
// comparison itself.
//
// The OLD cut is ten 2-second shots; the NEW cut has each shot 4 frames
// shorter and neighbours swapped, one shot slipped by 2 frames and one
// replaced: eight events decided by their first, middle and last frames,
// two compared frame by frame.

#include "CutMovies.h"
#include "support/TempDir.h"

#include "media/MovieFacts.h"
#include "media/MoviePictures.h"
#include "verify/VerifyEvents.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <map>

namespace {

using namespace rw;

constexpr int kShots = 10, kOldLength = 48, kNewIn = 4, kNewLength = 44;
constexpr int kHour = 24 * 3600;

int newClipAt(int shot) { return shot % 2 ? shot : shot + 2; }  // 2 1 4 3 ...

struct BenchMovies {
    std::string oldPath, newPath;
};

const BenchMovies& movies(const std::string& codec) {
    static test::TempDir folder;  // removed at exit
    static std::map<std::string, BenchMovies> made;
    media::quietFFmpegLog();
    BenchMovies& m = made[codec];
    if (!m.oldPath.empty()) return m;
    test::Cut old, neu;
    for (int clip = 1; clip <= kShots; ++clip) old.shots.push_back({clip, 0, kOldLength});
    for (int shot = 0; shot < kShots; ++shot) {
        test::Shot s{newClipAt(shot), kNewIn, kNewLength};
        if (shot == 3) s.slip = 2;
        if (shot == 7) s.replacedBy = 13;
        neu.shots.push_back(s);
    }
    const test::MovieRecipe recipe{codec, 24, 1, 0, 1920, 1080, codec == "mjpeg" ? 1 : 48, "01:00:00:00"};
    m.oldPath = folder.file(codec + "-old.mov");
    m.newPath = folder.file(codec + "-new.mov");
    if (!test::makeCutMovie(m.oldPath, old, recipe, false).empty() ||
        !test::makeCutMovie(m.newPath, neu, recipe, true).empty())
        m.oldPath.clear();
    return m;
}

EditArray changeEvents() {
    const auto at = [](int frame) { return KLVtc::initWithFrames(kHour + frame, "24"); };
    EditArray events;
    for (int shot = 0; shot < kShots; ++shot) {
        const int oldIn = (newClipAt(shot) - 1) * kOldLength + kNewIn, newIn = shot * kNewLength;
        events.push_back(edit::initWithNum(std::to_string(shot + 1), "CLIP", at(oldIn), at(oldIn + kNewLength),
                                           at(newIn), at(newIn + kNewLength)));
    }
    return events;
}

VerifyMovie sideOf(const media::MoviePictures& pictures, MovieSide side) {
    const media::MovieInfo& info = *pictures.info(side);
    return {"", "", media::movieFactsOf(info), startForLoadedMovie(std::nullopt, info.timecode, info.rateText, KLVtc())};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void verifyCut(benchmark::State& state, const std::string& codec) {
    const BenchMovies& m = movies(codec);
    if (m.oldPath.empty()) return state.SkipWithError("cannot make the movies");
    media::MoviePictures pictures;
    if (!pictures.open(MovieSide::Old, m.oldPath) || !pictures.open(MovieSide::New, m.newPath))
        return state.SkipWithError("cannot open the movies");
    VerifySetup setup{{sideOf(pictures, MovieSide::Old), sideOf(pictures, MovieSide::New)}, false, {}};
    const EditArray events = changeEvents();
    std::vector<double> sampled, scanned;
    int flagged = 0;
    const std::clock_t cpu0 = std::clock();  // every thread's, decoders' included
    for (auto _ : state) {
        flagged = 0;
        for (const EditPtr& e : events) {
            const auto t0 = std::chrono::steady_clock::now();
            const VerifyOutcome out = verifyEvents({e}, setup, pictures);
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
            const bool match = out.checks.at(0).verdict == Verdict::Match;
            (match ? sampled : scanned).push_back(ms);
            flagged += !match;
        }
    }
    state.counters["events_per_s"] = benchmark::Counter(kShots, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["match_event_ms"] = median(sampled);
    state.counters["scanned_event_ms"] = median(scanned);
    state.counters["flagged"] = flagged;  // 2 when the check is right
    // What the machine's load does not change: processor time per event, all threads.
    state.counters["cpu_ms_per_event"] = 1000.0 * static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC /
                                         static_cast<double>(state.iterations() * kShots);
}

// The comparison of two 1080p frames' grids, and making a grid of a frame.
void comparePictures(benchmark::State& state) {
    const BenchMovies& m = movies("mjpeg");
    auto reader = media::MovieReader::open(m.oldPath);
    if (m.oldPath.empty() || !reader) return state.SkipWithError("cannot make the movie");
    const media::CompareTuning tuning;
    const auto a = reader.value->frameNumber(10), b = reader.value->frameNumber(11);
    const media::GreyPicture ga = media::greyPicture(*a.value.image, tuning.gridWidth, tuning.gridHeight);
    const media::GreyPicture gb = media::greyPicture(*b.value.image, tuning.gridWidth, tuning.gridHeight);
    for (auto _ : state) benchmark::DoNotOptimize(media::pictureDifference(ga, gb, tuning));
}

void greyGrid(benchmark::State& state) {
    const BenchMovies& m = movies("mjpeg");
    auto reader = media::MovieReader::open(m.oldPath);
    if (m.oldPath.empty() || !reader) return state.SkipWithError("cannot make the movie");
    const auto frame = reader.value->frameNumber(10);
    for (auto _ : state) benchmark::DoNotOptimize(media::greyPicture(*frame.value.image, 96, 54));
}

}  // namespace

BENCHMARK(comparePictures)->Unit(benchmark::kMicrosecond);
BENCHMARK(greyGrid)->Unit(benchmark::kMicrosecond);
// Events per second by the wall clock: the two movies decode on two threads.
BENCHMARK_CAPTURE(verifyCut, intra_only_mjpeg, std::string("mjpeg"))->Iterations(2)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(verifyCut, long_gop_h264, std::string("libx264"))->Iterations(2)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
