#pragma once
// The control of a running Pro Tools conform: the stop panel's set-up, the
// worker thread, the shared stop flag and event index, and the panel's two
// buttons. Everything here runs on the main thread; the worker runs on its
// own std::jthread and reports its end back through the panel's queue.

#include "ports/Clock.h"
#include "ports/StopPanelPort.h"
#include "ports/UiPort.h"
#include "ports/WorkstationHost.h"
#include "protools/ConformWorker.h"
#include "settings/Preferences.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace rw {

class ProToolsConform {
public:
    // Sets the host's local-event suppression interval for the keystrokes.
    ProToolsConform(WorkstationHost& host, Clock& clock, StopPanelPort& panel, UiPort& ui, const Preferences& prefs);
    // Stops a running worker and waits for it.
    ~ProToolsConform();
    ProToolsConform(const ProToolsConform&) = delete;
    ProToolsConform& operator=(const ProToolsConform&) = delete;

    // A rehearsal lists what the worker does; nullptr for none.
    void setObserver(ConformObserver* observer) { observer_ = observer; }
    // Told on the main thread, in a line, what became of the conform: each
    // run's end and a Stop (the window's status bar shows it).
    void setEndListener(std::function<void(const std::string&)> listener) { endListener_ = std::move(listener); }

    // The confirmed conform: panel set up, index 0, flag up, and a worker
    // that starts after the command's pause. While a conform holds the panel
    // open a new one is refused with a beep (false): it would change the
    // events under the running worker. No events: the beep.
    bool start(ConformEvents events);

    // abortConform: "next" conforms the next event of a one-at-a-time run
    // (nothing when none is left or "next" is not enabled); any other sender
    // stops the conform and closes the panel.
    void abortConform(const std::string& senderTitle);

    // A conform holds the stop panel open.
    bool active() const { return active_; }
    bool workerRunning() const { return workerRunning_; }
    bool nextEnabled() const { return nextEnabled_; }
    // How the last worker run ended; nullopt while it runs or before the first.
    std::optional<WorkerEnd> lastEnd() const { return lastEnd_; }
    std::int32_t currentConfIndex() const { return shared_.currentConfIndex; }
    // The events being conformed (editArrayConvC), released when the conform ends.
    const ConformEvents* events() const { return events_.get(); }

private:
    void launch(double startDelay);
    void workerEnded(WorkerEnd end);
    void panelChanged(const std::string& update) {
        if (observer_) observer_->panelChanged(update);
    }
    void report(WorkerEnd end);

    WorkstationHost& host_;
    Clock& clock_;
    StopPanelPort& panel_;
    UiPort& ui_;
    const Preferences& prefs_;
    ConformObserver* observer_ = nullptr;
    std::function<void(const std::string&)> endListener_;

    std::shared_ptr<const ConformEvents> events_;
    WorkerShared shared_;
    bool active_ = false, workerRunning_ = false, nextEnabled_ = false;
    std::optional<WorkerEnd> lastEnd_;
    unsigned generation_ = 0;  // which conform a worker's report belongs to
    std::jthread worker_;  // last: joined before anything it uses goes
};

// The line that says what became of a conform: "Conform finished: 4 events",
// or why it stopped and how many of its events were done.
std::string conformEndMessage(WorkerEnd end, int eventsDone, int events);

}  // namespace rw
