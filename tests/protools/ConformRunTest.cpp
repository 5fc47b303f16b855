#include "Rig.h"

#include <algorithm>
#include <functional>

namespace rw {
namespace {

using test::change;
using test::Rig;

// A recut at a list rate: ten events whose new ranges follow each other
// from 02:00:58:00 (across a minute, where drop frame skips two labels)
// and whose old ranges come from hour 1 in another order, off whole
// seconds (so that a conversion rounds their ends otherwise than the new
// ones); event 008 uses the material of event 003 again.
EditArray recut(const std::string& rate) {
    const std::int32_t second = test::tc("00:00:01:00", rate)->totalFrames();
    const std::int32_t hourOne = test::tc("01:00:00:00", rate)->totalFrames();
    const int lengths[] = {37, 50, 61, 24, 73, 45, 29, 61, 52, 33};
    const int oldSlots[] = {6, 2, 9, 0, 4, 7, 1, 9, 3, 5};  // five seconds and seven frames apart
    auto at = [&rate](std::int32_t frames) { return KLVtc::initWithFrames(frames, rate); };
    EditArray events;
    std::int32_t now = test::tc("02:00:58:00", rate)->totalFrames();
    for (int i = 0; i < 10; ++i) {
        const std::int32_t old = hourOne + oldSlots[i] * (5 * second + 7);
        char num[4];
        std::snprintf(num, sizeof num, "%03d", i + 1);
        events.push_back(edit::initWithNum(num, "clip", at(old), at(old + lengths[i]), at(now), at(now + lengths[i])));
        now += lengths[i];
    }
    return events;
}

TEST(ProToolsConform, EveryNewFrameAtEveryRateWithCopyAndCut) {
    struct Row {
        const char* list;
        const char* timebase;  // the conform timebase, and the session's rate
    } rows[] = {{"24", "24"},      {"25", "25"},      {"30", "30"},      {"30", "29.97"}, {"29.97df", "29.97df"},
                {"24", "23.976"},  {"50", "50"},      {"60", "59.94df"}, {"24", "25"},    {"25", "24"}};
    for (const auto& r : rows) {
        for (const char* mode : {"copy", "cut"}) {
            SCOPED_TRACE(std::string(r.list) + " at " + r.timebase + " " + mode);
            Rig rig(r.timebase);
            rig.c.dataSourceC().addEdits(recut(r.list));
            rig.set(pref::ConformTimebase, r.timebase).set(pref::ConformCopy, mode);
            ASSERT_TRUE(rig.conform());
            const ConformEvents& planned = rig.command.plan().events;
            ASSERT_EQ(planned.size(), 10u);
            for (std::size_t i = 1; i < planned.size(); ++i)
                EXPECT_EQ(planned[i].masterIn.totalFrames(), planned[i - 1].masterOut.totalFrames());
            rig.expectConformed();
            // The first use of the material used twice copies; every other event cuts.
            const bool cut = std::string(mode) == "cut";
            EXPECT_EQ(rig.count("key 7 cmd"), cut ? 9 : 0);
            EXPECT_EQ(rig.session.sourceAt(planned[0].sourceIn.totalFrames()),
                      cut ? std::nullopt : std::optional<std::int64_t>(planned[0].sourceIn.totalFrames()));
            EXPECT_EQ(rig.panel.progress, 10);
            EXPECT_EQ(rig.ends, std::vector<std::string>{"Conform finished: 10 events"});
        }
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
    EXPECT_EQ(rig.ends.back(), "Conform waiting for next (1 of 3 events done)");
    rig.control->abortConform("next");
    rig.panel.runUntil([&] { return !rig.control->workerRunning(); });
    EXPECT_EQ(rig.panel.number, 3);
    rig.control->abortConform("next");
    rig.panel.runUntil([&] { return !rig.control->workerRunning(); });
    EXPECT_EQ(rig.end(), WorkerEnd::Finished);
    EXPECT_FALSE(rig.panel.open);
    EXPECT_EQ(rig.session.beeps(), 1);
    rig.expectConformed();
    // A fresh framerate test, and the first event's longer pause, in every run.
    EXPECT_EQ(rig.count("script activate"), 3);
    EXPECT_EQ(rig.count("pause 0.37"), 3);
    rig.control->abortConform("next");  // after the last event: nothing
    EXPECT_FALSE(rig.control->workerRunning());
}

TEST(ProToolsConform, SessionFramerateTest) {
    struct Row {
        const char* session;
        const char* timebase;
        const char* probes;  // the frame numbers the test pasted
        std::string alert;   // empty: the conform went on
    } rows[] = {
        {"24", "23.976", "29 24 23", ""},
        {"25", "25", "29 24", ""},
        {"25", "24", "29 24", "reelwright is trying to send 24fps values but your session appears to be set to 25fps"},
        {"29.97", "30", "29 59 49", ""},
        {"29.97df", "29.97df", "29 59 49", ""},
        {"30", "29.97df", "29 59 49",
         "reelwright is trying to send 29.97dffps values but your session appears to be set to 30fps"},
        {"29.97df", "29.97", "29 59 49",
         "reelwright is trying to send 30fps values but your session appears to be set to 29.97dffps"},
        {"50", "50", "29 59 49", ""},
        {"59.94", "60", "29 59", ""},
        {"60", "30", "29 59", "reelwright is trying to send 30fps values but your session appears to be set to 60fps"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.session) + " session at " + r.timebase);
        Rig rig(r.session);
        rig.c.dataSourceC().addEdits({change("001", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00")});
        rig.set(pref::ConformTimebase, r.timebase);
        rig.conform();
        const bool drop = std::string(r.session).ends_with("df");
        std::string probes;
        for (const char* frames : {"29", "59", "49", "24", "23"})
            if (rig.count(std::string("set 01:00:00") + (drop ? ";" : ":") + frames) == 1)
                probes += (probes.empty() ? "" : " ") + std::string(frames);
        EXPECT_EQ(probes, r.probes);
        EXPECT_FALSE(rig.panel.open);
        EXPECT_EQ(rig.end(), r.alert.empty() ? WorkerEnd::Finished : WorkerEnd::WrongFramerate);
        if (r.alert.empty()) continue;
        ASSERT_EQ(rig.ui.alerts.size(), 1u);
        EXPECT_EQ(rig.ui.alerts[0].message, "incorrect session framerate");
        EXPECT_EQ(rig.ui.alerts[0].informativeText, r.alert);
        EXPECT_EQ(rig.count("alert incorrect session framerate"), 1);
        EXPECT_EQ(rig.count("panel status processing event :"), 0);  // no event was touched
    }
}

// What cannot be conformed is named in the confirmation and left out: a
// range an hour nudge took across midnight, a speed change, an empty old
// range, material before the session start. The rest is conformed.
TEST(ProToolsConform, PreflightTellsWhatItLeavesOut) {
    Rig rig;
    rig.session.setSessionStart("00:59:00:00");
    rig.c.dataSourceC().addEdits({change("001", "01:00:00:00", "01:00:01:00", "01:00:10:00", "01:00:11:00"),
                                  change("002", "01:00:02:00", "01:00:03:00", "22:59:59:12", "23:00:00:12"),
                                  change("003", "00:58:00:00", "00:58:01:00", "01:00:20:00", "01:00:21:00"),
                                  change("004", "01:00:04:00", "01:00:05:00", "01:00:30:00", "01:00:32:00"),
                                  change("005", "01:00:06:00", "01:00:06:00", "01:00:40:00", "01:00:40:00"),
                                  change("006", "01:00:07:00", "01:00:08:00", "01:00:50:00", "01:00:51:00")});
    rig.c.dataSourceC().setStepperMaster(1);
    rig.c.dataSourceC().masterHour();
    ASSERT_TRUE(rig.conform());
    const std::string& text = rig.ui.confirmations.at(0).informativeText;
    for (const char* note :
         {"\nNOTE: these events have a range that crosses midnight (24:00:00:00) or runs backwards and will be skipped: "
          "002. use the small arrow buttons to nudge the timecodes up or down an hour.\n",
          "\nNOTE: these events have an empty old range and will be skipped: 005\n",
          "\nNOTE: these events change speed (their old and new lengths differ) and will be skipped: 004. please "
          "conform them by hand.\n",
          "\nNOTE: these events lie before the session start (00:59:00:00) and will be skipped: 003\n"})
        EXPECT_NE(text.find(note), std::string::npos) << note;
    EXPECT_EQ(text.find("overlapping"), std::string::npos);
    ASSERT_EQ(rig.command.plan().events.size(), 2u);
    rig.expectConformed();
    EXPECT_EQ(rig.count("set 00:58:00:00"), 0);
    EXPECT_EQ(rig.ends, std::vector<std::string>{"Conform finished: 2 events"});
}

// Two events of different lengths; each keystroke of the second is lost in
// turn. A lost keystroke is seen and the step made again, except where the
// protocol cannot see it: the audio paste, and the Enter before it (the
// paste then goes to the selection fields). In cut mode a lost Cut (or the
// Enter before it) leaves the first event's material on the clipboard,
// which the redo cannot mend: the conform stops with the alert.
TEST(ProToolsConform, ALostKeystrokeAtEveryKeyOfAnEvent) {
    auto events = [] {
        return EditArray{change("001", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00"),
                         change("002", "01:00:05:00", "01:00:07:00", "02:00:01:00", "02:00:03:00")};
    };
    // Nineteen keystrokes test the frame rate and event 001 takes 21; of
    // the 21 of event 002 the 7th is the Enter before the Copy or Cut (8th),
    // the 15th the Enter before the Paste (16th).
    const int first = 19 + 21 + 1, enterBeforeTake = first + 6, take = first + 7, enterBeforePaste = first + 14,
              paste = first + 15;
    for (const char* mode : {"copy", "cut"}) {
        for (int k = first; k < first + 21; ++k) {
            SCOPED_TRACE(std::string(mode) + ": keystroke " + std::to_string(k));
            Rig rig;
            rig.c.dataSourceC().addEdits(events());
            rig.set(pref::ConformCopy, mode);
            rig.session.loseKeystroke(k);
            const bool finished = rig.conform();
            const ConformEvents& planned = rig.command.plan().events;
            if (std::string(mode) == "cut" && (k == take || k == enterBeforeTake)) {
                EXPECT_EQ(rig.end(), WorkerEnd::GaveUp);
                EXPECT_EQ(rig.ui.alerts.at(0).message, "paste length ERR");
            } else if (k == paste || k == enterBeforePaste) {
                EXPECT_TRUE(finished);
                rig.expectConformed({planned[0]});
                EXPECT_EQ(rig.session.sourceAt(planned[1].masterIn.totalFrames()), planned[1].masterIn.totalFrames());
            } else {
                EXPECT_TRUE(finished);
                rig.expectConformed();
            }
        }
    }
}

TEST(ProToolsConform, PasteLengthOneFrameOffIsAcceptedTwoIsRedone) {
    for (const char* mode : {"copy", "cut"}) {
        for (int off : {1, 2}) {
            SCOPED_TRACE(std::string(mode) + " " + std::to_string(off));
            Rig rig;
            test::compareExamples(rig.c);
            rig.set(pref::ConformCopy, mode);
            rig.session.landPastesLong(off);
            ASSERT_TRUE(rig.conform());
            const bool redone = off > 1;
            EXPECT_EQ(rig.count("panel status paste length ERR - redo (red)"), redone ? 1 : 0);
            EXPECT_EQ(rig.panel.progress, 4);
            // A redo after a cut pastes the material again; it never cuts the emptied range.
            EXPECT_EQ(rig.count("key 7 cmd"), std::string(mode) == "cut" ? 4 : 0);
            EXPECT_EQ(rig.count("baseline"), redone ? 9 + (std::string(mode) == "copy") : 8);
            rig.expectConformed();
        }
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
        rig.expectConformed();
    }
}

// Faults at each step of the protocol, Stop at each wait, and a workstation
// that goes away: each ends as it should, within a bounded time of the clock.
TEST(ProToolsConform, FaultsStopsAndALostWorkstation) {
    struct Row {
        const char* what;
        std::function<void(Rig&)> fault;
        WorkerEnd end;
        const char* status;  // the last status line
    } rows[] = {
        {"not running", [](Rig& r) { r.session.setRunning(false); }, WorkerEnd::NoWorkstation,
         "can't find Pro Tools - conform stopped (red)"},
        {"activation", [](Rig& r) { r.session.setActivationFails(true); }, WorkerEnd::ActivationFailed,
         "Pro Tools can't be brought to the front - conform stopped (red)"},
        // A Copy lost in the frame-rate test is copied again, not read as the probe it left.
        {"framerate copy", [](Rig& r) { r.session.loseKeystroke(10); }, WorkerEnd::Finished, "processing event :"},
        {"never quiet", [](Rig& r) { r.session.setEditDuration(1e6); }, WorkerEnd::NotQuiet,
         "Pro Tools did not finish - conform stopped (red)"},
        {"paste always long", [](Rig& r) { r.session.landPastesLong(2, 100); }, WorkerEnd::GaveUp,
         "waiting for Pro Tools"},
        // The session start moves after the pre-flight: the old range is refused.
        {"selection refused",
         [](Rig& r) { r.onKey(keycode::V, 4, [&r] { r.session.setSessionStart("01:30:00:00"); }); },
         WorkerEnd::GaveUp, "processing event :"},
        {"stop in the baseline", [](Rig& r) { r.onReading(2, [&r] { r.pressStopFromWorker(); }); },
         WorkerEnd::Stopped, "processing event :"},
        {"stop in the wait for quiet", [](Rig& r) { r.onReading(10, [&r] { r.pressStopFromWorker(); }); },
         WorkerEnd::Stopped, "waiting for Pro Tools"},
        {"stop in an alert",
         [](Rig& r) {
             r.set(pref::ConformTimebase, "25");
             r.ui.duringAlert = [&r] { r.control->abortConform("Stop"); };
         },
         WorkerEnd::Stopped, "testing session framerate"},
        {"quits before a baseline",  // at the Enter before event 008's paste
         [](Rig& r) { r.onKey(keycode::KeypadEnter, 6, [&r] { r.session.setRunning(false); }); },
         WorkerEnd::WorkstationQuit, "Pro Tools has quit - conform stopped (red)"},
        {"quits in the wait for quiet", [](Rig& r) { r.onReading(10, [&r] { r.session.setRunning(false); }); },
         WorkerEnd::WorkstationQuit, "Pro Tools has quit - conform stopped (red)"},
        {"stops answering mid-event", [](Rig& r) { r.onKey(keycode::V, 9, [&r] { r.session.setAnswering(false); }); },
         WorkerEnd::NotAnswering, "Pro Tools is not answering - conform stopped (red)"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        Rig rig;
        rig.c.dataSourceC().addEdits({change("007", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00"),
                                      change("008", "01:00:05:00", "01:00:07:00", "02:00:01:00", "02:00:03:00")});
        r.fault(rig);
        rig.runWorker();
        EXPECT_EQ(rig.end(), r.end);
        EXPECT_EQ(rig.panel.statuses.back(), r.status);
        // The panel stays open with the reason until Stop; Stop and the alerts close it.
        const bool open = rig.panel.statuses.back().ends_with("(red)") && r.end != WorkerEnd::GaveUp;
        EXPECT_EQ(rig.panel.open, open);
        EXPECT_EQ(rig.control->active(), open);
        EXPECT_LT(rig.clock.now(), std::chrono::seconds(90));
        if (r.end == WorkerEnd::Stopped) {
            EXPECT_EQ(rig.ends.back(), "Conform stopped: Stop pressed (0 of 2 events done)");
            EXPECT_FALSE(rig.listing.str().ends_with("\nkey 76\n"));
        }
        if (r.end == WorkerEnd::GaveUp) {
            const bool paste = std::string(r.what).starts_with("paste");
            EXPECT_EQ(rig.ui.alerts.at(0).message, paste ? "paste length ERR" : "selection length ERR");
            EXPECT_NE(rig.ui.alerts[0].informativeText.find("event 007"), std::string::npos);
            EXPECT_EQ(rig.count("set 01:00:00:00"), paste ? protocol::PasteTries : protocol::SelectionTries);
        }
    }
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
        rig.pressStopFromWorker();
        keysAtStop = keys;
    });
    EXPECT_FALSE(rig.conform());
    EXPECT_EQ(rig.end(), WorkerEnd::Stopped);
    EXPECT_FALSE(rig.panel.open);
    EXPECT_EQ(rig.session.beeps(), 0);
    EXPECT_EQ(keys, keysAtStop);
    EXPECT_EQ(rig.ends, std::vector<std::string>{"Conform stopped: Stop pressed (1 of 4 events done)"});
}

TEST(ProToolsConform, SecondConformWhileThePanelIsOpenIsRefused) {
    Rig rig;
    rig.c.dataSourceC().addEdits({change("001", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00")});
    rig.session.setRunning(false);
    ASSERT_EQ(rig.command.conform("Conform").step, ConformOutcome::Step::ProToolsConfirmed);
    rig.panel.runUntil([&] { return !rig.control->workerRunning(); });
    EXPECT_TRUE(rig.control->active());
    EXPECT_FALSE(rig.control->start(rig.command.plan().events));
    EXPECT_EQ(rig.ui.beeps, 1);
    EXPECT_EQ(rig.panel.status, "can't find Pro Tools - conform stopped");
    EXPECT_DOUBLE_EQ(rig.session.suppressionInterval(), 0.1);
    rig.control->abortConform("Stop");
    EXPECT_FALSE(rig.panel.open);
}

}  // namespace
}  // namespace rw
