#include "lists/ListFakes.h"
#include "app/MainView.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

TEST(MainView, SpaceBarPlaysWhenNeitherMoviePlaysForward) {
    const std::tuple<double, double, std::string, std::string> cases[] = {
        {0, 0, " ", "play 0"}, {1, 0, " ", "stop 0"}, {0, 1, " ", "stop 0"}, {-1, 0, " ", "play 0"}, {0, 0, "x", ""}};
    for (const auto& [oldRate, newRate, text, call] : cases) {
        Fixture f;
        f.movies.old.playback = oldRate;
        f.movies.nu.playback = newRate;
        insertText(f.c, text);
        EXPECT_EQ(f.c.lastCall(), call) << oldRate << " " << newRate << " '" << text;
    }
}

TEST(MainView, DraggedFileNamesAreCopiedAndOpenedInTheShownList) {
    RecordingUi ui;
    EXPECT_EQ(draggingEntered(ui, {{"/tmp/a.edl"}, true, {}}), DragOperation::Copy);
    EXPECT_EQ(draggingEntered(ui, {{"/tmp/a.edl"}, false, {}}), DragOperation::None);
    EXPECT_EQ(draggingEntered(ui, {{}, true, {}}), DragOperation::None);  // a text clipping
    EXPECT_EQ(ui.activations, 3);

    TempDir dir;
    const std::string edl = dir.write("cut.edl", "001  A001 V C 01:00:00:00 01:00:10:00 10:00:00:00 10:00:10:00\n");
    Fixture f;
    f.c.selectTab(1);
    EXPECT_TRUE(performDragOperation(f.c, {{}, true, {}}));
    EXPECT_TRUE(performDragOperation(f.c, {{edl}, true, {}}));
    EXPECT_EQ(f.B().editCount(), "1 edit");
    EXPECT_TRUE(f.ui.alerts.empty());

    // a dropped folder is named before the import says it found nothing; no
    // hour-code sheet asks how to read it
    EXPECT_TRUE(performDragOperation(f.c, {{dir.path()}, true, {}}));
    EXPECT_TRUE(f.ui.hourCodeAsked.empty());
    ASSERT_EQ(f.ui.alerts.size(), 2u);
    EXPECT_EQ(f.ui.alerts[0].message, "cannot read " + dir.path());
    EXPECT_EQ(f.ui.alerts[0].informativeText, "is a folder");
    EXPECT_EQ(f.ui.alerts[1].message, "no valid edits were found");
}

// Movies dropped are movies: never read as a list, whatever their case.
TEST(MainView, DroppedMoviesAreNeverReadAsLists) {
    const std::pair<const char*, bool> files[] = {{"/a/cut.mov", true},  {"/a/CUT.MP4", true}, {"/a/reel.mxf", true},
                                                  {"/a/cut.edl", false}, {"/a/cut.xml", false}, {"/a/mov", false},
                                                  {"/a/notes.txt", false}};
    for (const auto& [path, movie] : files) EXPECT_EQ(isMovieFile(path), movie) << path;
    TempDir dir;
    Fixture f;
    f.c.selectTab(0);
    EXPECT_TRUE(performDragOperation(f.c, {{dir.write("cut.mov", "not read as a list")}, true, {}}));
    EXPECT_EQ(f.A().numberOfRowsInTableView(), 0u);
    EXPECT_TRUE(f.ui.alerts.empty() && f.ui.hourCodeAsked.empty());
}

TEST(Offset, ShiftsTheSelectedEventsOfTheFrontList) {
    const std::tuple<const char*, std::string, std::string, std::string, int, bool, std::string> cases[] = {
        // source and master offsets, button, front tab, closes, then e's source in, master out and other's source in
        {"both sides", "-00:00:01:00", "+01:00:00:00", "Offset", 2, true, "09:59:59:00 12:00:05:00 00:00:00:10"},
        {"forward", "00:00:00:05", "00:00:00:00", "Offset", 2, true, "10:00:00:05 11:00:05:00 00:00:00:15"},
        {"another button", "00:00:01:00", "00:00:01:00", "Cancel", 2, true, "10:00:00:00 11:00:05:00 00:00:00:10"},
        {"not a timecode", "00:00:01:00", "1:00:00:00", "Offset", 2, false, "10:00:00:00 11:00:05:00 00:00:00:10"},
        {"an empty field", "", "00:00:01:00", "Offset", 2, false, "10:00:00:00 11:00:05:00 00:00:00:10"},
        {"nothing selected in front", "1", "1", "Offset", 0, true, "10:00:00:00 11:00:05:00 00:00:00:10"},
    };
    for (const auto& [name, source, master, title, tab, closes, times] : cases) {
        Fixture f;
        EditPtr e = event("001", "10:00:00:00", "10:00:05:00", "11:00:00:00", "11:00:05:00");
        EditPtr other = event("002", "00:00:00:10", "00:00:05:00", "00:00:00:00", "00:00:05:00");
        f.C().addEdits({e, other});
        f.C().selectRows({0, 1});
        f.c.selectTab(tab);
        f.c.offsetPanel().offsetValueSource = source;
        f.c.offsetPanel().offsetValueMaster = master;
        EXPECT_EQ(f.c.offsetPanel().offsetSheetAction(title), closes) << name;
        EXPECT_EQ(f.ui.beeps, closes ? 0 : 1) << name;
        EXPECT_EQ(e->sourceIn()->tcAsString() + " " + e->masterOut()->tcAsString() + " " +
                      other->sourceIn()->tcAsString(), times) << name;  // below zero: left as it was
        EXPECT_EQ(f.c.blockView().hiLimit(), framesOf(e->masterOut())) << name;
        const bool moved = closes && title == std::string("Offset") && tab == 2;
        EXPECT_EQ(f.undo().undoActionName(), moved ? "Offset Events" : "") << name;
        EXPECT_EQ(f.c.offsetPanel().message().empty(), title != std::string("Offset") || tab != 2) << name;
    }
}

}  // namespace
}  // namespace rw::test
