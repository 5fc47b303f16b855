#include "lists/ListFakes.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

TEST(UndoStack, NamesStepsAndANewChangeClearsRedo) {
    UndoStack undo;
    std::vector<std::string> applied;
    undo.setPerformer([&](const UndoRecord& r) {
        applied.push_back(undoType(r));
        undo.registerUndo(NudgeEvents{"source", "1.000000"});
        undo.setActionName("opposite");
    });
    EXPECT_FALSE(undo.canUndo());
    undo.undo();  // nothing to undo
    EXPECT_TRUE(applied.empty());
    undo.registerUndo(TCFieldChange{});
    undo.setActionName("Timecode Change");
    EXPECT_EQ(undo.undoActionName(), "Timecode Change");
    undo.undo();
    EXPECT_EQ(applied, std::vector<std::string>{"TCFieldChange"});
    EXPECT_FALSE(undo.canUndo());
    EXPECT_EQ(undo.redoActionName(), "opposite");
    undo.redo();
    EXPECT_EQ(applied.back(), "nudgeEvents");
    EXPECT_EQ(undo.undoActionName(), "opposite");
    EXPECT_FALSE(undo.canRedo());
    undo.undo();
    EXPECT_TRUE(undo.canRedo());
    undo.registerUndo(DeleteEvents{});  // a new change
    EXPECT_FALSE(undo.canRedo());
}

TEST(UndoStack, RecordTypesCarryTheirNames) {
    const std::pair<UndoRecord, const char*> cases[] = {
        {TCFieldChange{}, "TCFieldChange"}, {CaptureTimes{}, "captureTimes"}, {DeleteEvents{}, "deleteEvents"},
        {RedoDeleteEvents{}, "redoDeleteEvents"}, {NewEvent{}, "newEvent"}, {NudgeEvents{}, "nudgeEvents"}};
    for (const auto& [record, name] : cases) EXPECT_STREQ(undoType(record), name);
}

TEST(Undo, TimecodeEditUndoneAndRedone) {
    Fixture f;
    f.A().addEdits({event("001", "a", "01:00:00:00", "01:00:10:00", "10:00:00:00", "10:00:10:00")});
    const TcPtr in = f.A().getEditArray()[0]->sourceIn();
    f.A().setObjectValue("01:00:01:00", "sourceIn", 0);
    EXPECT_EQ(f.c.undoManager().undoActionName(), "Timecode Change");
    f.c.undoManager().undo();
    EXPECT_EQ(in->tcAsString(), "01:00:00:00");
    EXPECT_EQ(f.c.undoManager().redoActionName(), "Timecode Change");
    f.c.undoManager().redo();
    EXPECT_EQ(in->tcAsString(), "01:00:01:00");
    EXPECT_EQ(f.c.undoManager().undoActionName(), "Timecode Change");
}

TEST(Undo, DeletionComesBackWhereItStoodAndRedoDeletesAgain) {
    Fixture f;
    EditArray list = numberedList(8);
    std::swap(list[0], list[6]);  // not in masterIn order
    f.A().addEdits(list);
    f.A().setFilename("cut\n");
    f.A().selectRows({2, 5});
    f.A().deleteEvents();
    f.c.undoManager().undo();
    EXPECT_EQ(f.A().getEditArray(), list);
    EXPECT_EQ(f.A().selectedRows(), (std::vector<std::size_t>{2, 5}));
    EXPECT_EQ(f.A().editCount(), "8 edits");
    EXPECT_EQ(f.c.undoManager().redoActionName(), "Delete Events");
    f.c.undoManager().redo();
    EXPECT_EQ(f.A().getEditArray().size(), 6u);
    EXPECT_TRUE(f.A().selectedRows().empty());
    EXPECT_EQ(f.A().editCount(), "6 edits");
    f.c.undoManager().undo();
    EXPECT_EQ(f.A().getEditArray(), list);
}

TEST(Undo, ClearingAListAndUndoingGivesItsNameBack) {
    Fixture f;
    f.C().addEdits(numberedList(3));
    f.C().setFilename("new_fr_old");
    f.C().deleteAll();
    EXPECT_EQ(f.C().filename(), "no file loaded");
    EXPECT_TRUE(f.c.blockView().blocks().empty());
    f.c.undoManager().undo();
    EXPECT_EQ(f.C().filename(), "new_fr_old");
    EXPECT_EQ(f.c.blockView().blocks().size(), 3u);
    f.c.undoManager().redo();
    EXPECT_EQ(f.C().filename(), "no file loaded");
}

TEST(Undo, NewEventOutAndBackInWithNumbers) {
    Fixture f;
    f.C().addEdits(numberedList(4));
    f.C().selectRows({1});
    f.C().deleteEvents();  // numbers 001 003 004
    f.movies.nu = {true, 0, 600, 25, "", {}, 0};
    f.C().newEvent();
    const EditPtr made = f.C().getEditArray()[0];
    EXPECT_EQ(numbersOf(f.C().getEditArray()), (std::vector<std::string>{"001", "002", "003", "004"}));
    f.c.selectTab(0);
    f.c.undoManager().undo();
    EXPECT_EQ(numbersOf(f.C().getEditArray()), (std::vector<std::string>{"001", "003", "004"}));
    EXPECT_EQ(f.C().editCount(), "3 edits");
    EXPECT_EQ(f.c.selectedTab(), 2);
    EXPECT_EQ(f.c.undoManager().redoActionName(), "Create New Event");
    f.C().deselectAll();
    f.c.undoManager().redo();
    EXPECT_EQ(f.C().getEditArray()[0], made);
    EXPECT_EQ(f.C().selectedRows(), std::vector<std::size_t>{0});
    EXPECT_EQ(numbersOf(f.C().getEditArray()), (std::vector<std::string>{"001", "002", "003", "004"}));
}

TEST(Undo, NewEventUndoAfterUnrecordedChangesRenumbers) {
    Fixture f;
    f.C().addEdits(numberedList(2));
    f.C().newEvent();
    f.C().addEdits({eventAt("009", 5, 6, 5, 6)});  // an import: no undo step
    f.c.undoManager().undo();
    EXPECT_EQ(numbersOf(f.C().getEditArray()), (std::vector<std::string>{"001", "002", "003"}));
}

TEST(Undo, HourNudgeUndoneTheOtherWay) {
    Fixture f;
    EditPtr e = event("001", "a", "10:00:00:00", "10:00:05:00", "23:30:00:00", "23:30:05:00");
    f.C().addEdits({e});
    f.C().setStepperSource(1);
    f.C().sourceHour();
    EXPECT_EQ(e->sourceIn()->tcAsString(), "11:00:00:00");
    f.c.undoManager().undo();
    EXPECT_EQ(e->sourceIn()->tcAsString(), "10:00:00:00");
    EXPECT_EQ(f.c.undoManager().redoActionName(), "Nudge Copy Hour");
    f.c.undoManager().redo();
    EXPECT_EQ(e->sourceIn()->tcAsString(), "11:00:00:00");
    f.C().setStepperMaster(1);
    f.C().masterHour();
    EXPECT_EQ(e->masterIn()->tcAsString(), "00:30:00:00");
    f.c.undoManager().undo();
    EXPECT_EQ(e->masterIn()->tcAsString(), "23:30:00:00");
    EXPECT_EQ(f.C().stepperMaster(), 0);
}

TEST(Undo, HourNudgeOfAnOddStepperValueIsUndoneUpward) {
    Fixture f;
    EditPtr e = event("001", "a", "10:00:00:00", "10:00:05:00", "10:00:00:00", "10:00:05:00");
    f.C().addEdits({e});
    f.C().setStepperMaster(0.25);  // read as down
    f.C().masterHour();
    EXPECT_EQ(e->masterIn()->tcAsString(), "09:00:00:00");
    f.c.undoManager().undo();
    EXPECT_EQ(e->masterIn()->tcAsString(), "10:00:00:00");
}

TEST(Undo, CompareEmptiesListCThroughTheDeletePath) {
    Fixture f;
    f.c.setAutosave(false);
    f.A().addEdits({event("001", "A001", "01:00:00:00", "01:00:10:00", "10:00:00:00", "10:00:10:00")});
    f.B().addEdits({event("001", "A001", "01:00:02:00", "01:00:06:00", "10:00:00:00", "10:00:04:00")});
    f.A().setFilename("old\n");
    f.B().setFilename("new\n");
    const EditPtr previous = eventAt("001", 1, 2, 1, 2);
    f.C().addEdits({previous});
    f.c.compare("Compare");
    ASSERT_EQ(f.C().getEditArray().size(), 1u);
    EXPECT_NE(f.C().getEditArray()[0], previous);
    EXPECT_EQ(f.C().editCount(), "1 edits");
    EXPECT_TRUE(f.c.blockDrawerOpen());
    EXPECT_EQ(f.c.blockView().blocks().size(), 1u);
    EXPECT_EQ(f.c.undoManager().undoActionName(), "Delete Events");
    f.c.undoManager().undo();
    EXPECT_EQ(f.C().getEditArray().front(), previous);
    EXPECT_EQ(f.C().getEditArray().size(), 2u);
}

}  // namespace
}  // namespace rw::test
