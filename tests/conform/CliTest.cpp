#include "Support.h"

#include "Commands.h"
#include "core/Files.h"

#include <gtest/gtest.h>

#include <sstream>

namespace rw {
namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun cli(std::vector<std::string> args) {
    args.insert(args.begin(), "reelwright");
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    int status = cli::run(static_cast<int>(argv.size()), argv.data(), {out, err});
    return {status, out.str(), err.str()};
}

const std::string kOld = std::string(RW_TEST_DATA) + "/corpus/edl/sgotio_079_HA_V05.edl";
const std::string kNew = std::string(RW_TEST_DATA) + "/corpus/edl/sgotio_079_HA_006.edl";

TEST(Cli, DocumentReadBackGivesTheSameChangeList) {
    test::TempDir dir;
    const std::string doc = dir.file("pair.conform"), direct = dir.file("direct.edl"), back = dir.file("back.edl");
    ASSERT_EQ(cli({"export", "conform", "--old", kOld, "--new", kNew, "--output", doc}).status, 0);
    ASSERT_EQ(cli({"export", "change-edl", "--old", kOld, "--new", kNew, "--output", direct}).status, 0);
    CliRun r = cli({"export", "change-edl", "--changes", doc, "--output", back});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(*readFileText(back), *readFileText(direct));
    EXPECT_GT(readFileText(direct)->size(), 100u);

    // And the change EDL itself reads back as list C.
    const std::string again = dir.file("again.edl");
    ASSERT_EQ(cli({"export", "change-edl", "--changes", direct, "--output", again}).status, 0);
    EXPECT_EQ(*readFileText(again), *readFileText(direct));
}

TEST(Cli, AlertsAndRefusalsExitOne) {
    test::TempDir dir;
    ASSERT_EQ(writeFileAtomic(dir.file("reordered.edl"),
                              "FCM: 24\n001  A  01:00:02:00 01:00:03:00 02:00:00:00 02:00:01:00\n"
                              "002  B  01:00:00:00 01:00:01:00 02:00:01:00 02:00:02:00\n"),
              "");
    CliRun r = cli({"export", "note", "--changes", dir.file("reordered.edl"), "--output", dir.file("n.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "change note creation error: this change EDL contains reordered shots which can cause errors in a "
              "relative change note.\nplease locate and delete these shots before trying again.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("n.txt")));

    r = cli({"export", "euphonix", "--changes", dir.file("reordered.edl"), "--output", dir.file("reordered.edl")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("refusing to write"), std::string::npos);

    ASSERT_EQ(writeFileAtomic(dir.file("junk.conform"), std::string("\x01\x02garbage", 9)), "");
    r = cli({"export", "change-edl", "--changes", dir.file("junk.conform"), "--output", dir.file("o.edl")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no valid edits were found"), std::string::npos);
}

TEST(Cli, BadArgumentsExitTwo) {
    EXPECT_EQ(cli({"export", "euphonix", "--changes", kOld, "--timebase", "25", "--output", "x"}).status, 2);
    EXPECT_EQ(cli({"export", "note", "--output", "x"}).status, 2);
    EXPECT_EQ(cli({"export", "note", "--old", kOld, "--output", "x"}).status, 2);
    EXPECT_EQ(cli({"export", "pdf", "--changes", kOld, "--output", "x"}).status, 2);
    EXPECT_EQ(cli({"conform", "tab", "--changes", kOld, "--file", "x", "--timebase", "26"}).status, 2);
}

TEST(Cli, ConformWritesBesideTheFile) {
    test::TempDir dir;
    ASSERT_EQ(writeFileAtomic(dir.file("changes.edl"),
                              "FCM: 25\n001  A  01:00:00:00 01:00:10:00 02:00:00:00 02:00:10:00\n"),
              "");
    ASSERT_EQ(writeFileAtomic(dir.file("cues.csv"), "\"hit\",\"01:00:01:00\"\r\n"), "");
    CliRun r = cli({"conform", "csv", "--changes", dir.file("changes.edl"), "--file", dir.file("cues.csv"),
                 "--timebase", "25"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("cues-conf.csv") + "\n");
    EXPECT_EQ(r.err,
              "conform comma separated file?: please check the details below and ensure that your file is using the "
              "same timebase\n\ntimebase - 25\n\n");
    EXPECT_EQ(*readFileText(dir.file("cues-conf.csv")), "\"hit\",\"02:00:01:00\"\tCONFORMED\n");

    // The copy would replace the change list it is conformed to.
    ASSERT_EQ(writeFileAtomic(dir.file("changes-conf.csv"), *readFileText(dir.file("changes.edl"))), "");
    r = cli({"conform", "csv", "--changes", dir.file("changes-conf.csv"), "--file", dir.file("changes.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("refusing to write"), std::string::npos);

    for (const std::string& file : {dir.path(), dir.file("missing.txt")}) {
        r = cli({"conform", "tab", "--changes", dir.file("changes.edl"), "--file", file});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("file not conformed: the file could not be read"), std::string::npos) << file;
    }
    r = cli({"export", "note", "--changes", dir.file("missing.conform"), "--output", dir.file("n.txt")});
    EXPECT_EQ(r.status, 1);

    r = cli({"conform", "evl", "--changes", dir.file("changes.edl"), "--file", dir.file("cues.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("file not conformed: "), std::string::npos);
}

}  // namespace
}  // namespace rw
