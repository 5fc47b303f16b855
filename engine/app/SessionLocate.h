#pragma once
// Sends the workstation's playhead to a time: the activation script, the
// keypad divide key, the time pasted from the pasteboard, a short wait and
// Enter. The keystrokes and the wait go from a thread of their own, so the
// window never waits; one locate at a time, and none while a conform's
// worker drives the same workstation (their keystrokes would mix).

#include "core/KLVtc.h"
#include "core/Outcome.h"
#include "ports/Clock.h"
#include "ports/WorkstationHost.h"

#include <atomic>
#include <string>
#include <thread>

namespace rw {

class conformController;
class ProToolsConform;

class SessionLocator {
public:
    // `conform`, when given, is the conform driving the same workstation.
    SessionLocator(conformController& controller, WorkstationHost& host, Clock& clock,
                   const ProToolsConform* conform = nullptr)
        : controller_(controller), host_(host), clock_(clock), conform_(conform) {}
    // Waits for a locate still typing.
    ~SessionLocator() { wait(); }
    SessionLocator(const SessionLocator&) = delete;
    SessionLocator& operator=(const SessionLocator&) = delete;

    // The masterIn, or the sourceIn, of the one selected event of the list in
    // front; with none or several selected, the beep. Each answers what it
    // did, or why it did nothing, for the status bar.
    Outcome<std::string> locateSessionToMaster(const std::string& senderTitle = {});
    Outcome<std::string> locateSessionToSource(const std::string& senderTitle = {});
    // With no workstation running, one that cannot be activated, or one
    // being typed to (by a conform or the last locate), the beep, nothing
    // posted, and why. A failing script is ignored.
    Outcome<> locateSessionToTime(const KLVtc& time);
    // Until the last locate's keystrokes are posted.
    void wait();

private:
    Outcome<std::string> locateSelected(bool master);
    // Whether the workstation can be typed to now, or why not.
    Outcome<> mayType() const;

    conformController& controller_;
    WorkstationHost& host_;
    Clock& clock_;
    const ProToolsConform* conform_;
    std::atomic<bool> typing_{false};
    std::jthread typist_;  // last: joined before anything it uses goes
};

}  // namespace rw
