// The check in the window, without a window: what it is given, whose
// verdicts it keeps, where a flagged event takes the movies, the report.

#include "app/Verification.h"
#include "settings/MemorySettings.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

// Two 25 fps movies of ten minutes, 100 units a frame; the files are the test's own.
struct Files : MovieFiles {
    bool reachable(const std::string&) const override { return true; }
    Outcome<MovieFacts> open(MovieSide, const std::string&) override {
        MovieFacts f{25, "25.00", 2500, 2500 * 600, FrameGrid::fromRate(25, 1, 2500, 2500 * 600), {}, 64, 48};
        return {f, ""};
    }
    void show(MovieSide, MovieView, std::int64_t, bool) override {}
    void startSound(MovieSide, std::int64_t) override {}
    void stopSound(MovieSide) override {}
};

struct NoClock : Clock {
    void sleepFor(std::chrono::nanoseconds) override {}
    std::chrono::nanoseconds now() const override { return {}; }
};

struct Window : ::testing::Test {
    test::TempDir dir;
    RecordingUi ui;
    Files files;
    NoClock clock;
    MemorySettings store;
    MovieReview review{files, clock};
    conformController c{ui, review};
    Verification verification{c};

    Window() {
        c.startUp(store);
        c.attachReview(review);
        const auto t = [](int frame) { return KLVtc::initWithFrames(25 * 3600 + frame, "25"); };
        c.dataSourceC().addEdits({edit::initWithNum("001", "a", t(0), t(50), t(100), t(150)),
                                  edit::initWithNum("002", "b", t(50), t(75), t(150), t(175))});
    }
    void loadMovies() {
        review.setMoviesOld(dir.write("old.mov", "o"));
        review.setMoviesNew(dir.write("new.mov", "n"));
        review.editStartField(MovieSide::Old, "01:00:00:00");
        review.editStartField(MovieSide::New, "01:00:00:00");
    }
    const EditArray& events() { return c.dataSourceC().getEditArray(); }
};

TEST_F(Window, NeedsEventsAndBothMovies) {
    EXPECT_FALSE(verification.begin());
    ASSERT_EQ(ui.alerts.size(), 1u);
    EXPECT_EQ(ui.alerts[0].message, "movies not loaded");
    loadMovies();
    const auto job = verification.begin();
    ASSERT_TRUE(job);
    EXPECT_EQ(job->events.size(), 2u);
    EXPECT_NE(job->events[0], events()[0]);  // copies: the lists may change while it runs
    EXPECT_EQ(job->events[0]->description(), events()[0]->description());
    EXPECT_EQ(job->setup.movies[1].start.field, "01:00:00:00");
    EXPECT_EQ(job->moviePaths[0], dir.file("old.mov"));
    c.dataSourceC().deleteAll();
    EXPECT_FALSE(verification.begin());
    EXPECT_EQ(ui.beeps, 1);
}

// Event 001 slipped, its worst frame 10: selecting it alone takes the OLD
// movie to 01:00:00:10 (frame 10) and the NEW one to 01:00:04:10 (frame 110).
TEST_F(Window, VerdictsStayWithTheirEventsUntilTheyChange) {
    loadMovies();
    const auto job = verification.begin();
    EventCheck slip{Verdict::Slip, 2, false, 12, 10, ""}, match{Verdict::Match, 0, false, 1, 0, ""};
    verification.finish(*job, {{slip, match}, false});
    EXPECT_EQ(verification.verdictFor(events()[0])->verdict, Verdict::Slip);
    EXPECT_EQ(verification.flaggedRows(), std::vector<std::size_t>{0});
    EXPECT_EQ(verification.summary(), "checked 2: 1 match, 1 slipped, 0 differ, 0 no picture");
    ASSERT_EQ(c.blockView().marks().size(), 1u);  // event 001 only
    EXPECT_EQ(c.blockView().marks()[0], c.blockView().blocks()[0]);

    c.dataSourceC().selectRows({0});
    verification.locateFlagged();
    EXPECT_EQ(review.time(MovieSide::Old, MovieView::Small), 1000);
    EXPECT_EQ(review.time(MovieSide::New, MovieView::Small), 11000);

    events()[1]->masterIn()->setTotalFrames(events()[1]->masterIn()->totalFrames() + 1);
    EXPECT_EQ(verification.verdictFor(events()[1]), nullptr);  // times changed: not what was checked
    EXPECT_EQ(verification.verdictFor(events()[0])->verdict, Verdict::Slip);
    events()[0]->sourceIn()->setTotalFrames(events()[0]->sourceIn()->totalFrames() + 1);
    c.dataSourceC().refreshBlockView();
    EXPECT_TRUE(c.blockView().marks().empty());  // its verdict no longer holds
}

TEST_F(Window, ReportGoesWhereTheSavePanelSaysButNeverOverAnInput) {
    EXPECT_FALSE(verification.beginReport());  // nothing checked yet
    loadMovies();
    verification.finish(*verification.begin(), {{EventCheck{Verdict::Differs, 0, false, 30, 3, "x"}}, true});
    EXPECT_EQ(verification.summary(), "checked 1: 0 match, 0 slipped, 1 differ, 0 no picture (cancelled)");
    c.dataSourceC().setDocumentPath(dir.write("cut.conform", "x"));
    for (const char* input : {"old.mov", "cut.conform"}) {
        ui.savePanelAnswer = dir.file(input);
        EXPECT_FALSE(verification.beginReport()) << input;
        EXPECT_EQ(ui.alerts.back().message, "report not saved");
    }

    ui.savePanelAnswer = dir.file("report.html");
    const auto job = verification.beginReport();
    ASSERT_TRUE(job);
    const Outcome<> written = Verification::writeReport(*job, {});
    EXPECT_TRUE(written) << written.error;
    const std::string html = test::readAll(dir.file("report.html"));
    EXPECT_NE(html.find("checked 1: 0 match, 0 slipped, 1 differ, 0 no picture"), std::string::npos);  // cancelled after one
    EXPECT_NE(html.find("old.mov (starts at 01:00:00:00)"), std::string::npos);
}

}  // namespace
}  // namespace rw
