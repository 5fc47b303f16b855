#include "app/SessionLocate.h"

#include "app/ConformController.h"
#include "conform/Preflight.h"
#include "protools/ProToolsConform.h"
#include "protools/ProcessorWatch.h"
#include "protools/Protocol.h"

namespace rw {

Outcome<std::string> SessionLocator::locateSessionToMaster(const std::string&) { return locateSelected(true); }
Outcome<std::string> SessionLocator::locateSessionToSource(const std::string&) { return locateSelected(false); }

Outcome<std::string> SessionLocator::locateSelected(bool master) {
    const EditArray selected = controller_.listForTab(controller_.selectedTab()).selectedEvents();
    const TcPtr time = selected.size() == 1 ? (master ? selected[0]->masterIn() : selected[0]->sourceIn()) : nullptr;
    if (!time) {
        host_.beep();
        return Outcome<std::string>::failure("Select one event to locate the session to.");
    }
    if (const Outcome<> located = locateSessionToTime(*time); !located)
        return Outcome<std::string>::failure(located.error);
    return Outcome<std::string>::success("Session located to " + time->tcAsString() +
                                         (master ? " (master in)." : " (source in)."));
}

Outcome<> SessionLocator::mayType() const {
    if (conform_ && conform_->workerRunning())
        return Outcome<>::failure("A conform is typing to Pro Tools: the session was not located.");
    if (typing_) return Outcome<>::failure("The session is still being located.");
    return Outcome<>::success();
}

Outcome<> SessionLocator::locateSessionToTime(const KLVtc& time) {
    if (const Outcome<> may = mayType(); !may) {
        host_.beep();
        return may;
    }
    host_.runScript(activationScript());
    auto pt = findProTools(host_);
    if (!pt || !host_.activate(pt->path)) {
        host_.beep();
        return Outcome<>::failure("Pro Tools is not running: the session was not located.");
    }
    wait();
    typing_ = true;
    typist_ = std::jthread([this, psn = pt->processSerialNumberLow, text = time.tcAsString()] {
        auto keystroke = [&](int code, std::uint64_t flags) {
            host_.postKeyEvent(psn, code, true, flags);
            host_.postKeyEvent(psn, code, false, flags);
        };
        keystroke(keycode::KeypadDivide, keyflag::None);
        host_.setPasteboardString(text);
        keystroke(keycode::V, keyflag::Command);
        clock_.sleepFor(secondsToDuration(protocol::LocatePause));
        keystroke(keycode::KeypadEnter, keyflag::None);
        typing_ = false;
    });
    return Outcome<>::success();
}

void SessionLocator::wait() {
    if (typist_.joinable()) typist_.join();
}

}  // namespace rw
