#include "lists/ListFakes.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

TEST(UndoStack, RegisteringWhileUndoingMakesTheRedoAndANewChangeClearsIt) {
    UndoStack undo;
    undo.setPerformer([&](const UndoRecord& r) {
        undo.registerUndo(NudgeEvents{undoType(r), ""});
        undo.setActionName(std::string("opposite of ") + undoType(r));
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

TEST(Undo, CompareEmptiesListCThroughTheDeletePath) {
    Fixture f;
    f.c.setAutosave(false);
    f.A().addEdits({event("001", "01:00:00:00", "01:00:10:00", "10:00:00:00", "10:00:10:00")});
    f.B().addEdits({event("001", "01:00:02:00", "01:00:06:00", "10:00:00:00", "10:00:04:00")});
    f.A().setFilename("old\n");
    f.B().setFilename("new\n");
    const EditPtr previous = eventAt("001", 1, 2, 1, 2);
    f.C().addEdits({previous});
    f.c.compare("Compare");
    ASSERT_EQ(f.C().getEditArray().size(), 1u);
    EXPECT_NE(f.C().getEditArray()[0], previous);
    EXPECT_TRUE(f.c.blockDrawerOpen());
    EXPECT_EQ(f.c.blockView().blocks().size(), 1u);
    EXPECT_EQ(f.undo().undoActionName(), "Delete Events");
    f.undo().undo();
    EXPECT_EQ(f.C().getEditArray().front(), previous);
}

}  // namespace
}  // namespace rw::test
