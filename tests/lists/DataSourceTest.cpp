#include "lists/KLVTableView.h"
#include "lists/ListFakes.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

using Rows = std::vector<std::size_t>;

TEST(Cells, SelectedRowsSwapColoursByList) {
    struct Case {
        Color color;
        bool selected, changeList;
        Color shown;
    };
    const Case cases[] = {
        {standardColorText(), true, true, standardColorText()},
        {standardColorMissed(), false, false, standardColorMissed()},
        {standardColorMissed(), true, false, standardColorMissedHilite()},
        {standardColorGap(), true, false, standardColorGap()},
        {standardColorGap(), true, true, standardColorGapHilite()},
        {standardColorVFX(), true, true, standardColorVFXHilite()},
        {Color::rgb(0.2f, 0.3f, 0.4f), true, true, Color::rgb(0.2f, 0.3f, 0.4f)},
    };
    for (const auto& c : cases) {
        Fixture f;
        dataSource& list = c.changeList ? f.C() : f.A();
        list.addEdits(numberedList(2));
        list.getEditArray()[1]->setColor(c.color);
        if (c.selected) list.selectRows({1});
        EXPECT_EQ(list.textColor(1), c.shown) << c.color.b << " " << c.selected << c.changeList;
    }
}

TEST(InPlaceEditing, TypedTimesAtTheListsOwnRate) {
    using S = CellEditResult::Status;
    struct Case {
        std::string timebase, typed, shown;  // shown "" : the old value stays
        S status;
    };
    const Case cases[] = {
        {"25", "01000000", "01:00:00:00", S::Changed},  {"29.97df", "01000000", "01:00:00;00", S::Changed},
        {"59.94df", "02000000", "02:00:00;00", S::Changed},
        {"25", "1:00:00:00", "", S::Refused},           {"25", "01:00:00:25", "", S::Refused},
        {"25", "garbage!", "", S::Refused},             {"25", "00:00:00:00", "", S::Unchanged},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.A().addEdits({event("001", "00:00:00:00", "00:00:01:00", "00:00:00:00", "00:00:01:00", c.timebase)});
        const TcPtr in = f.A().getEditArray()[0]->masterIn();
        const std::string before = in->tcAsString();
        const CellEditResult result = f.A().setObjectValue(c.typed, "masterIn", 0);
        EXPECT_EQ(result.status, c.status) << c.typed;
        EXPECT_EQ(result.reason.empty(), c.status != S::Refused) << c.typed;
        EXPECT_EQ(f.ui.beeps, c.status == S::Refused ? 1 : 0) << c.typed;
        EXPECT_EQ(f.A().objectValue("masterIn", 0), c.shown.empty() ? before : c.shown) << c.typed;
        EXPECT_EQ(f.A().getEditArray()[0]->masterIn(), in) << "changed in place";
        EXPECT_EQ(f.A().objectValue("masterOut", 0), c.timebase == "25" ? "00:00:01:00" : "00:00:01;00");
        EXPECT_EQ(f.undo().undoActionName(), c.shown.empty() ? "" : "Timecode Change") << c.typed;
    }
}

TEST(InPlaceEditing, ClipNamesAskForVfxFieldsOnlyInOldAndNewListsAndUndo) {
    Fixture f;
    for (dataSource* list : {&f.A(), &f.C()}) {
        EditPtr e = eventAt("001", 0, 1, 0, 1);
        e->setIsVFX(true);
        list->addEdits({e});
        list->setObjectValue("VFX_010_020_v3", "clip", 0);
        EXPECT_EQ(e->clip(), "VFX_010_020_v3");
        EXPECT_EQ(e->isVFX(), list->isChangeList());  // A asks the controller, which clears it here
        EXPECT_EQ(f.undo().undoActionName(), "Clip Name Change");
        f.undo().undo();
        EXPECT_EQ(e->clip(), "clip001");
        f.undo().redo();
        EXPECT_EQ(e->clip(), "VFX_010_020_v3");
    }
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
        EXPECT_EQ(list.selectedRows(), Rows{2});
        EXPECT_EQ(list.editCount(), "7 edits");
        EXPECT_EQ(f.undo().undoActionName(), "Delete Events");
        EXPECT_EQ(f.c.blockView().blocks().size(), tag == 2 ? 7u : 0u);
        EXPECT_EQ(f.c.blockView().hiLights().size(), tag == 2 ? 1u : 0u) << "the new selection shows";
        list.selectRows({5, 6});  // the last rows
        list.deleteEvents();
        EXPECT_TRUE(list.selectedRows().empty());
        list.setFilename("cut\n");
        list.deleteAll();
        EXPECT_EQ(list.editCount(), "0 edits");
        EXPECT_EQ(list.filename(), "no file loaded");
        list.deleteEvents();  // nothing selected: no step
        EXPECT_EQ(f.undo().undoCount(), 3u);
    }
}

TEST(Moves, StayInsideTheListAndExtendFromTheLastRowAdded) {
    const std::tuple<const char*, Rows, void (dataSource::*)(), Rows> cases[] = {
        {"down", {3}, &dataSource::moveDown, {4}},
        {"down at last row", {4}, &dataSource::moveDown, {4}},
        {"down with none", {}, &dataSource::moveDown, {0}},
        {"up at first row", {0}, &dataSource::moveUp, {0}},
        {"up with none", {}, &dataSource::moveUp, {}},
        {"shift down", {1}, &dataSource::moveDownShift, {1, 2}},
        {"shift down at last row", {4}, &dataSource::moveDownShift, {4}},
        {"shift up", {1}, &dataSource::moveUpShift, {0, 1}},
        {"shift up at first row", {0}, &dataSource::moveUpShift, {0}},
        {"down replaces a block", {1, 2}, &dataSource::moveDown, {2}},
    };
    for (const auto& [name, start, move, end] : cases) {
        Fixture f;
        f.A().addEdits(numberedList(5));
        f.A().selectRows(start);
        (f.A().*move)();
        EXPECT_EQ(f.A().selectedRows(), end) << name;
    }
    Fixture f;
    f.A().addEdits(numberedList(5));
    f.A().selectRows({1});
    for (int i = 0; i < 5; ++i) f.A().moveDownShift();
    EXPECT_EQ(f.A().selectedRows(), (Rows{1, 2, 3, 4}));
}

TEST(Keys, TableKeysReachTheirOperations) {
    using K = KeyName;
    const std::tuple<const char*, KeyPress, bool, Rows, std::string> cases[] = {
        {"left shift down", {K::DownArrow, keymod::LeftShift, ""}, true, {2, 3}, "source 10:00:03:00"},
        {"left shift up", {K::UpArrow, keymod::LeftShift, ""}, true, {1, 2}, "source 10:00:01:00"},
        {"right shift down", {K::DownArrow, keymod::RightShift, ""}, false, {2}, ""},
        {"shift and caps lock", {K::DownArrow, keymod::LeftShift | keymod::CapsLock, ""}, false, {2}, ""},
        {"down", {K::DownArrow, 0, ""}, true, {3}, "source 10:00:03:00"},
        {"left", {K::LeftArrow, 0, ""}, true, {2}, "back"},
        {"right", {K::RightArrow, 0, ""}, true, {2}, "forward"},
        {"backspace", {K::Backspace, 0, ""}, true, {2}, "source 10:00:03:00"},
        {"space in the OLD list", {K::Text, 0, " "}, true, {2}, ""},
        {"a letter", {K::Text, keymod::LeftShift, "A"}, true, {2}, ""},
        {"command letter", {K::Text, keymod::Command, "a"}, false, {2}, ""},
    };
    for (const auto& [name, key, handled, selection, call] : cases) {
        Fixture f;
        f.A().addEdits(numberedList(5));
        f.A().selectRows({2});
        f.c.calls.clear();
        EXPECT_EQ(KLVTableView(f.A()).keyDown(key), handled) << name;
        EXPECT_EQ(f.A().selectedRows(), selection) << name;
        EXPECT_EQ(f.c.lastCall(), call) << name;
    }
    // The space bar goes by what the movies do, whoever started them.
    Fixture f;
    KLVTableView changes(f.C());
    changes.keyDown({K::Text, 0, " "});
    changes.keyDown({K::Text, 0, " "});
    f.movies.nu.playback = 1;
    changes.keyDown({K::Text, 0, " "});
    EXPECT_EQ(f.c.calls, (std::vector<std::string>{"play", "play", "stop"}));
}

TEST(Tabs, TabCyclesOldNewChangeList) {
    const std::tuple<int, int, int> cases[] = {{0, 0, 1}, {0, 2, 3}, {0, 3, 0}, {2, 1, 2}, {2, 2, 0}};
    for (const auto& [list, from, to] : cases) {
        Fixture f;
        f.c.selectTab(from);
        f.c.listForTab(list).nextTab();
        EXPECT_EQ(f.c.selectedTab(), to) << list << " from " << from;
    }
}

TEST(Selection, LocatesTheMoviesByListAndHighlightsChanges) {
    Fixture f;
    EditPtr e = event("001", "01:00:00:00", "01:00:10:00", "02:00:00:00", "02:00:10:00");
    f.A().addEdits({e});
    f.B().addEdits({e});
    f.C().addEdits({e, eventAt("002", 0, 1, 2, 3)});
    for (dataSource* list : {&f.A(), &f.B(), &f.C()}) list->selectRows({0});
    f.A().gotoEditEnd();
    f.C().gotoEditEnd();
    EXPECT_EQ(f.c.calls, (std::vector<std::string>{"source 02:00:00:00", "master 02:00:00:00", "source 01:00:00:00",
                                                   "master 02:00:00:00", "diff", "source 02:00:10:00",
                                                   "source 01:00:10:00", "master 02:00:10:00"}));
    EXPECT_EQ(f.c.blockView().hiLights().size(), 1u);
    f.C().selectAll();
    EXPECT_EQ(f.tableC.scrolledTo, Rows{0}) << "several rows are not scrolled to";
    EXPECT_EQ(f.c.blockView().hiLights().size(), 2u);
}

TEST(Sorting, HeaderClicksSortTheListItselfAndLoadingClearsThem) {
    Fixture f;
    f.A().addEdits({eventAt("001", 0, 1, 30, 40), eventAt("002", 0, 1, 10, 20)});
    f.A().sortByColumn("masterIn", true);
    EXPECT_EQ(numbersOf(f.A().getEditArray()), (std::vector<std::string>{"002", "001"}));
    f.A().sortByColumn("clip", true);
    f.A().sortByColumn("masterIn", false);
    EXPECT_EQ(f.A().sortDescriptors(), (std::vector<SortDescriptor>{{"masterIn", false}, {"clip", true}}));
    f.A().addEdits({eventAt("003", 0, 1, 0, 5)});
    EXPECT_TRUE(f.A().sortDescriptors().empty());
    EXPECT_EQ(numbersOf(f.A().getEditArray()), (std::vector<std::string>{"001", "002", "003"}));
}

TEST(Sorting, ASecondClickOnTheFirstSortColumnReversesIt) {
    Fixture f;
    const struct {
        const char* click;
        std::vector<SortDescriptor> after;
    } clicks[] = {{"clip", {{"clip", true}}},
                  {"clip", {{"clip", false}}},
                  {"clip", {{"clip", true}}},
                  {"masterIn", {{"masterIn", true}, {"clip", true}}},
                  {"clip", {{"clip", true}, {"masterIn", true}}},
                  {"masterIn", {{"masterIn", true}, {"clip", true}}},
                  {"masterIn", {{"masterIn", false}, {"clip", true}}}};
    for (const auto& c : clicks) {
        f.A().sortByHeaderClick(c.click);
        EXPECT_EQ(f.A().sortDescriptors(), c.after) << c.click;
    }
}

TEST(Import, OpenPanelLoadsIntoTheListAndRemembersTheFolder) {
    TempDir dir;
    const std::string edl = dir.write("cut.edl", "001  A001 V C 01:00:00:00 01:00:10:00 10:00:00:00 10:00:10:00\r\n");
    Fixture f;
    f.ui.openPanelAnswer = OpenPanelResult{{edl}, dir.path()};
    f.B().importList();
    EXPECT_EQ(f.B().editCount(), "1 edit");
    EXPECT_EQ(f.B().filename(), "cut\n");
    EXPECT_EQ(f.c.selectedTab(), 1);
    EXPECT_EQ(f.c.prefs().get("OldNewPath"), dir.path());
    f.ui.openPanelAnswer.reset();
    f.C().importList();  // cancelled
    EXPECT_EQ(f.C().editCount(), "0 edits");
    EXPECT_TRUE(f.c.blockDrawerOpen());
    EXPECT_EQ(f.c.selectedTab(), 2);

    // A file of no list type: Cancel in the hour-code sheet leaves it out, quietly.
    f.ui.openPanelAnswer = OpenPanelResult{{dir.write("notes.txt", "0000+00 0100+00 A001\n")}, dir.path()};
    f.ui.answer = {HourCodeChoice::Cancel, "01"};
    f.B().importList();
    EXPECT_EQ(f.ui.hourCodeAsked, std::vector<std::string>{"notes"});
    EXPECT_EQ(f.B().filename(), "cut\n");
    EXPECT_EQ(f.B().editCount(), "1 edit");
    EXPECT_TRUE(f.ui.alerts.empty());
}

}  // namespace
}  // namespace rw::test
