#include "lists/ListFakes.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

TEST(UndoStack, RegisteringWhileUndoingMakesTheRedoAndANewChangeClearsIt) {
    UndoStack undo;
    bool fits = true;
    undo.setPerformer([&](const UndoRecord& r) {
        if (!fits) return false;
        undo.registerUndo(NudgeEvents{undoType(r), ""});
        undo.setActionName(std::string("opposite of ") + undoType(r));
        return true;
    });
    undo.undo();  // nothing to undo
    undo.registerUndo(TCFieldChange{});
    undo.undo();
    EXPECT_FALSE(undo.canUndo());
    EXPECT_EQ(undo.redoActionName(), "opposite of TCFieldChange");
    undo.redo();
    EXPECT_EQ(undo.undoActionName(), "opposite of nudgeEvents");
    undo.undo();
    undo.registerUndo(DeleteEvents{});
    EXPECT_FALSE(undo.canRedo());
    undo.registerUndo(TCFieldChange{});
    fits = false;  // a step that no longer fits its list ends the whole history
    EXPECT_FALSE(undo.undo());
    EXPECT_FALSE(undo.canUndo() || undo.canRedo());
}

TEST(Undo, DeletionComesBackWhereItStoodWithItsListsName) {
    Fixture f;
    EditArray list = numberedList(8);
    std::swap(list[0], list[6]);  // not in masterIn order
    f.A().addEdits(list);
    f.A().setFilename("cut\n");
    f.A().selectRows({2, 5});
    f.A().deleteEvents();
    f.undo().undo();
    EXPECT_EQ(f.A().getEditArray(), list);
    EXPECT_EQ(f.A().selectedRows(), (std::vector<std::size_t>{2, 5}));
    EXPECT_EQ(f.A().editCount(), "8 edits");
    f.undo().redo();
    EXPECT_EQ(f.A().getEditArray().size(), 6u);
    EXPECT_TRUE(f.A().selectedRows().empty());
    f.A().deleteAll();
    EXPECT_EQ(f.A().filename(), "no file loaded");
    f.undo().undo();
    EXPECT_EQ(f.A().filename(), "cut\n") << "a comparison needs the name back";
    f.undo().redo();
    EXPECT_EQ(f.A().filename(), "no file loaded");
}

// The property test checks the states; these are the steps around them.
TEST(Undo, NewEventUndoShowsListCAndAnImportSinceRenumbers) {
    using Numbers = std::vector<std::string>;
    Fixture f;
    f.C().addEdits(numberedList(4));
    f.C().selectRows({1});
    f.C().deleteEvents();  // numbers 001 003 004
    f.C().newEvent();
    EXPECT_EQ(numbersOf(f.C().getEditArray()), (Numbers{"001", "002", "003", "004"}));
    f.c.selectTab(0);
    f.undo().undo();
    EXPECT_EQ(numbersOf(f.C().getEditArray()), (Numbers{"001", "003", "004"}));
    EXPECT_EQ(f.c.selectedTab(), 2);
    f.undo().redo();
    EXPECT_EQ(f.C().selectedRows(), std::vector<std::size_t>{0});
    f.C().addEdits({eventAt("009", 5, 6, 5, 6)});  // an import has no undo step
    f.undo().undo();
    EXPECT_EQ(numbersOf(f.C().getEditArray()), (Numbers{"001", "002", "003", "004"})) << "renumbered";
}

// Compare is one step: undo gives back the change list, its name and
// document, and the colours of the OLD and NEW events; never the old
// events inside the new list.
TEST(Undo, CompareIsOneStepThatGivesBackWhatTheUserSaw) {
    Fixture f;
    f.c.setAutosave(false);
    EditPtr oldEvent = event("001", "01:00:00:00", "01:00:10:00", "10:00:00:00", "10:00:10:00");
    EditPtr newEvent = event("001", "01:00:02:00", "01:00:06:00", "10:00:00:00", "10:00:04:00");
    oldEvent->setColor(Color::rgb(0.1f, 0.2f, 0.3f));
    f.A().addEdits({oldEvent});
    f.B().addEdits({newEvent});
    f.A().setFilename("old\n");
    f.B().setFilename("new\n");
    const EditArray previous = numberedList(3);
    f.C().addEdits(previous);
    f.C().setFilename("earlier");
    f.C().setDocumentPath("/lists/earlier.conform");
    f.C().selectRows({1});
    f.C().deleteEvents();
    f.c.compare("Compare");
    ASSERT_EQ(f.C().getEditArray().size(), 1u);
    EXPECT_EQ(f.C().documentPath(), "");
    EXPECT_EQ(f.C().filename(), "new_fr_old");
    EXPECT_EQ(oldEvent->color(), standardColorText());
    EXPECT_EQ(f.undo().undoActionName(), "Compare");
    f.undo().undo();
    EXPECT_EQ(f.C().getEditArray(), (EditArray{previous[0], previous[2]}));
    EXPECT_EQ(f.C().filename(), "earlier");
    EXPECT_EQ(f.C().documentPath(), "/lists/earlier.conform");
    EXPECT_EQ(oldEvent->color(), Color::rgb(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(f.undo().undoActionName(), "Delete Events");
    f.undo().undo();
    EXPECT_EQ(f.C().getEditArray(), previous);
    f.undo().redo();
    f.undo().redo();
    EXPECT_EQ(f.C().getEditArray().size(), 1u);
    EXPECT_EQ(f.C().getEditArray()[0]->clip(), "clip001");
    EXPECT_TRUE(f.ui.alerts.empty());

    f.A().deleteAll();  // a missing list: the comparison changes nothing
    const EditArray kept = f.C().getEditArray();
    f.c.compare("Compare");
    EXPECT_EQ(f.C().getEditArray(), kept);
    EXPECT_EQ(f.undo().undoActionName(), "Delete Events");
}

// Offset and Heal Selected are steps of their own: Ctrl+Z after them undoes
// them, not an older step.
TEST(Undo, OffsetAndHealAreStepsOfTheirOwn) {
    Fixture f;
    EditArray list = {event("001", "10:00:00:00", "10:00:05:00", "10:00:10:00", "10:00:15:00"),
                      event("002", "10:00:06:00", "10:00:08:00", "10:00:16:00", "10:00:18:00"),
                      event("003", "11:00:00:00", "11:00:01:00", "11:00:00:00", "11:00:01:00")};
    f.C().addEdits(list);
    f.c.selectTab(2);
    f.C().selectRows({2});
    f.C().deleteEvents();
    list.pop_back();
    f.C().selectRows({0, 1});
    f.c.offsetPanel().offsetValueSource = "+00:00:01:00";
    f.c.offsetPanel().offsetValueMaster = "00:00:00:00";
    ASSERT_TRUE(f.c.offsetPanel().offsetSheetAction("Offset"));
    EXPECT_EQ(list[1]->sourceIn()->tcAsString(), "10:00:07:00");
    f.C().selectRows({0, 1});
    EXPECT_EQ(f.C().healSelected(), (std::pair<std::size_t, std::size_t>{2, 1}));
    ASSERT_EQ(f.C().getEditArray().size(), 1u);
    EXPECT_EQ(f.C().getEditArray()[0]->clip(), "healed");
    EXPECT_EQ(f.undo().undoActionName(), "Heal Selected");
    f.undo().undo();
    EXPECT_EQ(f.C().getEditArray(), list);
    EXPECT_EQ(list[0]->masterOut()->tcAsString(), "10:00:15:00") << "the healed events were copies";
    EXPECT_EQ(f.undo().undoActionName(), "Offset Events");
    f.undo().undo();
    EXPECT_EQ(list[1]->sourceIn()->tcAsString(), "10:00:06:00");
    EXPECT_EQ(f.undo().undoActionName(), "Delete Events");
}

}  // namespace
}  // namespace rw::test
