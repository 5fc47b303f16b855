#include "ImportHelpers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using rw::test::TempDir;

const char* kEvent = "001  R1 V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n";
const char* kEvent2 = "002  R2 V C 00:00:05:00 00:00:06:00 01:00:01:00 01:00:02:00\n";

struct Road : testing::Test, rw::test::Session {
    TempDir dir;

    Road() { c.setChangeListFolder(dir.file("Change Lists")); }
    const rw::EditArray& listA() { return list(0); }
};

TEST_F(Road, LabelShowsEveryBaseNameOfTheLoad) {
    c.openFiles({dir.write("reel1.edl", kEvent), dir.write("reel2.EDL", kEvent2)});
    EXPECT_EQ(listA().size(), 2u);
    EXPECT_EQ(c.dataSourceA().filename(), "reel1\nreel2\n");
    EXPECT_EQ(c.dataSourceA().editCount(), "2 edits");
    EXPECT_TRUE(ui.hourCodeAsked.empty());
    EXPECT_TRUE(ui.alerts.empty());
}

TEST_F(Road, OtherExtensionsAskForTheHourCode) {
    ui.answer = {rw::HourCodeChoice::Edl, ""};
    c.openFiles({dir.write("cut.txt", kEvent)});
    EXPECT_EQ(ui.hourCodeAsked, (std::vector<std::string>{"cut"}));
    EXPECT_EQ(listA().size(), 1u);
}

TEST_F(Road, DuplicateNumberTestSpansTheFilesOfOneImport) {
    c.openFiles({dir.write("a.edl", kEvent), dir.write("b.edl", kEvent)});
    EXPECT_EQ(listA().size(), 1u);
}

TEST_F(Road, ContinuousPalFilmNeedsOneImportPerSide) {
    c.prefs().set("EDL type", "PAL film");
    c.prefs().set("compareReelsCont", "cont");
    c.openFiles({dir.write("a.edl", kEvent), dir.write("b.edl", kEvent2), dir.write("c.edl", kEvent)});
    EXPECT_EQ(listA().size(), 3u);
    c.openFiles({dir.write("d.edl", "003  R3 V C 00:00:00:00 00:00:01:00 01:00:09:00 01:00:10:00\n")});
    EXPECT_EQ(listA().size(), 3u);
    ASSERT_EQ(ui.alerts.size(), 1u);
    EXPECT_EQ(ui.alerts[0].message, "EDL not loaded");
    EXPECT_NE(ui.alerts[0].informativeText.find("drag all the 'old' EDLs"), std::string::npos);
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(Road, PalFilmOldAndNewListsAreTranslatedOnImportButChangeListsAreNot) {
    c.prefs().set("EDL type", "PAL film");
    c.openFiles({dir.write("a.edl", "001  R1 V C 00:00:00:00 00:00:01:00 02:00:10:00 02:00:11:00\n")});
    ASSERT_EQ(listA().size(), 1u);
    EXPECT_EQ(listA()[0]->masterIn()->tcAsString(), "02:00:10:10");
    EXPECT_EQ(listA()[0]->masterIn()->framerate(), 24);
    // a change list is at 24 fps already
    c.selectTab(2);
    c.openFiles({dir.write("changes.edl", "FCM: 24\n001  R1  00:00:00:00 00:00:01:00 02:00:10:10 02:00:11:10\n")});
    ASSERT_EQ(list(2).size(), 1u);
    EXPECT_EQ(list(2)[0]->masterIn()->tcAsString(), "02:00:10:10");
}

// Files that hold no list: each gives the system's own message and no events.
TEST_F(Road, BadInputGivesNoValidEdits) {
    const std::string big(10 * 1024 * 1024, 'x');
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 7919) & 0xff));
    std::filesystem::create_directory(dir.file("folder.edl"));
    std::string unreadable = dir.write("locked.edl", kEvent);
    ::chmod(unreadable.c_str(), 0);
    const bool rootCanRead = ::access(unreadable.c_str(), R_OK) == 0;

    std::vector<std::string> bad = {dir.write("empty.edl", ""), dir.write("binary.edl", binary),
                                    dir.write("line.edl", big), dir.file("folder.edl"), dir.file("missing.edl")};
    if (!rootCanRead) bad.push_back(unreadable);
    for (const auto& path : bad) {
        ui.alerts.clear();
        c.openFiles({path});
        EXPECT_TRUE(listA().empty()) << path;
        ASSERT_EQ(ui.alerts.size(), 1u) << path;
        EXPECT_EQ(ui.alerts[0].message, "no valid edits were found");
        EXPECT_EQ(c.dataSourceA().filename(), "no file loaded");
    }
}

TEST_F(Road, LineEndsAndEncodings) {
    const std::string event = "001  R1 V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00";
    const std::string crlf = "TITLE: X\r\nFCM: NON-DROP FRAME\r\n" + event + "\r\n";
    const std::string cr = "TITLE: X\rFCM: NON-DROP FRAME\r" + event + "\r";
    const std::string latin1 = "002  R\xE9 V C 00:00:00:00 00:00:01:00 01:00:01:00 01:00:02:00\n";
    c.openFiles({dir.write("crlf.edl", crlf)});
    c.openFiles({dir.write("cr.edl", cr + std::string(81, '\x1a'))});
    c.openFiles({dir.write("latin.edl", latin1)});
    ASSERT_EQ(listA().size(), 3u);
    EXPECT_EQ(listA()[0]->sourceOut()->totalFrames(), 24);
    EXPECT_EQ(listA()[1]->sourceOut()->totalFrames(), 24);
    EXPECT_EQ(listA()[2]->clip(), "R\xC3\xA9");
}

}  // namespace
