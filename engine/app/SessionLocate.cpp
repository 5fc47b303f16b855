#include "app/SessionLocate.h"

#include "app/ConformController.h"
#include "conform/Preflight.h"
#include "protools/ProcessorWatch.h"
#include "protools/Protocol.h"

namespace rw {

std::string SessionLocator::locateSessionToMaster(const std::string&) { return locateSelected(true); }
std::string SessionLocator::locateSessionToSource(const std::string&) { return locateSelected(false); }

std::string SessionLocator::locateSelected(bool master) {
    const EditArray selected = controller_.listForTab(controller_.selectedTab()).selectedEvents();
    const TcPtr time = selected.size() == 1 ? (master ? selected[0]->masterIn() : selected[0]->sourceIn()) : nullptr;
    if (!time) {
        host_.beep();
        return "Select one event to locate the session to.";
    }
    if (!locateSessionToTime(*time)) return "Pro Tools is not running: the session was not located.";
    return "Session located to " + time->tcAsString() + (master ? " (master in)." : " (source in).");
}

bool SessionLocator::locateSessionToTime(const KLVtc& time) {
    host_.runScript(activationScript());
    auto pt = findProTools(host_);
    if (!pt || !host_.activate(pt->path)) {
        host_.beep();
        return false;
    }
    auto keystroke = [&](int code, std::uint64_t flags) {
        host_.postKeyEvent(pt->processSerialNumberLow, code, true, flags);
        host_.postKeyEvent(pt->processSerialNumberLow, code, false, flags);
    };
    keystroke(keycode::KeypadDivide, keyflag::None);
    host_.setPasteboardString(time.tcAsString());
    keystroke(keycode::V, keyflag::Command);
    clock_.sleepFor(secondsToDuration(protocol::LocatePause));
    keystroke(keycode::KeypadEnter, keyflag::None);
    return true;
}

}  // namespace rw
