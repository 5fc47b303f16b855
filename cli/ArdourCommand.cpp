#include "ArdourCommand.h"

#include "app/ArdourConformStep.h"
#include "app/NullPorts.h"
#include "workstation/ArdourTools.h"

#include <ostream>

namespace rw::cli {

void addArdourOptions(CLI::App& cmd, ArdourArgs& a) {
    cmd.add_option("--session", a.session, "ardour: the session's snapshot file to conform, NAME.ardour");
    cmd.add_option("--snapshot", a.snapshot,
                   "ardour: the name of the new snapshot (default: the NEW list's name); an existing one is refused");
}

int runArdourConform(const ArdourArgs& a, const ChangeListArgs& source, const std::string& timebase, Streams io) {
    if (a.session.empty()) throw CLI::RequiredError("--session");
    CliUi ui(io.err);
    NoMovies movies;
    conformController c(ui, movies);
    if (!applyListOptions(source.lists, c, ui, io.err)) return 2;
    if (!loadChangeList(c, source, io.err)) return 1;
    ui.openAnswer = a.session;
    ArdourTools tools;
    const ConformOutcome outcome =
        conformArdourSession(c, c.dataSourceC().getEditArray(), &tools, {a.snapshot, timebase});
    if (outcome.ardour)
        for (const auto& p : outcome.ardour->plan.events)
            if (p.fate == EventFate::Refused) io.err << "event " << p.shown->editNum() << " refused: " << p.why << "\n";
    if (outcome.step != ConformOutcome::Step::ArdourConfirmed) return 1;  // the alert said why
    const ArdourJob& job = *outcome.ardour;
    const Outcome<> result = runArdourConform(job, tools, {});
    for (const auto& line : ardourEventLines(job)) io.out << line << "\n";
    (result ? io.out : io.err) << ardourSummary(job, result) << "\n";
    return result && job.plan.refused() == 0 ? 0 : 1;
}

}  // namespace rw::cli
