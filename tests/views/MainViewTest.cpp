#include "lists/ListFakes.h"
#include "views/MainView.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

TEST(MainView, SpaceBarPlaysWhenNeitherMoviePlaysForward) {
    struct Case {
        double oldRate, newRate;
        std::string text, call;
    };
    const Case cases[] = {{0, 0, " ", "play 0"},  {1, 0, " ", "stop 0"}, {0, 1, " ", "stop 0"},
                          {-1, 0, " ", "play 0"}, {0, 0, "x", ""},       {0, 0, "  ", ""}};
    for (const auto& c : cases) {
        Fixture f;
        f.movies.old.playback = c.oldRate;
        f.movies.nu.playback = c.newRate;
        insertText(f.c, c.text);
        EXPECT_EQ(f.c.calls.empty() ? "" : f.c.calls.back(), c.call) << c.oldRate << " " << c.newRate << " '" << c.text;
    }
}

TEST(MainView, DraggedFileNamesAreCopiedOthersRefused) {
    RecordingUi ui;
    EXPECT_EQ(draggingEntered(ui, {{"/tmp/a.edl"}, true}), DragOperation::Copy);
    EXPECT_EQ(draggingEntered(ui, {{"/tmp/a.edl"}, false}), DragOperation::None);
    EXPECT_EQ(draggingEntered(ui, {{}, true}), DragOperation::None);  // a text clipping
    EXPECT_EQ(ui.activations, 3);
}

TEST(MainView, DroppedFilesLoadIntoTheShownList) {
    TempDir dir;
    const std::string edl = dir.write("cut.edl", "001  A001 V C 01:00:00:00 01:00:10:00 10:00:00:00 10:00:10:00\n");
    Fixture f;
    f.c.selectTab(1);
    EXPECT_TRUE(performDragOperation(f.c, {{}, true}));
    EXPECT_TRUE(f.ui.alerts.empty());
    EXPECT_TRUE(performDragOperation(f.c, {{edl}, true}));
    EXPECT_EQ(f.B().editCount(), "1 edits");
    EXPECT_EQ(f.B().filename(), "cut\n");
}

struct OffsetFixture : Fixture {
    EditPtr e = event("001", "a", "10:00:00:00", "10:00:05:00", "11:00:00:00", "11:00:05:00");
    EditPtr other = event("002", "b", "00:00:00:10", "00:00:05:00", "00:00:00:00", "00:00:05:00");
    OffsetFixture() {
        C().addEdits({e, other});
        c.selectTab(2);
        C().selectRows({0, 1});
    }
};

TEST(Offset, ShiftsTheSelectedEventsOfTheFrontList) {
    struct Case {
        const char* name;
        std::string source, master, title;
        int tab;
        bool closes;
        std::string sourceIn, masterOut, otherSourceIn;
    };
    const Case cases[] = {
        {"both sides", "-00:00:01:00", "+01:00:00:00", "Offset", 2, true, "09:59:59:00", "12:00:05:00", "00:00:00:10"},
        {"master only", "00:00:00:00", "+01:00:00:00", "Offset", 2, true, "10:00:00:00", "12:00:05:00", "00:00:00:10"},
        {"forward", "00:00:00:05", "00:00:00:00", "Offset", 2, true, "10:00:00:05", "11:00:05:00", "00:00:00:15"},
        {"another button", "00:00:01:00", "00:00:01:00", "Cancel", 2, true, "10:00:00:00", "11:00:05:00",
         "00:00:00:10"},
        {"not a timecode", "00:00:01:00", "1:00:00:00", "Offset", 2, false, "10:00:00:00", "11:00:05:00",
         "00:00:00:10"},
        {"an empty field", "", "00:00:01:00", "Offset", 2, false, "10:00:00:00", "11:00:05:00", "00:00:00:10"},
        {"nothing selected in front", "00:00:01:00", "00:00:01:00", "Offset", 0, true, "10:00:00:00", "11:00:05:00",
         "00:00:00:10"},
    };
    for (const auto& c : cases) {
        OffsetFixture f;
        f.c.selectTab(c.tab);
        OffsetPanel& panel = f.c.offsetPanel();
        panel.offsetValueSource = c.source;
        panel.offsetValueMaster = c.master;
        EXPECT_EQ(panel.offsetSheetAction(c.title), c.closes) << c.name;
        EXPECT_EQ(f.ui.beeps, c.closes ? 0 : 1) << c.name;
        EXPECT_EQ(f.e->sourceIn()->tcAsString(), c.sourceIn) << c.name;
        EXPECT_EQ(f.e->masterOut()->tcAsString(), c.masterOut) << c.name;
        EXPECT_EQ(f.other->sourceIn()->tcAsString(), c.otherSourceIn) << c.name << ": below zero stays";
        EXPECT_FALSE(f.c.undoManager().canUndo());
    }
    OffsetFixture f;
    f.c.offsetPanel().offsetValueSource = "00:00:00:00";
    f.c.offsetPanel().offsetValueMaster = "+01:00:00:00";
    f.c.offsetPanel().offsetSheetAction("Offset");
    EXPECT_EQ(f.c.blockView().hiLimit(), 12 * 3600 * 25 + 5 * 25) << "the blocks are redrawn";
}

}  // namespace
}  // namespace rw::test
