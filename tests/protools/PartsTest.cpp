#include "Rig.h"

#include "app/SessionLocate.h"
#include "protools/ProcessorWatch.h"
#include "support/RunCli.h"
#include "workstation/ProcessorUse.h"

#include <unistd.h>

#include <vector>

namespace rw {
namespace {

// Readings handed out in order; past the end, the stop flag goes down.
struct Script {
    std::vector<float> values;
    std::atomic<bool> running{true};
    std::size_t next = 0;
    ProcessorReading reading() {
        return [this] {
            if (next >= values.size()) running = false;
            return next < values.size() ? values[next++] : 0.0f;
        };
    }
};

TEST(ProcessorWatch, BaselineCountsDistinctAgreeingReadings) {
    VirtualClock clock;
    struct Row {
        std::vector<float> values;
        std::optional<float> baseline;
    } rows[] = {
        {{4.0f, 4.0f, 4.0f, 4.1f, 4.2f, 4.3f}, 4.15f},  // the mean of 4.0, 4.1, 4.2 and 4.3
        // An outlier starts the series again from itself, and so does the return to rest.
        {{4.0f, 10.0f, 4.0f, 4.1f, 4.2f, 4.3f}, 4.15f},
        // 0.0 throughout never counts: only Stop ends the wait.
        {std::vector<float>(1000, 0.0f), std::nullopt},
    };
    for (auto& r : rows) {
        Script s{r.values};
        const std::optional<float> baseline = measureBaseline(s.reading(), clock, s.running, 10.0);
        ASSERT_EQ(baseline.has_value(), r.baseline.has_value());
        if (baseline) {
            EXPECT_NEAR(*baseline, *r.baseline, 1e-5f);
        }
    }
}

TEST(ProcessorWatch, QuietSettledStoppedOrTimedOut) {
    std::vector<float> settled;
    for (int i = 0; i < 600; ++i) settled.push_back(i % 2 ? 5.1f : 5.0f);
    struct Row {
        std::vector<float> values;
        int quiet;
        QuietWait result;
        std::size_t readings;
    } rows[] = {
        {{50, 50, 4.0f, 4.0f, 4.1f, 4.2f}, 3, QuietWait::Quiet, 6},
        {{50, 4.0f, 4.1f, 4.2f, 4.3f, 4.0f}, 5, QuietWait::Quiet, 6},
        {settled, 3, QuietWait::Quiet, 500},  // a new level under 1.5 x the baseline
        {{50, 51}, 3, QuietWait::Stopped, 3},
        {std::vector<float>(7000, 50), 3, QuietWait::TimedOut, 6000},
    };
    for (auto& r : rows) {
        VirtualClock clock;
        Script s{r.values};
        EXPECT_EQ(waitForQuiet(s.reading(), clock, s.running, 4.0f, r.quiet, 60.0), r.result) << r.values.size();
        EXPECT_EQ(s.next, std::min(r.readings, r.values.size())) << r.values.size();
    }
}

// Each careful pace waits longer and for more quiet readings than the one
// before; a speed it does not know (an old or damaged setting) is the quick pace.
TEST(ProcessorWatch, CarefulPacesWaitLonger) {
    const char* const slowerEach[] = {"fast", "careful", "very careful"};
    for (int i = 1; i < 3; ++i) {
        EXPECT_GT(paceFor(slowerEach[i]).pause, paceFor(slowerEach[i - 1]).pause) << slowerEach[i];
        EXPECT_GT(paceFor(slowerEach[i]).quietReadings, paceFor(slowerEach[i - 1]).quietReadings) << slowerEach[i];
    }
    for (const char* quick : {"normal", "", "Careful", "slow"}) {
        EXPECT_EQ(paceFor(quick).pause, paceFor("fast").pause) << quick;
        EXPECT_EQ(paceFor(quick).quietReadings, paceFor("fast").quietReadings) << quick;
    }
}

TEST(ProcessorUse, ReadFromProc) {
    EXPECT_GE(processorUseOfProcess(static_cast<std::int32_t>(getpid())), 0.0f);
    EXPECT_EQ(processorUseOfProcess(0x3ffffff0), 0.0f);  // above any process identifier
    EXPECT_EQ(processorUseOfProcess(-1), 0.0f);
}

TEST(AudioTrack, EditsKeepRunsJoined) {
    AudioTrack track(1000);
    const auto clip = track.read(100, 200);
    track.silence(100, 200);
    EXPECT_EQ(track.regions().size(), 3u);
    EXPECT_EQ(track.sourceAt(150), std::nullopt);
    track.write(500, clip);
    EXPECT_EQ(track.sourceAt(550), 150);
    track.write(100, clip);  // back in place: one run again up to the moved piece
    EXPECT_EQ(track.regions(), (std::vector<Region>{{0, 500, 0}, {500, 600, 100}, {600, 1000, 600}}));
    track.write(950, clip);  // what passes the end is lost
    EXPECT_EQ(track.regions().back(), (Region{950, 1000, 100}));
}

TEST(SessionLocate, OneSelectedEventElseTheBeep) {
    struct Row {
        std::vector<std::size_t> rows;
        bool running;
        bool master;
        std::string listing;
        std::string said;  // what it did, or why not
    } rows[] = {
        {{1}, true, true, "script locate\nactivate\nkey 75\nset 02:00:01:00\nkey 9 cmd\nkey 76\n",
         "Session located to 02:00:01:00 (master in)."},
        {{0}, true, false, "script locate\nactivate\nkey 75\nset 01:00:00:00\nkey 9 cmd\nkey 76\n",
         "Session located to 01:00:00:00 (source in)."},
        {{0, 1}, true, true, "beep\n", "Select one event to locate the session to."},
        {{}, true, false, "beep\n", "Select one event to locate the session to."},
        {{0}, false, true, "script locate\nbeep\n", "Pro Tools is not running: the session was not located."},
    };
    for (const auto& r : rows) {
        test::Rig rig;
        rig.c.dataSourceC().addEdits({test::change("1", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00"),
                                      test::change("2", "01:00:01:00", "01:00:02:00", "02:00:01:00", "02:00:02:00")});
        rig.c.selectTab(2);
        rig.c.dataSourceC().selectRows(r.rows);
        rig.session.setRunning(r.running);
        rig.trace.setScriptLabel("locate");
        SessionLocator locator(rig.c, rig.trace, rig.clock);
        const Outcome<std::string> did = r.master ? locator.locateSessionToMaster() : locator.locateSessionToSource();
        locator.wait();
        EXPECT_EQ(rig.listing.str(), r.listing);
        const bool located = r.listing.size() > 20;
        EXPECT_EQ(did.ok(), located);
        EXPECT_EQ(did.ok() ? did.value : did.error, r.said);
        EXPECT_EQ(rig.session.beeps(), located ? 0 : 1);
        EXPECT_EQ(rig.clock.now(), located ? std::chrono::milliseconds(100) : std::chrono::milliseconds(0));
        if (located) {
            EXPECT_EQ(rig.session.selectionStart(), r.master ? 172824 : 86400);  // 02:00:01:00 or 01:00:00:00 at 24
        }
    }
}

// While a conform's worker types to the workstation a locate is refused:
// nothing of it is posted, only the beep.
TEST(SessionLocate, RefusedWhileAConformDrivesTheWorkstation) {
    test::Rig rig;
    test::compareExamples(rig.c);
    rig.c.selectTab(2);
    rig.c.dataSourceC().selectRows({0});
    std::ostringstream locateListing;
    ProtocolTrace locateTrace{rig.session, locateListing};
    SessionLocator locator(rig.c, locateTrace, rig.clock, rig.control.get());
    ASSERT_EQ(rig.command.conform("Conform").step, ConformOutcome::Step::ProToolsConfirmed);
    ASSERT_TRUE(rig.control->workerRunning());  // until the panel's queue hears of its end
    EXPECT_EQ(locator.locateSessionToMaster().error, "A conform is typing to Pro Tools: the session was not located.");
    locator.wait();
    rig.panel.runUntil([&] { return !rig.control->workerRunning(); });
    EXPECT_EQ(locateListing.str(), "beep\n");
}

// Event 001's new range encloses its old one and lands on the old material
// of 002, which has not been copied yet: the note names them. In cut mode
// 002 copies (its old place now holds 001's conformed audio), 003 copies
// (004 uses its material again) and 004, the last use, cuts.
TEST(Preflight, PastesOverMaterialStillToBeCopiedAreNamed) {
    const EditArray events = {test::change("001", "01:00:10:00", "01:00:20:00", "01:00:00:00", "01:00:10:00"),
                              test::change("002", "01:00:05:00", "01:00:06:00", "02:00:00:00", "02:00:01:00"),
                              test::change("003", "01:01:00:00", "01:01:01:00", "02:00:01:00", "02:00:02:00"),
                              test::change("004", "01:01:00:00", "01:01:01:00", "02:00:02:00", "02:00:03:00")};
    const ConformPlan plan = planProToolsConform(events, "24", true, std::nullopt);
    std::vector<bool> cuts;
    for (const auto& e : plan.events) cuts.push_back(e.cut);
    EXPECT_EQ(cuts, (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(plan.overwrites, (std::vector<std::pair<std::string, std::string>>{{"001", "002"}}));
    NoWorkstation none;
    EXPECT_TRUE(proToolsPreflightNotes(events, none, plan)
                    .starts_with("\nNOTE: your copy and paste times appear to be overlapping. use the small arrow "
                                 "buttons to nudge the timecodes up or down an hour.\nthese pastes land on old "
                                 "material a later event still has to copy: 001 over 002\n\nNOTE: can't seem"));
}

TEST(ProToolsCli, RehearsalListsActionsThenTheSession) {
    const std::string old = std::string(RW_EXAMPLES) + "/old_cut.edl", cut = std::string(RW_EXAMPLES) + "/new_cut.edl";
    test::CliResult r = test::runCli({"conform", "protools", "--old", old, "--new", cut, "--simulate",
                                      "--nudge-paste-hour", "up", "--pace", "careful", "--cut"});
    ASSERT_EQ(r.status, 0) << r.err;
    // The pre-flight, the panel set up, the activation, then the first read-back.
    EXPECT_TRUE(r.out.starts_with("script automation-follows-edit\npanel show\npanel progress 0 of 4\npanel event\n"
                                  "panel status initializing\npanel next off\nscript activate\nactivate\n"
                                  "panel status testing session framerate\nkey 75\nkey 75\nset (nothing copied)\n"
                                  "key 8 cmd\npause 0.24\nget 01:00:00:00\n"))
        << r.out.substr(0, 400);
    EXPECT_NE(r.out.find("\nbaseline\nkey 7 cmd\npause 0.12\npanel status waiting for Pro Tools\nwait-quiet\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("\npanel progress 4 of 4\nbeep\npanel close\nregion "), std::string::npos);
    EXPECT_TRUE(r.err.ends_with("Conform finished: 4 events\n"));
    const std::string session = r.out.substr(r.out.find("region "));
    EXPECT_TRUE(session.starts_with("region 00:00:00:00 01:00:01:00 from 00:00:00:00\nregion 01:00:01:00 "));
    EXPECT_NE(session.find("region 02:00:00:00 02:00:05:00 from 01:00:01:00\n"), std::string::npos);
    EXPECT_NE(session.find(" silence\n"), std::string::npos);
    EXPECT_TRUE(session.ends_with("\nregion 02:00:25:00 24:00:00:00 from 02:00:25:00\n"));

    // A drop-frame conform into a drop-frame session (the mismatches are the frame-rate test's).
    test::CliResult df = test::runCli({"conform", "protools", "--old", old, "--new", cut, "--simulate",
                                       "--nudge-paste-hour", "up", "--timebase", "29.97df"});
    EXPECT_EQ(df.status, 0) << df.err;
    EXPECT_NE(df.out.find("\nregion 02:00:07;06 02:00:12;06 from 01:00:04;18\n"), std::string::npos);

    const std::vector<std::string> failing[] = {
        {"conform", "protools", "--old", old, "--new", cut, "--simulate", "--session-rate", "25"},
        {"conform", "protools", "--old", old, "--new", cut},
    };
    for (const auto& args : failing) EXPECT_EQ(test::runCli(args).status, 1);
    EXPECT_EQ(test::runCli({"conform", "tab", "--old", old, "--new", cut}).status, 2);  // no --file
    EXPECT_EQ(test::runCli({"conform", "protools", "--old", old, "--new", cut, "--simulate", "--session-rate", "26"})
                  .status,
              2);
}

}  // namespace
}  // namespace rw
