#pragma once
// The stop panel where there is no window (the command line, tests): it keeps
// the panel's state and history, optionally writes each status line to a
// stream, and is its own main-thread queue: work queued from the worker runs
// when the owning thread calls runUntil().

#include "ports/StopPanelPort.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace rw {

class ProToolsConform;

class RehearsalPanel : public StopPanelPort {
public:
    explicit RehearsalPanel(std::ostream* statusOut = nullptr) : statusOut_(statusOut) {}

    void runOnMainThread(std::function<void()> work) override;
    // Runs queued work on the calling thread until `done` answers true; it is
    // asked before each wait.
    void runUntil(const std::function<bool()>& done);

    void showFloating() override {
        open = true;
        ++shown;
    }
    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void setProgressValue(int value) override { progress = value; }
    void advanceProgress() override { ++progress; }
    void setEventNumber(std::optional<int> number) override;
    void setStatus(const std::string& text, StatusColor color) override;
    void setNextEnabled(bool enabled) override { nextEnabled = enabled; }
    void close() override {
        open = false;
        ++closes;
    }

    // The panel as it stands, and what it showed (main thread only).
    bool open = false, nextEnabled = false;
    int shown = 0, closes = 0, progress = 0, progressMaximum = 0;
    std::optional<int> number;
    std::string status;
    StatusColor color = StatusColor::White;
    std::vector<std::string> statuses;         // every status line, with " (red)" for red text
    std::vector<std::optional<int>> numbers;  // every number put in the field

private:
    std::ostream* statusOut_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> queue_;
};

// The main thread's part of a rehearsed conform: runs the panel's queued work
// until the worker has ended, pressing "next" after each event when asked,
// and Stop for a panel left open. True when the worker finished every event.
bool rehearse(ProToolsConform& control, RehearsalPanel& panel, bool pressNext);

}  // namespace rw
