// The Pro Tools conform on the real clock at pace "fast" against the
// simulated workstation, whose edits finish at once: what is left is the
// protocol's own floor (its pauses and the fewest processor readings) plus
// the drive's overhead. The ratio should stay at or under 1.05.

#include "app/NullPorts.h"
#include "protools/ProToolsConform.h"
#include "workstation/Clocks.h"
#include "workstation/RehearsalPanel.h"
#include "workstation/SimulatedWorkstation.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kEvents = 3;

rw::ConformEvents events() {
    rw::ConformEvents out;
    for (int i = 0; i < kEvents; ++i) {
        auto at = [](int frames) { return *rw::KLVtc::initWithFrames(frames, "30"); };
        const int old = 108000 + i * 300, now = 216000 + i * 300;
        out.push_back({std::to_string(i + 1), at(old), at(old + 300), at(now), at(now + 300)});
    }
    return out;
}

void BM_ConformEventsAtFastPace(benchmark::State& state) {
    const double d = rw::paceFor("fast").pause;
    const double readings = 2 * (rw::protocol::BaselineSamples + rw::paceFor("fast").quietReadings) *
                            rw::protocol::PollInterval;
    const double eventFloor = 20 * d + readings;
    // The command's pause and the framerate test on a 30 fps session (one candidate: 4 pauses of 2d).
    const double fixedFloor = rw::protocol::StartDelay + 4 * 2 * d + rw::protocol::FirstEventExtraPause;
    double total = 0;
    for (auto _ : state) {
        rw::SilentUi ui;
        rw::SystemClock clock;
        rw::SimulatedWorkstation session(clock, "30");
        session.setEditDuration(0);
        rw::RehearsalPanel panel;
        rw::Preferences prefs;
        prefs.set(rw::pref::ConformTimebase, "30");
        prefs.set(rw::pref::ConformSpeed, "fast");
        rw::ProToolsConform control(session, clock, panel, ui, prefs);
        const auto start = std::chrono::steady_clock::now();
        control.start(events());
        if (!rw::rehearse(control, panel, false)) state.SkipWithError("the conform did not finish");
        total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double perEvent = (total - fixedFloor) / kEvents;
    state.counters["s_per_event"] = perEvent;
    state.counters["floor_per_event"] = eventFloor;
    state.counters["ratio"] = perEvent / eventFloor;
    state.counters["run_ratio"] = total / (fixedFloor + kEvents * eventFloor);
}
BENCHMARK(BM_ConformEventsAtFastPace)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
