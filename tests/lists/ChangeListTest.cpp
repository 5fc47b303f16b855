#include "lists/ListFakes.h"
#include "lists/MoviePosition.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

using Side = FakeMovies::Side;

TEST(MoviePosition, FrameUnderTheMovie) {
    const std::tuple<const char*, Side, PositionRequest, std::int32_t> cases[] = {
        {"29.97 movie at 10 s, no start: 299.7 rounds up", movieAt(6000, 600, 29.97), {30, 0, 0, false}, 300},
        {"hour of the list", movieAt(6000, 600, 25), {25, 1, 0, false}, 90250},
        {"drop allowance at the top of hour 1", movieAt(0, 600, 29.97), {30, 1, 108, false}, 107892},
        {"23.976 movie is stretched", movieAt(1001 * 600, 600, 23.976), {24, 0, 0, false}, 24000},
        {"halves round away from zero", movieAt(1, 2, 25), {3, 0, 0, false}, 2},
        {"start known", movieAt(6000, 600, 25, "00:59:50:00", *tc("00:59:50:00")), {25, 7, 99, false}, 90000},
        {"NTSC df re-reads the start as drop frame", movieAt(0, 600, 30, "01:00:00:00", *tc("01:00:00:00", "30")),
         {30, 0, 0, true}, 107892},
        {"no time scale", movieAt(6000, 0, 25), {25, 1, 0, false}, 0},
        {"beyond 32 bits is clamped", movieAt(1LL << 40, 1, 25), {60, 0, 0, false}, 2147483647},
        {"below zero is clamped", movieAt(0, 600, 25), {25, 0, 5, false}, 0},
    };
    for (const auto& [name, movie, request, expected] : cases) {
        FakeMovies m;
        m.nu = movie;
        EXPECT_EQ(movieFramePosition(m, MovieSide::New, request), expected) << name;
    }
}

TEST(NewEvent, EmptyListAndNoMoviesGiveOneZeroEvent) {
    Fixture f;
    f.C().newEvent();
    ASSERT_EQ(f.C().getEditArray().size(), 1u);
    const edit& e = *f.C().getEditArray()[0];
    EXPECT_EQ(e.editNum() + " " + e.clip(), "001 user_event");
    for (const TcPtr& t : {e.sourceIn(), e.sourceOut(), e.masterIn(), e.masterOut()}) EXPECT_EQ(t->totalFrames(), 0);
    EXPECT_NE(e.sourceIn(), e.sourceOut()) << "four timecodes of their own";
    EXPECT_EQ(f.C().selectedRows(), std::vector<std::size_t>{0});
    EXPECT_EQ(f.C().editCount(), "1 edit");
    EXPECT_EQ(f.c.selectedTab(), 2);
    EXPECT_EQ(f.undo().undoActionName(), "Create New Event");
}

TEST(NewEvent, TakesTheMoviesAtTheFirstEventsHourSortedAndNumbered) {
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        // list type, first event's time, movie rate, the new event's master in
        {"PAL video", "10:00:00:00", "25", "10:00:05:00"},
        {"NTSC df", "01:00:00;00", "29.97df", "01:00:05;00"},
    };
    for (const auto& [type, first, timebase, masterIn] : cases) {
        Fixture f;
        f.c.prefs().set(pref::EDLType, type);
        f.C().addEdits({event("001", first, first, first, first, timebase),
                        eventAt("002", 2000000, 2000001, 2000000, 2000001)});
        f.movies.nu = movieAt(5 * 600, 600, timebase == "25" ? 25.0 : 30.0);
        f.C().newEvent();
        const EditArray& list = f.C().getEditArray();
        ASSERT_EQ(list.size(), 3u);
        EXPECT_EQ(list[1]->clip(), "user_event") << type;
        EXPECT_EQ(list[1]->masterIn()->tcAsString(), masterIn) << type;
        EXPECT_EQ(list[1]->sourceIn()->totalFrames(), 0) << "no OLD movie";
        EXPECT_EQ(numbersOf(list), (std::vector<std::string>{"001", "002", "003"}));
    }
}

TEST(SetTimes, InAndOutTimesComeFromTheirMovies) {
    const std::tuple<const char*, std::string, bool, bool, std::string, std::string> cases[] = {
        // title, timebase, OLD movie, NEW movie, then source and master time set
        {"Set In Times", "25", true, true, "10:00:03:00", "11:00:04:00"},
        {"Set Out Times", "25", true, true, "10:00:03:00", "11:00:04:00"},
        {"Set In Times", "25", true, false, "10:00:03:00", "11:00:00:00"},  // no movie: that side stays
        {"Set In Times", "25", false, false, "10:00:00:00", "11:00:00:00"},
        {"Set Times", "25", true, true, "10:00:00:00", "11:00:00:00"},
        {"Set In Times", "29.97df", true, true, "10:00:03;00", "11:00:04;00"},  // on the drop-frame hour
    };
    for (const auto& [title, timebase, oldMovie, newMovie, source, master] : cases) {
        Fixture f;
        f.c.prefs().set(pref::EDLType, "NTSC");
        const bool pal = timebase == "25";
        const std::string in = pal ? "10:00:00:00" : "10:00:00;00", out = pal ? "11:00:00:00" : "11:00:00;00";
        EditPtr e = event("001", in, in, out, out, timebase);
        f.C().addEdits({e});
        f.movies.old = movieAt(3 * 600, 600, pal ? 25 : 30);
        f.movies.nu = movieAt(4 * 600, 600, pal ? 25 : 30);
        f.movies.old.loaded = oldMovie;
        f.movies.nu.loaded = newMovie;
        f.C().setTimes(title);
        EXPECT_EQ(e->sourceIn()->tcAsString(), in) << "no row selected";
        f.C().selectRows({0});
        f.C().setTimes(title);
        const bool setsIn = std::string(title) == "Set In Times";
        const bool known = setsIn || std::string(title) == "Set Out Times";
        EXPECT_EQ((setsIn ? e->sourceIn() : e->sourceOut())->tcAsString(), source) << title << timebase;
        EXPECT_EQ((setsIn ? e->masterIn() : e->masterOut())->tcAsString(), master) << title << timebase;
        EXPECT_EQ(f.undo().undoActionName(), known && (oldMovie || newMovie) ? title : "") << title;
        EXPECT_EQ(f.ui.beeps, !oldMovie && !newMovie ? 1 : 0) << title;
    }
}

TEST(HealSelected, JoinsTheSelectedEventsWithoutRenumbering) {
    Fixture f;
    f.C().addEdits({event("001", "10:00:00:00", "10:00:05:00", "10:00:10:00", "10:00:15:00"),
                    event("002", "09:00:00:00", "09:00:01:00", "10:00:15:00", "10:00:16:00"),
                    event("003", "10:00:06:00", "10:00:08:00", "10:00:16:00", "10:00:18:00")});
    f.C().selectRows({0, 2});
    f.C().healSelected();
    const EditArray& list = f.C().getEditArray();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->clip() + " " + list[0]->sourceOut()->tcAsString() + " " + list[0]->masterOut()->tcAsString(),
              "healed 10:00:08:00 10:00:18:00");
    EXPECT_EQ(numbersOf(list), (std::vector<std::string>{"001", "002"}));
    EXPECT_EQ(f.C().editCount(), "2 edits");
    EXPECT_TRUE(f.C().selectedRows().empty());
    EXPECT_EQ(f.undo().undoActionName(), "Heal Selected");
    f.C().healSelected();
    EXPECT_EQ(f.ui.beeps, 1);
}

TEST(HourNudge, MovesOneSideOfEveryEventAnHourWithWrap) {
    Fixture f;
    EditPtr late = event("001", "10:00:00:00", "10:00:05:00", "23:59:50:00", "23:59:55:00");
    EditPtr early = event("002", "00:10:00:00", "00:10:05:00", "00:00:00:00", "00:00:05:00");
    f.C().addEdits({late, early});
    f.C().setStepperMaster(1);
    f.C().masterHour();
    EXPECT_EQ(late->masterIn()->tcAsString(), "00:59:50:00");
    EXPECT_EQ(late->masterIn()->totalFrames(), 89750);
    EXPECT_EQ(early->masterOut()->tcAsString(), "01:00:05:00");
    EXPECT_EQ(late->sourceIn()->tcAsString(), "10:00:00:00");
    EXPECT_EQ(f.C().stepperMaster(), 0);
    EXPECT_EQ(f.undo().undoActionName(), "Nudge Paste Hour");
    EXPECT_EQ(f.c.blockView().lowLimit(), 10 * 60 * 25) << "the blocks are rebuilt";
    f.C().setStepperSource(0.5);  // anything but 1 is down
    f.C().sourceHour();
    EXPECT_EQ(early->sourceIn()->tcAsString(), "23:10:00:00");
    EXPECT_EQ(late->sourceOut()->tcAsString(), "09:00:05:00");
    EXPECT_EQ(f.undo().undoActionName(), "Nudge Copy Hour");
}

TEST(HourNudge, ShowsTheFirstEventsHourOfEachSide) {
    Fixture f;
    EXPECT_EQ(f.C().hourShown(true), "--");
    EXPECT_EQ(f.C().hourShown(false), "--");
    f.C().addEdits({event("001", "09:00:00:00", "09:00:05:00", "23:59:50:00", "23:59:55:00"),
                    event("002", "00:10:00:00", "00:10:05:00", "10:00:00:00", "10:00:05:00")});
    EXPECT_EQ(f.C().hourShown(true), "09");
    EXPECT_EQ(f.C().hourShown(false), "23");
}

}  // namespace
}  // namespace rw::test
