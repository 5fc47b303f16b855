#pragma once
// A rehearsal's listing of what the worker does, one line per action:
// "script activate", "script automation-follows-edit", "activate",
// "key 75", "key 9 cmd", "set TEXT", "get TEXT", "pause 0.07", "baseline",
// "wait-quiet", "beep", "alert TITLE", and the stop panel's updates as
// "panel show", "panel status TEXT", "panel event 2", "panel progress 2 of 4",
// "panel next on", "panel close". It stands between the worker and the host
// it forwards every call to.

#include "ports/WorkstationHost.h"
#include "protools/ConformWorker.h"

#include <mutex>
#include <ostream>
#include <string>

namespace rw {

class ProtocolTrace : public WorkstationHost, public ConformObserver {
public:
    ProtocolTrace(WorkstationHost& host, std::ostream& out) : host_(host), out_(out) {}

    // The name the activation script is listed under ("activate"; the
    // session locate runs the same script as "locate").
    void setScriptLabel(std::string label);

    std::vector<LaunchedApplication> launchedApplications() const override { return host_.launchedApplications(); }
    bool activate(const std::string& path) override;
    bool accessibilityEnabled() const override { return host_.accessibilityEnabled(); }
    std::optional<std::string> runScript(const std::string& script) override;
    void postKeyEvent(std::int32_t psn, int keyCode, bool keyDown, std::uint64_t flags) override;
    void setPasteboardString(const std::string& text) override;
    std::optional<std::string> pasteboardString() const override;
    float processorUse(std::int32_t pid) override { return host_.processorUse(pid); }
    void beep() override;
    void setLocalEventsSuppressionInterval(double s) override { host_.setLocalEventsSuppressionInterval(s); }
    std::optional<std::string> sessionStart() const override { return host_.sessionStart(); }

    void paused(double seconds) override;
    void measuringBaseline() override { line("baseline"); }
    void waitingForQuiet() override { line("wait-quiet"); }
    void alerted(const std::string& title) override { line("alert " + title); }
    void panelChanged(const std::string& update) override { line("panel " + update); }

private:
    void line(const std::string& text) const;

    WorkstationHost& host_;
    std::ostream& out_;
    mutable std::mutex mutex_;
    std::string scriptLabel_ = "activate";
};

}  // namespace rw
