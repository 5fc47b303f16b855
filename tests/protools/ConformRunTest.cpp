#include "Rig.h"

#include <algorithm>
#include <functional>
#include <future>

namespace rw {
namespace {

using test::change;
using test::Rig;

struct Mode {
    const char* events;
    const char* copy;
};

TEST(ProToolsConform, EveryNewFrameHoldsItsOldAudio) {
    for (Mode m : {Mode{"all events", "copy"}, Mode{"all events", "cut"}, Mode{"edit by edit", "copy"}}) {
        Rig rig;
        test::compareExamples(rig.c);
        rig.set(pref::ConformEvents, m.events).set(pref::ConformCopy, m.copy);
        ASSERT_TRUE(rig.conform()) << m.events << " " << m.copy;
        const EditArray& events = rig.c.dataSourceC().getEditArray();
        ASSERT_EQ(events.size(), 4u);
        rig.expectConformed(events);
        EXPECT_EQ(rig.session.beeps(), 1);
        EXPECT_FALSE(rig.panel.open);
        EXPECT_EQ(rig.panel.progress, 4);
        EXPECT_EQ(rig.count("key 7 cmd"), std::string(m.copy) == "cut" ? 4 : 0);
        const bool oneByOne = std::string(m.events) == "edit by edit";
        // A fresh framerate test for every run of one event.
        EXPECT_EQ(rig.count("script activate"), oneByOne ? 4 : 1);
        EXPECT_EQ(rig.count("pause 0.37"), oneByOne ? 4 : 1);
        rig.control->abortConform("next");  // after the last event: nothing
        EXPECT_FALSE(rig.control->workerRunning());
    }
}

TEST(ProToolsConform, OneAtATimeWaitsForNext) {
    Rig rig;
    rig.c.dataSourceC().addEdits({change("001", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00"),
                                  change("002", "01:00:01:00", "01:00:02:00", "02:00:01:00", "02:00:02:00"),
                                  change("003", "01:00:02:00", "01:00:03:00", "02:00:02:00", "02:00:03:00")});
    rig.set(pref::ConformEvents, "edit by edit");
    rig.runWorker();
    EXPECT_EQ(rig.end(), WorkerEnd::WaitingForNext);
    EXPECT_TRUE(rig.panel.nextEnabled);
    EXPECT_EQ(rig.panel.number, 2);
    EXPECT_EQ(rig.panel.statuses.back(), "waiting to process event : (red)");
    rig.control->abortConform("next");
    rig.panel.runUntil([&] { return !rig.control->workerRunning(); });
    EXPECT_EQ(rig.panel.number, 3);
    rig.control->abortConform("next");
    rig.panel.runUntil([&] { return !rig.control->workerRunning(); });
    EXPECT_EQ(rig.end(), WorkerEnd::Finished);
    EXPECT_FALSE(rig.panel.open);
    EXPECT_EQ(rig.session.beeps(), 1);
    rig.expectConformed(rig.c.dataSourceC().getEditArray());
}

// Stop pressed on the main thread while the worker pastes the second
// event's old start; the check right after that paste ends the worker.
TEST(ProToolsConform, StopSendsNothingAfterTheNextCheck) {
    Rig rig;
    test::compareExamples(rig.c);
    int pastes = 0, keys = 0, keysAtStop = -1;
    rig.session.setKeyListener([&](int code) {
        ++keys;
        if (code != keycode::V || ++pastes != 3 + 5 + 1) return;
        std::promise<void> pressed;
        rig.panel.runOnMainThread([&] {
            rig.control->abortConform("Stop");
            pressed.set_value();
        });
        pressed.get_future().wait();
        keysAtStop = keys;
    });
    EXPECT_FALSE(rig.conform());
    EXPECT_EQ(rig.end(), WorkerEnd::Stopped);
    EXPECT_EQ(keys, keysAtStop);
    EXPECT_FALSE(rig.panel.open);
    EXPECT_EQ(rig.session.beeps(), 0);
}

TEST(ProToolsConform, LostKeystrokeSelectsAgain) {
    Rig rig;
    test::compareExamples(rig.c);
    // Nineteen keystrokes test the frame rate; the 23rd pastes the first event's old end.
    rig.session.loseKeystroke(23);
    ASSERT_TRUE(rig.conform());
    EXPECT_EQ(rig.count("set 01:00:01:00"), 2);
    rig.expectConformed(rig.c.dataSourceC().getEditArray());
}

TEST(ProToolsConform, PasteLengthOneFrameOffIsAcceptedTwoIsRedone) {
    for (int off : {1, 2}) {
        Rig rig;
        test::compareExamples(rig.c);
        rig.session.landPastesLong(off);
        ASSERT_TRUE(rig.conform()) << off;
        const bool redone = off > 1;
        EXPECT_EQ(std::count(rig.panel.statuses.begin(), rig.panel.statuses.end(), "paste length ERR - redo (red)"),
                  redone ? 1 : 0);
        EXPECT_EQ(rig.panel.progress, redone ? 5 : 4);
        rig.expectConformed(rig.c.dataSourceC().getEditArray());
    }
}

TEST(ProToolsConform, SessionFramerateTest) {
    struct Row {
        int session;
        const char* timebase;
        WorkerEnd end;
        const char* lastCandidate;
        std::string alert;
    } rows[] = {
        {25, "24", WorkerEnd::WrongFramerate, "set 01:00:00:24",
         "reelwright is trying to send 24fps values but your session appears to be set to 25fps"},
        {24, "23.976", WorkerEnd::Finished, "set 01:00:00:23", ""},
        {30, "30", WorkerEnd::Finished, "set 01:00:00:29", ""},
        {30, "29.97df", WorkerEnd::WrongFramerate, "set 01:00:00:29",
         "reelwright is trying to send 29.97dffps values but your session appears to be set to 30fps"},
    };
    for (const auto& r : rows) {
        Rig rig(r.session);
        rig.c.dataSourceC().addEdits({change("001", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00")});
        rig.set(pref::ConformTimebase, r.timebase);
        rig.conform();
        EXPECT_EQ(rig.end(), r.end) << r.timebase;
        EXPECT_EQ(rig.count(r.lastCandidate), 1) << r.timebase;
        EXPECT_EQ(rig.count("set 01:00:00:23"), r.session == 24 ? 1 : 0) << r.timebase;
        EXPECT_FALSE(rig.panel.open);
        if (r.alert.empty()) continue;
        ASSERT_EQ(rig.ui.alerts.size(), 1u);
        EXPECT_EQ(rig.ui.alerts[0].message, "incorrect session framerate");
        EXPECT_EQ(rig.ui.alerts[0].informativeText, r.alert);
        EXPECT_EQ(rig.count("key 9 cmd"), r.session == 25 ? 2 : 1);  // no event was touched
    }
}

TEST(ProToolsConform, VersionAndPaceChangeTheKeystrokes) {
    struct Row {
        const char* version;
        const char* pace;
        int enters;  // one event and the framerate test
        const char* pause;
    } rows[] = {{"8.0.1", "fast", 1 + 3 + 4, "pause 0.07"},
                {"8.0", "careful", 1 + 3, "pause 0.12"},
                {"7.4", "very careful", 1 + 3, "pause 0.3"}};
    for (const auto& r : rows) {
        Rig rig;
        rig.c.dataSourceC().addEdits({change("001", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00")});
        rig.session.setBundleVersion(r.version);
        rig.set(pref::ConformSpeed, r.pace);
        ASSERT_TRUE(rig.conform()) << r.version;
        EXPECT_EQ(rig.count("key 76"), r.enters) << r.version;
        EXPECT_EQ(rig.count(r.pause), r.version == std::string("8.0.1") ? 29 : 19) << r.pace;
        rig.expectConformed(rig.c.dataSourceC().getEditArray());
    }
}

TEST(ProToolsConform, EndsThatLeaveOrCloseThePanel) {
    struct Row {
        const char* what;
        std::function<void(Rig&)> fault;
        WorkerEnd end;
        bool panelOpen;
        int beeps;
    } rows[] = {
        {"not running", [](Rig& r) { r.session.setRunning(false); }, WorkerEnd::NoWorkstation, true, 0},
        {"activation", [](Rig& r) { r.session.setActivationFails(true); }, WorkerEnd::ActivationFailed, true, 1},
        {"never quiet", [](Rig& r) { r.session.setEditDuration(1e6); }, WorkerEnd::NotQuiet, true, 0},
        // A speed change: the pasted material can never have the new length.
        {"speed change",
         [](Rig& r) {
             r.c.dataSourceC().getEditArray()[0]->setSourceOut(test::tc("01:00:02:00"));
         },
         WorkerEnd::GaveUp, false, 1},
        // An old end the session refuses: the selection never gets its length.
        {"refused time",
         [](Rig& r) {
             r.c.dataSourceC().getEditArray()[0]->setSourceOut(test::tc("24:00:01:00"));
         },
         WorkerEnd::GaveUp, false, 1},
    };
    for (const auto& r : rows) {
        Rig rig;
        rig.c.dataSourceC().addEdits({change("007", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00")});
        r.fault(rig);
        rig.runWorker();
        EXPECT_EQ(rig.end(), r.end) << r.what;
        EXPECT_EQ(rig.panel.open, r.panelOpen) << r.what;
        EXPECT_EQ(rig.control->active(), r.panelOpen) << r.what;
        EXPECT_EQ(rig.session.beeps(), r.beeps) << r.what;
        if (r.end == WorkerEnd::NotQuiet) {
            EXPECT_EQ(rig.panel.statuses.back(), "Pro Tools did not finish - conform stopped (red)");
        }
        if (r.end == WorkerEnd::GaveUp) {
            const bool paste = std::string(r.what) == "speed change";
            EXPECT_EQ(rig.ui.alerts.at(0).message, paste ? "paste length ERR" : "selection length ERR");
            EXPECT_NE(rig.ui.alerts[0].informativeText.find("event 007"), std::string::npos);
            EXPECT_EQ(rig.panel.progress, paste ? protocol::PasteTries : 1);
            EXPECT_EQ(rig.count("set 01:00:00:00"), paste ? protocol::PasteTries : protocol::SelectionTries);
        }
    }
}

TEST(ProToolsConform, SecondConformWhileThePanelIsOpenIsRefused) {
    Rig rig;
    rig.c.dataSourceC().addEdits({change("001", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00")});
    rig.session.setRunning(false);
    ASSERT_EQ(rig.command.conform("Conform").step, ConformOutcome::Step::ProToolsConfirmed);
    rig.panel.runUntil([&] { return !rig.control->workerRunning(); });
    EXPECT_TRUE(rig.control->active());
    EXPECT_FALSE(rig.control->start(conformEventsFrom(rig.c.dataSourceC().getEditArray())));
    EXPECT_EQ(rig.ui.beeps, 1);
    EXPECT_EQ(rig.panel.status, "initializing");
    EXPECT_DOUBLE_EQ(rig.session.suppressionInterval(), 0.1);
    rig.control->abortConform("Stop");
    EXPECT_FALSE(rig.panel.open);
}

}  // namespace
}  // namespace rw
