#include "app/ArdourConformStep.h"

#include "app/ConformController.h"
#include "lists/DataSource.h"

#include <filesystem>

namespace rw {

namespace {

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

}  // namespace

std::string defaultSnapshotName(conformController& c) {
    std::string name;
    if (c.dataSourceB().filename() != kNoFileLoaded) name = firstLine(c.dataSourceB().filename());
    else if (c.dataSourceC().filename() != kNoFileLoaded) {
        name = firstLine(c.dataSourceC().filename());
        name = name.substr(0, name.find("_fr_"));
    }
    for (char& ch : name)
        if (ch == '/' || ch == '\\' || ch == ':' || ch == ';') ch = '-';
    name.erase(0, name.find_first_not_of('.'));
    return name.empty() ? "conform" : name;
}

ConformOutcome conformArdourSession(conformController& c, const EditArray& events, ArdourHost* host,
                                    const ArdourOptions& options) {
    ConformOutcome outcome;
    outcome.step = ConformOutcome::Step::Cancelled;
    auto answer = c.ui().openPanel(c.prefs().get(pref::ConfPath), false);
    if (!answer || answer->paths.empty()) return outcome;
    const std::string path = answer->paths.front();
    c.rememberFolder(pref::ConfPath, std::filesystem::path(path).parent_path().string());
    const std::string snapshot = options.snapshot.empty() ? defaultSnapshotName(c) : options.snapshot;
    auto job = std::make_shared<ArdourJob>(
        prepareArdourConform({path, snapshot, options.timebase, events}, host ? host->luaTool() : std::nullopt));
    outcome.ardour = job;
    if (!job->refusal.empty()) {
        c.ui().alert("session not conformed", job->refusal);
        outcome.step = ConformOutcome::Step::ArdourRefused;
        return outcome;
    }
    outcome.alert = ardourConfirmation(*job);
    if (c.ui().confirm(outcome.alert.title, outcome.alert.text)) outcome.step = ConformOutcome::Step::ArdourConfirmed;
    return outcome;
}

}  // namespace rw
