#include "protools/ConformWorker.h"

#include "conform/Preflight.h"
#include "protools/ProcessorWatch.h"

#include <chrono>
#include <cstdlib>
#include <future>
#include <memory>

namespace rw {

ConformEvents conformEventsFrom(const EditArray& events) {
    auto value = [](const TcPtr& tc) { return tc ? *tc : KLVtc(); };
    ConformEvents out;
    out.reserve(events.size());
    for (const auto& e : events)
        out.push_back({e->editNum(), value(e->sourceIn()), value(e->sourceOut()), value(e->masterIn()),
                       value(e->masterOut())});
    return out;
}

WorkerSettings workerSettingsFrom(const Preferences& prefs) {
    WorkerSettings s;
    s.pace = paceFor(prefs.get(pref::ConformSpeed));
    s.allEvents = prefs.get(pref::ConformEvents) == "all events";
    s.copy = prefs.get(pref::ConformCopy) == "copy";
    s.conformTimebase = prefs.get(pref::ConformTimebase);
    return s;
}

std::string conformRateOf(const std::string& conformTimebase) {
    if (conformTimebase == "23.976") return "24";
    if (conformTimebase == "29.97") return "30";
    return conformTimebase;
}

namespace {

enum class Range { Old, New };

// A selection length read back from the selection fields is right when it
// is the range's length or one frame either side of it. A text that is no
// timecode reads as 0 frames.
bool lengthRight(const KLVtc& in, const KLVtc& out, const std::string& text) {
    TcPtr read = KLVtc::initWithString(text, out.framerateString());
    const std::int64_t frames = read ? read->totalFrames() : 0;
    const std::int64_t expected = std::int64_t{out.totalFrames()} - in.totalFrames();
    return std::llabs(expected - frames) <= protocol::LengthTolerance;
}

class Run {
public:
    Run(const ConformEvents& events, const WorkerSettings& settings, WorkerPorts ports, WorkerShared& shared)
        : events_(events), s_(settings), p_(ports), shared_(shared), d_(settings.pace.pause) {}

    WorkerEnd run(double startDelay);

private:
    bool check() {
        if (shared_.runConformFlag) return true;
        end_ = WorkerEnd::Stopped;
        return false;
    }
    void pause(double seconds) {
        if (p_.observer) p_.observer->paused(seconds);
        p_.clock.sleepFor(secondsToDuration(seconds));
    }
    void key(int code, std::uint64_t flags = keyflag::None) {
        p_.host.postKeyEvent(psn_, code, true, flags);
        p_.host.postKeyEvent(psn_, code, false, flags);
    }
    void field() { key(keycode::KeypadDivide); }
    void enter() { key(keycode::KeypadEnter); }
    void copy() { key(keycode::C, keyflag::Command); }
    void paste() { key(keycode::V, keyflag::Command); }
    std::string pasteboard() { return p_.host.pasteboardString().value_or(""); }
    void onMain(std::function<void(StopPanelPort&)> work) {
        StopPanelPort& panel = p_.panel;
        panel.runOnMainThread([&panel, work = std::move(work)] { work(panel); });
    }
    void status(std::string text, StatusColor color = StatusColor::White) {
        onMain([text = std::move(text), color](StopPanelPort& panel) { panel.setStatus(text, color); });
    }
    bool alert(const std::string& message, const std::string& text);
    bool giveUp(const std::string& message, const std::string& text);

    bool sessionFramerateTest();
    std::string sessionFramerate();
    bool conformEvent(std::size_t i, bool oneEventOnly);
    bool selectRange(const ConformEvent& e, Range range, double inPause);
    bool selectOnce(const KLVtc& in, const KLVtc& out, Range range, double inPause);
    bool baseline();
    bool waitForQuiet();
    void finish(std::size_t lastIndex);

    const ConformEvents& events_;
    const WorkerSettings& s_;
    WorkerPorts p_;
    WorkerShared& shared_;
    const double d_;
    std::int32_t psn_ = 0, pid_ = 0;
    bool version801_ = false;
    float baseline_ = 0.0f;
    WorkerEnd end_ = WorkerEnd::Finished;
};

WorkerEnd Run::run(double startDelay) {
    if (startDelay > 0) p_.clock.sleepFor(secondsToDuration(startDelay));
    if (!check()) return end_;
    p_.host.runScript(activationScript());
    auto pt = findProTools(p_.host);
    if (!pt) return WorkerEnd::NoWorkstation;
    if (!p_.host.activate(pt->path)) {
        p_.host.beep();
        return WorkerEnd::ActivationFailed;
    }
    psn_ = pt->processSerialNumberLow;
    pid_ = pt->processIdentifier;
    version801_ = pt->bundleVersion.find("8.0.1") != std::string::npos;
    if (!sessionFramerateTest()) return end_;

    std::size_t first = 0, last = events_.size();
    if (!s_.allEvents) {
        const auto index = shared_.currentConfIndex.load();
        if (index < 0 || static_cast<std::size_t>(index) >= events_.size()) return WorkerEnd::Finished;
        first = static_cast<std::size_t>(index);
        last = first + 1;
    }
    status(status::Processing);
    for (std::size_t i = first; i < last; ++i)
        if (!conformEvent(i, !s_.allEvents)) return end_;
    finish(last - 1);
    return end_;
}

// The alert on the main thread; false when Stop came while it was up.
bool Run::alert(const std::string& message, const std::string& text) {
    auto answered = std::make_shared<std::promise<void>>();
    std::future<void> answer = answered->get_future();
    UiPort& ui = p_.ui;
    p_.panel.runOnMainThread([&ui, message, text, answered] {
        ui.alert(message, text);
        answered->set_value();
    });
    // The wait looks at the stop flag so that a closing owner is never kept
    // waiting for an answer nobody will give.
    while (answer.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        if (!check()) return false;
    return true;
}

bool Run::giveUp(const std::string& message, const std::string& text) {
    p_.host.beep();
    if (!alert(message, text)) return false;
    onMain([](StopPanelPort& panel) { panel.close(); });
    end_ = WorkerEnd::GaveUp;
    return false;
}

std::string Run::sessionFramerate() {
    const double d2 = 2 * d_;
    field();
    field();
    copy();
    pause(d2);
    const std::string start = pasteboard();
    if (start.size() != 11) return "ERR";
    // The session takes a frame number only when it exists at its rate.
    const std::pair<const char*, const char*> candidates[] = {{":29", "30"}, {":24", "25"}, {":23", "24"}};
    for (const auto& [ending, rate] : candidates) {
        if (!check()) return {};
        const std::string candidate = start.substr(0, 8) + ending;
        p_.host.setPasteboardString(candidate);
        paste();
        pause(d2);
        field();
        field();
        field();
        pause(d2);
        copy();
        pause(d2);
        if (pasteboard() == candidate) return rate;
    }
    return "ERR";
}

bool Run::sessionFramerateTest() {
    status(status::TestingFramerate);
    const std::string result = sessionFramerate();
    if (result.empty()) return false;  // stopped
    enter();
    const std::string rate = conformRateOf(s_.conformTimebase);
    if (result == "ERR") {
        p_.host.beep();
        return alert("can't figure out the session timebase.",
                     "reelwright will continue but please make sure you're set correctly");
    }
    if (result == rate) return true;
    p_.host.beep();
    if (!alert("incorrect session framerate", "reelwright is trying to send " + rate +
                                                  "fps values but your session appears to be set to " + result +
                                                  "fps"))
        return false;
    onMain([](StopPanelPort& panel) { panel.close(); });
    end_ = WorkerEnd::WrongFramerate;
    return false;
}

bool Run::selectOnce(const KLVtc& in, const KLVtc& out, Range range, double inPause) {
    if (range == Range::Old) {
        field();
        if (!check()) return false;
        pause(d_);
        p_.host.setPasteboardString(in.tcAsString());
        paste();
        if (!check()) return false;
        pause(inPause);
    } else {
        pause(d_);
        field();
        pause(d_);
        p_.host.setPasteboardString(in.tcAsString());
        paste();
        pause(d_);
    }
    if (version801_) {
        enter();
        pause(d_);
        field();
        pause(d_);
    }
    field();
    pause(d_);
    p_.host.setPasteboardString(out.tcAsString());
    paste();
    pause(d_);
    if (!check()) return false;
    if (version801_) {
        enter();
        pause(d_);
        field();
        pause(d_);
        field();
        pause(d_);
    }
    field();
    pause(d_);
    copy();
    pause(d_);
    return true;
}

bool Run::selectRange(const ConformEvent& e, Range range, double inPause) {
    const KLVtc& in = range == Range::Old ? e.sourceIn : e.masterIn;
    const KLVtc& out = range == Range::Old ? e.sourceOut : e.masterOut;
    for (int tries = 1;; ++tries) {
        if (!selectOnce(in, out, range, inPause)) return false;
        if (lengthRight(in, out, pasteboard())) return true;
        if (tries >= protocol::SelectionTries)
            return giveUp("selection length ERR",
                          "event " + e.editNum + ": the length of its " + (range == Range::Old ? "old" : "new") +
                              " range read back from Pro Tools was still wrong after " + std::to_string(tries) +
                              " tries, so the conform has stopped.\nplease check the session and the event.");
    }
}

bool Run::baseline() {
    if (p_.observer) p_.observer->measuringBaseline();
    auto b = measureBaseline([this] { return p_.host.processorUse(pid_); }, p_.clock, shared_.runConformFlag);
    if (!b) return check();
    baseline_ = *b;
    return true;
}

bool Run::waitForQuiet() {
    if (p_.observer) p_.observer->waitingForQuiet();
    const QuietWait w = rw::waitForQuiet([this] { return p_.host.processorUse(pid_); }, p_.clock,
                                         shared_.runConformFlag, baseline_, s_.pace.quietReadings,
                                         protocol::QuietTimeLimit);
    if (w == QuietWait::Quiet) return true;
    if (w == QuietWait::Stopped) return check();
    status(status::NotFinished, StatusColor::Red);
    end_ = WorkerEnd::NotQuiet;
    return false;
}

bool Run::conformEvent(std::size_t i, bool oneEventOnly) {
    const ConformEvent& e = events_[i];
    const int number = static_cast<int>(i) + 1;
    const double inPause = (i == 0 || oneEventOnly) ? d_ + protocol::FirstEventExtraPause : d_;
    for (int tries = 1;; ++tries) {
        onMain([number](StopPanelPort& panel) {
            panel.setEventNumber(number);
            panel.advanceProgress();
        });
        if (!check()) return false;
        pause(d_);
        if (!selectRange(e, Range::Old, inPause)) return false;
        enter();
        status(status::Processing);
        pause(d_);
        if (!check() || !baseline()) return false;
        key(s_.copy ? keycode::C : keycode::X, keyflag::Command);
        pause(d_);
        status(status::WaitingForProTools);
        if (!waitForQuiet()) return false;
        status(status::Processing);
        if (!check() || !selectRange(e, Range::New, inPause)) return false;
        enter();
        if (!check()) return false;
        pause(d_);
        if (!baseline()) return false;
        paste();
        status(status::WaitingForProTools);
        if (!waitForQuiet()) return false;
        field();
        field();
        field();
        pause(d_);
        copy();
        pause(d_);
        enter();
        pause(d_);
        if (lengthRight(e.masterIn, e.masterOut, pasteboard())) {
            status(status::Processing);
            return true;
        }
        if (tries >= protocol::PasteTries)
            return giveUp("paste length ERR",
                          "event " + e.editNum + ": the pasted material still had the wrong length after " +
                              std::to_string(tries) +
                              " tries, so the conform has stopped.\nan event whose old and new lengths differ (a "
                              "speed change) has to be conformed by hand.");
        status(status::PasteLengthRedo, StatusColor::Red);
    }
}

void Run::finish(std::size_t lastIndex) {
    if (s_.allEvents || lastIndex + 1 >= events_.size()) {
        p_.host.beep();
        onMain([](StopPanelPort& panel) { panel.close(); });
        end_ = WorkerEnd::Finished;
        return;
    }
    const int next = static_cast<int>(lastIndex) + 2;
    onMain([next](StopPanelPort& panel) { panel.setEventNumber(next); });
    status(status::WaitingForNext, StatusColor::Red);
    end_ = WorkerEnd::WaitingForNext;
}

}  // namespace

WorkerEnd conformForPT(const ConformEvents& events, const WorkerSettings& settings, WorkerPorts ports,
                       WorkerShared& shared, double startDelay) {
    return Run(events, settings, ports, shared).run(startDelay);
}

}  // namespace rw
