// The movie review over fake movie files and a hand-moved clock: loading
// with start timecodes, locating to the selected event, the windows that
// follow, stepping, and playing both movies on one clock.

#include "app/ConformController.h"
#include "app/MovieReview.h"
#include "settings/MemorySettings.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"
#include "views/SenderTitles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace rw {
namespace {

// 25 fps at 2,500 units a second unless a test says otherwise: a frame is 100 units.
MovieFacts facts(float rate = 25, std::int64_t scale = 2500, std::int64_t seconds = 600,
                 std::optional<TrackTimecode> timecode = std::nullopt) {
    MovieFacts f;
    f.rate = rate;
    f.rateText = rate == 25 ? "25.00" : "23.98";
    f.timeScale = scale;
    f.duration = scale * seconds;
    f.frames = rate == 25 ? FrameGrid::fromRate(25, 1, scale, f.duration) : FrameGrid::fromRate(24000, 1001, scale, f.duration);
    f.timecode = timecode;
    return f;
}

struct FakeFiles : MovieFiles {
    std::map<std::string, Outcome<MovieFacts>> files;
    std::map<std::pair<MovieSide, MovieView>, std::int64_t> shown;
    std::vector<std::string> sound;
    bool reachable(const std::string& path) const override { return files.count(path) > 0; }
    Outcome<MovieFacts> open(MovieSide, const std::string& path) override { return files.at(path); }
    void show(MovieSide side, MovieView view, std::int64_t time, bool) override { shown[{side, view}] = time; }
    void startSound(MovieSide side, std::int64_t time) override {
        sound.push_back((side == MovieSide::Old ? "old " : "new ") + std::to_string(time));
    }
    void stopSound(MovieSide side) override { sound.push_back(side == MovieSide::Old ? "old stop" : "new stop"); }
};

struct HandClock : Clock {
    std::chrono::nanoseconds t{};
    void sleepFor(std::chrono::nanoseconds d) override { t += d; }
    std::chrono::nanoseconds now() const override { return t; }
};

struct Review : ::testing::Test {
    RecordingUi ui;
    FakeFiles files;
    HandClock clock;
    MemorySettings store;
    MovieReview review{files, clock};
    conformController controller{ui, review};

    Review() {
        files.files["/m/old.mov"] = {facts(), ""};
        files.files["/m/new one.mov"] = {facts(), ""};
        files.files["/m/broken.mov"] = {{}, "not a movie (Invalid data found when processing input)"};
        controller.startUp(store);
        controller.attachReview(review);
    }
    // A change event: OLD at its source times, NEW at its record times.
    void selectChange(const std::string& sourceIn, const std::string& masterIn) {
        auto t = [](const std::string& s) { return KLVtc::initWithString(s, "25"); };
        controller.dataSourceC().addEdits({edit::initWithNum("001", "a", t(sourceIn), t("02:00:00:00"), t(masterIn),
                                                             t("02:00:00:00"))});
        controller.dataSourceC().selectRows({controller.dataSourceC().getEditArray().size() - 1});
    }
    std::int64_t at(MovieSide side, MovieView view = MovieView::Small) { return review.time(side, view); }
    void loadBoth() {
        review.setMoviesOld("/m/old.mov");
        review.setMoviesNew("file:///m/new%20one.mov");
    }
};

TEST_F(Review, LoadingTakesTheStoredStartElseTheTimecodeTrackElseNone) {
    store.setString("movieStart-old.mov", "00:59:50:00");
    files.files["/m/tc.mov"] = {facts(23.976f, 24000, 60, TrackTimecode{10, 0, 0, 0}), ""};
    loadBoth();
    review.setMoviesNew("/m/tc.mov");
    EXPECT_EQ(review.startField(MovieSide::Old), "00:59:50:00");
    EXPECT_EQ(review.startField(MovieSide::New), "10:00:00:00");
    EXPECT_EQ(review.startTimecode(MovieSide::New).framerate(), 24);
    EXPECT_EQ(review.rateText(MovieSide::New), "23.98");
    EXPECT_TRUE(review.drawerOpen());
    EXPECT_EQ(review.movieLocation(MovieSide::Old), "file:///m/old.mov");
    EXPECT_FALSE(store.stringForKey("movieStart-tc.mov")) << "a track's start is not remembered";
}

TEST_F(Review, AFileThatIsNoMovieIsReportedAndTheLoadedOneStays) {
    loadBoth();
    review.setMoviesOld("/m/broken.mov");
    review.setMoviesOld("/nowhere/gone.mov");  // unreachable: silence
    ASSERT_EQ(ui.alerts.size(), 1u);
    EXPECT_EQ(ui.alerts[0].message, "movie not loaded");
    EXPECT_NE(ui.alerts[0].informativeText.find("Invalid data"), std::string::npos);
    EXPECT_EQ(review.fileName(MovieSide::Old), "old.mov");
}

TEST_F(Review, SelectingAChangeEventLocatesBothMoviesAndThePlayheads) {
    loadBoth();
    review.editStartField(MovieSide::Old, "01:00:00:00");
    review.editStartField(MovieSide::New, "00:59:50:00");
    selectChange("01:00:10:00", "01:00:00:00");
    EXPECT_EQ(at(MovieSide::Old), 25000);  // 10 s in
    EXPECT_EQ(at(MovieSide::New), 25000);
    EXPECT_TRUE(controller.blockView().playheadOld() && controller.blockView().playheadNew());
    EXPECT_EQ((files.shown[{MovieSide::New, MovieView::Small}]), 25000);
    EXPECT_EQ(store.stringForKey("movieStart-new one.mov"), "00:59:50:00");

    selectChange("00:59:40:00", "01:00:00:00");  // 20 s before the OLD movie's start
    EXPECT_TRUE(review.startRed(MovieSide::Old));
    EXPECT_EQ(at(MovieSide::Old), 0);
}

TEST_F(Review, OnlyTheShownPlacesAreLocatedAndTheSmallFollowsTheLarge) {
    loadBoth();
    review.showHideMovies(title::ShowHideMovieDrawer);  // closes it
    selectChange("01:00:04:00", "01:00:04:00");
    EXPECT_EQ(at(MovieSide::Old), 0) << "drawer closed: the small movie stays";

    review.showHideMovies(title::ShowHideLargeMovies);
    selectChange("01:00:08:00", "01:00:08:00");
    EXPECT_EQ(at(MovieSide::Old, MovieView::Large), 20000);
    EXPECT_EQ(at(MovieSide::Old), 20000);
    EXPECT_EQ(at(MovieSide::Old, MovieView::Diff), 20000);
}

TEST_F(Review, NudgesStepEachMovieOnItsOwnFrames) {
    files.files["/m/film.mov"] = {facts(23.976f, 24000, 60), ""};
    review.setMoviesOld("/m/old.mov");
    review.setMoviesNew("/m/film.mov");
    const struct { int frames; std::int64_t old, nu; } steps[] = {{10, 1000, 10010}, {1, 1100, 11011}, {-1, 1000, 10010},
                                                                  {-10, 0, 0}, {-1, 0, 0}};
    for (const auto& s : steps) {
        review.nudge(s.frames);
        EXPECT_EQ(at(MovieSide::Old), s.old) << s.frames;
        EXPECT_EQ(at(MovieSide::New), s.nu) << s.frames;
    }
    review.gotoEnd();
    EXPECT_EQ(at(MovieSide::Old), 2500 * 600 - 100) << "the last frame's start";
}

// 25 fps in a 12,800 scale: a frame is 512 units, and each step moves the
// playhead by exactly one frame.
TEST_F(Review, PlayheadsCountFramesExactly) {
    files.files["/m/mp4.mov"] = {facts(25, 12800, 60), ""};
    review.setMoviesOld("/m/mp4.mov");
    review.editStartField(MovieSide::Old, "01:00:00:00");
    controller.blockView().setFrameSize(60000, 100);
    selectChange("01:00:00:00", "01:00:00:00");
    controller.blockView().setBlocksFromEdits(controller.dataSourceC().getEditArray());  // spans the event
    review.nudge(1);
    const float first = controller.blockView().playheadOld()->x;
    review.nudge(1);
    const float frame = controller.blockView().playheadOld()->x - first;
    ASSERT_GT(frame, 0);
    for (int k = 3; k < 200; ++k) {
        review.nudge(1);
        EXPECT_NEAR(controller.blockView().playheadOld()->x, first + frame * static_cast<float>(k - 1), frame / 4) << k;
    }
}

TEST_F(Review, PlayingRunsBothMoviesOnOneClockKeepingTheirOffset) {
    loadBoth();
    review.nudge(10);
    review.gotoStart();
    review.setMoviesNew("/m/new one.mov");
    review.nudge(5);  // OLD at 500, NEW at 500
    review.gotoTimeSource(*KLVtc::initWithString("01:00:02:00", "25"));  // OLD to 2 s, no start: top of the hour
    review.playMovies(std::nullopt);
    EXPECT_EQ(files.sound, std::vector<std::string>{"new 500"}) << "the OLD movie is muted";
    clock.t += std::chrono::milliseconds(1500);
    review.tick();
    EXPECT_EQ(at(MovieSide::Old), 5000 + 3750);
    EXPECT_EQ(at(MovieSide::New), 500 + 3750);
    EXPECT_EQ(review.playbackRate(MovieSide::New), 1.0);

    review.gotoTimeMaster(*KLVtc::initWithString("01:00:20:00", "25"));  // plays on from the new place
    review.setOldMuted(false);
    EXPECT_EQ(files.sound, (std::vector<std::string>{"new 500", "new 50000", "old 8750"})) << "the sound follows";
    clock.t += std::chrono::seconds(1);
    review.stopMovies(std::nullopt);
    EXPECT_EQ(at(MovieSide::New), 50000 + 2500);
    EXPECT_EQ(at(MovieSide::Old), 5000 + 3750 + 2500);
    EXPECT_EQ(review.playbackRate(MovieSide::New), 0.0);
    EXPECT_EQ(files.sound.back(), "new stop");

    clock.t += std::chrono::seconds(5);
    EXPECT_EQ(at(MovieSide::New), 52500) << "stopped movies stay";
    review.playMovies(std::nullopt);
    clock.t += std::chrono::hours(1);
    review.tick();
    EXPECT_FALSE(review.playing()) << "the NEW movie's end stops both";
    EXPECT_EQ(at(MovieSide::New), 2500 * 600);
}

TEST_F(Review, PlayStopStopsPlayingMoviesElsePlaysThem) {
    loadBoth();
    review.nudge(5);
    const struct {
        std::optional<int> tag;
        bool playing;
        const char* lastSound;
    } presses[] = {{std::nullopt, true, "new 500"}, {1, false, "new stop"}, {1, true, "new 500"}, {0, false, "new stop"}};
    for (const auto& p : presses) {
        review.playStop(p.tag);
        EXPECT_EQ(review.playing(), p.playing);
        EXPECT_EQ(files.sound.back(), p.lastSound);
    }
}

TEST_F(Review, StartTimecodeEditsAreRememberedAndRelocate) {
    loadBoth();
    selectChange("01:00:10:00", "01:00:10:00");
    review.nudge(-50);  // 8 s in
    review.captureZeroPoint(title::CaptureOldZeroPoint);
    EXPECT_EQ(review.startField(MovieSide::Old), "00:59:52:00");
    EXPECT_EQ(store.stringForKey("movieStart-old.mov"), "00:59:52:00");
    EXPECT_EQ(at(MovieSide::Old), 18 * 2500) << "the selected event is located again";

    review.stepStart(MovieSide::Old, 1);
    EXPECT_EQ(review.startField(MovieSide::Old), "01:59:52:00");
    EXPECT_TRUE(review.isValidStartEntry("", 0));
    EXPECT_FALSE(review.isValidStartEntry("abc", 0));
}

TEST_F(Review, ARefusedStartEntryBeepsAndSaysWhyAtItsMoviesRate) {
    review.setMoviesNew("/m/new one.mov");
    const struct {
        MovieSide side;
        const char* text;
        const char* why;
    } cases[] = {{MovieSide::Old, "abc", "Load the movie before typing its start timecode."},
                 {MovieSide::New, "01:00:00:30",
                  "\"01:00:00:30\" is not a start timecode at 25.00 fps: type HH:MM:SS:FF, or nothing"}};
    int beeps = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(review.refuseStartEntry(c.side, c.text), c.why);
        EXPECT_EQ(ui.beeps, ++beeps) << c.text;
    }
}

TEST_F(Review, ANewEventTakesItsTimesFromWhereTheMoviesStand) {
    loadBoth();
    review.editStartField(MovieSide::Old, "01:00:00:00");
    review.gotoTimeSource(*KLVtc::initWithString("01:00:04:00", "25"));
    review.gotoTimeMaster(*KLVtc::initWithString("01:00:02:12", "25"));  // NEW: no start, the top of the hour
    controller.dataSourceC().newEvent();
    const EditPtr& e = controller.dataSourceC().getEditArray().front();
    EXPECT_EQ(e->sourceIn()->tcAsString(), "01:00:04:00");
    EXPECT_EQ(e->masterIn()->tcAsString(), "00:00:02:12");
    EXPECT_EQ(at(MovieSide::New), 6200) << "selecting the new event leaves the movies where they were";
}

TEST_F(Review, AListsMovieLinesLoadTheMovies) {
    test::TempDir dir;
    const std::string path = dir.file("cut.edl");
    std::ofstream(path) << "TITLE: CUT\r\nMovieOld:file:///m/old.mov\r\nMovieNew:/m/broken.mov\r\n\r\n"
                        << "001  A001 V C 01:00:00:00 01:00:01:00 01:00:00:00 01:00:01:00\r\n";
    controller.openFiles({path});
    EXPECT_EQ(review.fileName(MovieSide::Old), "old.mov");
    EXPECT_FALSE(review.hasMovie(MovieSide::New));
    ASSERT_EQ(ui.alerts.size(), 1u);
    EXPECT_EQ(ui.alerts[0].message, "movie not loaded");
}

TEST(MovieUrl, PathsRoundTripThroughFileUrls) {
    for (const std::string path : {"/a/b.mov", "/Film Reels/r1 100%.mov", "/ü/ß#?.mov"}) {
        EXPECT_EQ(pathFromFileUrl(fileUrlFromPath(path)), path);
    }
    EXPECT_EQ(fileUrlFromPath("/a b.mov"), "file:///a%20b.mov");
    EXPECT_EQ(pathFromFileUrl("file://localhost/x%2"), "/x%2");
    EXPECT_EQ(pathFromFileUrl("/plain/path.mov"), "/plain/path.mov");
}

}  // namespace
}  // namespace rw
