#pragma once
// The floating stop panel shown while the workstation is driven, and the way
// from the conform worker's thread to the main thread.
//
// Every panel call is made on the main thread only. The worker reaches them
// through runOnMainThread(), which queues the work and returns at once (in
// the app a queued call to the panel window); to wait for an alert's answer
// the worker queues the alert and waits for the queued work to have run.

#include <functional>
#include <optional>
#include <string>

namespace rw {

enum class StatusColor { White, Red };

class StopPanelPort {
public:
    virtual ~StopPanelPort() = default;

    // Queues `work` for the main thread; any thread may call it. Work queued
    // after the panel's owner is gone must not run.
    virtual void runOnMainThread(std::function<void()> work) = 0;

    // Floating, not hidden while another application is active, in front.
    virtual void showFloating() = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressValue(int value) = 0;
    virtual void advanceProgress() = 0;
    // The 1-based event number; nullopt clears the field.
    virtual void setEventNumber(std::optional<int> number) = 0;
    virtual void setStatus(const std::string& text, StatusColor color) = 0;
    virtual void setNextEnabled(bool enabled) = 0;
    virtual void close() = 0;
};

}  // namespace rw
