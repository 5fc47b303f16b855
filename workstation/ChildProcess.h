#pragma once
// A program run as a child process from an argument vector (never through a
// shell), its standard output read line by line as it comes, stopped with
// its whole process group when it outlasts a time limit.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace rw {

struct ChildResult {
    bool started = false;
    bool timedOut = false;
    int exitStatus = -1;      // 128 + the signal when a signal ended it
    std::string errorTail;    // the last lines of its standard error
};

ChildResult runChild(const std::vector<std::string>& argv, const std::function<void(const std::string&)>& onLine,
                     std::chrono::milliseconds limit);

}  // namespace rw
