#pragma once
// A controller with list C, the conform command and its Pro Tools control,
// wired to a simulated session on a virtual clock, with the worker's actions
// listed as the command line lists them.

#include "app/ConformCommand.h"
#include "app/ConformController.h"
#include "app/NullPorts.h"
#include "protools/ProToolsConform.h"
#include "support/RecordingUi.h"
#include "workstation/Clocks.h"
#include "workstation/ProtocolTrace.h"
#include "workstation/RehearsalPanel.h"
#include "workstation/SimulatedWorkstation.h"

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>
#include <sstream>
#include <string>

namespace rw::test {

inline TcPtr tc(const std::string& text, const std::string& rate = "24") { return KLVtc::initWithString(text, rate); }

inline EditPtr change(const std::string& num, const std::string& sI, const std::string& sO, const std::string& mI,
                      const std::string& mO, const std::string& rate = "24") {
    return edit::initWithNum(num, "clip", tc(sI, rate), tc(sO, rate), tc(mI, rate), tc(mO, rate));
}

// The two example cuts compared into list C, new positions an hour up.
inline void compareExamples(conformController& c) {
    c.setAutosave(false);
    c.selectTab(0);
    c.openFiles({std::string(RW_EXAMPLES) + "/old_cut.edl"});
    c.selectTab(1);
    c.openFiles({std::string(RW_EXAMPLES) + "/new_cut.edl"});
    c.compare("Compare");
    c.dataSourceC().setStepperMaster(1);
    c.dataSourceC().masterHour();
}

// The recording UI, with something the person does while an alert is up.
struct AlertUi : RecordingUi {
    std::function<void()> duringAlert;
    void alert(const std::string& m, const std::string& i) override {
        RecordingUi::alert(m, i);
        if (duringAlert) duringAlert();
    }
};

struct Rig {
    AlertUi ui;
    NoMovies movies;
    conformController c{ui, movies};
    VirtualClock clock;
    SimulatedWorkstation session;
    std::ostringstream listing;
    ProtocolTrace trace{session, listing};
    RehearsalPanel panel;
    ConformCommand command{c, trace};
    std::vector<std::string> ends;             // the end listener's lines
    std::unique_ptr<ProToolsConform> control;  // last: its worker goes first

    explicit Rig(const std::string& sessionRate = "24") : session(clock, sessionRate) {
        ui.confirmAnswer = true;
        control = std::make_unique<ProToolsConform>(trace, clock, panel, ui, c.prefs());
        control->setObserver(&trace);
        control->setEndListener([this](const std::string& line) { ends.push_back(line); });
        command.setProToolsConform(control.get());
    }
    Rig& set(const char* key, const std::string& value) {
        c.prefs().set(key, value);
        return *this;
    }
    // The conform command confirmed, then the panel's queue until the worker
    // has ended ("next" pressed after each event when asked).
    bool conform(bool pressNext = true) {
        if (command.conform("Conform").step != ConformOutcome::Step::ProToolsConfirmed) return false;
        return rehearse(*control, panel, pressNext);
    }
    // The confirmed command and one worker run, nothing pressed.
    void runWorker() {
        ASSERT_EQ(command.conform("Conform").step, ConformOutcome::Step::ProToolsConfirmed);
        panel.runUntil([this] { return !control->workerRunning(); });
    }
    WorkerEnd end() const { return control->lastEnd().value_or(WorkerEnd::Stopped); }
    // Stop as the main thread presses it, from the worker's thread (a
    // listener of the session): the worker goes on only once it is pressed.
    void pressStopFromWorker() {
        std::promise<void> pressed;
        panel.runOnMainThread([&] {
            control->abortConform("Stop");
            pressed.set_value();
        });
        pressed.get_future().wait();
    }
    // `action` runs when the n-th keystroke of that key code is taken (the
    // session copies its listener for each call: the count is shared).
    void onKey(int code, int nth, std::function<void()> action) {
        session.setKeyListener([code, nth, action, seen = std::make_shared<int>(0)](int k) {
            if (k == code && ++*seen == nth) action();
        });
    }
    void onReading(int nth, std::function<void()> action) {
        session.setReadingListener([nth, action, seen = std::make_shared<int>(0)] {
            if (++*seen == nth) action();
        });
    }
    int count(const std::string& line) const {
        std::istringstream in(listing.str());
        int n = 0;
        for (std::string l; std::getline(in, l);) n += l == line;
        return n;
    }
    // Every frame of every event's new range holds its old range's audio.
    void expectConformed(const ConformEvents& events) const {
        for (const auto& e : events)
            for (std::int64_t f = e.masterIn.totalFrames(); f < e.masterOut.totalFrames(); ++f)
                ASSERT_EQ(session.sourceAt(f), e.sourceIn.totalFrames() + (f - e.masterIn.totalFrames()))
                    << "event " << e.editNum << " frame " << f;
    }
    void expectConformed() const { expectConformed(command.plan().events); }
};

}  // namespace rw::test
