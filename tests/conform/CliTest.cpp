#include "Support.h"

#include "core/Files.h"
#include "support/RunCli.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using test::runCli;

const std::string kOld = std::string(RW_TEST_DATA) + "/corpus/edl/sgotio_079_HA_V05.edl";
const std::string kNew = std::string(RW_TEST_DATA) + "/corpus/edl/sgotio_079_HA_006.edl";

TEST(Cli, DocumentReadBackGivesTheSameChangeList) {
    test::TempDir dir;
    const std::string doc = dir.file("pair.conform"), direct = dir.file("direct.edl"), back = dir.file("back.edl");
    ASSERT_EQ(runCli({"export", "conform", "--old", kOld, "--new", kNew, "--output", doc}).status, 0);
    ASSERT_EQ(runCli({"export", "change-edl", "--old", kOld, "--new", kNew, "--output", direct}).status, 0);
    test::CliResult r = runCli({"export", "change-edl", "--changes", doc, "--output", back});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileText(back).value, readFileText(direct).value);
    EXPECT_GT(readFileText(direct).value.size(), 100u);

    // And the change EDL itself reads back as list C.
    const std::string again = dir.file("again.edl");
    ASSERT_EQ(runCli({"export", "change-edl", "--changes", direct, "--output", again}).status, 0);
    EXPECT_EQ(readFileText(again).value, readFileText(direct).value);
}

TEST(Cli, AlertsAndRefusalsExitOne) {
    test::TempDir dir;
    const std::string reordered = dir.write("reordered.edl",
                                            "FCM: 24\n001  A  01:00:02:00 01:00:03:00 02:00:00:00 02:00:01:00\n"
                                            "002  B  01:00:00:00 01:00:01:00 02:00:01:00 02:00:02:00\n");
    test::CliResult r = runCli({"export", "note", "--changes", reordered, "--output", dir.file("n.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "change note creation error: this change EDL contains reordered shots which can cause errors in a "
              "relative change note.\nplease locate and delete these shots before trying again.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("n.txt")));

    const std::string before = readFileText(reordered).value;
    r = runCli({"export", "euphonix", "--changes", reordered, "--output", reordered});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("refusing to write"), std::string::npos);
    EXPECT_EQ(readFileText(reordered).value, before);

    const std::string junk = dir.write("junk.conform", std::string("\x01\x02garbage", 9));
    r = runCli({"export", "change-edl", "--changes", junk, "--output", dir.file("o.edl")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no valid edits were found"), std::string::npos);
}

TEST(Cli, BadArgumentsExitTwo) {
    const std::vector<std::string> cases[] = {
        {"export", "euphonix", "--changes", kOld, "--timebase", "25", "--output", "x"},
        {"export", "note", "--output", "x"},
        {"export", "note", "--old", kOld, "--output", "x"},
        {"export", "pdf", "--changes", kOld, "--output", "x"},
        {"conform", "tab", "--changes", kOld, "--file", "x", "--timebase", "26"},
    };
    for (const auto& args : cases) EXPECT_EQ(runCli(args).status, 2) << args[1] << " " << args.back();
}

TEST(Cli, ConformWritesBesideTheFile) {
    test::TempDir dir;
    const std::string changes =
        dir.write("changes.edl", "FCM: 25\n001  A  01:00:00:00 01:00:10:00 02:00:00:00 02:00:10:00\n");
    const std::string cues = dir.write("cues.csv", "\"hit\",\"01:00:01:00\"\r\n");
    test::CliResult r = runCli({"conform", "csv", "--changes", changes, "--file", cues, "--timebase", "25"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("cues-conf.csv") + "\n");
    EXPECT_EQ(r.err,
              "conform comma separated file?: please check the details below and ensure that your file is using the "
              "same timebase\n\ntimebase - 25\n\n");
    EXPECT_EQ(readFileText(dir.file("cues-conf.csv")).value, "\"hit\",\"02:00:01:00\"\tCONFORMED\n");

    // The copy would replace the change list it is conformed to.
    const std::string own = dir.write("changes-conf.csv", readFileText(changes).value);
    r = runCli({"conform", "csv", "--changes", own, "--file", dir.file("changes.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("refusing to write"), std::string::npos);
    EXPECT_EQ(readFileText(own).value, readFileText(changes).value);

    for (const std::string& file : {dir.path(), dir.file("missing.txt")}) {
        r = runCli({"conform", "tab", "--changes", changes, "--file", file});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("file not conformed: the file could not be read"), std::string::npos) << file;
    }
    r = runCli({"export", "note", "--changes", dir.file("missing.conform"), "--output", dir.file("n.txt")});
    EXPECT_EQ(r.status, 1);

    r = runCli({"conform", "evl", "--changes", changes, "--file", cues});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("file not conformed: "), std::string::npos);
}

}  // namespace
}  // namespace rw
