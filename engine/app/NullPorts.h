#pragma once
// The ports of a run with nobody at the screen and no movies: what the command
// line and the benchmarks hand the controller.

#include "core/KLVtc.h"
#include "ports/MoviePort.h"
#include "ports/UiPort.h"
#include "ports/WorkstationHost.h"

#include <optional>
#include <string>
#include <vector>

namespace rw {

// Shows nothing and answers no: Cancel in every panel, the EDL button in the
// hour-code sheet, nothing confirmed.
class SilentUi : public UiPort {
public:
    void alert(const std::string&, const std::string&) override {}
    bool confirm(const std::string&, const std::string&) override { return false; }
    void beep() override {}
    HourCodeAnswer askHourCode(const std::string&) override { return {}; }
    void startProgress() override {}
    void stopProgress() override {}
    std::optional<OpenPanelResult> openPanel(const std::string&, bool) override { return std::nullopt; }
    std::optional<std::string> savePanel(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> chooseFolder(const std::string&) override { return std::nullopt; }
    void showSearchResults(const std::string&) override {}
    void activateApplication() override {}
};

// No movie is ever loaded; the movie lines of lists and documents are ignored.
class NoMovies : public MoviePort {
public:
    void setMoviesOld(const std::string&) override {}
    void setMoviesNew(const std::string&) override {}
    std::string movieLocation(MovieSide) const override { return {}; }
    bool hasMovie(MovieSide) const override { return false; }
    std::int64_t currentTime(MovieSide) const override { return 0; }
    std::int32_t timeScale(MovieSide) const override { return 0; }
    double measuredRate(MovieSide) const override { return 0.0; }
    std::string startField(MovieSide) const override { return {}; }
    KLVtc startTimecode(MovieSide) const override { return KLVtc(); }
    double playbackRate(MovieSide) const override { return 0.0; }
};

// A machine without the workstation: nothing runs, nothing can be scripted;
// only the pasteboard keeps its text.
class NoWorkstation : public WorkstationHost {
public:
    std::vector<LaunchedApplication> launchedApplications() const override { return {}; }
    bool activate(const std::string&) override { return false; }
    bool accessibilityEnabled() const override { return false; }
    std::optional<std::string> runScript(const std::string&) override { return std::nullopt; }
    void postKeyEvent(std::int32_t, int, bool, std::uint64_t) override {}
    void setPasteboardString(const std::string& text) override { pasteboard_ = text; }
    std::optional<std::string> pasteboardString() const override { return pasteboard_; }
    float processorUse(std::int32_t) override { return 0.0f; }
    void beep() override {}
    void setLocalEventsSuppressionInterval(double) override {}

private:
    std::optional<std::string> pasteboard_;
};

}  // namespace rw
