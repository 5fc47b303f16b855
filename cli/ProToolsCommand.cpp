#include "ProToolsCommand.h"

#include "app/ConformCommand.h"
#include "app/NullPorts.h"
#include "protools/ProToolsConform.h"
#include "workstation/Clocks.h"
#include "workstation/ProtocolTrace.h"
#include "workstation/RehearsalPanel.h"
#include "workstation/SimulatedWorkstation.h"

#include <ostream>

namespace rw::cli {

namespace {

void applyProToolsPreferences(const ProToolsArgs& a, const std::string& timebase, Preferences& prefs) {
    prefs.set(pref::ConformType, conformtype::ProTools);
    if (!timebase.empty()) prefs.set(pref::ConformTimebase, timebase);
    if (!a.pace.empty()) prefs.set(pref::ConformSpeed, a.pace);
    prefs.set(pref::ConformCopy, a.cut ? "cut" : "copy");
    prefs.set(pref::ConformEvents, a.oneAtATime ? "edit by edit" : "all events");
}

void nudgePasteHour(dataSource& listC, const std::string& direction) {
    if (direction.empty()) return;
    listC.setStepperMaster(direction == "up" ? 1 : -1);
    listC.masterHour();
}

}  // namespace

void addProToolsOptions(CLI::App& cmd, ProToolsArgs& a) {
    cmd.add_flag("--simulate", a.simulate, "protools: rehearse against the simulated workstation on a virtual clock");
    cmd.add_option("--session-rate", a.sessionRate,
                   "protools: the simulated session's frame rate (default: the conform timebase)")
        ->check(CLI::IsMember(SimulatedWorkstation::sessionRates()));
    cmd.add_option("--pace", a.pace, "protools: the conform pace (default fast)")
        ->check(CLI::IsMember({"fast", "normal", "careful", "very careful"}));
    cmd.add_flag("--cut", a.cut, "protools: cut the material from its old place instead of copying it");
    cmd.add_flag("--one-at-a-time", a.oneAtATime, "protools: one event per run, pressing \"next\" after each");
    cmd.add_option("--nudge-paste-hour", a.nudgePasteHour, "protools: move every new position an hour up or down first")
        ->check(CLI::IsMember({"up", "down"}));
}

int runProToolsConform(const ProToolsArgs& a, const ChangeListArgs& source, const std::string& timebase,
                       Streams io) {
    CliUi ui(io.err);
    NoMovies movies;
    conformController c(ui, movies);
    if (!applyListOptions(source.lists, c, ui, io.err)) return 2;
    if (!a.simulate) {
        io.err << "there is no native Pro Tools host on this platform: give --simulate to rehearse the conform "
                  "against the simulated workstation\n";
        return 1;
    }
    if (!loadChangeList(c, source, io.err)) return 1;
    applyProToolsPreferences(a, timebase, c.prefs());
    nudgePasteHour(c.dataSourceC(), a.nudgePasteHour);

    VirtualClock clock;
    SimulatedWorkstation session(clock,
                                 a.sessionRate.empty() ? c.prefs().get(pref::ConformTimebase) : a.sessionRate);
    ProtocolTrace trace(session, io.out);
    RehearsalPanel panel(&io.err);
    ProToolsConform control(trace, clock, panel, ui, c.prefs());
    control.setObserver(&trace);
    control.setEndListener([&io](const std::string& line) { io.err << line << "\n"; });
    ConformCommand command(c, trace);
    command.setProToolsConform(&control);
    if (command.conform("Conform").step != ConformOutcome::Step::ProToolsConfirmed) return 1;
    if (!control.active()) return 1;  // no event was left to conform
    const bool finished = rehearse(control, panel, a.oneAtATime);
    io.out << sessionListing(session);
    return finished ? 0 : 1;
}

}  // namespace rw::cli
