#include "Support.h"

#include "app/ChangeListExports.h"
#include "conform/ExportTimebase.h"
#include "core/Files.h"
#include "support/EventFrames.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using test::ev;

EditArray list25() {
    return {ev("001", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00", "25", "AB"),
            ev("002", "01:00:05:00", "01:00:06:12", "02:00:01:00", "02:00:02:12", "25", "ABCDEFGHIJ")};
}

// List C of the tests, loaded from a file with a two-line name.
struct Named : test::Conformer {
    explicit Named(const EditArray& list, const std::string& edlType = "film cutlist") : Conformer(list, edlType) {
        c.dataSourceC().setFilename("reel1_fr_reel0\nsecond line\n");
    }
};

TEST(ChangeEdl, ListTypeTokenUnlessItNamesAnotherRate) {
    const EditArray at24 = {ev("1", "01:00:00:00", "01:00:01:00", "01:00:00:00", "01:00:01:00")};
    for (const char* type : {"PAL film", "24fps EDL/XML", "film cutlist", "PAL film 2"})
        EXPECT_EQ(exportTimebaseForSender("x", at24, type).fcmToken, "24") << type;
    // A 25 fps list under a 24 fps list type keeps its own rate in the header.
    EXPECT_EQ(exportTimebaseForSender("x", list25(), "film cutlist").fcmToken, "25");
    EditArray df = {ev("1", "01:00:00;00", "01:00:01;00", "01:00:00;00", "01:00:01;00", "29.97df")};
    EXPECT_EQ(exportTimebaseForSender("x", df, "NTSC df").fcmToken, "DROP FRAME");
}

TEST(ChangeEdl, ExplicitTranslationEndsWithTheNote) {
    Named f(list25(), "PAL video");
    EXPECT_EQ(changeEdlContent(f.c, "25"),
              "FCM: 25\nMovieOld:\nMovieNew:\n"
              "001  AB      01:00:00:00 01:00:01:00 02:00:00:00 02:00:01:00\n"
              "002  ABCDEFGHIJ  01:00:05:00 01:00:06:12 02:00:01:00 02:00:02:12\n"
              "\nNOTE: this EDL was translated from 25 fps so timecode values toward the end of a second are "
              "approximations.");
    const std::string own = changeEdlContent(f.c, "Export Change EDL");
    EXPECT_EQ(own.find("NOTE"), std::string::npos);
    EXPECT_EQ(own.substr(0, 8), "FCM: 25\n");
    EXPECT_EQ(own.back(), '\n');
}

TEST(ChangeEdl, DropFrameExportWritesDropTimes) {
    Named f({ev("001", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00", "24")});
    const std::string text = changeEdlContent(f.c, "29.97df");
    EXPECT_EQ(text.substr(0, text.find('\n')), "FCM: 29.97 DROP FRAME");
    EXPECT_NE(text.find("01:00:03;18 01:00:04;18"), std::string::npos) << text;
}

TEST(ChangeEdl, SavePanelProposalExportPathAndReadBack) {
    test::TempDir dir;
    Named f(list25());
    f.ui.savePanelAnswer = dir.file("out.edl");
    EXPECT_EQ(exportChangeEDL(f.c, "x").value.status, ChangeListExport::Status::Written);
    EXPECT_EQ(f.ui.savePanelNames.at(0), "reel1_fr_reel0.edl");
    EXPECT_EQ(f.ui.savePanelFolders.at(0), "");
    EXPECT_EQ(f.c.prefs().get("exportPath"), dir.path());
    EXPECT_EQ(readFileText(dir.file("out.edl")).value, changeEdlContent(f.c, "x"));
    const EditArray back = test::openAsListC(dir.file("out.edl"), 2);  // read back as list C
    EXPECT_EQ(test::frames(back), test::frames(list25()));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1]->clip(), "ABCDEFGHIJ");
    EXPECT_EQ(back[1]->masterOut()->tcAsString(), "02:00:02:12");

    Named cancelled(list25());
    EXPECT_EQ(exportC(cancelled.c, "x").value.status, ChangeListExport::Status::Cancelled);
    EXPECT_EQ(cancelled.ui.savePanelNames.at(0), "reel1_fr_reel0.conform");
    EXPECT_FALSE(cancelled.c.prefs().has("exportPath"));

    Named failing(list25());
    failing.ui.savePanelAnswer = dir.file("missing/folder/out.edl");
    const Outcome<ChangeListExport> failed = exportChangeEDL(failing.c, "x");
    EXPECT_FALSE(failed);
    EXPECT_NE(failed.error.find("missing/folder"), std::string::npos) << failed.error;
    EXPECT_EQ(failing.ui.beeps, 1);

    Named empty({});
    EXPECT_EQ(exportChangeEDL(empty.c, "x").value.status, ChangeListExport::Status::Empty);
    EXPECT_EQ(empty.ui.beeps, 1);
    EXPECT_TRUE(empty.ui.savePanelNames.empty());
}

}  // namespace
}  // namespace rw
