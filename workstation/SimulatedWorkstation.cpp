#include "workstation/SimulatedWorkstation.h"

#include "conform/Preflight.h"
#include "core/KLVtc.h"
#include "protools/ProcessorWatch.h"
#include "protools/Protocol.h"

#include <algorithm>

namespace rw {

namespace {

// Readings at rest and while busy; a small cycling offset keeps two readings
// in a row from being equal, as a real process's use never is.
constexpr float kRestUse = 4.0f, kBusyUse = 60.0f;

}  // namespace

SimulatedWorkstation::SimulatedWorkstation(Clock& clock, const std::string& sessionRate) : clock_(clock) {
    newSession(sessionRate);
}

const std::vector<std::string>& SimulatedWorkstation::sessionRates() {
    static const std::vector<std::string> rates = {"23.976", "24",      "25", "29.97", "29.97df",
                                                   "30",     "50", "59.94", "59.94df", "60"};
    return rates;
}

void SimulatedWorkstation::newSession(const std::string& rate) {
    const auto& rates = sessionRates();
    rate_ = std::find(rates.begin(), rates.end(), rate) != rates.end() ? rate : "30";
    day_ = KLVtc::initWithString("24:00:00:00", rate_)->totalFrames();
    audio_ = AudioTrack(day_);
    clipboard_.clear();
    field_ = Field::None;
    start_ = KLVtc::initWithString("01:00:00:00", rate_)->totalFrames();
    placeStart(0);
}

// The session start, and the selection moved to it when it lies later.
void SimulatedWorkstation::placeStart(std::int64_t frames) {
    sessionStart_ = frames;
    start_ = end_ = pendingStart_ = pendingEnd_ = std::max(start_, sessionStart_);
}

void SimulatedWorkstation::setSessionRate(const std::string& rate) {
    std::lock_guard lock(mutex_);
    const std::string start = label(sessionStart_);
    newSession(rate);
    placeStart(parse(start).value_or(0));
}

void SimulatedWorkstation::setSessionStart(const std::string& timecode) {
    std::lock_guard lock(mutex_);
    placeStart(parse(timecode).value_or(0));
}

std::optional<std::string> SimulatedWorkstation::sessionStart() const {
    std::lock_guard lock(mutex_);
    return label(sessionStart_);
}

std::vector<LaunchedApplication> SimulatedWorkstation::launchedApplications() const {
    std::lock_guard lock(mutex_);
    std::vector<LaunchedApplication> apps = {{"Finder", 1, 100, "/System/Library/CoreServices/Finder.app", "10.5"}};
    if (running_) apps.push_back({"Pro Tools", ProcessSerialNumber, ProcessIdentifier, Path, bundleVersion_});
    return apps;
}

bool SimulatedWorkstation::activate(const std::string& applicationPath) {
    std::lock_guard lock(mutex_);
    if (!running_ || activationFails_ || applicationPath != Path) return false;
    front_ = true;
    return true;
}

std::optional<std::string> SimulatedWorkstation::runScript(const std::string& script) {
    std::lock_guard lock(mutex_);
    if (!running_) return std::nullopt;
    if (script == activationScript()) {
        front_ = true;
        return std::string();
    }
    if (script == automationFollowsEditScript()) return std::string("\xE2\x9C\x93");  // the item's check mark
    return std::nullopt;
}

void SimulatedWorkstation::postKeyEvent(std::int32_t psn, int keyCode, bool keyDown, std::uint64_t flags) {
    std::function<void(int)> listener;
    {
        std::lock_guard lock(mutex_);
        if (!keyDown || !running_ || !answering_ || psn != ProcessSerialNumber) return;
        if (loseAt_ > 0 && --loseAt_ == 0) return;
        this->keyDown(keyCode, (flags & keyflag::Command) != 0);
        listener = keyListener_;
    }
    if (listener) listener(keyCode);
}

void SimulatedWorkstation::keyDown(int keyCode, bool command) {
    switch (keyCode) {
    case keycode::KeypadDivide:
        if (field_ == Field::None) {
            pendingStart_ = start_;
            pendingEnd_ = end_;
        }
        field_ = field_ == Field::Start ? Field::End : field_ == Field::End ? Field::Length : Field::Start;
        return;
    case keycode::KeypadEnter:
        start_ = pendingStart_;
        end_ = std::max(pendingEnd_, pendingStart_);
        field_ = Field::None;
        return;
    default:
        break;
    }
    if (!command) return;
    if (keyCode == keycode::C && field_ != Field::None) pasteboard_ = fieldText();
    else if (keyCode == keycode::V && field_ != Field::None) pasteIntoField(pasteboard_.value_or(""));
    else if (field_ != Field::None) return;
    else if (keyCode == keycode::C || keyCode == keycode::X) copy(keyCode == keycode::X);
    else if (keyCode == keycode::V) pasteAudio();
}

// The digits count at the session's own rate and drop flag, whichever
// separator the text has; labels a drop-frame session skips do not exist.
std::optional<std::int64_t> SimulatedWorkstation::parse(const std::string& text) const {
    std::string labels = text;
    std::replace(labels.begin(), labels.end(), ';', ':');
    TcPtr tc = KLVtc::initWithString(labels, rate_);
    if (!tc || tc->minutes() > 59 || tc->seconds() > 59 || tc->totalFrames() > day_) return std::nullopt;
    const int skipped = tc->integerRate() / 15;  // 2 labels a minute at 30, 4 at 60
    if (tc->isDrop() && tc->seconds() == 0 && tc->minutes() % 10 != 0 && tc->frames() < skipped) return std::nullopt;
    return tc->totalFrames();
}

std::string SimulatedWorkstation::label(std::int64_t frame) const {
    TcPtr tc = KLVtc::initWithFrames(static_cast<std::int32_t>(frame), rate_);
    return tc ? tc->tcAsString() : std::string();
}

// A field keeps its value when the text is no time at the session's rate,
// and the start and end fields when it lies before the session start.
void SimulatedWorkstation::pasteIntoField(const std::string& text) {
    auto frames = parse(text);
    if (!frames) return;
    if (field_ == Field::Length) pendingEnd_ = std::min(pendingStart_ + *frames, day_);
    else if (*frames < sessionStart_) return;
    else if (field_ == Field::Start) pendingStart_ = *frames;
    else pendingEnd_ = *frames;
}

std::string SimulatedWorkstation::fieldText() const {
    if (field_ == Field::Start) return label(pendingStart_);
    if (field_ == Field::End) return label(pendingEnd_);
    return label(std::max<std::int64_t>(pendingEnd_ - pendingStart_, 0));
}

void SimulatedWorkstation::copy(bool cut) {
    clipboard_ = audio_.read(start_, end_);
    if (cut) audio_.silence(start_, end_);
    editStarts();
}

// Overwrites from the selection start; the selection becomes what landed.
void SimulatedWorkstation::pasteAudio() {
    if (clipboard_.empty()) return;
    std::vector<Region> landing = clipboard_;
    if (longCount_ > 0) {
        --longCount_;
        const std::int64_t len = clipLength(landing);
        landing.push_back({len, len + longFrames_, std::nullopt});
    }
    audio_.write(start_, landing);
    end_ = std::min(start_ + clipLength(landing), day_);
    pendingStart_ = start_;
    pendingEnd_ = end_;
    editStarts();
}

void SimulatedWorkstation::editStarts() { busyUntil_ = clock_.now() + secondsToDuration(editDuration_); }

void SimulatedWorkstation::setPasteboardString(const std::string& text) {
    std::lock_guard lock(mutex_);
    pasteboard_ = text;
}

std::optional<std::string> SimulatedWorkstation::pasteboardString() const {
    std::lock_guard lock(mutex_);
    return pasteboard_;
}

float SimulatedWorkstation::processorUse(std::int32_t pid) {
    float use = 0.0f;
    std::function<void()> listener;
    {
        std::lock_guard lock(mutex_);
        listener = readingListener_;
        if (running_ && pid == ProcessIdentifier) {
            const float offset = 0.1f * static_cast<float>(++readings_ % 5);
            use = (clock_.now() < busyUntil_ ? kBusyUse : kRestUse) + offset;
        }
    }
    if (listener) listener();
    return use;
}

void SimulatedWorkstation::beep() {
    std::function<void()> listener;
    {
        std::lock_guard lock(mutex_);
        ++beeps_;
        listener = beepListener_;
    }
    if (listener) listener();
}

void SimulatedWorkstation::setLocalEventsSuppressionInterval(double seconds) {
    std::lock_guard lock(mutex_);
    suppression_ = seconds;
}

void SimulatedWorkstation::setRunning(bool running) {
    std::lock_guard lock(mutex_);
    running_ = running;
}

void SimulatedWorkstation::setAnswering(bool answering) {
    std::lock_guard lock(mutex_);
    answering_ = answering;
}

void SimulatedWorkstation::setReadingListener(std::function<void()> listener) {
    std::lock_guard lock(mutex_);
    readingListener_ = std::move(listener);
}

void SimulatedWorkstation::setBeepListener(std::function<void()> listener) {
    std::lock_guard lock(mutex_);
    beepListener_ = std::move(listener);
}

void SimulatedWorkstation::setActivationFails(bool fails) {
    std::lock_guard lock(mutex_);
    activationFails_ = fails;
}

void SimulatedWorkstation::setBundleVersion(std::string version) {
    std::lock_guard lock(mutex_);
    bundleVersion_ = std::move(version);
}

void SimulatedWorkstation::loseKeystroke(int nth) {
    std::lock_guard lock(mutex_);
    loseAt_ = nth;
}

void SimulatedWorkstation::setEditDuration(double seconds) {
    std::lock_guard lock(mutex_);
    editDuration_ = seconds;
}

void SimulatedWorkstation::landPastesLong(int frames, int count) {
    std::lock_guard lock(mutex_);
    longFrames_ = frames;
    longCount_ = count;
}

void SimulatedWorkstation::setKeyListener(std::function<void(int)> listener) {
    std::lock_guard lock(mutex_);
    keyListener_ = std::move(listener);
}

std::optional<std::int64_t> SimulatedWorkstation::sourceAt(std::int64_t frame) const {
    std::lock_guard lock(mutex_);
    return audio_.sourceAt(frame);
}

std::vector<Region> SimulatedWorkstation::regions() const {
    std::lock_guard lock(mutex_);
    return audio_.regions();
}

std::string SimulatedWorkstation::timecode(std::int64_t frame) const {
    std::lock_guard lock(mutex_);
    return label(frame);
}

int SimulatedWorkstation::beeps() const {
    std::lock_guard lock(mutex_);
    return beeps_;
}

double SimulatedWorkstation::suppressionInterval() const {
    std::lock_guard lock(mutex_);
    return suppression_;
}

std::int64_t SimulatedWorkstation::selectionStart() const {
    std::lock_guard lock(mutex_);
    return start_;
}

std::int64_t SimulatedWorkstation::selectionEnd() const {
    std::lock_guard lock(mutex_);
    return end_;
}

std::string sessionListing(const SimulatedWorkstation& session) {
    std::string out;
    for (const auto& r : session.regions()) {
        out += "region " + session.timecode(r.start) + " " + session.timecode(r.end);
        out += r.source ? " from " + session.timecode(*r.source) : std::string(" silence");
        out += "\n";
    }
    return out;
}

}  // namespace rw
