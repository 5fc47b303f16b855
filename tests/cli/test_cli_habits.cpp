// The habits of command-line tools: the version, named unreadable files, JSON.

#include "support/RunCli.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <regex>

namespace rw::test {
namespace {

const std::string kOld = std::string(RW_EXAMPLES) + "/old_cut.edl";
const std::string kNew = std::string(RW_EXAMPLES) + "/new_cut.edl";
const std::string kNoValidEdits =
    "no valid edits were found: check that your lists are of the type specified in the help documentation\n";

TEST(CliHabits, VersionLine) {
    for (const char* flag : {"--version", "-V"}) {
        const CliResult r = runCli({flag});
        EXPECT_EQ(r.status, 0) << flag;
        EXPECT_TRUE(std::regex_match(r.out, std::regex("reelwright [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << r.out;
    }
}

TEST(CliHabits, UnreadableFilesAreNamedFirstAndNothingIsWritten) {
    TempDir dir;
    const std::string missing = dir.file("no-such.edl"), folder = dir.path();
    const std::string noFile = "cannot read " + missing + ": No such file or directory\n";
    const std::string isFolder = "cannot read " + folder + ": is a folder\n";
    const struct {
        std::vector<std::string> args;
        std::string err;  // its start
        int status = 1;
    } cases[] = {
        {{"compare", "--old", missing, "--new", folder, "--no-autosave"},
         noFile + isFolder + kNoValidEdits + kNoValidEdits +
             "missing list: reelwright needs both OLD and NEW lists to make a comparison\n"},
        // one readable OLD list of two: no change list is made of half the cut
        {{"compare", "--old", kOld, "--old", missing, "--new", kNew, "--no-autosave"}, noFile},
        {{"show", folder}, isFolder + kNoValidEdits},
        {{"show", "--json", kNew, missing}, noFile},
        {{"export", "note", "--changes", missing, "--output", dir.file("n.txt")}, noFile + kNoValidEdits},
        {{"conform", "tab", "--old", kOld, "--new", kNew, "--file", folder}, isFolder},
        {{"search", folder, "--new", missing, "--select", "1"}, noFile + kNoValidEdits},
        {{"movie-info", missing}, noFile},
        {{"compare", "--old", kOld, "--new", kNew, "--settings", missing}, noFile, 2},  // a bad argument
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.status, c.status) << testing::PrintToString(c.args);
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << testing::PrintToString(c.args);
        EXPECT_EQ(r.out, "") << testing::PrintToString(c.args);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("n.txt")));
}

TEST(CliHabits, JsonHoldsTheContentOfTheText) {
    const CliResult r =
        runCli({"compare", "--old", kOld, "--new", kNew, "--compare", "clipname", "--no-autosave", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json doc = nlohmann::json::parse(r.out);
    EXPECT_EQ(doc["old"], nlohmann::json({"old_cut"}));
    EXPECT_EQ(doc["new"], nlohmann::json({"new_cut"}));
    EXPECT_EQ(doc["rate"], "24");
    ASSERT_EQ(doc["events"].size(), 4u);
    EXPECT_EQ(doc["events"][0], nlohmann::json::parse(R"({"number": "001", "clip": "HARBOUR_WIDE", "reel": null,
        "sourceIn": "01:00:01:00", "sourceOut": "01:00:06:00", "masterIn": "01:00:00:00", "masterOut": "01:00:05:00",
        "motionEffect": false, "colour": "black"})"));
    EXPECT_EQ(doc["events"][3]["clip"], "healed");
    EXPECT_EQ(doc["events"][3]["masterOut"], "01:00:25:00");

    // matched by lab roll, the name is the reel; a motion effect is read with the clip names
    const auto show = [](std::vector<std::string> flags) {
        flags.insert(flags.begin(), {"show", kNew, "--json"});
        const CliResult s = runCli(flags);
        EXPECT_EQ(s.status, 0) << s.err;
        return nlohmann::json::parse(s.out)["events"][4];
    };
    const nlohmann::json byReel = show({}), byClip = show({"--compare", "clipname"});
    EXPECT_EQ(byReel["clip"], "A004C005");
    EXPECT_EQ(byReel["reel"], "A004C005");
    EXPECT_EQ(byClip["clip"], "HORIZON");
    EXPECT_TRUE(byClip["reel"].is_null());
    EXPECT_EQ(byClip["motionEffect"], true);
}

}  // namespace
}  // namespace rw::test
