#include "app/ConformCommand.h"

#include "app/ArdourConformStep.h"
#include "app/ConformController.h"
#include "views/SenderTitles.h"
#include "comparison/Timebase.h"
#include "conform/ExportTimebase.h"
#include "conform/Preflight.h"
#include "protools/ProToolsConform.h"

#include <filesystem>

namespace rw {

namespace {

// The open panel in "confPath", the conform, "confPath" := the file's folder,
// and the completion beep. A file that could not be conformed is reported.
Outcome<std::string> conformFile(conformController& c, const std::string& type, const EditArray& events) {
    auto answer = c.ui().openPanel(c.prefs().get(pref::ConfPath), false);
    if (!answer || answer->paths.empty()) return Outcome<std::string>::success();  // cancelled: nothing written
    const std::string* chosen = &answer->paths.front();
    Outcome<std::string> result = conformChosenFile(*chosen, type, events, c.prefs().get(pref::ConformTimebase));
    c.rememberFolder(pref::ConfPath, std::filesystem::path(*chosen).parent_path().string());
    // The completion beep alone would say a failed conform went well.
    if (!result) c.ui().alert("file not conformed", result.error);
    c.ui().beep();
    return result;
}

}  // namespace

ConformAlert ConformCommand::composeAlert(const EditArray& events) {
    const Preferences& prefs = controller_.prefs();
    const std::string type = prefs.get(pref::ConformType);
    const std::string timebase = prefs.get(pref::ConformTimebase);
    ConformAlert alert = conformAlertOpening(type, timebase, prefs.get(pref::ConformSpeed));
    alert.text += timebaseNote(listTimebase(events), timebase);
    if (type == conformtype::ProTools) {
        plan_ = planProToolsConform(events, timebase, prefs.get(pref::ConformCopy) == "cut", host_.sessionStart());
        alert.text += proToolsPreflightNotes(events, host_, plan_);
    }
    return alert;
}

ConformOutcome ConformCommand::conform(const std::string& senderTitle) {
    dataSource& listC = controller_.dataSourceC();
    const EditArray events =
        senderTitle == title::ConformSelectedOnly ? listC.selectedEvents() : listC.getEditArray();
    ConformOutcome outcome;
    if (events.empty()) {
        controller_.ui().beep();
        return outcome;
    }
    const std::string type = controller_.prefs().get(pref::ConformType);
    if (type == conformtype::Ardour) return conformArdourSession(controller_, events, ardour_);
    editArrayConvC_ = convertTimebaseForArray(events, controller_.prefs().get(pref::ConformTimebase));
    outcome.alert = composeAlert(events);
    const bool confirmed = controller_.ui().confirm(outcome.alert.title, outcome.alert.text);
    if (type != conformtype::ProTools && type != conformtype::Tab && type != conformtype::Comma &&
        type != conformtype::Tc6000) {
        outcome.step = ConformOutcome::Step::NotAvailable;
        return outcome;
    }
    if (!confirmed) {
        outcome.step = ConformOutcome::Step::Cancelled;
        return outcome;
    }
    if (type == conformtype::ProTools) {
        outcome.step = ConformOutcome::Step::ProToolsConfirmed;
        if (proTools_) proTools_->start(plan_.events);
        return outcome;
    }
    outcome.step = ConformOutcome::Step::FileConform;
    outcome.file = conformFile(controller_, type, editArrayConvC_);
    return outcome;
}

}  // namespace rw
