// What the windows are told: the observer's notices, start-up and quit,
// remembered folders across runs. (What a table hears of each command is
// checked after every step of the undo property test.)

#include "lists/ListFakes.h"
#include "settings/MemorySettings.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <map>

namespace rw::test {
namespace {

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

// Undo gives back the numbers the events had before the new one came; the
// order stays with the sort indicator.
TEST(Undo, NewEventUndoneAfterAHeaderSortGivesBackTheNumbersInTheSortedOrder) {
    using Numbers = std::vector<std::string>;
    Fixture f;
    const EditArray list = numberedList(3);
    f.C().addEdits(list);
    f.C().newEvent();  // a zero event at 00:00:00:00: first, as "001"
    EXPECT_EQ(numbersOf(list), (Numbers{"002", "003", "004"}));
    f.C().sortByColumn("editNum", false);
    f.undo().undo();
    EXPECT_EQ(f.C().getEditArray(), (EditArray{list[2], list[1], list[0]}));
    EXPECT_EQ(numbersOf(f.C().getEditArray()), (Numbers{"003", "002", "001"}));
    f.undo().redo();
    EXPECT_EQ(numbersOf(f.C().getEditArray()), (Numbers{"004", "003", "002", "001"}));
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
