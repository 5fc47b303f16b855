#pragma once
// The one way an operation that can fail says so: its value, or the reason
// there is none. The engine only reports; each program decides how to show
// the reason (an alert, a beep with the status bar, standard error).

#include <string>
#include <utility>
#include <variant>

namespace rw {

// The value of an operation that gives nothing back but may fail.
using Nothing = std::monostate;

template <class T = Nothing>
struct Outcome {
    T value{};
    std::string error;  // empty on success

    bool ok() const { return error.empty(); }
    explicit operator bool() const { return ok(); }

    static Outcome success(T value = T{}) { return Outcome{std::move(value), {}}; }
    // A failure always carries a reason, so it can never read as success.
    static Outcome failure(std::string why) {
        return Outcome{T{}, why.empty() ? std::string("failed for an unknown reason") : std::move(why)};
    }
};

}  // namespace rw
