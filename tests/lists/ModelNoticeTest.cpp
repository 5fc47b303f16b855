// What the windows are told: the labels a table reads at each reload, the
// observer's notices, start-up and quit, remembered folders across runs.

#include "lists/ListFakes.h"
#include "settings/MemorySettings.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <map>

namespace rw::test {
namespace {

// Reads the list's labels whenever it is told to reload.
class LabelTable : public TablePort {
public:
    explicit LabelTable(const dataSource& list) : list_(list) {}
    std::string last;
    void reloadData() override { last = list_.filename() + "|" + list_.editCount(); }
    void selectionChanged() override {}
    void scrollRowToVisible(std::size_t) override {}

private:
    const dataSource& list_;
};

TEST(TableNotice, EveryReloadReadsTheFinalLabels) {
    Fixture f;
    LabelTable tableA(f.A()), tableC(f.C());
    f.A().setTable(&tableA);
    f.C().setTable(&tableC);
    f.A().setFilename("cut");
    f.A().addEdits(numberedList(3));
    f.C().addEdits(numberedList(2));
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"delete all", [&] { f.A().deleteAll(); }},
        {"undo delete", [&] { f.undo().undo(); }},
        {"redo delete", [&] { f.undo().redo(); }},
        {"undo again", [&] { f.undo().undo(); }},
        {"new event", [&] { f.C().newEvent(); }},
        {"undo new event", [&] { f.undo().undo(); }},
        {"heal", [&] { f.C().selectAll(); f.C().healSelected(); }},
    };
    for (const auto& [name, step] : steps) {
        step();
        EXPECT_EQ(tableA.last, f.A().filename() + "|" + f.A().editCount()) << name;
        EXPECT_EQ(tableC.last, f.C().filename() + "|" + f.C().editCount()) << name;
    }
    EXPECT_EQ(tableA.last, "cut|3 edits");
}

class Notices : public ModelObserver {
public:
    std::map<ModelChange, int> heard;
    void modelChanged(ModelChange change) override { ++heard[change]; }
};

TEST(ModelNotice, TabsDrawerPreferencesAndUndoAreAnnounced) {
    TempDir dir;
    const std::string cut = dir.write("reel.cut", "0000+00 0100+00 A001\n");
    Fixture f;
    Notices notices;
    f.c.setObserver(&notices);

    f.c.compare("Compare");  // a missing list: still the change list in front, the drawer open
    EXPECT_EQ(notices.heard[ModelChange::SelectedTab], 1);
    EXPECT_EQ(notices.heard[ModelChange::BlockDrawer], 1);
    f.c.selectTab(2);  // no change, no notice
    EXPECT_EQ(notices.heard[ModelChange::SelectedTab], 1);

    f.c.prefs().set(pref::EDLType, "PAL video");
    f.ui.answer = {HourCodeChoice::Cut, "01"};
    f.c.selectTab(0);
    f.c.openFiles({cut});  // a cut list forces "film cutlist"
    EXPECT_EQ(f.c.prefs().edlType(), "film cutlist");
    EXPECT_EQ(notices.heard[ModelChange::Preferences], 2);

    f.A().addEdits(numberedList(2));
    f.A().selectAll();
    f.A().deleteEvents();
    f.undo().undo();
    EXPECT_EQ(notices.heard[ModelChange::UndoStack], 2);
}

TEST(StartUp, StoredPreferencesComeInAndFoldersPersistAcrossRuns) {
    MemorySettings store;
    store.setString("smartVFX", "ON");
    for (const char* key : {"sel1", "sel2", "sel3", "sep1", "sep2", "sep3"}) store.setString(key, "_");
    store.setString("prefix", "FX");
    store.setString("conformSpeed", "very slow");
    store.setString(pref::ExportPath, "/exports");
    {
        Fixture f;
        f.C().sortByColumn("clip", true);
        f.c.selectTab(2);
        f.c.startUp(store);
        EXPECT_EQ(f.c.prefs().get(pref::ConformSpeed), "normal");
        EXPECT_EQ(f.c.prefs().get(pref::ExportPath), "/exports");
        EXPECT_EQ(f.c.selectedTab(), 0);
        EXPECT_TRUE(f.C().sortDescriptors().empty());
        f.c.rememberFolder(pref::FindPath, "/found");
        EXPECT_EQ(store.stringForKey(pref::FindPath), "/found") << "written at once";
        f.c.quit();
    }
    EXPECT_EQ(store.stringForKey("conformSpeed"), "normal");
    EXPECT_EQ(store.stringForKey("sel1_3"), "last") << "a usable third set, not empty fields";
    Fixture next;
    next.c.startUp(store);
    EXPECT_EQ(next.c.prefs().get(pref::FindPath), "/found");
    EXPECT_EQ(next.c.prefs().get("prefix"), "FX");
}

TEST(SmallRules, HourCodePaddingAndTheLocateSelection) {
    const std::pair<int, const char*> hours[] = {{0, "00"}, {9, "09"}, {10, "10"}, {23, "23"}, {-1, "0-1"}};
    for (const auto& [value, text] : hours) EXPECT_EQ(hourCodeText(value), text);

    Fixture f;
    f.C().addEdits(numberedList(3));
    f.c.selectTab(2);
    const std::vector<std::size_t> selections[] = {{}, {0, 1}, {1}};
    for (const auto& rows : selections) {
        f.C().selectRows(rows);
        const auto located = f.c.eventToLocate();
        EXPECT_EQ(located.has_value(), rows.size() == 1);
        if (located) {
            EXPECT_EQ(*located, f.C().getEditArray()[1]);
        }
    }
    EXPECT_EQ(f.ui.beeps, 2);
}

TEST(Undo, NewEventUndoneAfterAHeaderSortRenumbersInTheSortedOrder) {
    using Numbers = std::vector<std::string>;
    Fixture f;
    f.C().addEdits(numberedList(3));
    f.C().newEvent();  // a zero event at 00:00:00:00: first, as "001"
    f.C().sortByColumn("editNum", false);
    f.undo().undo();
    EXPECT_EQ(numbersOf(f.C().getEditArray()), (Numbers{"001", "002", "003"}));
    EXPECT_EQ(f.C().getEditArray().front()->masterIn()->totalFrames(), 10 * 3600 * 25 + 50)
        << "the sorted order stays with the sort indicator";
}

TEST(Offset, FiftyNineNinetyFourDropFrameOffsetsAtTheirOwnRate) {
    Fixture f;
    EditPtr e = event("001", "01:00:00;00", "01:00:01;00", "01:00:00;00", "01:00:01;00", "59.94df");
    f.C().addEdits({e});
    f.C().selectRows({0});
    f.c.selectTab(2);
    f.c.offsetPanel().offsetValueSource = "+00:00:00;00";
    f.c.offsetPanel().offsetValueMaster = "+01:00:00;00";
    EXPECT_TRUE(f.c.offsetPanel().offsetSheetAction("Offset"));
    EXPECT_EQ(e->masterIn()->tcAsString(), "02:00:00;00");
}

}  // namespace
}  // namespace rw::test
