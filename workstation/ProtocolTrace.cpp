#include "workstation/ProtocolTrace.h"

#include "conform/Preflight.h"
#include "protools/Protocol.h"

#include <cstdio>

namespace rw {

void ProtocolTrace::setScriptLabel(std::string label) {
    std::lock_guard lock(mutex_);
    scriptLabel_ = std::move(label);
}

std::optional<std::string> ProtocolTrace::runScript(const std::string& script) {
    std::string label;
    {
        std::lock_guard lock(mutex_);
        label = script == activationScript()             ? scriptLabel_
                : script == automationFollowsEditScript() ? "automation-follows-edit"
                                                          : "menu";
    }
    line("script " + label);
    return host_.runScript(script);
}

bool ProtocolTrace::activate(const std::string& path) {
    line("activate");
    return host_.activate(path);
}

void ProtocolTrace::beep() {
    line("beep");
    host_.beep();
}

// A keystroke is listed once, at its key down.
void ProtocolTrace::postKeyEvent(std::int32_t psn, int keyCode, bool keyDown, std::uint64_t flags) {
    if (keyDown) line("key " + std::to_string(keyCode) + ((flags & keyflag::Command) ? " cmd" : ""));
    host_.postKeyEvent(psn, keyCode, keyDown, flags);
}

void ProtocolTrace::setPasteboardString(const std::string& text) {
    line("set " + text);
    host_.setPasteboardString(text);
}

std::optional<std::string> ProtocolTrace::pasteboardString() const {
    auto text = host_.pasteboardString();
    line("get " + text.value_or(""));
    return text;
}

void ProtocolTrace::paused(double seconds) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "pause %g", seconds);
    line(buf);
}

void ProtocolTrace::line(const std::string& text) const {
    std::lock_guard lock(mutex_);
    out_ << text << "\n";
}

}  // namespace rw
