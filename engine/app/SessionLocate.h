#pragma once
// Sends the workstation's playhead to a time: the activation script, the
// keypad divide key, the time pasted from the pasteboard, a short wait and
// Enter. Runs on the calling (main) thread.

#include "core/KLVtc.h"
#include "ports/Clock.h"
#include "ports/WorkstationHost.h"

#include <string>

namespace rw {

class conformController;

class SessionLocator {
public:
    SessionLocator(conformController& controller, WorkstationHost& host, Clock& clock)
        : controller_(controller), host_(host), clock_(clock) {}

    // The masterIn, or the sourceIn, of the one selected event of the list in
    // front; with none or several selected, the beep. Each answers what it
    // did, for the status bar.
    std::string locateSessionToMaster(const std::string& senderTitle = {});
    std::string locateSessionToSource(const std::string& senderTitle = {});
    // With no workstation running, or one that cannot be activated, the beep
    // and nothing posted (false). A failing script is ignored.
    bool locateSessionToTime(const KLVtc& time);

private:
    std::string locateSelected(bool master);

    conformController& controller_;
    WorkstationHost& host_;
    Clock& clock_;
};

}  // namespace rw
