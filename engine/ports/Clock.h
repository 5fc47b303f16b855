#pragma once
// Time as the workstation drive sees it: its pauses and its polls sleep on
// this clock, and its time limits read it. Tests and rehearsals hand in a
// virtual clock that advances at once.

#include <chrono>

namespace rw {

class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepFor(std::chrono::nanoseconds duration) = 0;
    // Time since an arbitrary fixed start.
    virtual std::chrono::nanoseconds now() const = 0;
};

}  // namespace rw
