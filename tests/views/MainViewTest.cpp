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
    OffsetFixture f;
    OffsetPanel& panel = f.c.offsetPanel();
    panel.offsetValueSource = "-00:00:01:00";
    panel.offsetValueMaster = "+01:00:00:00";
    EXPECT_TRUE(panel.offsetSheetAction("Offset"));
    EXPECT_EQ(f.e->sourceIn()->tcAsString(), "09:59:59:00");
    EXPECT_EQ(f.e->sourceOut()->tcAsString(), "10:00:04:00");
    EXPECT_EQ(f.e->masterIn()->tcAsString(), "12:00:00:00");
    EXPECT_EQ(f.other->sourceIn()->tcAsString(), "00:00:00:10") << "below zero: left as it was";
    EXPECT_EQ(f.other->sourceOut()->tcAsString(), "00:00:04:00");
    EXPECT_EQ(f.c.blockView().hiLimit(), 12 * 3600 * 25 + 5 * 25);
    EXPECT_FALSE(f.c.undoManager().canUndo());
}

TEST(Offset, MasterOnlyAndRefusals) {
    OffsetFixture f;
    OffsetPanel& panel = f.c.offsetPanel();
    panel.offsetValueSource = "00:00:00:00";
    panel.offsetValueMaster = "+01:00:00:00";
    EXPECT_TRUE(panel.offsetSheetAction("Cancel"));
    EXPECT_EQ(f.e->masterIn()->tcAsString(), "11:00:00:00");
    panel.offsetValueMaster = "1:00:00:00";
    EXPECT_FALSE(panel.offsetSheetAction("Offset")) << "not a timecode: the panel stays";
    EXPECT_EQ(f.ui.beeps, 1);
    panel.offsetValueMaster = "+01:00:00:00";
    EXPECT_TRUE(panel.offsetSheetAction("Offset"));
    EXPECT_EQ(f.e->sourceIn()->tcAsString(), "10:00:00:00");
    EXPECT_EQ(f.e->masterOut()->tcAsString(), "12:00:05:00");
    f.c.selectTab(0);  // the OLD list has nothing selected
    EXPECT_TRUE(panel.offsetSheetAction("Offset"));
    EXPECT_EQ(f.e->masterOut()->tcAsString(), "12:00:05:00");
}

}  // namespace
}  // namespace rw::test
