#include "protools/Protocol.h"

namespace rw {

Pace paceFor(const std::string& paceText) {
    if (paceText == "careful") return {0.12, 5};
    if (paceText == "very careful") return {0.3, 10};
    return {0.07, 3};
}

const std::string& activationScript() {
    static const std::string script =
        "tell application \"Finder\"\n"
        "tell application \"System Events\"\n"
        "set PT to the first application process whose creator type is \"PTul\"\n"
        "tell PT\n"
        "activate\n"
        "set frontmost to true\n"
        "tell menu bar 1\n"
        "if menu bar item \"Display\" exists then\n"
        "tell menu bar item \"Display\"\n"
        "tell menu \"Display\"\n"
        "click menu item \"Time Code\"\n"
        "end tell\n"
        "end tell\n"
        "end if\n"
        "if menu bar item \"View\" exists then\n"
        "tell menu bar item \"View\"\n"
        "tell menu \"View\"\n"
        "tell menu item \"Main Counter\"\n"
        "tell menu \"Main Counter\"\n"
        "click menu item \"Timecode\"\n"
        "end tell\n"
        "end tell\n"
        "end tell\n"
        "end tell\n"
        "end if\n"
        "end tell\n"
        "end tell\n"
        "end tell\n"
        "end tell";
    return script;
}

}  // namespace rw
