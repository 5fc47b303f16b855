#pragma once
// The conform command of the change list: the event set, its conversion to
// the conform timebase, the confirmation alert with its notes, and for the
// file types the file conform. Driving Pro Tools starts from the confirmed
// outcome.

#include "ardour/ArdourConform.h"
#include "conform/ConformAlert.h"
#include "conform/FileConform.h"
#include "conform/Preflight.h"
#include "core/Edit.h"
#include "ports/WorkstationHost.h"

#include <memory>
#include <string>

namespace rw {

class conformController;
class ProToolsConform;

struct ConformOutcome {
    enum class Step {
        NothingToConform,   // empty event set: a beep
        Cancelled,          // the alert was cancelled
        NotAvailable,       // a conform type that does not exist yet
        ProToolsConfirmed,  // the Pro Tools conform may start on editArrayConvC
        FileConform,        // a file type: see `file`
        ArdourConfirmed,    // the Ardour conform in `ardour` may run
        ArdourRefused,      // the Ardour conform cannot run: `ardour->refusal` says why
    };
    Step step = Step::NothingToConform;
    ConformAlert alert;
    // FileConform: the conformed copy (empty when the open panel was
    // cancelled), or why nothing was written.
    Outcome<std::string> file;
    std::shared_ptr<ArdourJob> ardour;
};

class ConformCommand {
public:
    ConformCommand(conformController& controller, WorkstationHost& host) : controller_(controller), host_(host) {}

    // "Conform Selected Events Only" conforms the selected events of list C,
    // any other sender the whole list.
    ConformOutcome conform(const std::string& senderTitle);

    // The alert for an (unconverted) event set under the current preferences;
    // for Pro Tools it also makes the plan the worker follows.
    ConformAlert composeAlert(const EditArray& events);

    // Where a confirmed Pro Tools conform starts its worker; without one the
    // command only answers ProToolsConfirmed.
    void setProToolsConform(ProToolsConform* control) { proTools_ = control; }
    // The Ardour tools the "Ardour session" type finds and runs; none: not installed.
    void setArdourHost(ArdourHost* host) { ardour_ = host; }

    // The events being conformed, in the conform timebase; replaced by every
    // conform command.
    const EditArray& editArrayConvC() const { return editArrayConvC_; }
    // The Pro Tools plan of the last alert composed.
    const ConformPlan& plan() const { return plan_; }

private:
    conformController& controller_;
    WorkstationHost& host_;
    EditArray editArrayConvC_;
    ConformPlan plan_;
    ProToolsConform* proTools_ = nullptr;
    ArdourHost* ardour_ = nullptr;
};

}  // namespace rw
