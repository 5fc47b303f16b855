// The Pro Tools conform against the simulated workstation.
//
// BM_ConformEventsAtFastPace: on the real clock at pace "fast", the
// session's edits finishing at once: what is left is the protocol's own
// floor (its pauses and the fewest processor readings) plus the drive's
// overhead. The ratio should stay at or under 1.05.
//
// BM_Rehearse500Events: the rehearsal of the command line (the plan, the
// worker on the virtual clock, every action listed) for a 500-event change
// list; it should take well under a second.

#include "app/NullPorts.h"
#include "conform/Preflight.h"
#include "protools/ProToolsConform.h"
#include "workstation/Clocks.h"
#include "workstation/ProtocolTrace.h"
#include "workstation/RehearsalPanel.h"
#include "workstation/SimulatedWorkstation.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <sstream>

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
    // The command's pause and the framerate test on a 30 fps session (the
    // start read back, then three probes of three pauses, each 2d).
    const double fixedFloor = rw::protocol::StartDelay + (1 + 3 * 3) * 2 * d + rw::protocol::FirstEventExtraPause;
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

// 500 events of two seconds, their old material in hour 1 in reverse order.
rw::EditArray changeList() {
    rw::EditArray list;
    for (int i = 0; i < 500; ++i) {
        auto at = [](int frames) { return rw::KLVtc::initWithFrames(frames, "24"); };
        const int old = 86400 + (499 - i) * 48, now = 172800 + i * 48;
        list.push_back(rw::edit::initWithNum(std::to_string(i + 1), "clip", at(old), at(old + 48), at(now),
                                             at(now + 48)));
    }
    return list;
}

void BM_Rehearse500Events(benchmark::State& state) {
    const rw::EditArray list = changeList();
    std::size_t lines = 0;
    for (auto _ : state) {
        rw::SilentUi ui;
        rw::VirtualClock clock;
        rw::SimulatedWorkstation session(clock, "24");
        std::ostringstream listing;
        rw::ProtocolTrace trace(session, listing);
        rw::RehearsalPanel panel;
        rw::Preferences prefs;
        prefs.set(rw::pref::ConformTimebase, "24");
        rw::ProToolsConform control(trace, clock, panel, ui, prefs);
        control.setObserver(&trace);
        const rw::ConformPlan plan = rw::planProToolsConform(list, "24", true, trace.sessionStart());
        control.start(plan.events);
        if (!rw::rehearse(control, panel, false)) state.SkipWithError("the rehearsal did not finish");
        const std::string text = listing.str();
        lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }
    state.counters["listed_lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_Rehearse500Events)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
