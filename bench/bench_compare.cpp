// Compare plus heal on generated cuts of growing length. Each doubling of the
// list should roughly double the time (the matching is indexed, not NEW x OLD).

#include "comparison/Compare.h"
#include "comparison/Heal.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

rw::EditPtr event(const std::string& clip, int si, int so, int mi, int mo) {
    return rw::edit::initWithNum("001", clip, rw::KLVtc::initWithFrames(si, "24"), rw::KLVtc::initWithFrames(so, "24"),
                                 rw::KLVtc::initWithFrames(mi, "24"), rw::KLVtc::initWithFrames(mo, "24"));
}

// An OLD cut of n shots from n/3 camera rolls, and a NEW cut that trims,
// reorders and drops some of them and adds new ones.
struct Cuts {
    rw::EditArray olds, news;
};

Cuts makeCuts(int n) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> roll(0, n / 3), start(0, 200000), len(24, 240), coin(0, 9);
    Cuts cuts;
    int rec = 86400;
    std::vector<rw::EditPtr> shots;
    for (int i = 0; i < n; ++i) {
        int si = start(rng), l = len(rng);
        std::string clip = "A";
        clip += std::to_string(roll(rng));
        clip += 'C';
        clip += std::to_string(i % 17);
        auto e = event(clip, si, si + l, rec, rec + l);
        rec += l;
        cuts.olds.push_back(e);
    }
    rec = 86400;
    for (int i = 0; i < n; ++i) {
        const auto& o = cuts.olds[static_cast<std::size_t>((i * 7919) % n)];
        if (coin(rng) == 0) continue;  // dropped
        int trim = coin(rng), si = o->sourceIn()->totalFrames() + trim, so = o->sourceOut()->totalFrames() - trim;
        std::string clip = o->clip();
        if (coin(rng) == 1) clip = "NEW" + std::to_string(i);
        cuts.news.push_back(event(clip, si, so, rec, rec + (so - si)));
        rec += so - si;
    }
    return cuts;
}

void BM_CompareAndHeal(benchmark::State& state) {
    const Cuts cuts = makeCuts(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto changes = rw::compareOldList(cuts.olds, cuts.news, "24");
        auto healed = rw::healArray(changes, "aggressive", cuts.news);
        rw::renumberArray(healed);
        benchmark::DoNotOptimize(healed.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CompareAndHeal)->Arg(2500)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_CompareAndHealForceful(benchmark::State& state) {
    const Cuts cuts = makeCuts(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto changes = rw::compareOldList(cuts.olds, cuts.news, "24");
        benchmark::DoNotOptimize(rw::healArray(changes, "forceful", cuts.news).data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CompareAndHealForceful)->Arg(2500)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
