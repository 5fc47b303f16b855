#include "support/RunCli.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

TEST(CliSettings, CompareAndShowReadThePreferencesAndFlagsWin) {
    TempDir dir;
    // Record times with frame 24: only a list type of more than 24 fps reads them.
    const std::string oldList = dir.write("old.edl", "001  A001 V C 01:00:00:00 01:00:10:24 10:00:00:00 10:00:10:24\n");
    const std::string newList = dir.write("new.edl", "001  A001 V C 01:00:02:00 01:00:06:00 10:00:00:00 10:00:04:24\n");
    const std::string pal = dir.write("pal.ini", "[reelwright]\nEDL type = PAL video\n");
    const std::string old = dir.write("old.ini", "EDL type=PAL film 1\n");
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{}, 1, ""},  // the registered default list type cannot read frame 24
        {{"--settings", pal}, 0, "FCM: 25"},
        {{"--settings", pal, "--edl-type", "NTSC"}, 0, "FCM: 29.97 NON-DROP FRAME"},
        {{"--edl-type", "NTSC", "--settings", pal}, 0, "FCM: 29.97 NON-DROP FRAME"},
        {{"--settings", old}, 0, "FCM: 24"},  // "PAL film 1" reads as "PAL film": read at 25, shown at 24
    };
    for (const auto& [extra, status, header] : cases) {
        std::vector<std::string> args = {"compare", "--old", oldList, "--new", newList, "--no-autosave"};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_EQ(r.out.substr(0, header.size()), header);
    }
    EXPECT_EQ(runCli({"show", oldList}).status, 1);
    const CliResult r = runCli({"show", "--settings", pal, oldList});
    EXPECT_EQ(r.out, "001|A001|01:00:00:00|01:00:10:24|10:00:00:00|10:00:10:24|0\n") << r.err;
}

TEST(CliSettings, UnreadableSettingsAreBadArguments) {
    TempDir dir;
    const std::string list = dir.write("old.edl", "001  A001 V C 01:00:00:00 01:00:10:00 10:00:00:00 10:00:10:00\n");
    const std::string garbage = dir.write("garbage.ini", std::string("\x89PNG\r\n\x1A\n\0\0", 10));
    for (const std::string& path : {dir.file("missing.ini"), dir.path(), garbage}) {
        const CliResult r = runCli({"compare", "--old", list, "--new", list, "--no-autosave", "--settings", path});
        EXPECT_EQ(r.status, 2) << path;
        EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(runCli({"show", "--settings", path, list}).status, 2) << path;
        EXPECT_EQ(runCli({"export", "note", "--old", list, "--new", list, "--settings", path, "--output",
                          dir.file("note.txt")})
                      .status,
                  2)
            << path;
    }
}

}  // namespace
}  // namespace rw::test
