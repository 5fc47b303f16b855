#include "app/ConformController.h"
#include "comparison/ChangeListCopy.h"

#include "EventBuilders.h"
#include "support/TempDir.h"
#include "app/NullPorts.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

namespace {

using rw::test::TempDir;
using rw::test::evTc;

const char* kOld =
    "TITLE: reel2_v4\nFCM: NON-DROP FRAME\n"
    "001  A001 V C 01:00:00:00 01:00:05:00 10:00:00:00 10:00:05:00\n"
    "002  B002 V C 02:00:00:00 02:00:03:00 10:00:05:00 10:00:08:00\n";
const char* kNew =
    "TITLE: reel2_v5\nFCM: NON-DROP FRAME\n"
    "001  B002 V C 02:00:00:00 02:00:03:00 10:00:00:00 10:00:03:00\n"
    "002  A001 V C 01:00:00:00 01:00:05:00 10:00:03:00 10:00:08:00\n"
    "003  C003 V C 03:00:00:00 03:00:01:00 10:00:08:00 10:00:09:00\n";

struct CompareCommand : testing::Test {
    TempDir dir;
    rw::RecordingUi ui;
    rw::NoMovies movies;
    rw::conformController c{ui, movies};

    CompareCommand() { c.setChangeListFolder(dir.file("Change Lists")); }
    void open(int tab, const std::string& name, const std::string& text) {
        c.selectTab(tab);
        c.openFiles({dir.write(name, text)});
    }
    void load() {
        open(0, "reel2_v4.edl", kOld);
        open(1, "reel2_v5.edl", kNew);
    }
};

TEST_F(CompareCommand, FillsListCAndWritesItsCopy) {
    load();
    c.compare("Compare");
    EXPECT_EQ(c.selectedTab(), 2);
    EXPECT_EQ(c.dataSourceC().filename(), "reel2_v5_fr_reel2_v4");
    EXPECT_EQ(c.dataSourceC().editCount(), "2 edits");
    const std::string expected =
        "FCM: 24\n"
        "001  B002    10:00:05:00 10:00:08:00 10:00:00:00 10:00:03:00\n"
        "002  A001    10:00:00:00 10:00:05:00 10:00:03:00 10:00:08:00\n";
    EXPECT_EQ(c.changeListCopy(), expected);
    EXPECT_EQ(c.lastCopy().value, dir.file("Change Lists/reel2_v5_fr_reel2_v4.edl"));
    EXPECT_EQ(rw::test::readAll(c.lastCopy().value), expected);
    EXPECT_EQ(c.dataSourceB().getEditArray()[2]->color(), rw::Color::red());  // C003 is new material
    EXPECT_TRUE(ui.alerts.empty());
}

TEST_F(CompareCommand, ComparesOnlyTheSelectionWhenAsked) {
    load();
    c.compare("Compare Selected Events Only");
    EXPECT_TRUE(c.dataSourceC().getEditArray().empty());
    c.dataSourceB().selectRows({1});
    c.compare("Compare Selected Events Only");
    ASSERT_EQ(c.dataSourceC().getEditArray().size(), 1u);
    EXPECT_EQ(c.dataSourceC().getEditArray()[0]->clip(), "A001");
}

// A refused comparison changes nothing: no empty list, no copy.
TEST_F(CompareCommand, MissingListAlertsAndChangesNothing) {
    open(0, "old.edl", kOld);
    c.compare("Compare");
    ASSERT_EQ(ui.alerts.size(), 1u);
    EXPECT_EQ(ui.alerts[0].message, "missing list");
    EXPECT_EQ(ui.alerts[0].informativeText, "reelwright needs both OLD and NEW lists to make a comparison");
    EXPECT_EQ(c.dataSourceC().editCount(), "0 edits");
    EXPECT_TRUE(c.lastCopy().value.empty());
    EXPECT_EQ(c.undoManager().undoActionName(), "Load List");
}

TEST_F(CompareCommand, PalFilmNoticeAndItsTimebase) {
    c.prefs().set("EDL type", "PAL film 2");
    const std::string l = "FCM: 25\n001  A V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n";
    open(0, "o.edl", l);
    open(1, "n.edl", l);
    c.compare("Compare");
    ASSERT_EQ(ui.alerts.size(), 1u);
    EXPECT_EQ(ui.alerts[0].message, "timecodes have been modified");
    ASSERT_EQ(c.dataSourceC().getEditArray().size(), 1u);
    EXPECT_EQ(c.dataSourceC().getEditArray()[0]->masterIn()->framerate(), 24);  // no rate of its own: 24
    EXPECT_EQ(c.changeListCopy().substr(0, 8), "FCM: 24\n");
}

TEST_F(CompareCommand, NeverOverwritesAnInputOfTheSameName) {
    // an earlier copy loaded as an OLD list has the very name the new copy takes
    std::filesystem::create_directories(dir.file("Change Lists"));
    const std::string earlier = dir.write("Change Lists/N_fr_O.edl", kOld);
    c.selectTab(0);
    c.openFiles({dir.write("O.edl", kOld), earlier});
    open(1, "N.edl", kNew);
    c.compare("Compare");
    EXPECT_EQ(rw::test::readAll(earlier), kOld);
    EXPECT_EQ(c.lastCopy().value, dir.file("Change Lists/N_fr_O-1.edl"));
}

TEST(ChangeListCopy, ClipFieldIsSixCharactersNotBytes) {
    auto named = [](const std::string& clip) {
        return evTc(clip, "00:00:00:00", "00:00:01:00", "01:00:00:00", "01:00:01:00");
    };
    const std::string times = "00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n";
    const std::string e6 = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";
    EXPECT_EQ(rw::changeListCopyText({named("ABCDEFGHIJ"), named("ABC"), named(e6 + "\xC3\xA9")}, "NTSC df"),
              "FCM: \n001  ABCDEF  " + times + "001  ABC     " + times + "001  " + e6 + "  " + times);
}

}  // namespace
