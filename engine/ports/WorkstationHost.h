#pragma once
// The outside audio workstation (Pro Tools) as the conform and the session
// locate reach it: the running applications, activation, menu scripts,
// synthetic keystrokes, the pasteboard, the processor use and the beep. A
// simulated host and native hosts implement it; the engine holds every rule
// about what is sent and when. The conform worker calls it from its own
// thread, so an implementation must allow calls from any one thread at a time.

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

// Modifier flags of a keyboard event.
namespace keyflag {
inline constexpr std::uint64_t None = 0;
inline constexpr std::uint64_t Command = 0x100000;
}  // namespace keyflag

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
    // One keyboard event (key down or key up) of a virtual key code with
    // modifier flags, posted to the process by its serial number.
    virtual void postKeyEvent(std::int32_t processSerialNumberLow, int keyCode, bool keyDown,
                              std::uint64_t flags) = 0;
    // The general pasteboard as plain string.
    virtual void setPasteboardString(const std::string& text) = 0;
    virtual std::optional<std::string> pasteboardString() const = 0;
    // The process's processor use in percent; 0.0 when it is not running or
    // cannot be read.
    virtual float processorUse(std::int32_t processIdentifier) = 0;
    // The system beep.
    virtual void beep() = 0;
    // How long local input is held back after a synthetic keyboard event.
    virtual void setLocalEventsSuppressionInterval(double seconds) = 0;
    // The session's start as the workstation shows it ("00:59:58:00"), where
    // the host can read it; the workstation refuses a selection before it.
    virtual std::optional<std::string> sessionStart() const { return std::nullopt; }
};

}  // namespace rw
