// The "Ardour session" conform type through the conform command, and what a
// run makes of every answer Ardour can give, with a stand-in for Ardour.

#include "Folders.h"

#include "app/ConformCommand.h"
#include "conform/Support.h"

#include <gtest/gtest.h>

#include <functional>

namespace rw {
namespace {

using test::ev;

// 25 fps at 48 kHz, sample 0 at 01:00:00:00; one track playing one region of
// ten seconds (superclocks: 5880 a sample).
const char* const kSession = R"(<Session version="7002" sample-rate="48000">
  <ProgramVersion modified-with="Ardour 7.3.0"/>
  <Config><Option name="timecode-format" value="timecode_25"/><Option name="timecode-offset" value="172800000"/></Config>
  <Locations><Location start="a0" end="a2822400000" flags="IsSessionRange"/></Locations>
  <Routes><Route id="10" name="Dia" audio-playlist="%PLAYLIST%"/></Routes>
  <Playlists>
    <Playlist id="20" name="Dia"><Region id="30" name="take" start="a0" length="a2822400000@a0"/></Playlist>
    %NEW%
  </Playlists>
</Session>
)";

std::string session(const std::string& playlist, const std::string& newPlaylist) {
    std::string s = kSession;
    s.replace(s.find("%PLAYLIST%"), 10, playlist);
    s.replace(s.find("%NEW%"), 5, newPlaylist);
    return s;
}

// The piece the plan asks for: 01:00:02:00-01:00:04:00 at 01:00:00:00.
const std::string kPlacedPiece =
    "<Playlist id=\"21\" name=\"Dia.conform\"><Region id=\"31\" name=\"take.1\" start=\"a564480000\" "
    "length=\"a564480000@a0\"/></Playlist>";

struct StandIn : ArdourHost {
    std::function<ArdourRun(const std::function<void(const std::string&)>&)> behaviour;
    std::string program;
    std::optional<ArdourTool> luaTool() override { return ArdourTool{"/usr/bin/ardour7-lua", "7.3.0~ds0"}; }
    ArdourRun runLua(const ArdourTool&, const std::string& p, const std::function<void(const std::string&)>& onLine,
                     std::chrono::seconds) override {
        program = p;
        return behaviour(onLine);
    }
};

struct Fixture : test::Conformer {
    test::TempDir dir;
    NoWorkstation none;
    StandIn ardour;
    std::string path = dir.write("reel1/reel1.ardour", session("20", ""));
    Fixture() : Conformer({ev("001", "01:00:02:00", "01:00:04:00", "01:00:00:00", "01:00:02:00", "25")}) {
        c.prefs().set(pref::ConformType, conformtype::Ardour);
        ui.openAnswer = path;
    }
    ConformOutcome conform() {
        ConformCommand command(c, none);
        command.setArdourHost(&ardour);
        return command.conform("Conform");
    }
};

TEST(ArdourConformCommand, AsksForTheSessionAndConfirmsTheEventsToMove) {
    Fixture f;
    const ConformOutcome outcome = f.conform();
    ASSERT_EQ(outcome.step, ConformOutcome::Step::ArdourConfirmed);
    ASSERT_EQ(f.ui.confirmations.size(), 1u);
    EXPECT_EQ(f.ui.confirmations[0].message, "conform Ardour session?");
    const std::string& text = f.ui.confirmations[0].informativeText;
    EXPECT_NE(text.find("new snapshot - conform\ntimebase - 25 (the session's timecode)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("events to move: 1 on 1 audio track\n001  OLD 01:00:02:00-01:00:04:00 NEW "
                        "01:00:00:00-01:00:02:00  1 region\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(f.c.prefs().get(pref::ConfPath), f.dir.file("reel1"));

    f.ui.openAnswer = f.dir.write("reel1/notes.ardour", "not a session");
    EXPECT_EQ(f.conform().step, ConformOutcome::Step::ArdourRefused);
    ASSERT_EQ(f.ui.alerts.size(), 1u);
    EXPECT_EQ(f.ui.alerts[0].message, "session not conformed");
}

struct RunCase {
    const char* name;
    std::function<ArdourRun(const std::string& folder, const std::function<void(const std::string&)>&)> ardour;
    bool written;
    const char* error;
};

ArdourRun ran(const std::function<void(const std::string&)>& say, const std::string& line) {
    say("Butler drops pool trash");
    say(line);
    return {true, false, 0, ""};
}

const RunCase kRuns[] = {
    {"saved as planned",
     [](const std::string& folder, auto say) {
         writeFileAtomic(folder + "/conform.ardour", session("21", kPlacedPiece));
         return ran(say, "RW DONE");
     },
     true, ""},
    {"an error before the save", [](const std::string&, auto say) { return ran(say, "RW ERROR Ardour could not load the session"); },
     false, "Ardour could not load the session"},
    {"saved, but not as planned",
     [](const std::string& folder, auto say) {
         writeFileAtomic(folder + "/conform.ardour", session("20", ""));
         writeFileAtomic(folder + "/conform.history", "");
         return ran(say, "RW DONE");
     },
     false, "without its new playlist"},
    {"stopped at the time limit", [](const std::string&, auto) { return ArdourRun{true, true, 137, ""}; }, false,
     "did not finish"},
    {"gone without a word", [](const std::string&, auto) { return ArdourRun{true, false, 134, "Abort"}; }, false,
     "exit status 134): Abort"},
    {"not started", [](const std::string&, auto) { return ArdourRun{}; }, false, "could not be started"},
};

TEST(ArdourConformRun, OnlyASnapshotAsPlannedIsKept) {
    for (const auto& run : kRuns) {
        Fixture f;
        const ConformOutcome outcome = f.conform();
        ASSERT_TRUE(outcome.ardour);
        const std::string folder = f.dir.file("reel1");
        const test::FolderState before = test::folderState(folder);
        f.ardour.behaviour = [&](auto say) { return run.ardour(folder, say); };
        const Outcome<> result = runArdourConform(*outcome.ardour, f.ardour, {});
        EXPECT_EQ(result.ok(), run.written) << run.name << ": " << result.error;
        EXPECT_NE(result.error.find(run.error), std::string::npos) << run.name << ": " << result.error;
        EXPECT_EQ(test::changedEntries(before, test::folderState(folder)),
                  run.written ? std::vector<std::string>{"conform.ardour"} : std::vector<std::string>{})
            << run.name;
    }
}

TEST(ArdourConformRun, TheProgramCarriesThePlan) {
    Fixture f;
    const ConformOutcome outcome = f.conform();
    f.ardour.behaviour = [](auto say) { return ran(say, "RW PROGRESS 1 2"); };
    int done = 0, total = 0;
    runArdourConform(*outcome.ardour, f.ardour, [&](int d, int t) {
        done = d;
        total = t;
    });
    EXPECT_EQ(done, 1);
    EXPECT_EQ(total, 2);
    const std::string& p = f.ardour.program;
    EXPECT_NE(p.find("folder=\"" + f.dir.file("reel1") + "\",read=\"reel1\",snapshot=\"conform\",rate=48000"),
              std::string::npos);
    EXPECT_NE(p.find("{id=\"30\",name=\"take\",pos=0,len=480000,start=0,from=96000,to=192000,at=0,cut_front=true,"
                     "cut_back=true}"),
              std::string::npos)
        << p.substr(0, 600);
    EXPECT_NE(p.find("segments={\n{96000,192000,0},"), std::string::npos);
}

}  // namespace
}  // namespace rw
