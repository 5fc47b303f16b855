#include "workstation/RehearsalPanel.h"

#include "protools/ProToolsConform.h"

namespace rw {

void RehearsalPanel::runOnMainThread(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
    }
    ready_.notify_one();
}

void RehearsalPanel::runUntil(const std::function<bool()>& done) {
    while (!done()) {
        std::function<void()> work;
        {
            std::unique_lock lock(mutex_);
            ready_.wait(lock, [this] { return !queue_.empty(); });
            work = std::move(queue_.front());
            queue_.pop_front();
        }
        work();
    }
}

void RehearsalPanel::setEventNumber(std::optional<int> n) {
    number = n;
    numbers.push_back(n);
}

void RehearsalPanel::setStatus(const std::string& text, StatusColor c) {
    status = text;
    color = c;
    statuses.push_back(text);
    if (c == StatusColor::Red) statuses.back() += " (red)";
    if (!statusOut_) return;
    *statusOut_ << "status: " << text;
    if (number) *statusOut_ << " " << *number;
    *statusOut_ << "\n";
}

bool rehearse(ProToolsConform& control, RehearsalPanel& panel, bool pressNext) {
    for (;;) {
        panel.runUntil([&control] { return !control.workerRunning(); });
        if (!pressNext || !control.nextEnabled()) break;
        control.abortConform(sender::Next);
    }
    const bool finished = control.lastEnd() == WorkerEnd::Finished;
    if (control.active()) control.abortConform(sender::Stop);
    return finished;
}

}  // namespace rw
