#include "app/SessionLocate.h"

#include "app/ConformController.h"
#include "conform/Preflight.h"
#include "protools/ProToolsConform.h"
#include "protools/ProcessorWatch.h"
#include "protools/Protocol.h"

namespace rw {

void SessionLocator::locateSessionToMaster(const std::string&) { locateSelected(true); }
void SessionLocator::locateSessionToSource(const std::string&) { locateSelected(false); }

void SessionLocator::locateSelected(bool master) {
    const EditArray selected = controller_.listForTab(controller_.selectedTab()).selectedEvents();
    const TcPtr time = selected.size() == 1 ? (master ? selected[0]->masterIn() : selected[0]->sourceIn()) : nullptr;
    if (!time) {
        host_.beep();
        return;
    }
    locateSessionToTime(*time);
}

void SessionLocator::locateSessionToTime(const KLVtc& time) {
    if (typing_ || (conform_ && conform_->workerRunning())) {
        host_.beep();
        return;
    }
    host_.runScript(activationScript());
    auto pt = findProTools(host_);
    if (!pt || !host_.activate(pt->path)) {
        host_.beep();
        return;
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
}

void SessionLocator::wait() {
    if (typist_.joinable()) typist_.join();
}

}  // namespace rw
