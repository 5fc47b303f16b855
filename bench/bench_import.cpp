// Import throughput: a generated 50 MB EDL read by the list import, against
// `wc -l` on the same file in the same run (reported as counters).

#include "app/ConformController.h"
#include "app/NullPorts.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

std::string tc(int f) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d:%02d", f / 86400, (f / 1440) % 60, (f / 24) % 60, f % 24);
    return buf;
}

// Event lines with clip-name comments and the odd motion effect.
std::string writeList(std::size_t bytes) {
    auto path = (std::filesystem::temp_directory_path() / "reelwright-bench-import.edl").string();
    std::ofstream out(path, std::ios::binary);
    std::size_t written = 0;
    int rec = 86400;
    for (int n = 1; written < bytes; ++n) {
        int len = 24 + (n * 37) % 200, src = (n * 7919) % 2000000;
        char line[256];
        int k = std::snprintf(line, sizeof line, "%06d  A%03dC%03d V     C        %s %s %s %s\n* FROM CLIP NAME:  SHOT_%d_TAKE_%d\n",
                              n % 1000000, n % 500, n % 97, tc(src).c_str(), tc(src + len).c_str(), tc(rec).c_str(),
                              tc(rec + len).c_str(), n % 5000, n % 9);
        out.write(line, k);
        written += static_cast<std::size_t>(k);
        if (n % 50 == 0) {
            k = std::snprintf(line, sizeof line, "M2   A%03dC%03d       048.0                %s\n", n % 500, n % 97,
                              tc(src).c_str());
            out.write(line, k);
            written += static_cast<std::size_t>(k);
        }
        rec += len;
    }
    return path;
}

double secondsOfWc(const std::string& path) {
    auto t0 = std::chrono::steady_clock::now();
    int rc = std::system(("wc -l '" + path + "' > /dev/null").c_str());
    auto t1 = std::chrono::steady_clock::now();
    return rc == 0 ? std::chrono::duration<double>(t1 - t0).count() : 0.0;
}

void BM_ImportEdl(benchmark::State& state) {
    static const std::string path = writeList(50u << 20);
    const bool byClip = state.range(0) != 0;
    const double size = static_cast<double>(std::filesystem::file_size(path));
    double wc = 0;
    rw::SilentUi ui;
    rw::NoMovies movies;
    std::unique_ptr<rw::conformController> c;
    for (auto _ : state) {
        state.PauseTiming();
        c.reset();  // the last import's events are freed outside the timing
        wc += secondsOfWc(path);
        c = std::make_unique<rw::conformController>(ui, movies);
        c->prefs().set(rw::pref::CompareLabClip, byClip ? "Clipname" : "Labroll");
        state.ResumeTiming();
        c->importData({path});
        benchmark::DoNotOptimize(c->editArray().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(size) * state.iterations());
    state.counters["wc_l_MB_per_s"] = size / 1048576.0 / (wc / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_ImportEdl)->Arg(0)->Arg(1)->ArgName("clipname")->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
