#include "support/RunCli.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using rw::test::TempDir;

using Result = rw::test::CliResult;
Result run(std::vector<std::string> args) { return rw::test::runCli(std::move(args)); }

const std::string kOld = std::string(RW_EXAMPLES) + "/old_cut.edl";
const std::string kNew = std::string(RW_EXAMPLES) + "/new_cut.edl";

const char* kExpected =
    "FCM: 24\n"
    "001  HARBOU  01:00:01:00 01:00:06:00 01:00:00:00 01:00:05:00\n"
    "002  SKIPPE  01:00:10:12 01:00:18:12 01:00:05:00 01:00:13:00\n"
    "003  NETS_C  01:00:06:00 01:00:09:12 01:00:13:00 01:00:16:12\n"
    "004  healed  01:00:22:12 01:00:31:00 01:00:16:12 01:00:25:00\n";

TEST(Cli, ComparePrintsTheChangeListOfTheExamples) {
    TempDir dir;
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    Result r = run({"compare", "--old", kOld, "--new", kNew, "--compare", "clipname"});
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kExpected);
    // the automatic copy holds the same text
    EXPECT_EQ(rw::test::readAll(dir.file("reelwright/Change Lists/new_cut_fr_old_cut.edl")), kExpected);
}

TEST(Cli, CompareWritesOutputAtomicallyAndNeverOverItsInput) {
    TempDir dir;
    const std::string copy = dir.write("old.edl", rw::test::readAll(kOld));
    Result r = run({"compare", "--old", copy, "--new", kNew, "--compare", "clipname", "--no-autosave", "--output",
                    dir.file("changes.edl")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(rw::test::readAll(dir.file("changes.edl")), kExpected);

    Result clash = run({"compare", "--old", copy, "--new", kNew, "--no-autosave", "--output", copy});
    EXPECT_EQ(clash.status, 1);
    EXPECT_EQ(rw::test::readAll(copy), rw::test::readAll(kOld));
}

TEST(Cli, FailuresAndTheirStatus) {
    TempDir dir;
    Result empty = run({"compare", "--old", dir.write("e.edl", ""), "--new", kNew, "--no-autosave"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("no valid edits were found: check that your lists"), std::string::npos);
    EXPECT_NE(empty.err.find("missing list: reelwright needs both OLD and NEW lists"), std::string::npos);
    EXPECT_TRUE(empty.out.empty());

    EXPECT_EQ(run({"compare", "--old", kOld}).status, 2);
    EXPECT_EQ(run({"compare", "--old", kOld, "--new", kNew, "--ferocity", "wild"}).status, 2);
    EXPECT_EQ(run({"compare", "--old", kOld, "--new", kNew, "--edl-type", "PAL"}).status, 2);
    EXPECT_EQ(run({}).status, 2);
    Result help = run({"compare", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--ferocity"), std::string::npos);
}

TEST(Cli, ShowPrintsOneImport) {
    Result r = run({"show", kNew, "--compare", "clipname"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1) + 1),
              "001|HARBOUR_WIDE|14:02:11:00|14:02:16:00|01:00:00:00|01:00:05:00|0\n"
              "002|SKIPPER_MS|15:01:00:00|15:01:08:00|01:00:05:00|01:00:13:00|0\n");
    EXPECT_NE(r.out.find("005|HORIZON|14:40:00:00|14:40:05:00|01:00:22:12|01:00:25:00|1\n"), std::string::npos);
    Result labroll = run({"show", kNew});
    EXPECT_NE(labroll.out.find("005|A004C005|14:40:00:00|14:40:05:00|01:00:22:12|01:00:25:00|0\n"), std::string::npos);
    TempDir dir;
    EXPECT_EQ(run({"show", dir.path()}).status, 1);
}

}  // namespace
