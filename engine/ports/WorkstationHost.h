#pragma once
// The outside audio workstation (Pro Tools) as the conform and the session
// locate reach it: the running applications, activation, menu scripts,
// synthetic keystrokes, the pasteboard and the processor use. A simulated
// host and native hosts implement it; the engine holds every rule about what
// is sent and when.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rw {

// One entry of the workspace's list of launched applications.
struct LaunchedApplication {
    std::string name;                        // "NSApplicationName"
    std::int32_t processSerialNumberLow = 0;  // the high word is always 0
    std::int32_t processIdentifier = 0;      // "NSApplicationProcessIdentifier"
    std::string path;                        // "NSApplicationPath"
    std::string bundleVersion;               // the bundle's "CFBundleVersion"
};

// The virtual key codes the conform types.
namespace keycode {
inline constexpr int X = 7;
inline constexpr int C = 8;
inline constexpr int V = 9;
inline constexpr int KeypadDivide = 75;
inline constexpr int KeypadEnter = 76;
}  // namespace keycode

class WorkstationHost {
public:
    virtual ~WorkstationHost() = default;

    virtual std::vector<LaunchedApplication> launchedApplications() const = 0;
    // Brings the application at that path to the front; false when it cannot.
    virtual bool activate(const std::string& applicationPath) = 0;
    // Whether synthetic input and menu scripting are allowed (`AXAPIEnabled`).
    virtual bool accessibilityEnabled() const = 0;
    // Runs a menu script; its result as text, nullopt when it has none or fails.
    virtual std::optional<std::string> runScript(const std::string& script) = 0;
    // Key down then key up, posted to the process, with or without Command.
    virtual void postKey(std::int32_t processSerialNumberLow, int keyCode, bool command) = 0;
    virtual void setPasteboardString(const std::string& text) = 0;
    virtual std::optional<std::string> pasteboardString() const = 0;
    // The process's processor use in percent; nullopt when it cannot be read.
    virtual std::optional<double> processorUse(std::int32_t processIdentifier) = 0;
};

// A machine without the workstation: nothing runs, nothing can be scripted.
class NoWorkstation : public WorkstationHost {
public:
    std::vector<LaunchedApplication> launchedApplications() const override { return {}; }
    bool activate(const std::string&) override { return false; }
    bool accessibilityEnabled() const override { return false; }
    std::optional<std::string> runScript(const std::string&) override { return std::nullopt; }
    void postKey(std::int32_t, int, bool) override {}
    void setPasteboardString(const std::string& text) override { pasteboard_ = text; }
    std::optional<std::string> pasteboardString() const override { return pasteboard_; }
    std::optional<double> processorUse(std::int32_t) override { return std::nullopt; }

private:
    std::optional<std::string> pasteboard_;
};

}  // namespace rw
