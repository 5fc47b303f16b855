#pragma once
// The Pro Tools conform worker (conformForPT): one run on its own thread
// types the change events into a running session as a user would. It pastes
// each old range into the selection fields, checks the length it reads back,
// copies or cuts, does the same for the new range and pastes, pacing itself
// by the workstation's processor use. Panel updates and alerts go to the main
// thread; the worker waits only for an alert's answer.

#include "conform/Preflight.h"
#include "ports/Clock.h"
#include "ports/StopPanelPort.h"
#include "ports/UiPort.h"
#include "ports/WorkstationHost.h"
#include "protools/Protocol.h"
#include "settings/Preferences.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace rw {

// The preferences a worker run reads when it starts.
struct WorkerSettings {
    Pace pace;
    bool allEvents = true;  // "all events"; off: only the event at currentConfIndex
    std::string conformTimebase = "24";
};
WorkerSettings workerSettingsFrom(const Preferences& prefs);

// What the main thread and the worker share.
struct WorkerShared {
    std::atomic<bool> runConformFlag{false};          // written by the main thread
    std::atomic<std::int32_t> currentConfIndex{0};    // written while no worker runs
    std::atomic<std::int32_t> eventsDone{0};          // written by the worker
};

// Told what the worker does besides keystrokes: a rehearsal lists it.
class ConformObserver {
public:
    virtual ~ConformObserver() = default;
    virtual void paused(double seconds) = 0;
    virtual void measuringBaseline() = 0;
    virtual void waitingForQuiet() = 0;
    virtual void alerted(const std::string& title) = 0;
    // A stop panel update as it is queued ("status TEXT", "event 2", "close").
    virtual void panelChanged(const std::string& update) = 0;
};

struct WorkerPorts {
    WorkstationHost& host;
    Clock& clock;
    StopPanelPort& panel;
    UiPort& ui;
    ConformObserver* observer = nullptr;
};

// How a worker run ended.
enum class WorkerEnd {
    Finished,          // the last event is done: beep, panel closed
    WaitingForNext,    // one-at-a-time with events left
    Stopped,           // the stop flag went down
    WrongFramerate,    // the alert, the panel closed
    GaveUp,            // a length stayed wrong: the alert, the panel closed
    // Said on the status line in red with a beep; the panel stays until Stop.
    NoWorkstation,     // no Pro Tools running
    ActivationFailed,  // Pro Tools could not be brought to the front
    NotQuiet,          // the workstation never fell quiet
    WorkstationQuit,   // Pro Tools went away during the run
    NotAnswering,      // Pro Tools took no more keystrokes or gave no processor readings
};

// One run; `startDelay` seconds of the clock pass first.
WorkerEnd conformForPT(const ConformEvents& events, const WorkerSettings& settings, WorkerPorts ports,
                       WorkerShared& shared, double startDelay = 0.0);

// The conform timebase as the session test compares it: "23.976" is taken
// as "24", "29.97" as "30" and "59.94" as "60".
std::string conformRateOf(const std::string& conformTimebase);

}  // namespace rw
