#include "protools/ConformWorker.h"

#include "conform/Preflight.h"
#include "protools/ProcessorWatch.h"

#include <chrono>
#include <cstdlib>
#include <future>
#include <memory>

namespace rw {

WorkerSettings workerSettingsFrom(const Preferences& prefs) {
    WorkerSettings s;
    s.pace = paceFor(prefs.get(pref::ConformSpeed));
    s.allEvents = prefs.get(pref::ConformEvents) == "all events";
    s.conformTimebase = prefs.get(pref::ConformTimebase);
    return s;
}

std::string conformRateOf(const std::string& conformTimebase) {
    if (conformTimebase == "23.976") return "24";
    if (conformTimebase == "29.97") return "30";
    if (conformTimebase == "59.94") return "60";
    return conformTimebase;
}

namespace {

enum class Range { Old, New };

// A selection length read back from the selection fields is right when it
// is the range's length or one frame either side of it. A text that is no
// timecode reads as 0 frames.
bool lengthRight(const KLVtc& in, const KLVtc& out, const std::string& text) {
    TcPtr read = KLVtc::initWithString(text, out.timebase());
    const std::int64_t frames = read ? read->totalFrames() : 0;
    const std::int64_t expected = std::int64_t{out.totalFrames()} - in.totalFrames();
    return std::llabs(expected - frames) <= protocol::LengthTolerance;
}

// The frame-rate test's probes: a frame number pasted into the selection
// start, and where its being taken or refused leads: a rate (> 0), the
// probe at index -n (< 0), or no answer (0). A session takes a frame number
// only when it exists at its rate; 24 and 25 fps sessions meet the same
// probes as ever, higher rates two more.
struct Probe {
    const char* frames;
    int taken, refused;
};
constexpr Probe kProbes[] = {{"29", -1, -3}, {"59", 60, -2}, {"49", 50, 30}, {"24", 25, -4}, {"23", 24, 0}};

std::string rateName(int rate, bool drop) {
    if (!drop) return std::to_string(rate);
    if (rate == 30) return "29.97df";
    if (rate == 60) return "59.94df";
    return "ERR";  // labels with ";" at a rate that has no drop frame
}

class Run {
public:
    Run(const ConformEvents& events, const WorkerSettings& settings, WorkerPorts ports, WorkerShared& shared)
        : events_(events), s_(settings), p_(ports), shared_(shared), d_(settings.pace.pause) {}

    WorkerEnd run(double startDelay);

private:
    enum class Take { Taken, Refused, Unclear, Ended };

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
    void pasteText(const std::string& text) {
        p_.host.setPasteboardString(text);
        paste();
    }
    std::string pasteboard() { return p_.host.pasteboardString().value_or(""); }

    void panel(const std::string& update, std::function<void(StopPanelPort&)> work) {
        if (p_.observer) p_.observer->panelChanged(update);
        StopPanelPort& panel = p_.panel;
        panel.runOnMainThread([&panel, work = std::move(work)] { work(panel); });
    }
    void status(const std::string& text, StatusColor color = StatusColor::White) {
        panel("status " + text + (color == StatusColor::Red ? " (red)" : ""),
              [text, color](StopPanelPort& p) { p.setStatus(text, color); });
    }
    void eventNumber(int n) {
        panel("event " + std::to_string(n), [n](StopPanelPort& p) { p.setEventNumber(n); });
    }
    void closePanel() {
        panel("close", [](StopPanelPort& p) { p.close(); });
    }
    bool alert(const std::string& message, const std::string& text);
    bool giveUp(const std::string& message, const std::string& text);
    bool stopWith(WorkerEnd end, const char* why);
    void lost();

    std::optional<std::string> copyField(double pauseAfter);
    bool sessionFramerateTest();
    std::optional<std::string> sessionFramerate();
    Take probe(const std::string& candidate, std::string& current);
    bool conformEvent(std::size_t i, bool oneEventOnly);
    bool takeOldMaterial(const ConformEvent& e, double inPause);
    bool selectRange(const ConformEvent& e, Range range, double inPause);
    std::optional<std::string> selectOnce(const KLVtc& in, const KLVtc& out, Range range, double inPause);
    bool baseline();
    bool waitForQuiet();
    void eventDone(int number);
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
    if (!pt) {
        stopWith(WorkerEnd::NoWorkstation, status::NotFound);
        return end_;
    }
    if (!p_.host.activate(pt->path)) {
        stopWith(WorkerEnd::ActivationFailed, status::NotActivated);
        return end_;
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

// The alert on the main thread; false when Stop came while it was up (or
// before its answer was seen), so that a Stop is never outrun by an alert.
bool Run::alert(const std::string& message, const std::string& text) {
    if (p_.observer) p_.observer->alerted(message);
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
    return check();
}

bool Run::giveUp(const std::string& message, const std::string& text) {
    p_.host.beep();
    if (!alert(message, text)) return false;
    closePanel();
    end_ = WorkerEnd::GaveUp;
    return false;
}

// An end that leaves the panel open with its reason in red until Stop.
bool Run::stopWith(WorkerEnd end, const char* why) {
    p_.host.beep();
    status(why, StatusColor::Red);
    end_ = end;
    return false;
}

void Run::lost() {
    if (findProTools(p_.host)) stopWith(WorkerEnd::NotAnswering, status::NotAnswering);
    else stopWith(WorkerEnd::WorkstationQuit, status::Quit);
}

// The text of the field in front, through the pasteboard. The pasteboard
// first holds a text the workstation never copies, so a lost Copy is seen
// and sent again instead of reading what was there before.
std::optional<std::string> Run::copyField(double pauseAfter) {
    for (int tries = 0; tries < protocol::CopyTries; ++tries) {
        p_.host.setPasteboardString(protocol::PasteboardSentinel);
        copy();
        pause(pauseAfter);
        std::string text = pasteboard();
        if (text != protocol::PasteboardSentinel) return text;
        if (!check()) return std::nullopt;
    }
    lost();
    return std::nullopt;
}

// One probe: the candidate pasted into the field, read back. The field
// either shows the candidate (taken) or what it held before (refused);
// anything else means a keystroke went astray.
Run::Take Run::probe(const std::string& candidate, std::string& current) {
    const double d2 = 2 * d_;
    if (!check()) return Take::Ended;
    pasteText(candidate);
    pause(d2);
    field();
    field();
    field();
    pause(d2);
    const auto read = copyField(d2);
    if (!read) return Take::Ended;
    if (*read == candidate) {
        current = candidate;
        return Take::Taken;
    }
    return *read == current ? Take::Refused : Take::Unclear;
}

// The session's rate, "ERR" when it cannot be told, nullopt when the run ended.
std::optional<std::string> Run::sessionFramerate() {
    field();
    field();
    const auto start = copyField(2 * d_);
    if (!start) return std::nullopt;
    if (start->size() != 11) return "ERR";
    // A drop-frame session shows ";" before the frames; the probes keep it.
    const bool drop = (*start)[8] == ';';
    std::string current = *start;
    for (int i = 0;;) {
        const Take take = probe(start->substr(0, 9) + kProbes[i].frames, current);
        if (take == Take::Ended) return std::nullopt;
        if (take == Take::Unclear) return "ERR";
        const int next = take == Take::Taken ? kProbes[i].taken : kProbes[i].refused;
        if (next == 0) return "ERR";
        if (next > 0) return rateName(next, drop);
        i = -next;
    }
}

bool Run::sessionFramerateTest() {
    status(status::TestingFramerate);
    const auto result = sessionFramerate();
    if (!result) return false;
    enter();
    const std::string rate = conformRateOf(s_.conformTimebase);
    if (*result == "ERR") {
        p_.host.beep();
        return alert("can't figure out the session timebase.",
                     "reelwright will continue but please make sure you're set correctly");
    }
    if (*result == rate) return true;
    p_.host.beep();
    if (!alert("incorrect session framerate", "reelwright is trying to send " + rate +
                                                  "fps values but your session appears to be set to " + *result +
                                                  "fps"))
        return false;
    closePanel();
    end_ = WorkerEnd::WrongFramerate;
    return false;
}

std::optional<std::string> Run::selectOnce(const KLVtc& in, const KLVtc& out, Range range, double inPause) {
    if (range == Range::Old) {
        field();
        if (!check()) return std::nullopt;
        pause(d_);
        pasteText(in.tcAsString());
        if (!check()) return std::nullopt;
        pause(inPause);
    } else {
        pause(d_);
        field();
        pause(d_);
        pasteText(in.tcAsString());
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
    pasteText(out.tcAsString());
    pause(d_);
    if (!check()) return std::nullopt;
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
    return copyField(d_);
}

bool Run::selectRange(const ConformEvent& e, Range range, double inPause) {
    const KLVtc& in = range == Range::Old ? e.sourceIn : e.masterIn;
    const KLVtc& out = range == Range::Old ? e.sourceOut : e.masterOut;
    for (int tries = 1;; ++tries) {
        const auto read = selectOnce(in, out, range, inPause);
        if (!read) return false;
        if (lengthRight(in, out, *read)) return true;
        if (tries >= protocol::SelectionTries)
            return giveUp("selection length ERR",
                          "event " + e.editNum + ": the length of its " + (range == Range::Old ? "old" : "new") +
                              " range read back from Pro Tools was still wrong after " + std::to_string(tries) +
                              " tries, so the conform has stopped.\nplease check the session and the event.");
        // A lost key may have left the fields elsewhere than the first: Enter
        // closes them, so the next try starts where the first did.
        enter();
        pause(d_);
    }
}

bool Run::baseline() {
    if (p_.observer) p_.observer->measuringBaseline();
    auto b = measureBaseline([this] { return p_.host.processorUse(pid_); }, p_.clock, shared_.runConformFlag,
                             protocol::BaselineTimeLimit);
    if (b) {
        baseline_ = *b;
        return true;
    }
    if (check()) lost();
    return false;
}

bool Run::waitForQuiet() {
    if (p_.observer) p_.observer->waitingForQuiet();
    const QuietWait w = rw::waitForQuiet([this] { return p_.host.processorUse(pid_); }, p_.clock,
                                         shared_.runConformFlag, baseline_, s_.pace.quietReadings,
                                         protocol::QuietTimeLimit);
    if (w == QuietWait::Quiet) return true;
    if (w == QuietWait::Stopped) return check();
    if (!findProTools(p_.host)) lost();
    else stopWith(WorkerEnd::NotQuiet, status::NotFinished);
    return false;
}

// Selects the old range and copies or cuts it, waiting until that is done.
bool Run::takeOldMaterial(const ConformEvent& e, double inPause) {
    if (!selectRange(e, Range::Old, inPause)) return false;
    enter();
    status(status::Processing);
    pause(d_);
    if (!check() || !baseline()) return false;
    key(e.cut ? keycode::X : keycode::C, keyflag::Command);
    pause(d_);
    status(status::WaitingForProTools);
    if (!waitForQuiet()) return false;
    status(status::Processing);
    return true;
}

bool Run::conformEvent(std::size_t i, bool oneEventOnly) {
    const ConformEvent& e = events_[i];
    const int number = static_cast<int>(i) + 1;
    const double inPause = (i == 0 || oneEventOnly) ? d_ + protocol::FirstEventExtraPause : d_;
    // After a cut the material is on the workstation's clipboard and its old
    // place is empty: a redo pastes it again instead of cutting the silence.
    bool held = false;
    for (int tries = 1;; ++tries) {
        eventNumber(number);
        if (!check()) return false;
        pause(d_);
        if (!held) {
            if (!takeOldMaterial(e, inPause)) return false;
            held = e.cut;
        }
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
        const auto read = copyField(d_);
        if (!read) return false;
        enter();
        pause(d_);
        if (lengthRight(e.masterIn, e.masterOut, *read)) {
            eventDone(number);
            return true;
        }
        if (tries >= protocol::PasteTries)
            return giveUp("paste length ERR",
                          "event " + e.editNum + ": the pasted material still had the wrong length after " +
                              std::to_string(tries) +
                              " tries, so the conform has stopped.\nplease check the session and the event.");
        status(status::PasteLengthRedo, StatusColor::Red);
    }
}

// The progress counts events, not tries.
void Run::eventDone(int number) {
    shared_.eventsDone = number;
    status(status::Processing);
    const int total = static_cast<int>(events_.size());
    panel("progress " + std::to_string(number) + " of " + std::to_string(total),
          [number](StopPanelPort& p) { p.setProgressValue(number); });
}

void Run::finish(std::size_t lastIndex) {
    if (s_.allEvents || lastIndex + 1 >= events_.size()) {
        p_.host.beep();
        closePanel();
        end_ = WorkerEnd::Finished;
        return;
    }
    eventNumber(static_cast<int>(lastIndex) + 2);
    status(status::WaitingForNext, StatusColor::Red);
    end_ = WorkerEnd::WaitingForNext;
}

}  // namespace

WorkerEnd conformForPT(const ConformEvents& events, const WorkerSettings& settings, WorkerPorts ports,
                       WorkerShared& shared, double startDelay) {
    return Run(events, settings, ports, shared).run(startDelay);
}

}  // namespace rw
