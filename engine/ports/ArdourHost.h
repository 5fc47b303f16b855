#pragma once
// Ardour's headless tools as the Ardour conform reaches them: which Ardour
// is installed, and running a Lua program in its session interpreter
// (ardourN-lua). A host runs them as child processes, never through a shell.

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace rw {

struct ArdourTool {
    std::string path;     // the interpreter, e.g. /usr/bin/ardour7-lua
    std::string version;  // as it names itself, e.g. "7.3.0~ds0"
};

struct ArdourRun {
    bool started = false;   // the interpreter ran
    bool timedOut = false;  // it was stopped at the time limit
    int exitStatus = -1;
    std::string errorOutput;  // its standard error (the tail of it)
};

class ArdourHost {
public:
    virtual ~ArdourHost() = default;
    // The interpreter of the newest installed Ardour; nullopt when there is none.
    virtual std::optional<ArdourTool> luaTool() = 0;
    // Runs `program`; `onLine` sees each line of its standard output as it
    // comes. The run is stopped when it lasts longer than `limit`.
    virtual ArdourRun runLua(const ArdourTool& tool, const std::string& program,
                             const std::function<void(const std::string&)>& onLine,
                             std::chrono::seconds limit) = 0;
};

}  // namespace rw
