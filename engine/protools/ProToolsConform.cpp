#include "protools/ProToolsConform.h"

#include "protools/Protocol.h"

namespace rw {

ProToolsConform::ProToolsConform(WorkstationHost& host, Clock& clock, StopPanelPort& panel, UiPort& ui,
                                 const Preferences& prefs)
    : host_(host), clock_(clock), panel_(panel), ui_(ui), prefs_(prefs) {
    host_.setLocalEventsSuppressionInterval(protocol::LocalEventsSuppressionInterval);
}

ProToolsConform::~ProToolsConform() {
    shared_.runConformFlag = false;
    if (worker_.joinable()) worker_.join();
}

bool ProToolsConform::start(ConformEvents events) {
    if (active_ || events.empty()) {
        ui_.beep();
        return false;
    }
    // A stopped worker ends at its next check; its late report is ignored.
    if (worker_.joinable()) worker_.join();
    ++generation_;
    workerRunning_ = false;
    events_ = std::make_shared<const ConformEvents>(std::move(events));
    panel_.showFloating();
    panel_.setProgressMaximum(static_cast<int>(events_->size()));
    panel_.setProgressValue(0);
    panel_.setEventNumber(std::nullopt);
    panel_.setStatus(status::Initializing, StatusColor::White);
    panel_.setNextEnabled(false);
    nextEnabled_ = false;
    shared_.currentConfIndex = 0;
    shared_.runConformFlag = true;
    active_ = true;
    launch(protocol::StartDelay);
    return true;
}

void ProToolsConform::abortConform(const std::string& senderTitle) {
    if (senderTitle == sender::Next) {
        if (!nextEnabled_ || workerRunning_ || !events_) return;
        if (events_->size() <= static_cast<std::size_t>(shared_.currentConfIndex) + 1) return;
        ++shared_.currentConfIndex;
        nextEnabled_ = false;
        panel_.setNextEnabled(false);
        launch(0.0);
        return;
    }
    shared_.runConformFlag = false;
    panel_.close();
    active_ = false;
    nextEnabled_ = false;
    if (!workerRunning_) events_.reset();
}

// The pause of the command runs on the worker's thread, so the main thread
// stays free while it passes.
void ProToolsConform::launch(double startDelay) {
    if (worker_.joinable()) worker_.join();  // the last run has ended: it only had its return left
    workerRunning_ = true;
    lastEnd_.reset();
    WorkerPorts ports{host_, clock_, panel_, ui_, observer_};
    worker_ = std::jthread([this, ports, events = events_, settings = workerSettingsFrom(prefs_), startDelay,
                            generation = generation_] {
        const WorkerEnd end = conformForPT(*events, settings, ports, shared_, startDelay);
        panel_.runOnMainThread([this, generation, end] {
            if (generation == generation_) workerEnded(end);
        });
    });
}

void ProToolsConform::workerEnded(WorkerEnd end) {
    workerRunning_ = false;
    lastEnd_ = end;
    switch (end) {
    case WorkerEnd::WaitingForNext:
        // Enabled only now, so "next" never meets a worker still running.
        if (active_) {
            nextEnabled_ = true;
            panel_.setNextEnabled(true);
        }
        return;
    case WorkerEnd::Finished:
    case WorkerEnd::WrongFramerate:
    case WorkerEnd::GaveUp:
    case WorkerEnd::Stopped:
        active_ = false;
        events_.reset();
        return;
    case WorkerEnd::NoWorkstation:
    case WorkerEnd::ActivationFailed:
    case WorkerEnd::NotQuiet:
        return;  // the panel stays open until Stop
    }
}

}  // namespace rw
