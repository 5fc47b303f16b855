#pragma once
// An in-process stand-in for Pro Tools that behaves as the conform relies on
// it to behave: a session at one of the rates of sessionRates() (drop-frame
// sessions show ";" before the frames) with a session start, whose selection
// fields (start, end, length) the keypad divide key cycles, that take a
// pasted timecode when it exists at the session's rate and does not lie
// before the session start, copy their text to the pasteboard and are
// applied by Enter; Copy, Cut and Paste of the audio in the selection; and a
// processor use that rises while an edit runs. Faults can be injected for
// tests. Time comes from the clock it is given (virtual in tests).

#include "ports/Clock.h"
#include "ports/WorkstationHost.h"
#include "workstation/AudioTrack.h"

#include <functional>
#include <mutex>
#include <string>

namespace rw {

class SimulatedWorkstation : public WorkstationHost {
public:
    static constexpr std::int32_t ProcessSerialNumber = 4242;
    static constexpr std::int32_t ProcessIdentifier = 4243;
    static constexpr const char* Path = "/Applications/Digidesign/Pro Tools/Pro Tools.app";

    // A session at `sessionRate`, one of sessionRates() (a 23.976, 29.97 or
    // 59.94 session shows 24, 30 or 60 frame labels); any other text is
    // taken as "30". It starts at 00:00:00:00 with every frame holding itself.
    explicit SimulatedWorkstation(Clock& clock, const std::string& sessionRate = "24");
    static const std::vector<std::string>& sessionRates();

    std::vector<LaunchedApplication> launchedApplications() const override;
    bool activate(const std::string& applicationPath) override;
    bool accessibilityEnabled() const override { return true; }
    std::optional<std::string> runScript(const std::string& script) override;
    void postKeyEvent(std::int32_t processSerialNumberLow, int keyCode, bool keyDown, std::uint64_t flags) override;
    void setPasteboardString(const std::string& text) override;
    std::optional<std::string> pasteboardString() const override;
    float processorUse(std::int32_t processIdentifier) override;
    void beep() override;
    void setLocalEventsSuppressionInterval(double seconds) override;
    std::optional<std::string> sessionStart() const override;

    // Set-up and faults.
    // A new session at that rate (and the session start kept as a time).
    void setSessionRate(const std::string& rate);
    // The session start as a timecode at the session's rate; the selection
    // moves to it when it lies after 01:00:00:00.
    void setSessionStart(const std::string& timecode);
    void setRunning(bool running);
    // Off: the workstation takes no keystrokes (a dialog of its own is up).
    void setAnswering(bool answering);
    // Called after each beep, outside the lock, on the beeping thread.
    void setBeepListener(std::function<void()> listener);
    void setActivationFails(bool fails);
    void setBundleVersion(std::string version);
    // The n-th keystroke from now (1: the next) is lost.
    void loseKeystroke(int nth);
    // How long an edit (Copy, Cut, Paste of audio) keeps the processor busy.
    void setEditDuration(double seconds);
    // The next `count` pastes of audio land `frames` frames long (silence after the clip).
    void landPastesLong(int frames, int count = 1);
    // Called after each keystroke is taken (key down), and after each
    // processor reading, outside the lock.
    void setKeyListener(std::function<void(int keyCode)> listener);
    void setReadingListener(std::function<void()> listener);

    // What a test reads back.
    const std::string& sessionRate() const { return rate_; }
    std::int64_t framesPerDay() const { return day_; }
    std::optional<std::int64_t> sourceAt(std::int64_t frame) const;
    std::vector<Region> regions() const;
    std::string timecode(std::int64_t frame) const;
    int beeps() const;
    double suppressionInterval() const;
    std::int64_t selectionStart() const;
    std::int64_t selectionEnd() const;

private:
    enum class Field { None, Start, End, Length };

    void keyDown(int keyCode, bool command);
    void pasteIntoField(const std::string& text);
    void copy(bool cut);
    void pasteAudio();
    std::string fieldText() const;
    std::optional<std::int64_t> parse(const std::string& text) const;
    std::string label(std::int64_t frame) const;
    void editStarts();
    void newSession(const std::string& rate);
    void placeStart(std::int64_t frames);

    Clock& clock_;
    mutable std::mutex mutex_;
    std::string rate_;
    std::int64_t day_ = 0, sessionStart_ = 0;
    AudioTrack audio_{0};
    std::vector<Region> clipboard_;
    std::optional<std::string> pasteboard_;
    std::int64_t start_, end_, pendingStart_, pendingEnd_;
    Field field_ = Field::None;
    bool running_ = true, answering_ = true, activationFails_ = false, front_ = false;
    std::string bundleVersion_ = "7.4";
    int loseAt_ = 0, longFrames_ = 0, longCount_ = 0, beeps_ = 0;
    double editDuration_ = 0.25, suppression_ = 0.0;
    std::chrono::nanoseconds busyUntil_{0};
    unsigned readings_ = 0;
    std::function<void(int)> keyListener_;
    std::function<void()> beepListener_, readingListener_;
};

// The session as "region START END from SOURCE" (or "region START END
// silence") lines, covering the day in order, at the session's rate.
std::string sessionListing(const SimulatedWorkstation& session);

}  // namespace rw
