#include "protools/ProToolsConform.h"

#include "protools/Protocol.h"

namespace rw {

namespace {

std::string eventsText(int n) { return std::to_string(n) + (n == 1 ? " event" : " events"); }

const char* reasonOf(WorkerEnd end) {
    switch (end) {
    case WorkerEnd::Finished:
    case WorkerEnd::WaitingForNext: return "";
    case WorkerEnd::Stopped: return "Stop pressed";
    case WorkerEnd::WrongFramerate: return "incorrect session framerate";
    case WorkerEnd::GaveUp: return "a length read back from Pro Tools stayed wrong";
    case WorkerEnd::NoWorkstation: return "can't find Pro Tools";
    case WorkerEnd::ActivationFailed: return "Pro Tools can't be brought to the front";
    case WorkerEnd::NotQuiet: return "Pro Tools did not finish";
    case WorkerEnd::WorkstationQuit: return "Pro Tools has quit";
    case WorkerEnd::NotAnswering: return "Pro Tools is not answering";
    }
    return "";
}

}  // namespace

std::string conformEndMessage(WorkerEnd end, int eventsDone, int events) {
    if (end == WorkerEnd::Finished) return "Conform finished: " + eventsText(events);
    const std::string done = " (" + std::to_string(eventsDone) + " of " + eventsText(events) + " done)";
    if (end == WorkerEnd::WaitingForNext) return "Conform waiting for next" + done;
    return std::string("Conform stopped: ") + reasonOf(end) + done;
}

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
    const int count = static_cast<int>(events_->size());
    panel_.showFloating();
    panelChanged("show");
    panel_.setProgressMaximum(count);
    panel_.setProgressValue(0);
    panelChanged("progress 0 of " + std::to_string(count));
    panel_.setEventNumber(std::nullopt);
    panelChanged("event");
    panel_.setStatus(status::Initializing, StatusColor::White);
    panelChanged(std::string("status ") + status::Initializing);
    panel_.setNextEnabled(false);
    panelChanged("next off");
    nextEnabled_ = false;
    shared_.currentConfIndex = 0;
    shared_.eventsDone = 0;
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
        panelChanged("next off");
        launch(0.0);
        return;
    }
    shared_.runConformFlag = false;
    panel_.close();
    panelChanged("close");
    // Said only of a conform still going: a run that ended with its reason
    // keeps it. The worker's own report of this Stop is not repeated.
    if (active_ && (workerRunning_ || nextEnabled_)) report(WorkerEnd::Stopped);
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

void ProToolsConform::report(WorkerEnd end) {
    if (endListener_ && events_)
        endListener_(conformEndMessage(end, shared_.eventsDone, static_cast<int>(events_->size())));
}

void ProToolsConform::workerEnded(WorkerEnd end) {
    workerRunning_ = false;
    lastEnd_ = end;
    if (end == WorkerEnd::Stopped) {
        events_.reset();  // Stop has closed the panel and said so
        return;
    }
    report(end);
    switch (end) {
    case WorkerEnd::WaitingForNext:
        // Enabled only now, so "next" never meets a worker still running.
        if (active_) {
            nextEnabled_ = true;
            panel_.setNextEnabled(true);
            panelChanged("next on");
        }
        return;
    case WorkerEnd::Finished:
    case WorkerEnd::WrongFramerate:
    case WorkerEnd::GaveUp:
        active_ = false;
        events_.reset();
        return;
    default:
        return;  // the panel stays open with the reason until Stop
    }
}

}  // namespace rw
