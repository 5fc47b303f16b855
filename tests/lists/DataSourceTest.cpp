#include "lists/KLVTableView.h"
#include "lists/ListFakes.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

std::vector<std::size_t> rows(std::initializer_list<std::size_t> r) { return r; }

TEST(InPlaceEditing, EightDigitsAreATimeAtTheListsOwnRate) {
    struct Case {
        std::string timebase, typed, shown;
        std::int32_t total;
    };
    const Case cases[] = {
        {"25", "01000000", "01:00:00:00", 90000},
        {"24", "01000000", "01:00:00:00", 86400},
        {"29.97df", "01000000", "01:00:00;00", 107892},
        {"25", "01:00:00:01", "01:00:00:01", 90001},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.A().addEdits({event("001", "a", "00:00:00:00", "00:00:01:00", "00:00:00:00", "00:00:01:00", c.timebase)});
        const TcPtr before = f.A().getEditArray()[0]->masterIn();
        const int reloads = f.tableA.reloads;
        f.A().setObjectValue(c.typed, "masterIn", 0);
        EXPECT_EQ(f.A().objectValue("masterIn", 0), c.shown) << c.timebase << " " << c.typed;
        EXPECT_EQ(before->totalFrames(), c.total);
        EXPECT_EQ(f.A().getEditArray()[0]->masterIn(), before) << "changed in place, not replaced";
        EXPECT_EQ(f.A().objectValue("masterOut", 0), c.timebase == "29.97df" ? "00:00:01;00" : "00:00:01:00");
        EXPECT_EQ(f.c.undoManager().undoActionName(), "Timecode Change");
        EXPECT_GT(f.tableA.reloads, reloads);
    }
}

TEST(InPlaceEditing, RefusedOrUnchangedTimesRegisterNothing) {
    for (const char* typed : {"1:00:00:00", "01:00:00.00", "01:00:00:25", "garbage!", "", "01:00:00:00", "010000000"}) {
        Fixture f;
        f.A().addEdits({event("001", "a", "00:00:00:00", "00:00:01:00", "01:00:00:00", "01:00:01:00")});
        const int reloads = f.tableA.reloads;
        f.A().setObjectValue(typed, "masterIn", 0);
        EXPECT_EQ(f.A().objectValue("masterIn", 0), "01:00:00:00") << typed;
        EXPECT_FALSE(f.c.undoManager().canUndo()) << typed;
        EXPECT_EQ(f.tableA.reloads, reloads + 1) << "the cell shows its old value again";
    }
}

TEST(InPlaceEditing, ClipNamesRecomputeVfxOnlyInOldAndNewLists) {
    Fixture f;
    for (dataSource* list : {&f.A(), &f.C()}) {
        EditPtr e = event("001", "a", "00:00:00:00", "00:00:01:00", "01:00:00:00", "01:00:01:00");
        e->setIsVFX(true);
        list->addEdits({e});
        list->setObjectValue("VFX_010_020_v3", "clip", 0);
        EXPECT_EQ(e->clip(), "VFX_010_020_v3");
        EXPECT_EQ(e->isVFX(), list->isChangeList());  // A asks the controller again, which clears it here
    }
    EXPECT_FALSE(f.c.undoManager().canUndo());
    f.A().setObjectValue("x", "clip", 7);  // no such row
}

TEST(InPlaceEditing, ChangeListTimeEditsRebuildTheBlocks) {
    Fixture f;
    f.C().addEdits({event("001", "a", "01:00:00:00", "01:00:10:00", "01:00:05:00", "01:00:20:00")});
    f.C().setObjectValue("01:00:30:00", "masterOut", 0);
    EXPECT_EQ(f.c.blockView().hiLimit(), 90000 + 30 * 25);
}

TEST(Deletion, RemovesTheSelectedRowsAndSelectsTheFollowingEvent) {
    for (int tag : {0, 2}) {
        Fixture f;
        dataSource& list = f.c.listForTab(tag);
        list.addEdits(numberedList(10));
        list.selectRows({2, 3, 7});
        list.deleteEvents();
        EXPECT_EQ(numbersOf(list.getEditArray()),
                  (std::vector<std::string>{"001", "002", "005", "006", "007", "009", "010"}));
        EXPECT_EQ(list.selectedRows(), rows({2}));
        EXPECT_EQ(list.getEditArray()[2]->editNum(), "005");
        EXPECT_EQ(list.editCount(), "7 edits");
        EXPECT_EQ(f.c.undoManager().undoActionName(), "Delete Events");
    }
}

TEST(Deletion, LastRowsLeaveNoSelectionAndAllLeaveNoFile) {
    Fixture f;
    f.A().addEdits(numberedList(5));
    f.A().setFilename("cut1\n");
    f.A().selectRows({3, 4});
    f.A().deleteEvents();
    EXPECT_TRUE(f.A().selectedRows().empty());
    EXPECT_EQ(f.A().filename(), "cut1\n");
    f.A().deleteAll();
    EXPECT_EQ(f.A().editCount(), "0 edits");
    EXPECT_EQ(f.A().filename(), "no file loaded");
    EXPECT_EQ(f.c.undoManager().undoCount(), 2u);
    f.A().deleteEvents();  // nothing selected: no step
    EXPECT_EQ(f.c.undoManager().undoCount(), 2u);
}

TEST(Deletion, ChangeListRebuildsTheBlockView) {
    Fixture f;
    f.C().addEdits(numberedList(4));
    ASSERT_EQ(f.c.blockView().blocks().size(), 4u);
    f.C().selectRows({0});
    f.C().deleteEvents();
    EXPECT_EQ(f.c.blockView().blocks().size(), 3u);
    EXPECT_EQ(f.C().selectedRows(), rows({0}));
}

struct MoveCase {
    const char* name;
    std::vector<std::size_t> start;
    void (dataSource::*move)();
    std::vector<std::size_t> end;
};

TEST(Moves, StayInsideTheListAndExtendFromTheLastRowAdded) {
    const MoveCase cases[] = {
        {"down", {3}, &dataSource::moveDown, {4}},
        {"down at last row", {4}, &dataSource::moveDown, {4}},
        {"down with none", {}, &dataSource::moveDown, {0}},
        {"up", {3}, &dataSource::moveUp, {2}},
        {"up at first row", {0}, &dataSource::moveUp, {0}},
        {"up with none", {}, &dataSource::moveUp, {}},
        {"shift down", {1}, &dataSource::moveDownShift, {1, 2}},
        {"shift down at last row", {4}, &dataSource::moveDownShift, {4}},
        {"shift up", {1}, &dataSource::moveUpShift, {0, 1}},
        {"shift up at first row", {0}, &dataSource::moveUpShift, {0}},
        {"down replaces a block", {1, 2}, &dataSource::moveDown, {2}},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.A().addEdits(numberedList(5));
        f.A().selectRows(c.start);
        (f.A().*c.move)();
        EXPECT_EQ(f.A().selectedRows(), c.end) << c.name;
    }
    Fixture f;
    f.A().addEdits(numberedList(5));
    f.A().selectRows({1});
    for (int i = 0; i < 5; ++i) f.A().moveDownShift();
    EXPECT_EQ(f.A().selectedRows(), rows({1, 2, 3, 4}));
    Fixture empty;
    empty.A().moveDown();
    empty.A().moveUpShift();
    EXPECT_TRUE(empty.A().selectedRows().empty());
}

TEST(Tabs, TabCyclesOldNewChangeList) {
    const std::pair<int, int> oldNew[] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}};
    const std::pair<int, int> changes[] = {{0, 1}, {1, 2}, {2, 0}, {3, 4}};
    Fixture f;
    for (auto [from, to] : oldNew) {
        f.c.selectTab(from);
        f.B().nextTab();
        EXPECT_EQ(f.c.selectedTab(), to) << from;
    }
    for (auto [from, to] : changes) {
        f.c.selectTab(from);
        f.C().nextTab();
        EXPECT_EQ(f.c.selectedTab(), to) << from;
    }
}

TEST(Keys, TableKeysReachTheirOperations) {
    struct Case {
        const char* name;
        KeyPress key;
        bool handled;
        std::vector<std::size_t> selection;
        std::string lastCall;
    };
    using K = KeyName;
    const Case cases[] = {
        {"left shift down", {K::DownArrow, keymod::LeftShift, ""}, true, {2, 3}, "source 10:00:03:00"},
        {"left shift up", {K::UpArrow, keymod::LeftShift, ""}, true, {1, 2}, "source 10:00:01:00"},
        {"right shift down", {K::DownArrow, keymod::RightShift, ""}, false, {2}, ""},
        {"shift and caps lock", {K::DownArrow, keymod::LeftShift | keymod::CapsLock, ""}, false, {2}, ""},
        {"down", {K::DownArrow, 0, ""}, true, {3}, "source 10:00:03:00"},
        {"control down", {K::DownArrow, keymod::Control, ""}, false, {2}, ""},
        {"left", {K::LeftArrow, 0, ""}, true, {2}, "back"},
        {"right", {K::RightArrow, 0, ""}, true, {2}, "forward"},
        {"backspace", {K::Backspace, 0, ""}, true, {2}, "source 10:00:03:00"},
        {"space in the OLD list", {K::Text, 0, " "}, true, {2}, ""},
        {"a letter", {K::Text, keymod::LeftShift, "A"}, true, {2}, ""},
        {"command letter", {K::Text, keymod::Command, "a"}, false, {2}, ""},
        {"page down", {K::Other, 0, ""}, false, {2}, ""},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.A().addEdits(numberedList(5));
        f.A().selectRows({2});
        f.c.calls.clear();
        KLVTableView table(f.A());
        EXPECT_EQ(table.keyDown(c.key), c.handled) << c.name;
        EXPECT_EQ(f.A().selectedRows(), c.selection) << c.name;
        EXPECT_EQ(f.c.calls.empty() ? "" : f.c.calls.back(), c.lastCall) << c.name;
    }
    Fixture f;
    KLVTableView a(f.A()), changes(f.C());
    f.c.selectTab(0);
    EXPECT_TRUE(a.keyDown({K::Tab, 0, ""}));
    EXPECT_EQ(f.c.selectedTab(), 1);
    EXPECT_TRUE(changes.keyDown({K::Text, 0, " "}));
    EXPECT_TRUE(changes.keyDown({K::Text, 0, " "}));
    EXPECT_EQ(f.c.calls, (std::vector<std::string>{"play", "stop"}));
}

TEST(Selection, LocatesTheMoviesByListAndHighlightsChanges) {
    Fixture f;
    EditPtr e = event("001", "a", "01:00:00:00", "01:00:10:00", "02:00:00:00", "02:00:10:00");
    f.A().addEdits({e});
    f.B().addEdits({e});
    f.C().addEdits({e, eventAt("002", 0, 1, 2, 3)});
    f.A().selectRows({0});
    f.B().selectRows({0});
    f.C().selectRows({0});
    EXPECT_EQ(f.c.calls, (std::vector<std::string>{"source 02:00:00:00", "master 02:00:00:00", "source 01:00:00:00",
                                                   "master 02:00:00:00", "diff"}));
    EXPECT_EQ(f.tableC.scrolledTo, rows({0}));
    EXPECT_EQ(f.c.blockView().hiLights().size(), 1u);
    f.c.calls.clear();
    f.A().gotoEditEnd();
    f.C().gotoEditEnd();
    EXPECT_EQ(f.c.calls, (std::vector<std::string>{"source 02:00:10:00", "source 01:00:10:00", "master 02:00:10:00"}));
    f.C().selectAll();
    EXPECT_EQ(f.tableC.scrolledTo.size(), 1u) << "several rows are not scrolled to";
    EXPECT_EQ(f.c.blockView().hiLights().size(), 2u);
    f.c.calls.clear();
    f.C().deselectAll();
    EXPECT_TRUE(f.c.calls.empty());
}

TEST(Sorting, HeaderClicksSortTheListItselfAndLoadingClearsThem) {
    Fixture f;
    f.A().addEdits({eventAt("001", 0, 1, 30, 40), eventAt("002", 0, 1, 10, 20)});
    f.A().setSortDescriptors({{"masterIn", true}});
    EXPECT_EQ(numbersOf(f.A().getEditArray()), (std::vector<std::string>{"002", "001"}));
    f.A().sortByColumn("clip", false);
    f.A().sortByColumn("masterIn", false);
    EXPECT_EQ(f.A().sortDescriptors(), (std::vector<SortDescriptor>{{"masterIn", false}, {"clip", false}}));
    EXPECT_EQ(numbersOf(f.A().getEditArray()), (std::vector<std::string>{"001", "002"}));
    f.A().addEdits({eventAt("003", 0, 1, 0, 5)});
    EXPECT_TRUE(f.A().sortDescriptors().empty());
    EXPECT_EQ(numbersOf(f.A().getEditArray()), (std::vector<std::string>{"001", "002", "003"}));
}

TEST(Import, OpenPanelLoadsIntoTheListAndRemembersTheFolder) {
    TempDir dir;
    const std::string edl =
        dir.write("cut.edl", "TITLE: cut\r\n001  A001 V C 01:00:00:00 01:00:10:00 10:00:00:00 10:00:10:00\r\n");
    Fixture f;
    f.c.prefs().set(pref::EDLType, "PAL video");
    f.ui.openPanelAnswer = OpenPanelResult{{edl}, dir.path()};
    f.c.selectTab(2);
    f.B().importList();
    EXPECT_EQ(f.B().editCount(), "1 edits");
    EXPECT_EQ(f.B().filename(), "cut\n");
    EXPECT_EQ(f.c.selectedTab(), 1);
    EXPECT_EQ(f.c.prefs().get("OldNewPath"), dir.path());
    f.ui.openPanelAnswer.reset();
    f.C().importList();  // cancelled
    EXPECT_EQ(f.C().editCount(), "0 edits");
    EXPECT_TRUE(f.c.blockDrawerOpen());
    EXPECT_EQ(f.c.selectedTab(), 2);
    EXPECT_EQ(f.ui.openPanelFolders, (std::vector<std::string>{"", ""}));
}

}  // namespace
}  // namespace rw::test
