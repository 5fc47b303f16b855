#pragma once
// The two clocks behind the Clock port, shared by movie playback and the
// workstation drives: the system's steady clock, and a virtual clock whose
// sleeps advance it at once, so a whole conform runs in milliseconds with
// every pause still counted.

#include "ports/Clock.h"

#include <atomic>
#include <thread>

namespace rw {

class SystemClock : public Clock {
public:
    void sleepFor(std::chrono::nanoseconds duration) override { std::this_thread::sleep_for(duration); }
    std::chrono::nanoseconds now() const override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
};

class VirtualClock : public Clock {
public:
    void sleepFor(std::chrono::nanoseconds duration) override {
        if (duration.count() > 0) now_ += duration.count();
    }
    std::chrono::nanoseconds now() const override { return std::chrono::nanoseconds(now_.load()); }

private:
    std::atomic<std::int64_t> now_{0};
};

}  // namespace rw
