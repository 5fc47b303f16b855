#include "lists/ListFakes.h"
#include "lists/MoviePosition.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

struct PositionCase {
    const char* name;
    FakeMovies::Side movie;
    PositionRequest request;
    std::int32_t frames;
};

KLVtc at(const std::string& text, const std::string& timebase) { return *tc(text, timebase); }

TEST(MoviePosition, FrameUnderTheMovie) {
    const PositionCase cases[] = {
        {"29.97 movie at 10 s, no start: 299.7 rounds up", {true, 6000, 600, 29.97, "", {}, 0}, {30, 0, 0, false}, 300},
        {"hour of the list", {true, 6000, 600, 25, "", {}, 0}, {25, 1, 0, false}, 90250},
        {"drop allowance at the top of hour 1", {true, 0, 600, 29.97, "", {}, 0}, {30, 1, 108, false}, 107892},
        {"23.976 movie is stretched", {true, 1001 * 600, 600, 23.976, "", {}, 0}, {24, 0, 0, false}, 24000},
        {"halves round away from zero", {true, 1, 2, 25, "", {}, 0}, {3, 0, 0, false}, 2},
        {"start known", {true, 6000, 600, 25, "00:59:50:00", at("00:59:50:00", "25"), 0}, {25, 7, 99, false}, 90000},
        {"NTSC df re-reads the start as drop frame",
         {true, 0, 600, 30, "01:00:00:00", at("01:00:00:00", "30"), 0}, {30, 0, 0, true}, 107892},
        {"no time scale", {true, 6000, 0, 25, "", {}, 0}, {25, 1, 0, false}, 0},
        {"beyond 32 bits is clamped", {true, 1LL << 40, 1, 25, "", {}, 0}, {60, 0, 0, false}, 2147483647},
        {"below zero is clamped", {true, 0, 600, 25, "", {}, 0}, {25, 0, 5, false}, 0},
    };
    for (const auto& c : cases) {
        FakeMovies m;
        m.nu = c.movie;
        EXPECT_EQ(movieFramePosition(m, MovieSide::New, c.request), c.frames) << c.name;
    }
}

TEST(MoviePosition, DropAllowanceByRate) {
    EXPECT_EQ(dropAllowance(at("10:00:00;00", "29.97df"), 10), 1080);
    EXPECT_EQ(dropAllowance(at("10:00:00;00", "59.94df"), 10), 2160);
    EXPECT_EQ(dropAllowance(at("10:00:00:00", "30"), 10), 0);
    EXPECT_EQ(dropAllowance(at("10:00:00:00", "25"), 10), 0);
}

TEST(NewEvent, EmptyListAndNoMoviesGiveOneZeroEvent) {
    Fixture f;
    f.c.selectTab(0);
    f.C().newEvent();
    ASSERT_EQ(f.C().getEditArray().size(), 1u);
    const edit& e = *f.C().getEditArray()[0];
    EXPECT_EQ(e.editNum(), "001");
    EXPECT_EQ(e.clip(), "user_event");
    for (const TcPtr& t : {e.sourceIn(), e.sourceOut(), e.masterIn(), e.masterOut()}) EXPECT_EQ(t->totalFrames(), 0);
    EXPECT_NE(e.sourceIn(), e.sourceOut()) << "four timecodes of their own";
    EXPECT_EQ(f.C().selectedRows(), std::vector<std::size_t>{0});
    EXPECT_EQ(f.C().editCount(), "1 edits");
    EXPECT_EQ(f.c.selectedTab(), 2);
    EXPECT_EQ(f.c.undoManager().undoActionName(), "Create New Event");
    f.A().newEvent();  // the change list's command only
    EXPECT_TRUE(f.A().getEditArray().empty());
}

TEST(NewEvent, TakesTheMoviesAtTheFirstEventsHourSortedAndNumbered) {
    Fixture f;
    f.c.prefs().set(pref::EDLType, "PAL video");
    f.C().addEdits({event("001", "x", "10:00:00:00", "10:00:01:00", "10:00:00:00", "10:00:01:00"),
                    event("002", "y", "10:00:20:00", "10:00:21:00", "10:00:20:00", "10:00:21:00")});
    f.movies.old = {true, 2 * 600, 600, 25, "", {}, 0};
    f.movies.nu = {true, 5 * 600, 600, 25, "", {}, 0};
    f.C().newEvent();
    const EditArray& list = f.C().getEditArray();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1]->clip(), "user_event");
    EXPECT_EQ(list[1]->sourceIn()->tcAsString(), "10:00:02:00");
    EXPECT_EQ(list[1]->masterOut()->tcAsString(), "10:00:05:00");
    EXPECT_EQ(list[1]->masterIn()->framerate(), 25);
    EXPECT_EQ(numbersOf(list), (std::vector<std::string>{"001", "002", "003"}));
    EXPECT_EQ(f.C().selectedRows(), std::vector<std::size_t>{1});
}

TEST(NewEvent, DropFrameListsStartAtTheDropFrameHour) {
    Fixture f;
    f.c.prefs().set(pref::EDLType, "NTSC df");
    f.C().addEdits({event("001", "x", "01:00:00;00", "01:00:01;00", "01:00:00;00", "01:00:01;00", "29.97df")});
    f.movies.nu = {true, 0, 600, 29.97, "", {}, 0};
    f.C().newEvent();
    const EditPtr made = f.C().getEditArray()[0];  // zero length sorts first
    EXPECT_EQ(made->clip(), "user_event");
    EXPECT_EQ(made->masterIn()->tcAsString(), "01:00:00;00");
    EXPECT_EQ(made->sourceIn()->totalFrames(), 0) << "no OLD movie";
}

struct CaptureFixture : Fixture {
    EditPtr e = event("001", "x", "10:00:00:00", "10:00:05:00", "11:00:00:00", "11:00:05:00");
    CaptureFixture() {
        C().addEdits({e});
        movies.old = {true, 3 * 600, 600, 25, "", {}, 0};
        movies.nu = {true, 4 * 600, 600, 25, "", {}, 0};
        C().selectRows({0});
    }
};

TEST(SetTimes, InAndOutTimesComeFromTheirMovies) {
    CaptureFixture f;
    f.C().setTimes("Set In Times");
    EXPECT_EQ(f.e->sourceIn()->tcAsString(), "10:00:03:00");
    EXPECT_EQ(f.e->masterIn()->tcAsString(), "11:00:04:00");
    EXPECT_EQ(f.c.undoManager().undoActionName(), "Set In Times");
    f.movies.old.time = 8 * 600;
    f.C().setTimes("Set Out Times");
    EXPECT_EQ(f.e->sourceOut()->tcAsString(), "10:00:08:00");
    EXPECT_EQ(f.e->masterOut()->tcAsString(), "11:00:04:00");
    EXPECT_EQ(numbersOf(f.C().getEditArray()), std::vector<std::string>{"001"});
    f.c.undoManager().undo();
    EXPECT_EQ(f.e->sourceOut()->tcAsString(), "10:00:05:00");
    EXPECT_EQ(f.e->masterOut()->tcAsString(), "11:00:05:00");
    EXPECT_EQ(f.c.undoManager().redoActionName(), "Set Out Times");
}

TEST(SetTimes, NeedsTheTitleARowAndAMovie) {
    CaptureFixture f;
    f.C().setTimes("Set Times");
    f.C().deselectAll();
    f.C().setTimes("Set In Times");
    EXPECT_EQ(f.e->sourceIn()->tcAsString(), "10:00:00:00");
    EXPECT_FALSE(f.c.undoManager().canUndo());

    f.C().selectRows({0});
    f.movies.nu.loaded = false;  // that side keeps its time
    f.C().setTimes("Set In Times");
    EXPECT_EQ(f.e->sourceIn()->tcAsString(), "10:00:03:00");
    EXPECT_EQ(f.e->masterIn()->tcAsString(), "11:00:00:00");
    f.movies.old.loaded = false;
    f.C().setTimes("Set Out Times");
    EXPECT_EQ(f.ui.beeps, 1);
    EXPECT_EQ(f.c.undoManager().undoCount(), 1u);
}

TEST(SetTimes, DropFrameTimesAreCapturedOnTheDropFrameHour) {
    Fixture f;
    EditPtr e = event("001", "x", "01:00:00;00", "01:00:05;00", "01:00:00;00", "01:00:05;00", "29.97df");
    f.C().addEdits({e});
    f.movies.nu = {true, 10 * 600, 600, 30, "", {}, 0};
    f.C().selectRows({0});
    f.C().setTimes("Set In Times");
    EXPECT_EQ(e->masterIn()->tcAsString(), "01:00:10;00");
}

TEST(HealSelected, JoinsTheSelectedEventsWithoutRenumbering) {
    Fixture f;
    f.C().addEdits({event("001", "a", "10:00:00:00", "10:00:05:00", "10:00:10:00", "10:00:15:00"),
                    event("002", "b", "09:00:00:00", "09:00:01:00", "10:00:15:00", "10:00:16:00"),
                    event("003", "c", "10:00:06:00", "10:00:08:00", "10:00:16:00", "10:00:18:00")});
    f.C().selectRows({0, 2});
    f.C().healSelected();
    const EditArray& list = f.C().getEditArray();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->clip(), "healed");
    EXPECT_EQ(list[0]->sourceOut()->tcAsString(), "10:00:08:00");
    EXPECT_EQ(list[0]->masterOut()->tcAsString(), "10:00:18:00");
    EXPECT_EQ(numbersOf(list), (std::vector<std::string>{"001", "002"}));
    EXPECT_EQ(f.C().editCount(), "2 edits");
    EXPECT_TRUE(f.C().selectedRows().empty());
    EXPECT_FALSE(f.c.undoManager().canUndo());
    f.C().healSelected();
    EXPECT_EQ(f.ui.beeps, 1);
}

TEST(HourNudge, MovesEveryEventsSideAnHourWithWrap) {
    Fixture f;
    EditPtr late = event("001", "a", "10:00:00:00", "10:00:05:00", "23:59:50:00", "23:59:55:00");
    EditPtr early = event("002", "b", "00:10:00:00", "00:10:05:00", "00:00:00:00", "00:00:05:00");
    f.C().addEdits({late, early});
    f.C().setStepperMaster(1);
    f.C().masterHour();
    EXPECT_EQ(late->masterIn()->tcAsString(), "00:59:50:00");
    EXPECT_EQ(late->masterIn()->totalFrames(), (59 * 60 + 50) * 25);
    EXPECT_EQ(early->masterOut()->tcAsString(), "01:00:05:00");
    EXPECT_EQ(late->sourceIn()->tcAsString(), "10:00:00:00");
    EXPECT_EQ(f.C().stepperMaster(), 0);
    EXPECT_EQ(f.c.undoManager().undoActionName(), "Nudge Paste Hour");
    EXPECT_EQ(f.c.blockView().lowLimit(), 10 * 60 * 25) << "the blocks are rebuilt";
    f.C().setStepperSource(-1);
    f.C().sourceHour();
    EXPECT_EQ(early->sourceIn()->tcAsString(), "23:10:00:00");
    EXPECT_EQ(late->sourceOut()->tcAsString(), "09:00:05:00");
    EXPECT_EQ(f.c.undoManager().undoActionName(), "Nudge Copy Hour");
    f.C().setStepperSource(0.5);  // anything but 1 is down
    f.C().sourceHour();
    EXPECT_EQ(late->sourceIn()->tcAsString(), "08:00:00:00");
}

}  // namespace
}  // namespace rw::test
