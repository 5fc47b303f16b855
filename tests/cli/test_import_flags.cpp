#include "core/Files.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using Outcome = test::CliResult;
Outcome reelwright(std::vector<std::string> args) { return test::runCli(std::move(args)); }

const std::string kCutLine = "  1  0000+00  9999+99  0010+08  A001       1234+05  9999+99\n";
const std::string kChange = "  1  delete  0010+00  0002+00\n";

TEST(CliImport, AsAndHourAnswerTheHourCodeSheet) {
    test::TempDir dir;
    const std::string cut = dir.write("reel.cut", kCutLine);
    Outcome r = reelwright({"show", cut, "--as", "cut", "--hour", "01"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "001|A001|00:13:42:21|00:13:49:21|01:00:00:00|01:00:07:00|0\n");

    Outcome asEdl = reelwright({"show", cut});  // read as an EDL: nothing
    EXPECT_EQ(asEdl.status, 1);
    EXPECT_NE(asEdl.err.find("no valid edits were found"), std::string::npos);

    const std::string change = dir.write("reel.txt", kChange);
    Outcome c = reelwright({"show", change, "--as", "change", "--hour", "02", "--list", "new"});
    EXPECT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(c.out.substr(0, 16), "001||02:00:00:00");
}

TEST(CliImport, HourStandsForAnEarlierSheetForListsReadAsChangeListsByContents) {
    test::TempDir dir;
    const std::string edl = dir.write("reel.edl", kChange + "end of change list\n");
    EXPECT_EQ(reelwright({"show", edl, "--hour", "04"}).out.substr(0, 16), "001||04:00:00:00");
    EXPECT_EQ(reelwright({"show", edl}).out.substr(0, 16), "001||00:00:00:00");
    EXPECT_EQ(reelwright({"show", edl, "--as", "cut", "--hour", "05"}).out.substr(0, 16), "001||05:00:00:00");
}

TEST(CliImport, ExportsTakeAFilmChangeListWithItsHour) {
    test::TempDir dir;
    const std::string change = dir.write("reel.txt", kChange);
    Outcome r = reelwright({"export", "change-edl", "--changes", change, "--as", "change", "--hour", "03", "--output",
                            dir.file("out.edl")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = *readFileText(dir.file("out.edl"));
    EXPECT_NE(text.find("03:00:06:16"), std::string::npos) << text;  // the cut, placed in hour 3
}

TEST(CliImport, ListNamesTheTabOfTheFrameRateCheck) {
    const std::string xml = std::string(RW_TEST_DATA) + "/corpus/xmeml/otiofcp_premiere_enable_property.xml";
    Outcome old = reelwright({"show", xml, "--edl-type", "PAL film"});
    EXPECT_EQ(old.status, 0) << old.err;
    Outcome changes = reelwright({"show", xml, "--edl-type", "PAL film", "--list", "changes"});
    EXPECT_EQ(changes.status, 1);
    EXPECT_NE(changes.err.find("incompatible sequence framerate"), std::string::npos);
    EXPECT_NE(changes.err.find("XML parse error"), std::string::npos);
}

TEST(CliImport, BadFlagValuesAreRefused) {
    for (std::vector<std::string> bad : {
             std::vector<std::string>{"show", "x.edl", "--hour", "1a"},
             {"show", "x.edl", "--hour", "123"},
             {"show", "x.edl", "--as", "xml"},
             {"show", "x.edl", "--list", "a"},
             {"show", "x.edl", "--vfx1", "VFX_,scene,_,shot"},
             {"show", "x.edl", "--vfx1", "VFX_,scene,_,take,_,version,_"},
             {"show", "x.edl", "--vfx2", "VFX_,scene,,shot,_,version,_"},
             {"show", "x.edl", "--vfx3", "4th,-,before"},
             {"show", "x.edl", "--vfx3", "last,,before"},
         })
        EXPECT_EQ(reelwright(bad).status, 2) << bad[2] << " " << bad[3];
}

// Ten seconds of the reel from 01:00:00:00, recorded at HH:MM:SS.
std::string edlEvent(const std::string& num, const std::string& reel, const std::string& rec) {
    const int s = std::stoi(rec.substr(6, 2)) + 10;
    return num + "  " + reel + "  V  C  01:00:00:00 01:00:10:00 " + rec + ":00 " + rec.substr(0, 6) +
           std::to_string(s) + ":00\n";
}

TEST(CliImport, VfxFlagsMatchShotsAcrossVersions) {
    test::TempDir dir;
    const std::string old = dir.write("old.edl", edlEvent("001", "VFX_010_020_v1_", "10:00:00"));
    const std::string neu = dir.write("new.edl", edlEvent("001", "VFX_010_020_v2_", "10:00:00"));
    Outcome plain = reelwright({"compare", "--old", old, "--new", neu, "--no-autosave"});
    EXPECT_EQ(plain.out, "FCM: 24\n");
    Outcome vfx = reelwright({"compare", "--old", old, "--new", neu, "--no-autosave", "--vfx1",
                          "VFX_,scene,_,shot,_,version,_"});
    EXPECT_EQ(vfx.status, 0) << vfx.err;
    EXPECT_NE(vfx.out.find("10:00:00:00 10:00:10:00 10:00:00:00 10:00:10:00"), std::string::npos) << vfx.out;
    const std::string settings = dir.write("prefs.ini", "smartVFX=ON\nprefix=VFX_\nsel1=scene\nsel2=shot\nsel3=version\n"
                                                       "sep1=_\nsep2=_\nsep3=_\n");
    Outcome fromFile = reelwright({"compare", "--old", old, "--new", neu, "--no-autosave", "--settings", settings});
    EXPECT_EQ(fromFile.out, vfx.out) << fromFile.err;
    Outcome split = reelwright({"compare", "--old", old, "--new", neu, "--no-autosave", "--vfx3", "last,_v,before"});
    EXPECT_NE(split.out.find("10:00:00:00 10:00:10:00"), std::string::npos) << split.out;
}

TEST(CliSearch, PrintsTheRankedFiles) {
    test::TempDir dir;
    dir.write("lists/a.edl", edlEvent("001", "A001", "10:00:00") + edlEvent("002", "A002", "10:00:20"));
    dir.write("lists/sub/b.edl", edlEvent("001", "A002", "10:00:00"));
    const std::string neu = dir.write("new.edl", edlEvent("001", "A001", "11:00:00") + edlEvent("002", "A002", "11:00:20") +
                                                     edlEvent("003", "Z009", "11:00:40"));
    Outcome r = reelwright({"search", dir.file("lists"), "--new", neu, "--select", "1-2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\t\t00:00:20:00\t\ta.edl\n1\t\t00:00:10:00\t\tb.edl\n");

    Outcome none = reelwright({"search", dir.file("lists"), "--new", neu, "--select", "3"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("no matches found for selected events"), std::string::npos);

    EXPECT_EQ(reelwright({"search", dir.file("lists"), "--new", neu, "--select", "4"}).status, 2);
    EXPECT_EQ(reelwright({"search", dir.file("lists"), "--new", neu, "--select", "2-1"}).status, 2);
    EXPECT_EQ(reelwright({"search", dir.file("nowhere"), "--new", neu, "--select", "1"}).status, 2);
}

}  // namespace
}  // namespace rw
